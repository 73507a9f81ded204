// The virtual display mode.
#include "project/Resolutions.h"

#include "project/ProjectInfo.h"
#include "services/Wait.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <map>

namespace quillora {
namespace {

struct DisplayState {
    int savedWidth = 0;
    int savedHeight = 0;
    double savedRefreshRate = 0;
    QSize virtualSize;
    int nextListener = 1;
    std::map<int, std::function<void()>> listeners;
};

DisplayState& State() {
    static DisplayState state;
    return state;
}

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
        DisplayState& state = State();
        state.savedWidth = screen->geometry().width();
        state.savedHeight = screen->geometry().height();
        state.savedRefreshRate = screen->refreshRate();
    }
}

int SavedScreenWidth() {
    return State().savedWidth;
}
int SavedScreenHeight() {
    return State().savedHeight;
}

int GetScreenWidth() {
    if (!State().virtualSize.isEmpty()) return State().virtualSize.width();
    QScreen* screen = Screen();
    return screen ? screen->geometry().width() : 0;
}

int GetScreenHeight() {
    if (!State().virtualSize.isEmpty()) return State().virtualSize.height();
    QScreen* screen = Screen();
    return screen ? screen->geometry().height() : 0;
}

QSize VirtualDisplaySize() {
    return State().virtualSize;
}

bool IsAtProjectResolution() {
    const int r = Project().Resolution;
    if (r < 0 || r > 2) return false;
    return State().savedWidth == kWidths[r] && State().savedHeight == kHeights[r];
}

void SetDisplayMode(int width, int height, bool restore) {
    // The refresh rate and colour depth are the monitor's own and stay as they are.
    State().virtualSize = restore ? QSize() : QSize(width, height);
}

bool ChangeDisplayResolution(int mode) {
    if (mode < 1 || mode > 3 || GetScreenWidth() == kWidths[mode - 1]) return false;
    DoEvents();
    SetDisplayMode(kWidths[mode - 1], kHeights[mode - 1], false);
    DoEvents();
    // The arrow-and-hourglass pointer while the display "settles", as players know it.
    const bool gui = Screen() != nullptr;
    if (gui) QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    WaitSeconds(1.0);
    if (gui) QGuiApplication::restoreOverrideCursor();
    // A listener may remove itself: call a copy.
    const auto listeners = State().listeners;
    for (const auto& [id, listener] : listeners)
        listener();
    return true;
}

void RestoreDisplayMode() {
    if (State().virtualSize.isEmpty()) return;
    SetDisplayMode(State().savedWidth, State().savedHeight, true);
}

int AddDisplayModeListener(std::function<void()> listener) {
    const int id = State().nextListener++;
    State().listeners[id] = std::move(listener);
    return id;
}

void RemoveDisplayModeListener(int id) {
    State().listeners.erase(id);
}

} // namespace quillora
