// Twips: the unit of every model position, 15 to a pixel.
#pragma once

namespace quillora {

inline constexpr int kTwipsPerPixel = 15;

// Pixels of a twips length, rounded toward zero as the window system does.
constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

} // namespace quillora
