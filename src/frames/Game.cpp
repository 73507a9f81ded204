// The game window.
#include "frames/Game.h"

#include "startup/ProjectInfo.h"

#include <QCloseEvent>

namespace quillora {

Game::Game() {
    setObjectName("Game");
    setWindowTitle(QString::fromStdString(Project().AdventureName));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
}

void Game::ResetAll() {
    const int width = Project().FrameWidth > 0 ? Project().FrameWidth : 640;
    const int height = Project().FrameHeight > 0 ? Project().FrameHeight : 480;
    resize(width, height);
}

void Game::StartNewGame() {}

void Game::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Unloaded();
}

} // namespace quillora
