// One run of the player: the welcome window, the game window it starts, and their hand-over.
#pragma once

#include "ui/GameLauncher.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace quillora {

class Game;
class WelcomeWindow;
struct GameSession;

class PlayerSession : public QObject, public GameLauncher {
    Q_OBJECT

public:
    explicit PlayerSession(const std::string& projectFolder);
    ~PlayerSession() override;

    // Runs the welcome window's start-up. False when the program must end at once.
    bool Start();

    WelcomeWindow* Welcome() const { return m_welcome.get(); }
    Game* GameWindow() const { return m_game.get(); }
    // The game in progress, from the start of the game window to its end; nullptr outside.
    GameSession* CurrentGame() const { return m_gameSession.get(); }
    // The window a player is looking at: the game while it runs, else the welcome window.
    QWidget* VisibleWindow() const;
    // Ends the game and the program, as closing every window would.
    void Quit();
    // Whether the games started from now on may reach files outside the game and start
    // programs without asking (--trust-scripts).
    void SetTrustScripts(bool trusted) { m_trustScripts = trusted; }
    // Told every message the game shows in its message bar.
    std::function<void(const std::string&)> OnMessageShown;

    void LoadGameWindow() override;
    void ResetAll() override;
    void StartNewGame() override;
    void ShowGameWindow() override;
    void ShowLoadGameWindow() override;

signals:
    // The program is ending (the welcome window closed).
    void Ended();

private:
    void GameUnloaded();
    void DestroyGameWhenIdle();

    std::unique_ptr<WelcomeWindow> m_welcome;
    // Every game starts from a new session and the session ends with its window, so nothing of a
    // game is left over for the next one.
    std::unique_ptr<GameSession> m_gameSession;
    std::unique_ptr<Game> m_game;
    bool m_trustScripts = false;
};

} // namespace quillora
