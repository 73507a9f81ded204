// Performing hotspot actions.
#include "game/Actions.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/ValueListReader.h"
#include "game/ActionObject.h"
#include "game/ActionSection.h"
#include "game/GameAudio.h"
#include "game/GameHost.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/Inventory.h"
#include "game/VideoPlacement.h"
#include "game/Videos.h"
#include "project/ErrorMessages.h"
#include "project/MediaPath.h"
#include "project/ProjectPaths.h"
#include "services/Wait.h"

#include <optional>

namespace quillora {
namespace {

bool Stopped(const ActionContext& context) {
    return context.Session.Flags.StopEverything;
}

// Opens the action file at the start of the section of the action, after its first ten values;
// nothing when there is no action.
std::optional<ValueListReader> OpenSection(ActionContext& context, int16_t areaIndex,
                                           int16_t objectIndex) {
    const std::string base = Paths().FramesData + context.Session.CurrentFrame.Name;
    PathLookup& lookup = PathLookup::Instance();
    if (objectIndex != 0) {
        const SceneElement* item = context.Scene.PickedObject.Item(objectIndex);
        if (item == nullptr) throw ClassicError(ErrorCode::SubscriptOutOfRange);
        const std::string key = std::to_string(areaIndex) + "_" + item->Tag + ".drg";
        if (!lookup.FileExists(base + ".fm0")) return std::nullopt;
        ValueListReader in = ValueListReader::Open(base + ".fm0");
        while (true) {
            if (Stopped(context) || in.AtEnd()) return std::nullopt;
            in.Skip();
            if (EqualsNoCase(in.ReadString(), key)) break;
            in.SkipToNextSection();
        }
        for (int i = 0; i < 8; ++i)
            in.Skip();
        return in;
    }
    const std::string path = lookup.FileExists(base + ".mr3") ? base + ".mr3" : base + ".fm3";
    if (!lookup.FileExists(path)) return std::nullopt;
    ValueListReader in = ValueListReader::Open(path);
    for (int i = 1; i < areaIndex; ++i)
        in.SkipToNextSection();
    if (in.AtEnd()) return std::nullopt;
    for (int i = 0; i < 10; ++i)
        in.Skip();
    return in;
}

// Carries out an action section's effects on the game as they are read.
class GameActionEffects : public ActionEffects {
public:
    GameActionEffects(ActionContext& context, int16_t areaIndex, int16_t objectIndex)
        : m_context(context), m_areaIndex(areaIndex), m_objectIndex(objectIndex) {}

