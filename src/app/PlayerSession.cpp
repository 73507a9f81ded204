// Wiring the welcome window to the game window.
#include "app/PlayerSession.h"

#include "core/Prompts.h"
#include "game/GameSession.h"
#include "project/ProjectInfo.h"
#include "savegames/SavedGameStore.h"
#include "scripting/ScriptHost.h"
#include "services/Wait.h"
#include "ui/Game.h"
#include "ui/LoadGameDialog.h"
#include "ui/WelcomeWindow.h"

#include <QTimer>

namespace quillora {

PlayerSession::PlayerSession(const std::string& projectFolder)
    : m_welcome(std::make_unique<WelcomeWindow>(projectFolder, *this)) {
    connect(m_welcome.get(), &WelcomeWindow::ProgramEnding, this, [this] {
        // Closing the welcome window ends the program, whatever other windows are open.
        if (m_game) m_game->hide();
        emit Ended();
    });
}

PlayerSession::~PlayerSession() = default;

bool PlayerSession::Start() {
    if (!m_welcome->Load()) return false;
    if (!Project().SkipWelcome) m_welcome->show();
    return true;
}

QWidget* PlayerSession::VisibleWindow() const {
    if (m_game && m_game->isVisible()) return m_game.get();
    return m_welcome.get();
}

void PlayerSession::Quit() {
    // A quit may come during one of the game's waits (a video): end it, so the wait returns.
    if (m_game) m_game->StopGameActivity();
    if (m_game) m_game->hide();
    emit Ended();
}

void PlayerSession::LoadGameWindow() {
    if (m_game) return;
    m_gameSession = std::make_unique<GameSession>();
    m_game = std::make_unique<Game>(*m_gameSession);
    m_game->Scripts().SetTrustScripts(m_trustScripts);
    m_game->Messages().OnMessageShown = [this](const std::string& text) {
        if (OnMessageShown) OnMessageShown(text);
    };
    connect(m_game.get(), &Game::Unloaded, this, &PlayerSession::GameUnloaded);
}

void PlayerSession::ResetAll() {
    m_game->ResetAll();
}

void PlayerSession::StartNewGame() {
    m_game->StartNewGame();
}

void PlayerSession::ShowGameWindow() {
    m_game->ShowGameWindow();
}

void PlayerSession::ShowLoadGameWindow() {
    const WaitScope waiting;
    LoadGameDialog dialog(
        [this](const std::string& name) {
            // The file is read whole before anything is made: a damaged one changes nothing.
            const std::optional<SavedGameRecord> record = ReadSavedGameOrReport(name);
            if (!record) return false;
            const bool offered = m_welcome->OffersProjectResolution();
            if (offered) m_welcome->hide();
            LoadGameWindow();
            m_game->ReplaySavedGame(*record, offered);
            m_game->ShowGameWindow();
            if (!Project().SkipWelcome) m_welcome->hide();
            return true;
        },
        m_welcome.get());
    dialog.exec();
}

void PlayerSession::GameUnloaded() {
    QTimer::singleShot(0, this, [this] { DestroyGameWhenIdle(); });
}

void PlayerSession::DestroyGameWhenIdle() {
    // The window is destroyed only once every handler and wait running inside it has returned.
    if (WaitScope::Depth() > 0) {
        QTimer::singleShot(10, this, [this] { DestroyGameWhenIdle(); });
        return;
    }
    m_game.reset();
    m_gameSession.reset();
    m_welcome->GameWindowUnloaded();
}

} // namespace quillora
