// The built-in components: a media player drawn in the frame like a video, a label and a timer,
// with the members and events a Windows author knows from those controls.
#include "core/Clock.h"
#include "core/Twips.h"
#include "media/MediaError.h"
#include "media/MediaPlayer.h"
#include "scene/PictureBox.h"
#include "scene/SceneElement.h"
#include "scripting/ElementMembers.h"
#include "scripting/SceneComponents.h"
#include "scripting/SceneObjects.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

// How often a playing component looks whether its media has ended.
constexpr int kEndCheckMs = 50;


// Deletes a QObject once control is back in the event loop: a component may be unloaded from
// inside a signal of its own timer or player.
template <class T> void DeleteSoon(QPointer<T>& object) {
    if (object.isNull()) return;
    object->disconnect();
    object->deleteLater();
    object.clear();
}

// The mouse parameters window controls pass: button, shift state, x and y (twips in the control).
EventParameters MouseParameters(const ElementMouse& mouse, const char* shiftName) {
    return {{"Button", Value::Integer(static_cast<int16_t>(mouse.Button))},
            {shiftName, Value::Integer(static_cast<int16_t>(mouse.Shift))},
            {"X", Value::Single(static_cast<float>(mouse.X))},
            {"Y", Value::Single(static_cast<float>(mouse.Y))}};
}

// The media player control: the file plays through our media player and its pictures are drawn
// in the component's element. PlayState: 0 stopped, 1 paused, 2 playing. Events:
// PlayStateChange(OldState, NewState), EndOfStream(Result), Click, MouseDown and MouseUp(Button,
// ShiftState, X, Y).
class MediaPlayerComponent : public SceneComponent {
public:
    static constexpr int kPaused = 1;

    MediaPlayerComponent(PictureBox& box, const std::string& name)
        : SceneComponent(u"MediaPlayer", box, ElementKind::Surface, name),
          m_player(new MediaPlayer()), m_endCheck(new QTimer()) {
        SceneElement& element = Element();
        element.Move(0, 0, PixelsToTwips(320), PixelsToTwips(240));
        MediaPlayer* player = m_player.data();
        element.Painter = [player](QPainter& painter, const QRect& rect) {
            const QImage& picture = player->CurrentFrame();
            if (!picture.isNull()) painter.drawImage(rect, picture);
        };
        QObject::connect(player, &MediaPlayer::FrameChanged, player, [this] {
            if (Loaded()) Element().Changed();
        });
        m_endCheck->setInterval(kEndCheckMs);
        QObject::connect(m_endCheck.data(), &QTimer::timeout, m_endCheck.data(),
                         [this] { CheckEnd(); });
        element.OnMouseDown = [this](const ElementMouse& m) {
            EventParameters p = MouseParameters(m, "ShiftState");
            RaiseEvent("MouseDown", p);
        };
        element.OnMouseUp = [this](const ElementMouse& m) {
            m_lastUp = m;
            EventParameters p = MouseParameters(m, "ShiftState");
            RaiseEvent("MouseUp", p);
        };
        element.OnClick = [this] {
            EventParameters p = MouseParameters(m_lastUp, "ShiftState");
            RaiseEvent("Click", p);
        };
        DefinePlacementMembers(*this, Getter(), box);
        DefineMembers();
    }
    ~MediaPlayerComponent() override { Release(); }

    void Unload() override {
        Release();
        SceneComponent::Unload();
    }

private:
    void Release() {
        if (m_player) m_player->Stop();
        DeleteSoon(m_player);
        DeleteSoon(m_endCheck);
        m_state = MediaPlayer::kStopped;
    }

    MediaPlayer& Player() const {
        RequireLoaded();
        return *m_player;
    }

    // Moves to `state`, telling the script when it changed.
    void SetState(int state) {
        if (m_endCheck && state == MediaPlayer::kPlaying) {
            m_endCheck->start();
        } else if (m_endCheck) {
            m_endCheck->stop();
        }
        if (state == m_state) return;
        EventParameters p{{"OldState", Value::Long(m_state)}, {"NewState", Value::Long(state)}};
        m_state = state;
        RaiseEvent("PlayStateChange", p);
    }

    void CheckEnd() {
        // A handler may remove the component: it must outlive this call.
        const vbs::Ref<SceneComponent> keep(this);
        if (!Loaded() || m_state != MediaPlayer::kPlaying) return;
        if (m_player->PlayState() == MediaPlayer::kPlaying) return;
        SetState(MediaPlayer::kStopped);
        if (!Loaded()) return;
        EventParameters p{{"Result", Value::Long(0)}};
        RaiseEvent("EndOfStream", p);
    }

    void Play() {
        MediaPlayer& player = Player();
        try {
            player.Play();
        } catch (const MediaError& error) {
            ThrowScriptMediaError(error, "");
        }
        SetState(MediaPlayer::kPlaying);
    }

    void ApplyVolume() { Player().SetVolume(m_mute ? -10000 : m_volume); }

