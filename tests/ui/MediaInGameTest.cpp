// Sounds and videos as frames and actions use them: music kept across frames, hotspot sounds,
// cut-scenes and their skipping, hotspot videos and animated pictures following visibility.
#include "GameFixture.h"
#include "game/GameAudio.h"
#include "game/VideoPlacement.h"
#include "media/MediaPlayer.h"

#include <QTest>

#include <filesystem>

namespace quillora {
namespace {

class MediaInGame : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        for (const char* file :
             {"tone.wav", "tune.mid", "clip-cinepak.avi", "animated.gif", "clip-mpeg1.mpg"}) {
            const std::string from = std::string(QUILLORA_MEDIA_FIXTURES) + "/" + file;
            std::filesystem::create_directories(project.Root() + "Areas");
            std::filesystem::create_directories(project.Root() + "Frames");
            std::filesystem::copy_file(from, project.Root() + "Areas/" + file);
            std::filesystem::copy_file(from, project.Root() + "Frames/" + file);
        }
    }
    MediaPlayer& Channel(int c) { return session.Audio.SoundPlayer(session.Audio.Channels[c].Player); }
};

TEST_F(MediaInGame, FrameMusicGoesOnWhenItsFrameIsEnteredAgain) {
    test::FrameSpec music;
    music.Music = "tune.mid";
    project.WriteFrame("Hall", music);
    project.WriteFrame("Cellar", music);
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    ASSERT_EQ(Channel(6).PlayState(), MediaPlayer::kPlaying);
    EXPECT_EQ(Channel(6).PlayCount(), 0); // the music repeats
    QTest::qWait(300);
    const double position = Channel(6).CurrentPosition();
    EXPECT_GT(position, 0.1);
    g.OpenFrame("Cellar", false, 0, 0);
    EXPECT_GE(Channel(6).CurrentPosition(), position); // not started again
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(MediaInGame, APlayingHotspotSoundIsLeftAloneUnlessTheActionStopsIt) {
    project.WriteFrame("Hall", {});
    project.WriteHotspots("Hall", {{.Number = 1}, {.Number = 2}});
    project.WriteActions("Hall",
                         {{.PlayHotspotSound = true, .HotspotSound = "tune.mid", .LoopSound = true},
                          {.StopHotspotSound = 1,
                           .PlayHotspotSound = true,
                           .HotspotSound = "tone.wav",
                           .LoopSound = false}});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    g.MakeActionAndConsequences(1, 0);
    ASSERT_EQ(Channel(6).PlayState(), MediaPlayer::kPlaying);
    QTest::qWait(300);
    const double position = Channel(6).CurrentPosition();
    g.MakeActionAndConsequences(1, 0);
    EXPECT_GE(Channel(6).CurrentPosition(), position);
    EXPECT_NE(Channel(6).FileName().find("tune.mid"), std::string::npos);
    g.MakeActionAndConsequences(2, 0); // value 24 stops it and starts the other sound
    EXPECT_NE(Channel(6).FileName().find("tone.wav"), std::string::npos);
    EXPECT_EQ(Channel(6).PlayCount(), 1);
}

TEST_F(MediaInGame, ACutSceneIgnoresClicksWhileItSettlesAndEndsOnAClick) {
    project.WriteFrame("Hall", {});
    project.WriteHotspots("Hall", {{.Number = 1}});
    project.WriteActions("Hall", {{.ChangeSwitch = 1, .Variable = "Lamp", .Toggle = true}});
    project.WriteVariables({"Lamp"});
    Game& g = StartGame();
    g.show();
    g.OpenFrame("Hall", false, 0, 0);
    GameVideos& videos = g.Videos();
    int clicksTaken = -1;
    QTimer::singleShot(100, &g, [&] {
        EXPECT_TRUE(session.State.VideoWaitActive);
        g.AreaClick(1, 1); // during the pause: not a hotspot click
        clicksTaken = GetVariableValue(session.State.Vars, "Lamp");
    });
    videos.PlayMovieWithStop("clip-cinepak.avi", {true, 10, 20, 100, 50});
    EXPECT_EQ(clicksTaken, 0);
    ASSERT_TRUE(videos.IsOneTimeVideoPlaying());
    const SceneElement& video = *g.Scene().OneTimeVideoPlayer.Item(1);
    EXPECT_EQ(video.PixelRect(), QRect(10, 20, 100, 50));
    g.AreaClick(1, 1); // while it plays, a click only asks the video to end
    EXPECT_TRUE(session.Flags.StopMovie);
    EXPECT_EQ(GetVariableValue(session.State.Vars, "Lamp"), 0);
    videos.StopOneTimeVideoPlayer();
    EXPECT_FALSE(g.Scene().OneTimeVideoPlayer.Exists(1));

    videos.PlayMovieWithStop("clip-cinepak.avi", {false, 5, 6, 0, 0});
    EXPECT_EQ(g.Scene().OneTimeVideoPlayer.Item(1)->PixelRect(),
              QRect(5, 6, 96, 64)); // natural size
    prompts.QueueAnswer("OK");
    videos.PlayMovieWithStop("tone.wav", {true, 0, 0, 10, 10});
    videos.PlayMovieWithStop("../Config/General", {true, 0, 0, 10, 10});
    ASSERT_FALSE(prompts.History().empty());
    EXPECT_NE(
        prompts.History().back().text.find(
            " Error while attempting to play the following video file: \"../Config/General\". "),
        std::string::npos);
}

TEST_F(MediaInGame, AnActionsMovieLeavesNothingOverTheFrameWhicheverWayItStarted) {
    project.WriteFrame("Hall", {});
    project.WriteHotspots("Hall", {{.Number = 1}});
    project.WriteItem("Key", "key.ico");
    project.WriteDropActions(
        "Hall", {{.Key = "1_Key.drg", .PlayMovie = 1, .Movie = "clip-cinepak.avi", .Through = 33}});
    Game& g = StartGame();
    g.show();
    g.OpenFrame("Hall", false, 0, 0);
    g.Items().AddPickedObject("Key", true);
    // The player clicks while the movie plays, which ends it.
    QTimer::singleShot(500, &g, [&] { session.Flags.StopMovie = true; });
    g.MakeActionAndConsequences(1, 1);
    EXPECT_FALSE(g.Scene().OneTimeVideoPlayer.Exists(1));
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(MediaInGame, HotspotVideosAndAnimatedPicturesFollowVisibility) {
    project.WriteVariables({"Show"});
    test::HotspotSpec video{.Number = 1,
                            .Left = 270,
                            .Top = 270,
                            .Width = 1560,
                            .Height = 1560,
                            .Conditions = true,
                            .MustBeOne = {"Show"},
                            .Video = true,
                            .VideoFile = "clip-mpeg1.mpg",
                            .Rate = 0,
                            .PlayCount = 0};
    test::HotspotSpec gif{.Number = 2,
                          .Left = 3000,
                          .Top = 3000,
                          .Animated = 1,
                          .HasPicture = true,
                          .Picture = "animated.gif",
                          .Conditions = true,
                          .MustBeOne = {"Show"},
                          .Speed = 0};
    project.WriteFrame("Hall", {});
    project.WriteHotspots("Hall", {video, gif});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    const GameScene& scene = g.Scene();
    ASSERT_TRUE(scene.VideoPlayer.Exists(1));
    EXPECT_EQ(scene.Area.Item(1)->WhatsThisHelpID, -1);
    EXPECT_FALSE(scene.VideoPlayer.Item(1)->Visible());
    EXPECT_EQ(scene.VideoPlayer.Item(1)->PixelRect(), QRect(20, 20, 96, 64)); // natural size
    EXPECT_EQ(scene.Area.Item(2)->WhatsThisHelpID, 2);
    EXPECT_FALSE(scene.AniGifBox.Item(2)->Visible());
    EXPECT_EQ(scene.AniGifBox.Item(2)->PixelRect(), QRect(202, 202, 32, 24));

    ChangeVariableValue(session.State.Vars, "Show", 1);
    g.ShowOrNotShowAreas();
    EXPECT_TRUE(scene.VideoPlayer.Item(1)->Visible());
    EXPECT_TRUE(scene.AniGifBox.Item(2)->Visible());
    g.OpenFrame("Hall", false, 0, 0); // the frame's media go with its hotspots
    EXPECT_TRUE(prompts.History().empty());
}

} // namespace
} // namespace quillora
