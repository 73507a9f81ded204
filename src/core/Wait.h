// Waits that keep the windows alive: the game's DoEvents-style loops.
#pragma once

#include <functional>

namespace quillora {

// Handles pending window events once.
void DoEvents();

// Handles window events until `seconds` have passed on the process clock, or until stop()
// returns true. Spans midnight correctly.
void WaitSeconds(double seconds, const std::function<bool()>& stop = {});

} // namespace quillora