    void LoadFile(const std::string& name) {
        MediaPlayer& player = Player();
        const std::string path = ScriptMediaPath(name);
        try {
            player.SetFileName(path);
        } catch (const MediaError& error) {
            SetState(MediaPlayer::kStopped);
            ThrowScriptMediaError(error, path);
        }
        SetState(MediaPlayer::kStopped);
        if (!Loaded()) return;
        if (m_autoSize && player.HasVideo()) {
            SceneElement& e = Element();
            e.Move(e.Left, e.Top, PixelsToTwips(player.NaturalSize().width()),
                   PixelsToTwips(player.NaturalSize().height()));
        }
        if (m_autoStart && !path.empty()) Play();
    }

    void DefineMembers() {
        DefineProperty(
            "FileName", [this] { return Value::FromUtf8(Player().FileName()); },
            [this](Args, const Value& v) { LoadFile(vbs::ToUtf8(vbs::ToString(v))); });
        DefineMember("Play", [this](Args) {
            Play();
            return Value();
        });
        DefineMember("Stop", [this](Args) {
            Player().Stop();
            SetState(MediaPlayer::kStopped);
            return Value();
        });
        DefineMember("Pause", [this](Args) {
            MediaPlayer& player = Player();
            if (m_state != MediaPlayer::kPlaying) return Value();
            const double at = player.CurrentPosition();
            player.Stop();
            player.SetCurrentPosition(at);
            SetState(kPaused);
            return Value();
        });
        DefineProperty("PlayState", [this] {
            RequireLoaded();
            return Value::Long(m_state);
        });
        DefineProperty(
            "CurrentPosition", [this] { return Value::Double(Player().CurrentPosition()); },
            [this](Args, const Value& v) { Player().SetCurrentPosition(vbs::ToDouble(v)); });
        DefineProperty("Duration", [this] { return Value::Double(Player().Duration()); });
        DefineProperty(
            "Volume",
            [this] {
                RequireLoaded();
                return Value::Long(m_volume);
            },
            [this](Args, const Value& v) {
                const int32_t volume = vbs::ToLong(v);
                if (volume < -10000 || volume > 0) ThrowInvalidPropertyValue();
                m_volume = volume;
                ApplyVolume();
            });
        DefineProperty(
            "Mute",
            [this] {
                RequireLoaded();
                return Value::Boolean(m_mute);
            },
            [this](Args, const Value& v) {
                m_mute = vbs::ToBool(v);
                ApplyVolume();
            });
        DefineProperty(
            "PlayCount", [this] { return Value::Long(Player().PlayCount()); },
            [this](Args, const Value& v) {
                const int32_t count = vbs::ToLong(v);
                if (count < 0) ThrowInvalidPropertyValue();
                Player().SetPlayCount(count);
            });
        DefineProperty(
            "Rate", [this] { return Value::Double(Player().Rate()); },
            [this](Args, const Value& v) { Player().SetRate(vbs::ToDouble(v)); });
        DefineFlag("AutoStart", m_autoStart);
        DefineFlag("AutoSize", m_autoSize);
        DefineProperty("ImageSourceWidth",
                       [this] { return Value::Long(Player().NaturalSize().width()); });
        DefineProperty("ImageSourceHeight",
                       [this] { return Value::Long(Player().NaturalSize().height()); });
        // No buttons or panels are ever drawn over the picture: these read False and accept
        // any assignment.
        for (const char* panel : {"ShowControls", "ShowDisplay", "ShowStatusBar"}) {
            DefineProperty(
                panel,
                [this] {
                    RequireLoaded();
                    return Value::Boolean(false);
                },
                [this](Args, const Value& v) {
                    RequireLoaded();
                    (void)vbs::ToBool(v);
                });
        }
    }

    void DefineFlag(const char* name, bool& flag) {
        DefineProperty(
            name,
            [this, &flag] {
                RequireLoaded();
                return Value::Boolean(flag);
            },
            [this, &flag](Args, const Value& v) {
                RequireLoaded();
                flag = vbs::ToBool(v);
            });
    }

    QPointer<MediaPlayer> m_player;
    QPointer<QTimer> m_endCheck;
    int m_state = MediaPlayer::kStopped;
    bool m_autoStart = true;
    bool m_autoSize = true;
    bool m_mute = false;
    int32_t m_volume = 0;
    ElementMouse m_lastUp;
};

// A label: caption, font, colours and placement. Events: Click, DblClick(Cancel), MouseDown and
// MouseUp(Button, Shift, X, Y). A press of the same button within the double-click time of a
// click is the second click of a double click: DblClick comes in place of its MouseDown, its
// release gives MouseUp and no Click. A handler that sets the by-reference Cancel to True makes
// the label ignore the rest of that second click (no MouseUp).
class LabelComponent : public SceneComponent {
public:
    // The double-click time of the Windows default, in seconds.
    static constexpr double kDoubleClickSeconds = 0.5;

