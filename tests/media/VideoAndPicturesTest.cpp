// Placement of one-time movies and hotspot videos, their player set-up, and animated pictures.
#include "MediaTestSupport.h"
#include "ProjectWriter.h"
#include "media/AnimatedPicture.h"
#include "media/MediaError.h"
#include "media/MediaPlayer.h"
#include "media/VideoPlacement.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace quillora {
namespace {

TEST(VideoPlacementTest, TheThreePlacementsOfAMovie) {
    const QSize natural(96, 64);
    // Stretched: exactly the rectangle, 15 twips a pixel.
    EXPECT_EQ(MovieRectTwips(MoviePlacementForFrame(false, false, 10, 20, 100, 50), natural),
              QRect(150, 300, 1500, 750));
    // At a position: the offset with the natural size; position wins over the corner.
    EXPECT_EQ(MovieRectTwips(MoviePlacementForFrame(true, true, 10, 20, 100, 50), natural),
              QRect(150, 300, 1440, 960));
    // At the corner: natural size at 0,0.
    EXPECT_EQ(MovieRectTwips(MoviePlacementForFrame(true, false, 10, 20, 100, 50), natural),
              QRect(0, 0, 1440, 960));
    // An action's switches: B is the position, A the corner, neither stretched.
    EXPECT_FALSE(MoviePlacementForAction(true, true, 3, 4, 5, 6).Stretched);
    EXPECT_EQ(MoviePlacementForAction(true, true, 3, 4, 5, 6).Left, 3);
    EXPECT_EQ(MoviePlacementForAction(true, false, 3, 4, 5, 6).Left, 0);
    EXPECT_TRUE(MoviePlacementForAction(false, false, 3, 4, 5, 6).Stretched);
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
                       MoviePlacementForAction(false, true, 1, 2, 0, 0));
    EXPECT_TRUE(movie.AutoSize());
    EXPECT_EQ(movie.Volume(), -1200);
    EXPECT_EQ(movie.PlayState(), MediaPlayer::kStopped);
    EXPECT_EQ(MovieRectTwips(MoviePlacementForAction(false, true, 1, 2, 0, 0), movie.NaturalSize()),
              QRect(15, 30, 1440, 960));
    PrepareMoviePlayer(movie, test::Fixture("clip.wmv"),
                       MoviePlacementForAction(false, false, 1, 2, 50, 40));
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

TEST(AnimatedPictureTest, SpeedsBelowOneBecomeFiftyAndFiftyIsTheFilesOwnPace) {
    EXPECT_EQ(AnimatedPicture::EffectiveSpeed(0), 50);
    EXPECT_EQ(AnimatedPicture::EffectiveSpeed(-7), 50);
    EXPECT_EQ(AnimatedPicture::EffectiveSpeed(1), 1);
    EXPECT_EQ(AnimatedPicture::MovieSpeedPercent(0), 100);
    EXPECT_EQ(AnimatedPicture::MovieSpeedPercent(50), 100);
    EXPECT_EQ(AnimatedPicture::MovieSpeedPercent(100), 200);
    EXPECT_EQ(AnimatedPicture::MovieSpeedPercent(25), 50);
}

TEST(AnimatedPictureTest, LoadsAndAnimatesAGifAndTellsMissingFromDamaged) {
    test::ProjectWriter project;
    project.WriteBytes("Areas/Anim.gif", test::FixtureBytes("animated.gif"));
    project.WriteBytes("Areas/bad.gif", "GIF89a but nothing after it");
    AnimatedPicture picture;
    EXPECT_FALSE(picture.Load(project.Root() + "Areas/missing.gif", 50));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_TRUE(picture.CurrentImage().isNull());
    EXPECT_THROW(picture.Load(project.Root() + "Areas/bad.gif", 50), MediaError);

    QSignalSpy frames(&picture, &AnimatedPicture::FrameChanged);
    // Found without regard to letter case, as game files name their pictures.
    ASSERT_TRUE(picture.Load(project.Root() + "areas/ANIM.GIF", 0));
    EXPECT_EQ(picture.Speed(), 50);
    EXPECT_EQ(picture.Size(), QSize(32, 24));
    EXPECT_TRUE(picture.IsRunning());
    // Four frames of 100 ms at the file's own pace: a few frames within 350 ms.
    EXPECT_TRUE(frames.wait(1000));
    while (frames.count() < 3 && frames.wait(400)) {
    }
    EXPECT_GE(frames.count(), 3);
    EXPECT_EQ(picture.CurrentImage().size(), QSize(32, 24));
    picture.Stop();
    EXPECT_FALSE(picture.IsRunning());
    picture.Restart();
    EXPECT_TRUE(picture.IsRunning());
}

} // namespace
} // namespace quillora
