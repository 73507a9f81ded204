// The player's own options in the game window: sound levels and mute, pause, screenshots.
#include "ui/Game.h"

#include "game/GameSession.h"
#include "project/ProjectInfo.h"
#include "scripting/ScriptHost.h"
#include "scripting/TimedEvents.h"
#include "ui/SoundOptionsDialog.h"

#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>

namespace quillora {
namespace {

constexpr int kVolumeKeyStep = 10;
// How often a pending pause looks whether the transition or the sliding bar has ended.
constexpr int kPauseRetryMs = 50;

Qt::KeyboardModifiers Modifiers(const QKeyEvent& event) {
    return event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
}

// The name screenshots are filed under: the game's title, else its project name.
std::string GameName() {
    const ProjectInfo& info = Project();
    return info.AdventureName.empty() ? info.ProjectName : info.AdventureName;
}

} // namespace

void Game::BuildPlayerOptions() {
    mnuOptions->addSeparator();
    mnuSound = mnuOptions->addAction("Sound...\tCtrl+O");
    connect(mnuSound, &QAction::triggered, this, &Game::ShowSoundOptions);
    mnuMute = mnuOptions->addAction("Mute\tCtrl+M");
    mnuMute->setCheckable(true);
    connect(mnuMute, &QAction::triggered, this, [this] {
        mnuMute->setChecked(m_soundLevels.Muted);
        ToggleMute();
    });
    mnuPause = mnuOptions->addAction("Pause\tCtrl+P");
    mnuPause->setCheckable(true);
    connect(mnuPause, &QAction::triggered, this, [this] {
        mnuPause->setChecked(m_paused);
        TogglePause();
    });
    mnuScreenshot = mnuOptions->addAction("Save Screenshot\tCtrl+Shift+S");
    connect(mnuScreenshot, &QAction::triggered, this, [this] { TakeScreenshot(); });
    m_pauseRetry.setSingleShot(true);
    m_pauseRetry.setInterval(kPauseRetryMs);
    connect(&m_pauseRetry, &QTimer::timeout, this, [this] { SetPaused(true); });
    m_pictureBox->PaintOver = [this](QPainter& painter, QSize frame) {
        if (m_paused) PaintPauseSign(painter, frame);
    };
}

bool Game::PlayerOptionKey(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = Modifiers(event);
    const bool ctrl = modifiers == Qt::ControlModifier;
    // A held key repeats: a toggle or a screenshot happens once per press.
    const bool once = !event.isAutoRepeat();
    if (key == Qt::Key_Pause || (ctrl && key == Qt::Key_P)) {
        if (once) TogglePause();
    } else if (key == Qt::Key_Print ||
               (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_S)) {
        if (once) TakeScreenshot();
    } else if (key == Qt::Key_VolumeMute || (ctrl && key == Qt::Key_M)) {
        if (once) ToggleMute();
    } else if (key == Qt::Key_VolumeUp || (ctrl && key == Qt::Key_Up)) {
        StepMasterVolume(kVolumeKeyStep);
    } else if (key == Qt::Key_VolumeDown || (ctrl && key == Qt::Key_Down)) {
        StepMasterVolume(-kVolumeKeyStep);
    } else if (ctrl && key == Qt::Key_O) {
        if (once) ShowSoundOptions();
    } else {
        return false;
    }
    return true;
}

void Game::SetSoundLevels(const SoundLevels& levels, bool keep) {
    m_soundLevels = levels;
    m_session.Audio.OutputMixer().SetLevels(levels.ToMix());
    if (mnuMute) mnuMute->setChecked(levels.Muted);
    if (keep) SaveSoundLevels(Project().ProjectName, levels);
}

void Game::ToggleMute() {
    SoundLevels levels = m_soundLevels;
    levels.Muted = !levels.Muted;
    SetSoundLevels(levels, true);
}

void Game::StepMasterVolume(int step) {
    SoundLevels levels = m_soundLevels;
    levels.Master = std::clamp(levels.Master + step, 0, SoundLevels::kMaxPercent);
    // Turning the volume up is asking to hear the game.
    if (step > 0) levels.Muted = false;
    SetSoundLevels(levels, true);
}

void Game::ShowSoundOptions() {
    const SoundLevels before = m_soundLevels;
    SoundOptionsDialog dialog(
        before, [this](const SoundLevels& levels) { SetSoundLevels(levels, false); }, this);
    dialog.exec();
    SetSoundLevels(dialog.Levels(), dialog.Levels() != before);
}

void Game::TogglePause() {
    // A second press while the pause waits for a transition takes the request back.
    SetPaused(!m_paused && !PausePending());
}

bool Game::SetPaused(bool paused) {
    if (!paused) m_pauseRetry.stop();
    if (paused == m_paused) return true;
    if (paused && (m_session.Flags.StopEverything || m_unloading)) return false;
    if (paused && (m_transitions->TransitionRunning() || m_inventory->Moving() ||
                   m_pictureBox->IsDragging())) {
        // These run their own loops, which a pause would not hold: it starts when they end.
        m_pauseRetry.start();
        return false;
    }
    m_pauseRetry.stop();
    m_paused = paused;
    GameAudio& audio = m_session.Audio;
    if (paused) {
        for (QTimer* timer :
             {&m_autoJumpTimer, &m_messageBar->TimerMessageBox, &m_inventory->AutoHideTimer})
            m_heldTimers.Hold(*timer);
        m_scripts->Events().HoldRunning(m_heldTimers);
        m_scripts->TimerObjectArray().HoldRunning(m_heldTimers);
        audio.HoldFade();
        audio.OutputMixer().SetPaused(true);
        m_gifs->SetPaused(true);
        m_waterHeld = m_water->TimerEnabled();
        m_water->StopTimer();
        m_pictureBox->installEventFilter(this);
    } else {
        m_pictureBox->removeEventFilter(this);
        m_heldTimers.Release();
        audio.ReleaseFade();
        audio.OutputMixer().SetPaused(false);
        m_gifs->SetPaused(false);
        if (m_waterHeld) m_water->Resume();
        m_waterHeld = false;
    }
    if (mnuPause) mnuPause->setChecked(paused);
    m_pictureBox->update();
    return true;
}

bool Game::eventFilter(QObject* watched, QEvent* event) {
    if (m_paused && watched == m_pictureBox) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ToolTip: return true;
        default: break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Game::PaintPauseSign(QPainter& painter, QSize frame) const {
    painter.save();
    // The frame dims and a pause symbol with the word stands in its middle, scaled to the frame.
    painter.fillRect(QRect(QPoint(0, 0), frame), QColor(0, 0, 0, 120));
    const int unit = std::max(8, std::min(frame.width(), frame.height()) / 12);
    const QPoint centre(frame.width() / 2, frame.height() / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 230));
    const int barWidth = unit / 2;
    painter.drawRect(centre.x() - barWidth - unit / 4, centre.y() - unit, barWidth, 2 * unit);
    painter.drawRect(centre.x() + unit / 4, centre.y() - unit, barWidth, 2 * unit);
    QFont font = painter.font();
    font.setPixelSize(std::max(10, unit * 2 / 3));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 230));
    const QRect textBox(0, centre.y() + unit + unit / 3, frame.width(), unit);
    painter.drawText(textBox, Qt::AlignHCenter | Qt::AlignTop, "Paused");
    painter.restore();
}

ScreenshotResult Game::TakeScreenshot() {
    const ScreenshotResult result = SaveScreenshot(m_pictureBox->Capture(), GameName(),
                                                   QDateTime::currentDateTime(), PicturesFolder());
    if (result.Written) {
        std::fprintf(stderr, "Screenshot saved: %s\n", result.Path.toLocal8Bit().constData());
    } else {
        std::fprintf(stderr, "Screenshot not saved: %s: %s\n",
                     result.Path.toLocal8Bit().constData(), result.Error.toLocal8Bit().constData());
    }
    std::fflush(stderr);
    return result;
}

} // namespace quillora