    LabelComponent(PictureBox& box, const std::string& name)
        : SceneComponent(u"Label", box, ElementKind::Label, name) {
        SceneElement& element = Element();
        element.Move(0, 0, 1215, 495);
        element.Opaque = true;
        element.BackColor = 0xC0C0C0;
        element.ForeColor = 0x000000;
        element.OnMouseDown = [this](const ElementMouse& m) { Press(m); };
        element.OnMouseUp = [this](const ElementMouse& m) {
            const vbs::Ref<SceneComponent> keep(this);
            m_lastButton = m.Button;
            if (m_ignoreRest) return;
            EventParameters p = MouseParameters(m, "Shift");
            RaiseEvent("MouseUp", p);
        };
        element.OnClick = [this] {
            const vbs::Ref<SceneComponent> keep(this);
            if (m_secondClick) return;
            m_lastClickAt = TheClock().SecondsSinceMidnight();
            m_lastClickButton = m_lastButton;
            RaiseEvent("Click");
        };
        DefinePlacementMembers(*this, Getter(), box);
        DefineLabelMembers(*this, Getter());
    }

private:
    void Press(const ElementMouse& m) {
        const vbs::Ref<SceneComponent> keep(this);
        const double now = TheClock().SecondsSinceMidnight();
        m_secondClick = m_lastClickAt >= 0 && m.Button == m_lastClickButton &&
                        ElapsedSeconds(m_lastClickAt, now) <= kDoubleClickSeconds;
        m_lastClickAt = -1;
        m_ignoreRest = false;
        if (!m_secondClick) {
            EventParameters p = MouseParameters(m, "Shift");
            RaiseEvent("MouseDown", p);
            return;
        }
        EventParameters p{{"Cancel", Value::Boolean(false), true}};
        RaiseEvent("DblClick", p);
        try {
            m_ignoreRest = vbs::ToBool(p[0].Value);
        } catch (const vbs::ScriptError&) {
            m_ignoreRest = false; // a value that is no Boolean cancels nothing
        }
    }

    double m_lastClickAt = -1; // seconds since midnight of the last Click; -1: none to pair
    int m_lastClickButton = 0;
    int m_lastButton = 0;
    bool m_secondClick = false;
    bool m_ignoreRest = false;
};

// A timer: Interval (milliseconds, 0 to 65535; 0 stops it) and Enabled. Event: Timer. A tick
// that comes while the handler of the last one still runs (it shows a box) is dropped.
class TimerComponent : public SceneComponent {
public:
    TimerComponent(PictureBox& box, const std::string& name)
        : SceneComponent(u"Timer", box, ElementKind::Box, name), m_timer(new QTimer()) {
        QObject::connect(m_timer.data(), &QTimer::timeout, m_timer.data(), [this] { Tick(); });
        DefineProperty(
            "Interval",
            [this] {
                RequireLoaded();
                return Value::Long(m_interval);
            },
            [this](Args, const Value& v) {
                RequireLoaded();
                const int32_t interval = vbs::ToLong(v);
                if (interval < 0 || interval > 65535) ThrowInvalidPropertyValue();
                m_interval = interval;
                Rearm();
            });
        DefineProperty(
            "Enabled",
            [this] {
                RequireLoaded();
                return Value::Boolean(m_enabled);
            },
            [this](Args, const Value& v) {
                RequireLoaded();
                m_enabled = vbs::ToBool(v);
                Rearm();
            });
        DefineProperty(
            "Tag", [this] { return Value::FromUtf8(Element().Tag); },
            [this](Args, const Value& v) { Element().Tag = vbs::ToUtf8(vbs::ToString(v)); });
    }
    ~TimerComponent() override { DeleteSoon(m_timer); }

    void Unload() override {
        DeleteSoon(m_timer);
        SceneComponent::Unload();
    }

private:
    void Rearm() {
        if (!m_timer) return;
        if (m_enabled && m_interval > 0) {
            m_timer->start(m_interval);
        } else {
            m_timer->stop();
        }
    }

    void Tick() {
        if (m_inTick) return;
        m_inTick = true;
        const vbs::Ref<SceneComponent> keep(this);
        RaiseEvent("Timer");
        m_inTick = false;
    }

    QPointer<QTimer> m_timer;
    int32_t m_interval = 0;
    bool m_enabled = true;
    bool m_inTick = false;
};

} // namespace

vbs::Ref<SceneComponent> MakeMediaPlayerComponent(PictureBox& box, const std::string& name) {
    return vbs::Ref<SceneComponent>(new MediaPlayerComponent(box, name));
}

vbs::Ref<SceneComponent> MakeLabelComponent(PictureBox& box, const std::string& name) {
    return vbs::Ref<SceneComponent>(new LabelComponent(box, name));
}

vbs::Ref<SceneComponent> MakeTimerComponent(PictureBox& box, const std::string& name) {
    return vbs::Ref<SceneComponent>(new TimerComponent(box, name));
}

} // namespace quillora
