// Display modes. The monitor's own mode is never changed: a requested mode is virtual, and the
// full-screen game is scaled to fill the screen as if the screen had that size.
#pragma once

#include <QSize>

#include <functional>

namespace quillora {

// Records the screen size and refresh rate in force at start-up.
void SaveDisplayMode();
int SavedScreenWidth();
int SavedScreenHeight();

// The screen size in pixels as the game sees it: the virtual mode when one is set, otherwise
// the primary screen's size (0 when there is no screen). Scripts read these
// (GetDisplayResolutionX, GetDisplayResolutionY).
int GetScreenWidth();
int GetScreenHeight();
// The virtual mode in force; an empty size when the screen has its own.
QSize VirtualDisplaySize();

// True when the saved screen size equals the project's frame resolution.
bool IsAtProjectResolution();

// Makes width x height the virtual mode; with restore, the screen's own size comes back.
void SetDisplayMode(int width, int height, bool restore);

// The entry point of the welcome window, the load window and scripts
// (Action.ChangeDisplayResolution): switches to mode 1 (640x480), 2 (800x600) or 3 (1024x768)
// unless the screen is already that wide, then shows the busy pointer for one second on the
// process clock (handling events) and tells the listeners, which re-centre the game window.
// Other modes change nothing. True when the mode changed.
bool ChangeDisplayResolution(int mode);
// Back to the screen's own size when a virtual mode is in force (the game window unloads).
void RestoreDisplayMode();

// Called after ChangeDisplayResolution switched the mode. The game window listens while it
// exists; the id removes the listener again.
int AddDisplayModeListener(std::function<void()> listener);
void RemoveDisplayModeListener(int id);

} // namespace quillora
