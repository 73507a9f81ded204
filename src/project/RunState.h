// Process-wide state that start-up clears and every part reads: the run flags and the
// current-frame record.
#pragma once

#include <cstdint>
#include <string>

namespace quillora {

struct RunFlags {
    // Raised by a script's StopEverything or a cancelled CD prompt: loading loops stop early,
    // scripts do not run, media and effects do nothing and error boxes are not shown.
    bool StopEverything = false;
    // Set by presses on the frame area and by Esc: they end a video wait and a transition.
    bool StopMovie = false;
    bool TransitionAbortRequested = false;
};

RunFlags& Flags();

// The frame being shown: its name and the header fields every per-frame loader reads.
struct CurrentFrameRecord {
    std::string Name;
    int16_t BackgroundKind = 0; // 0 colour, 1 picture
    std::string Background;     // colour number or picture file
    bool TileBackground = false;
    int16_t HotspotCount = 0;
    std::string Unused; // an extra text field that is cleared and never read
};

CurrentFrameRecord& CurrentFrame();
void ClearCurrentFrame();

} // namespace quillora
