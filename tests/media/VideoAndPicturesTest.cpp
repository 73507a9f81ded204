// Animated pictures: speeds, loading, animation and damaged files.
#include "HostileGames.h"
#include "MediaTestSupport.h"
#include "ProjectWriter.h"
#include "media/AnimatedPicture.h"
#include "media/MediaError.h"
#include "media/MediaPlayer.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace quillora {
namespace {

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
    EXPECT_TRUE(picture.CachesFrames());
}

TEST(AnimatedPictureTest, FramesAreKeptOnlyWithinTheMemoryBudget) {
    EXPECT_TRUE(AnimatedPicture::FitsFrameCache(QSize(320, 240), 100));
    EXPECT_FALSE(AnimatedPicture::FitsFrameCache(QSize(320, 240), 0)); // count unknown
    EXPECT_FALSE(AnimatedPicture::FitsFrameCache(QSize(2000, 2000), 3));
    // A few kilobytes on disk, six gigabytes as kept frames: decoded on every pass instead.
    test::ProjectWriter project;
    project.WriteBytes("Areas/many.gif", test::TinyFramesGif(2000, 2000, 1500));
    AnimatedPicture picture;
    QSignalSpy frames(&picture, &AnimatedPicture::FrameChanged);
    ASSERT_TRUE(picture.Load(project.Root() + "Areas/many.gif", 50));
    EXPECT_EQ(picture.Size(), QSize(2000, 2000));
    EXPECT_FALSE(picture.CachesFrames());
    while (frames.count() < 3 && frames.wait(1000)) {
    }
    EXPECT_GE(frames.count(), 3);
}

} // namespace
} // namespace quillora
