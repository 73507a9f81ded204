// Waits that keep the windows alive: the game's DoEvents-style loops.
#pragma once

#include <functional>

namespace quillora {

// Marks a stretch of code that handles window events inside another handler (a slide, a video,
// a pause, a modal box). Autoplay holds back its next input while any such wait runs, as a
// player would wait, and the game window is destroyed only when none runs.
class WaitScope {
public:
    WaitScope() { ++s_depth; }
    ~WaitScope() { --s_depth; }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
    static int Depth() { return s_depth; }

private:
    static inline int s_depth = 0;
};

// Handles pending window events once.
void DoEvents();

// Handles window events until `seconds` have passed on the process clock, or until stop()
// returns true. Spans midnight correctly.
void WaitSeconds(double seconds, const std::function<bool()>& stop = {});

} // namespace quillora
