// Placement arithmetic of one-time movies and hotspot videos, and the set-up of their players.
#include "game/VideoPlacement.h"

#include "core/Twips.h"
#include "game/GameAudio.h"
#include "media/MediaPlayer.h"

namespace quillora {

MoviePlacement MoviePlacementFor(bool atOrigin, bool atPosition, int32_t left, int32_t top,
                                 int32_t width, int32_t height) {
    if (atPosition) return {false, left, top, 0, 0};
    if (atOrigin) return {false, 0, 0, 0, 0};
    return {true, left, top, width, height};
}

QRect MovieRectTwips(const MoviePlacement& placement, QSize naturalPixels) {
    const QSize size =
        placement.Stretched ? QSize(placement.Width, placement.Height) : naturalPixels;
    return QRect(PixelsToTwips(placement.Left), PixelsToTwips(placement.Top),
                 PixelsToTwips(size.width()), PixelsToTwips(size.height()));
}

QRect HotspotVideoRectTwips(const QRect& hotspotTwips, bool naturalSize, QSize naturalPixels) {
    if (!naturalSize) return hotspotTwips;
    return QRect(hotspotTwips.topLeft(), naturalPixels * kTwipsPerPixel);
}

void PrepareMoviePlayer(MediaPlayer& player, const std::string& resolvedPath,
                        const MoviePlacement& placement) {
    player.SetAutoSize(!placement.Stretched);
    player.SetFileName(resolvedPath);
    player.SetVolume(VolumeToMediaPlayer(7));
    player.SetCurrentPosition(0);
}

void PrepareHotspotVideoPlayer(MediaPlayer& player, const std::string& resolvedPath,
                               bool naturalSize, double rate, int playCount, double volume) {
    player.SetAutoSize(naturalSize);
    player.SetFileName(resolvedPath);
    player.SetRate(rate == 0 ? 1.0 : rate);
    player.SetPlayCount(playCount);
    player.SetVolume(VolumeToMediaPlayer(volume));
}

} // namespace quillora
