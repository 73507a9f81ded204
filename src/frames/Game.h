// The game window: it holds the frame area and everything a game shows while it runs.
#pragma once

#include <QMainWindow>

namespace quillora {

class Game : public QMainWindow {
    Q_OBJECT

public:
    Game();

    // Resets the engine for a new game.
    void ResetAll();
    // Opens the project's first frame.
    void StartNewGame();

signals:
    // The window has closed; the welcome window takes over again.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace quillora
