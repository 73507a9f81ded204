// Display modes. The monitor's own mode is never changed: a requested mode is virtual, and the
// full-screen game is scaled to fill the screen as if the screen had that size.
#pragma once

namespace quillora {

// Records the screen size and refresh rate in force at start-up.
void SaveDisplayMode();
int SavedScreenWidth();
int SavedScreenHeight();

// The screen size in pixels as the game sees it: the virtual mode when one is set, otherwise
// the primary screen's size (0 when there is no screen).
int GetScreenWidth();
int GetScreenHeight();

// True when the saved screen size equals the project's frame resolution.
bool IsAtProjectResolution();

// Switches to mode 1 (640x480), 2 (800x600) or 3 (1024x768) unless the screen is already that
// wide; other modes change nothing.
void ChangeDisplayResolution(int mode);
// Back to the screen's own size.
void RestoreDisplayMode();

} // namespace quillora