    void ChangeVariable(const std::string& name, int16_t change) override {
        ChangeVariableValue(m_context.Session.State.Vars, name, change);
    }
    void HideHotspotOrUseItem() override {
        if (m_objectIndex != 0) {
            m_context.Items.RemovePickedObject(m_objectIndex);
        } else {
            m_context.Session.State.Vars.Disappear.Add(m_context.Session.CurrentFrame.Name,
                                                       m_areaIndex);
        }
    }
    void StopHotspotSound() override { m_context.Session.Audio.StopChannel(6); }
    void StopAllSounds() override { m_context.Session.Audio.StopAnyWavOrMP3(); }
    void SetFadeDuration(double seconds) override {
        m_context.Session.Audio.State.FadeDuration = seconds;
    }
    SoundChannelTable& Channels() override { return m_context.Session.Audio.Channels; }
    void AddItem(const std::string& name) override { m_context.Items.AddPickedObject(name, false); }

private:
    ActionContext& m_context;
    int16_t m_areaIndex;
    int16_t m_objectIndex;
};

bool WillChangeFrame(const ActionValues& v, const GameSession& session) {
    const GameState& state = session.State;
    return !session.Action.sFrameToLoad.empty() || v.GoToFrame != 0 ||
           (v.GoBack && v.GoToFrame == 0 && state.FramesHistory.size() > 1);
}

void PlayActionSounds(GameAudio& audio, const ActionValues& v) {
    if (v.PlayHotspotSound && !v.HotspotSound.empty() &&
        (!audio.IsChannelPlaying(6) || v.StopHotspotSound != 0)) {
        audio.PlaySoundOnChannel(6, Paths().Areas + v.HotspotSound, v.LoopHotspotSound, 7);
    }
    if (v.PlaySecondSound) {
        audio.PlaySoundOnChannel(7, Paths().Frames + v.SecondSound, false, 8);
    } else if (v.StopSecondSound && v.StopAllSounds == 0) {
        audio.StopChannel(7);
    }
}

// Reads the hotspot's obsolete channel block from the frame's .fm5 file and plays it.
void PlayHotspotChannels(GameSession& session, int16_t areaIndex) {
    const std::string path = Paths().FramesData + session.CurrentFrame.Name + ".fm5";
    if (!PathLookup::Instance().FileExists(path)) return;
    ValueListReader in = ValueListReader::Open(path);
    session.Audio.PlayHotspotSoundChannels(in, areaIndex);
}

void PlayActionMovie(ActionContext& context, const ActionValues& v) {
    context.Host.HideMenus();
    context.Videos.PlayMovieWithStop(
        v.MovieFile, MoviePlacementFor(v.MovieAtOrigin, v.MovieAtPosition, v.MovieLeft, v.MovieTop,
                                       v.MovieWidth, v.MovieHeight));
}

void WaitForMovie(ActionContext& context) {
    const WaitScope waiting;
    context.Host.SetScreenPointerArrow();
    while (context.Videos.IsOneTimeVideoPlaying() && !context.Session.Flags.StopMovie) {
        DoEvents();
        context.Host.HideMenus();
    }
    context.Host.SetScreenPointerDefault();
    // The movie's last picture would stay over the frame and take every click and drop.
    context.Videos.StopOneTimeVideoPlayer();
    context.Session.Flags.StopMovie = false;
}

// Opens the action's own target frame, or goes back one step; true when a frame was opened.
bool OpenActionFrame(ActionContext& context, const ActionValues& v) {
    const auto open = [&](const std::string& frame) {
        if (v.UseTransition == 1) {
            context.Host.TransitionStep1(v.TransitionNumber);
            context.Host.OpenFrame(frame, true, v.TransitionNumber,
                                   v.TransitionMilliseconds / 1000.0);
        } else {
            context.Host.OpenFrame(frame, false, 0, 0);
        }
    };
    if (v.GoToFrame != 0) {
        open(v.FrameName);
        return true;
    }
    if (v.GoBack && context.Session.State.FramesHistory.size() > 1) {
        open(TakeLastVisitedFrame(context.Session.State));
        return true;
    }
    return false;
}

} // namespace

bool OpenRequestedFrame(GameHost& host, GameSession& session) {
    VBScriptActionModule& action = session.Action;
    if (EqualsNoCase(action.sFrameToLoad, "last visited frame")) {
        action.sFrameToLoad = TakeLastVisitedFrame(session.State);
    }
    if (action.sFrameToLoad.empty()) return false;
    if (action.dTransitionDuration != 0) {
        host.TransitionStep1(action.iTransitionNumber);
        host.OpenFrame(action.sFrameToLoad, true, action.iTransitionNumber,
                       action.dTransitionDuration);
    } else {
        host.OpenFrame(action.sFrameToLoad, false, 0, 0);
    }
    return true;
}

ActionOutcome MakeAction(ActionContext& context, int16_t areaIndex, int16_t objectIndex) {
    // A game loaded during one of the action's waits (a script's box, a movie) ends the action:
    // the rest of it belongs to the game that was left.
    const unsigned game = context.Session.GameNumber;
    const auto stopped = [&] { return Stopped(context) || context.Session.GameNumber != game; };
    RunFlags& flags = context.Session.Flags;
    flags.StopMovie = true;
    flags.TransitionAbortRequested = true;
    flags.StopEverything = false;
    ActionOutcome result = ActionOutcome::StayInFrame;
    try {
        std::optional<ValueListReader> in = OpenSection(context, areaIndex, objectIndex);
        if (!in) return result;
        GameActionEffects effects(context, areaIndex, objectIndex);
        const ActionValues v = ReadActionSection(*in, effects);
        if (v.EndGame) return ActionOutcome::EndGame;
        if (stopped()) return result;
        VBScriptActionModule& action = context.Session.Action;
        action.ResetModule();
        if (!v.Script.empty() && v.RunScript) {
            action.iHotspotNumber = areaIndex;
            context.Host.ExecuteVBScript(v.Script, false);
            if (action.bStopGame) return ActionOutcome::EndGame;
        }
        if (!stopped()) PlayActionSounds(context.Session.Audio, v);
        if (!stopped()) {
            if (objectIndex == 0 && v.StopAllSounds == 0)
                PlayHotspotChannels(context.Session, areaIndex);
            if (v.PlayMovie != 0 || !WillChangeFrame(v, context.Session)) {
                context.Session.Audio.ApplySoundChannels();
                context.Session.Audio.TimerAudioFade.SetEnabled(true);
            }
        }
        if (!stopped()) {
            if (v.PlayMovie != 0) PlayActionMovie(context, v);
            context.Host.ShowOrNotShowAreas();
            if (v.ShowMessage) context.Host.DisplayTextMessage(v.Message, v.MessageInBar, false);
            if (v.PlayMovie != 0) {
                WaitForMovie(context);
                if (WillChangeFrame(v, context.Session)) context.Session.Audio.AudioFadeStep(1);
            }
        }
        if (!stopped()) {
            if (OpenRequestedFrame(context.Host, context.Session) || OpenActionFrame(context, v)) {
                result = ActionOutcome::FrameOpened;
            }
        }
        if (result != ActionOutcome::FrameOpened && context.Session.GameNumber == game) {
            context.Host.StartTimedEvents();
            if (action.bPopupLoadGame) {
                context.Host.ShowLoadGameWindow(false);
            } else if (action.bPopupSaveGame) {
                context.Host.ShowSaveGameWindow();
            }
        }
    } catch (const ClassicError& error) {
        if (!stopped()) {
            ShowCommonError(" Unable to make the action associated with the hotspot #" +
                                std::to_string(areaIndex) + ". ",
                            DescriptionAndDetail(error));
        }
    }
    return result;
}

void MakeActionAndConsequences(ActionContext& context, int16_t areaIndex, int16_t objectIndex) {
    if (MakeAction(context, areaIndex, objectIndex) == ActionOutcome::EndGame) {
        context.Host.StartUnloading();
    }
}

bool CarryOutScriptRequests(GameHost& host, GameSession& session) {
    host.ShowOrNotShowAreas();
    if (session.Action.bStopGame) {
        host.StartUnloading();
        return false;
    }
    if (!OpenRequestedFrame(host, session)) host.StartTimedEvents();
    return true;
}

bool ExecuteVBScriptAndConsequences(GameHost& host, GameSession& session, const std::string& code,
                                    bool resetLastClickPosition) {
    VBScriptActionModule& action = session.Action;
    action.ResetModule();
    if (host.ExecuteVBScript(code, resetLastClickPosition)) return true;
    if (!CarryOutScriptRequests(host, session)) return false;
    if (action.bPopupLoadGame) {
        host.ShowLoadGameWindow(false);
    } else if (action.bPopupSaveGame) {
        host.ShowSaveGameWindow();
    }
    return false;
}

} // namespace quillora
