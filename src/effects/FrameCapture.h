// Photographs of the frame area for transitions: the new frame drawn from its parts.
#pragma once

#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace quillora {

class ControlArray;
class PictureBox;
class SceneElement;

// The parts of a frame that a transition's picture of it shows.
struct FrameParts {
    const PictureBox& Box;
    // Text labels and hotspots (element 0, the template, is never drawn).
    const ControlArray& Text;
    const ControlArray& Area;
    // The boxes of the hotspots' animated pictures, by the number a hotspot's WhatsThisHelpID
    // holds.
    const ControlArray& AniGifBox;
    // The still picture (first image) of animated picture n; empty when there is none.
    std::function<QImage(int)> AnimatedStill;
    // The rippling water (the classic PicRipplingWater) and its current image; may be null.
    const SceneElement* Ripple = nullptr;
    const QImage* RippleImage = nullptr;
};

// The classic CaptureCurrentFrame: the frame's background (colour, painted tiles or picture) and
// its rippling water, then every text label printed line by line at its left edge in its font
// and colour, the visible hotspot pictures stretched to their hotspots and the visible animated
// pictures as still pictures. Frame size, Format_RGB32; a null image when the frame is
// too large to hold.
QImage CaptureCurrentFrame(const FrameParts& parts);

// The lines a label prints: segments up to each carriage return, the next one starting two
// characters after it (the line feed skipped); printing stops after a segment without a carriage
// return or whose carriage return stands at or after the second-to-last character.
std::vector<std::string> PrintedLines(const std::string& caption);

} // namespace quillora
