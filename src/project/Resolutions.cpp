// The virtual display mode.
#include "project/Resolutions.h"

#include "project/ProjectInfo.h"

#include <QGuiApplication>
#include <QScreen>

namespace quillora {
namespace {

int g_savedWidth = 0;
int g_savedHeight = 0;
double g_savedRefreshRate = 0;
int g_virtualWidth = 0;
int g_virtualHeight = 0;

// Sizes of the project resolutions 0, 1, 2 (display modes 1, 2, 3).
constexpr int kWidths[] = {640, 800, 1024};
constexpr int kHeights[] = {480, 600, 768};

QScreen* Screen() {
    const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    return gui ? QGuiApplication::primaryScreen() : nullptr;
}

} // namespace

void SaveDisplayMode() {
    if (QScreen* screen = Screen()) {
        g_savedWidth = screen->geometry().width();
        g_savedHeight = screen->geometry().height();
        g_savedRefreshRate = screen->refreshRate();
    }
}

int SavedScreenWidth() {
    return g_savedWidth;
}
int SavedScreenHeight() {
    return g_savedHeight;
}

int GetScreenWidth() {
    if (g_virtualWidth > 0) return g_virtualWidth;
    QScreen* screen = Screen();
    return screen ? screen->geometry().width() : 0;
}

int GetScreenHeight() {
    if (g_virtualHeight > 0) return g_virtualHeight;
    QScreen* screen = Screen();
    return screen ? screen->geometry().height() : 0;
}

bool IsAtProjectResolution() {
    const int r = Project().Resolution;
    if (r < 0 || r > 2) return false;
    return g_savedWidth == kWidths[r] && g_savedHeight == kHeights[r];
}

void ChangeDisplayResolution(int mode) {
    if (mode < 1 || mode > 3 || GetScreenWidth() == kWidths[mode - 1]) return;
    g_virtualWidth = kWidths[mode - 1];
    g_virtualHeight = kHeights[mode - 1];
}

void RestoreDisplayMode() {
    g_virtualWidth = 0;
    g_virtualHeight = 0;
}

} // namespace quillora
