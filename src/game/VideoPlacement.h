// Where videos go and how their players are set up: one-time movies and hotspot videos.
#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>
#include <string>

namespace quillora {

class MediaPlayer;

// The placement arguments of a one-time movie (the frame area's own coordinates, pixels):
// at an offset at the video's natural size, at the corner at natural size, or stretched into a
// rectangle.
struct MoviePlacement {
    bool Stretched = false;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;  // used when stretched
    int32_t Height = 0; // used when stretched
};

// The placement a frame's video settings or an action's movie switches ask for: at left/top at
// natural size when atPosition (which wins over atOrigin), at 0,0 at natural size when atOrigin,
// else stretched into left, top, width, height.
MoviePlacement MoviePlacementFor(bool atOrigin, bool atPosition, int32_t left, int32_t top,
                                 int32_t width, int32_t height);

// The movie's rectangle in twips (15 a pixel) relative to the frame area's top-left corner:
// the placement's rectangle when stretched, else its offset with the video's natural size.
QRect MovieRectTwips(const MoviePlacement& placement, QSize naturalPixels);

// The rectangle of a hotspot video in twips: the hotspot's place, with the video's natural size
// when the hotspot asks for it, else the hotspot's own size.
QRect HotspotVideoRectTwips(const QRect& hotspotTwips, bool naturalSize, QSize naturalPixels);

// Sets up the one-time movie player for a resolved path: the natural size follows the
// placement (AutoSize unless stretched), the file loads, volume level 7 (-1200), position 0.
// Does not start it. Throws MediaError when the file cannot be played.
void PrepareMoviePlayer(MediaPlayer& player, const std::string& resolvedPath,
                        const MoviePlacement& placement);

// Sets up a hotspot's video player: AutoSize as the hotspot asks, the file, the rate (1 when the
// file gives 0), the play count (0 repeats without end), the volume level 0..10. Does not start
// it. Throws MediaError when the file cannot be played.
void PrepareHotspotVideoPlayer(MediaPlayer& player, const std::string& resolvedPath,
                               bool naturalSize, double rate, int playCount, double volume);

} // namespace quillora
