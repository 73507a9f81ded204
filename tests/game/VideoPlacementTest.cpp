// Placement of one-time movies and hotspot videos, and the set-up of their players.
#include "MediaTestSupport.h"
#include "game/VideoPlacement.h"
#include "media/MediaError.h"
#include "media/MediaPlayer.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace quillora {
namespace {

TEST(VideoPlacementTest, TheThreePlacementsOfAMovie) {
    const QSize natural(96, 64);
    // Stretched: exactly the rectangle, 15 twips a pixel.
    EXPECT_EQ(MovieRectTwips(MoviePlacementFor(false, false, 10, 20, 100, 50), natural),
              QRect(150, 300, 1500, 750));
    // At a position: the offset with the natural size; position wins over the corner.
    EXPECT_EQ(MovieRectTwips(MoviePlacementFor(true, true, 10, 20, 100, 50), natural),
              QRect(150, 300, 1440, 960));
    // At the corner: natural size at 0,0.
    EXPECT_EQ(MovieRectTwips(MoviePlacementFor(true, false, 10, 20, 100, 50), natural),
              QRect(0, 0, 1440, 960));
}

TEST(VideoPlacementTest, HotspotVideosTakeTheHotspotOrTheNaturalSize) {
    const QRect hotspot(300, 450, 3000, 1500);
    EXPECT_EQ(HotspotVideoRectTwips(hotspot, false, QSize(96, 64)), hotspot);
    EXPECT_EQ(HotspotVideoRectTwips(hotspot, true, QSize(96, 64)), QRect(300, 450, 1440, 960));
}

TEST(VideoPlacementTest, PlayersAreSetUpForMoviesAndHotspotVideos) {
    Mixer mixer(true);
    MediaPlayer movie(&mixer);
    PrepareMoviePlayer(movie, test::Fixture("clip.wmv"),
                       MoviePlacementFor(false, true, 1, 2, 0, 0));
    EXPECT_TRUE(movie.AutoSize());
    EXPECT_EQ(movie.Volume(), -1200);
    EXPECT_EQ(movie.PlayState(), MediaPlayer::kStopped);
    EXPECT_EQ(MovieRectTwips(MoviePlacementFor(false, true, 1, 2, 0, 0), movie.NaturalSize()),
              QRect(15, 30, 1440, 960));
    PrepareMoviePlayer(movie, test::Fixture("clip.wmv"),
                       MoviePlacementFor(false, false, 1, 2, 50, 40));
    EXPECT_FALSE(movie.AutoSize());
    EXPECT_THROW(PrepareMoviePlayer(movie, test::Fixture("damaged-text.wav"), {}), MediaError);

    MediaPlayer hotspot(&mixer);
    PrepareHotspotVideoPlayer(hotspot, test::Fixture("clip-mpeg1.mpg"), false, 0, 0, 5);
    EXPECT_EQ(hotspot.Rate(), 1.0); // a rate of 0 plays at normal speed
    EXPECT_EQ(hotspot.PlayCount(), 0);
    EXPECT_EQ(hotspot.Volume(), -2000);
    EXPECT_FALSE(hotspot.AutoSize());
    // Play count 0 repeats: three seconds of a one-second video, and it still plays.
    hotspot.Play();
    QSignalSpy frames(&hotspot, &MediaPlayer::FrameChanged);
    for (int i = 0; i < 300; ++i) {
        test::Render(mixer, 0.01);
        hotspot.ShowDueFrame();
    }
    EXPECT_EQ(hotspot.PlayState(), MediaPlayer::kPlaying);
    // A pass lasts 1.06 s (its sound runs a little past the last picture): 2.8 passes' worth.
    EXPECT_NEAR(frames.count(), 71, 2);
    EXPECT_EQ(hotspot.DroppedFrames(), 0);
}

} // namespace
} // namespace quillora
