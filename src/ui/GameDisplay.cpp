// The game window on the display: full screen or windowed, virtual display modes, scaling, and
// the game's side of the CD prompt.
#include "ui/Game.h"

#include "core/Twips.h"
#include "game/GameSession.h"
#include "project/InterfaceTexts.h"
#include "project/MultiCDModule.h"
#include "project/ProjectInfo.h"
#include "project/Resolutions.h"
#include "scripting/TimedEvents.h"
#include "services/SettingsStore.h"
#include "ui/RunFromCDDialog.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace quillora {
namespace {

constexpr const char* kSharpScalingKey = "SharpScaling";

// The game's side of the CD prompt: pauses and resumes this game around the prompt.
class GameCDPrompt : public CDPromptHost {
public:
    explicit GameCDPrompt(Game& game) : m_game(game) {}

    bool StopEverythingRaised() override { return m_game.Session().Flags.StopEverything; }

    void PauseGame() override {
        // Asked again after a wrong CD the timers are already stopped: their states are the
        // ones from before the first prompt.
        if (!m_paused) {
            m_jumpWasOn = m_game.AutoJumpTimer().isActive();
            m_messageTimerWasOn = m_game.Messages().TimerMessageBox.isActive();
            m_paused = true;
        }
        RunFlags& flags = m_game.Session().Flags;
        flags.StopMovie = true;
        flags.TransitionAbortRequested = true;
        m_game.AutoJumpTimer().stop();
        m_game.Messages().TimerMessageBox.stop();
        m_game.PauseTimedEvents();
        m_game.Videos().StopOneTimeVideoPlayer();
    }

    bool ShowRunFromCD(const std::string& message, const std::string& drive) override {
        RunFromCDDialog dialog(message, drive, &m_game);
        const bool ok = dialog.exec() == QDialog::Accepted;
        if (dialog.Cancelled()) m_game.Session().Flags.StopEverything = true;
        return ok;
    }

    void StopGame() override {
        m_paused = false;
        m_game.StopEverything();
    }

    void ResumeGame() override {
        m_paused = false;
        if (m_jumpWasOn) m_game.AutoJumpTimer().start();
        if (m_messageTimerWasOn) m_game.Messages().TimerMessageBox.start();
        m_game.StartTimedEvents();
    }

private:
    Game& m_game;
    bool m_paused = false;
    bool m_jumpWasOn = false;
    bool m_messageTimerWasOn = false;
};

} // namespace

void Game::WireDisplay() {
    m_windowed = Project().WindowedMode;
    mnuSharpScaling = mnuOptions->addAction("Sharp Scaling (Whole Pixels)");
    mnuSharpScaling->setCheckable(true);
    mnuSharpScaling->setChecked(Settings().GetSetting("Software", Project().ProjectName,
                                                      kSharpScalingKey, "False") == "True");
    connect(mnuSharpScaling, &QAction::triggered, this,
            [this](bool checked) { SetSharpScaling(checked); });
    m_displayListener = AddDisplayModeListener([this] { CenterWindowAndPictureBox(); });
    m_cdPromptHost = std::make_unique<GameCDPrompt>(*this);
    SetCDPromptHost(m_cdPromptHost.get());
}

void Game::UnwireDisplay() {
    RemoveDisplayModeListener(m_displayListener);
    RemoveCDPromptHost(m_cdPromptHost.get());
}

bool Game::IsFullScreenToggle(const QKeyEvent& event) {
    const auto modifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    return modifiers == Qt::AltModifier &&
           (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter);
}

void Game::ShowGameWindow() {
    if (m_windowed) {
        show();
        return;
    }
    // Without a window manager a full-screen request alone leaves the window small: cover the
    // screen explicitly as well.
    if (QScreen* screen = this->screen()) setGeometry(screen->geometry());
    showFullScreen();
}

void Game::ToggleFullScreen() {
    m_windowed = !m_windowed;
    CenterWindowAndPictureBox();
    if (isVisible()) ShowGameWindow();
}

void Game::SetSharpScaling(bool sharp) {
    mnuSharpScaling->setChecked(sharp);
    Settings().SaveSetting("Software", Project().ProjectName, kSharpScalingKey,
                           sharp ? "True" : "False");
    CenterWindowAndPictureBox();
}

void Game::CenterWindowAndPictureBox() {
    const int frameWidth = TwipsToPixels(m_pictureBox->FrameWidth());
    const int frameHeight = TwipsToPixels(m_pictureBox->FrameHeight());
    setWindowTitle(QString::fromStdString(Project().AdventureName));
    const bool sharp = mnuSharpScaling->isChecked();
    if (m_windowed) {
        m_pictureBox->SetDisplay(QSize(), sharp);
        ShowMenus();
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        const int menuHeight =
            menuBar()->isVisible() || !menuBar()->isHidden() ? menuBar()->sizeHint().height() : 0;
        resize(frameWidth, frameHeight + menuHeight);
        if (QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
    } else {
        // The whole screen stands for the virtual display mode when one is in force.
        m_pictureBox->SetDisplay(VirtualDisplaySize(), sharp);
        HideMenus();
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
}

} // namespace quillora
