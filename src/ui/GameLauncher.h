// What the welcome window asks of the game: the steps of starting a game and the load window.
#pragma once

namespace quillora {

// Implemented by the player, which owns the game window; the welcome window knows only this.
class GameLauncher {
public:
    virtual ~GameLauncher() = default;
    // Creates the game window (not shown yet).
    virtual void LoadGameWindow() = 0;
    // Resets the engine for a new game.
    virtual void ResetAll() = 0;
    // Runs the start-up script and opens the first frame.
    virtual void StartNewGame() = 0;
    virtual void ShowGameWindow() = 0;
    // Shows the load-game window modally.
    virtual void ShowLoadGameWindow() = 0;
};

} // namespace quillora
