// Opening frames: the frame file, history, background, automatic jump and broken links.
#include "GameFixture.h"
#include "core/ValueListReader.h"
#include "game/FrameFile.h"

#include "game/SoundChannels.h"
#include "scripting/ScriptHost.h"
#include "scripting/TimedEvents.h"
#include <QTest>

#include <cstdio>

namespace quillora {
namespace {

using test::FileValues;
using test::FrameSpec;

class OpenFrameTest : public test::GameFixture {};

TEST_F(OpenFrameTest, FrameFileEndingAfterField10KeepsTheLaterDefaults) {
    session.AutoJump = {true, 1500, 3};
    FrameSpec spec;
    spec.LoopMusic = false;
    spec.StopAllSounds = true;
    FileValues values = test::FrameFileValues(spec);
    values.resize(10);
    ValueListReader in(test::ProjectWriter::Format(values, "\r\n"));
    const FrameFileData frame = ReadFrameFile(in, session);
    EXPECT_TRUE(frame.LoopMusic);
    EXPECT_FALSE(frame.StopAllSounds);
    EXPECT_FALSE(frame.RunFrameScript);
    EXPECT_EQ(session.AutoJump.AutoJumpTransitionDuration, 1500);
    EXPECT_EQ(session.AutoJump.AutoJumpTransitionNumber, 3);
}

TEST_F(OpenFrameTest, WideChannelRowsAreSkippedWithTheFadeAndVideoFirst) {
    FrameSpec spec;
    spec.RowWidth = 6;
    spec.ChannelRows = {3, true, false, 5, "a.wav", 0};
    spec.VideoFirst = true;
    spec.RunFrameScript = true;
    spec.FrameScript = "x = |a|";
    ValueListReader in(test::ProjectWriter::Format(test::FrameFileValues(spec), "\r\n"));
    const FrameFileData frame = ReadFrameFile(in, session);
    EXPECT_FALSE(frame.ChannelRowsRead);
    EXPECT_FALSE(frame.VideoFirst);
    EXPECT_EQ(frame.FrameScriptText, "x = \"a\"");
    EXPECT_EQ(session.Audio.Channels[1].Command, 0);

    project.WriteFrame("Hall", spec);
    StartGame().OpenFrame("Hall", false, 0, 0);
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(OpenFrameTest, HistoryKeepsTheLast20DistinctOpenings) {
    Game& g = StartGame();
    for (int i = 1; i <= 25; ++i)
        project.WriteFrame("F" + std::to_string(i), {});
    g.OpenFrame("F1", false, 0, 0);
    g.OpenFrame("F1", false, 0, 0);
    EXPECT_EQ(session.State.FramesHistory, std::vector<std::string>{"F1"});
    for (int i = 2; i <= 25; ++i)
        g.OpenFrame("F" + std::to_string(i), false, 0, 0);
    ASSERT_EQ(session.State.FramesHistory.size(), 20u);
    EXPECT_EQ(session.State.FramesHistory.front(), "F6");
    EXPECT_EQ(session.State.FramesHistory.back(), "F25");
}

TEST_F(OpenFrameTest, JumpToTheLastVisitedFrameNeedsTwoEntries) {
    FrameSpec first;
    first.AutoJump = true;
    first.AutoJumpDelay = 0.05;
    first.AutoJumpFrame = "[LAST VISITED FRAME]";
    project.WriteFrame("Hall", first);
    project.WriteFrame("Cellar", first);
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    ASSERT_TRUE(g.AutoJumpTimer().isActive());
    EXPECT_EQ(g.AutoJumpTimer().interval(), 50);
    QTest::qWait(120);
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
    EXPECT_TRUE(g.AutoJumpTimer().isActive()); // fires again after its interval

    g.OpenFrame("Cellar", false, 0, 0);
    EXPECT_EQ(session.State.FramesHistory, (std::vector<std::string>{"Hall", "Cellar"}));
    QTest::qWait(120);
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
}

TEST_F(OpenFrameTest, BrokenLinksAndBadDelaysKeepTheGameGoing) {
    FrameSpec slow;
    slow.AutoJump = true;
    slow.AutoJumpDelay = 70;
    slow.AutoJumpFrame = "Hall";
    project.WriteFrame("Hall", {});
    project.WriteFrame("Slow", slow);
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    g.OpenFrame("Nowhere", false, 0, 0);
    g.OpenFrame("", false, 0, 0);
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
    ASSERT_EQ(prompts.History().size(), 2u);
    EXPECT_EQ(
        prompts.History()[0].text,
        Text(30) + "\r\n\r\n" + Text(31) +
            " A program link is broken. The frame named \"Nowhere\" was not found. Verify that "
            "the 'Initial Frame' exists and that the 'Go to another frame' option in the "
            "Hotspot Properties is linked to an existing frame.");
    EXPECT_EQ(prompts.History()[1].text,
              Text(30) + "\r\n\r\n" + Text(31) + " A program link is broken.");

    g.OpenFrame("Slow", false, 0, 0);
    EXPECT_EQ(session.CurrentFrame.Name, "Slow");
    EXPECT_EQ(BoxTexts().back(),
              Text(30) + "\r\n\r\n" + Text(31) + " Unable to load timer duration.");
    EXPECT_FALSE(g.AutoJumpTimer().isActive());
}

TEST_F(OpenFrameTest, BackgroundColourPictureAndTiles) {
    project.WritePicture("Frames/tile.bmp", 100, 70, Qt::red);
    project.WritePicture("Frames/scene.bmp", 640, 480, Qt::blue);
    FrameSpec colour;
    colour.Background = "65280"; // green
    FrameSpec tiled;
    tiled.BackgroundKind = 1;
    tiled.Background = "TILE.BMP";
    tiled.Tile = true;
    FrameSpec picture;
    picture.BackgroundKind = 1;
    picture.Background = "scene.bmp";
    project.WriteFrame("Green", colour);
    project.WriteFrame("Tiled", tiled);
    project.WriteFrame("Picture", picture);
    Game& g = StartGame();
    g.OpenFrame("Green", false, 0, 0);
    EXPECT_EQ(g.FrameArea().Capture().pixelColor(10, 10), QColor(0, 255, 0));
    g.OpenFrame("Tiled", false, 0, 0);
    const QImage tiles = g.FrameArea().Capture();
    EXPECT_EQ(tiles.pixelColor(639, 479), QColor(255, 0, 0));
    EXPECT_EQ(tiles.pixelColor(0, 0), QColor(255, 0, 0));
    g.OpenFrame("Picture", false, 0, 0);
    EXPECT_EQ(g.FrameArea().Capture().pixelColor(320, 240), QColor(0, 0, 255));
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(OpenFrameTest, MissingPictureWarnsThenOpensTheFrameWithoutIt) {
    FrameSpec picture;
    picture.BackgroundKind = 1;
    picture.Background = "gone.bmp";
    project.WriteFrame("Hall", picture);
    StartGame().OpenFrame("Hall", false, 0, 0);
    ASSERT_GE(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History()[0].text.rfind(Text(33) + "\r\n", 0), 0u);
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
}

TEST_F(OpenFrameTest, DamagedPicturesAndLostTextsFilesAreNamedForTheAuthor) {
    project.WriteBytes("Frames/intro.bmp", std::string(3000, 'B'));
    FrameSpec intro;
    intro.BackgroundKind = 1;
    intro.Background = "intro.bmp";
    project.WriteFrame("Intro", intro);
    project.WriteFrame("Hall", {});
    project.WriteHotspots("Hall", {{.Number = 1}});
    std::FILE* log = std::tmpfile();
    ASSERT_NE(log, nullptr);
    SetMessageLog(log);
    Game& g = StartGame();
    g.OpenFrame("Intro", false, 0, 0);
    ASSERT_EQ(prompts.History().size(), 1u);
    const std::string& text = prompts.History()[0].text;
    // The classic text stays first; the picture's file and what was expected come after it.
    EXPECT_EQ(
        text.rfind(Text(30) + "\r\n\r\n" + Text(31) + " Unable to load the frame called 'Intro'.",
                   0),
        0u)
        << text;
    EXPECT_NE(text.find("Invalid picture\r\n\r\nThe picture file \"" + project.Root() +
                        "Frames/intro.bmp\" is damaged or not a picture: expected a BMP, JPEG, "
                        "GIF, PNG, ICO or CUR picture."),
              std::string::npos)
        << text;
    // Hall has its hotspots file but its texts file is gone: one line says so, no box.
    g.OpenFrame("Hall", false, 0, 0);
    SetMessageLog(nullptr);
    EXPECT_EQ(prompts.History().size(), 1u);
    std::rewind(log);
    std::string logged(4096, '\0');
    logged.resize(std::fread(logged.data(), 1, logged.size(), log));
    std::fclose(log);
    EXPECT_NE(logged.find("The frame 'Hall' has no texts file \"" + project.Root() +
                          "FramesData/Hall.fm1\": it shows no text boxes.\n"),
              std::string::npos)
        << logged;
}

TEST_F(OpenFrameTest, EveryOpeningRemovesTheTimedEvents) {
    project.WriteFrame("Hall", {});
    project.WriteFrame("Cellar", {});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    TimedEvents& events = g.Scripts().Events();
    g.RunScriptCode("CreateTimedEvent 30, \"x = 1\", True");
    ASSERT_EQ(events.UBound(), 1);
    EXPECT_TRUE(events.Timer(1)->Running());
    // Events created by the script that changes the frame go as well.
    g.RunScriptCode("CreateTimedEvent 30, \"x = 2\", False : GoToFrame \"Cellar\", 0, 1");
    EXPECT_EQ(session.CurrentFrame.Name, "Cellar");
    EXPECT_EQ(events.UBound(), 0);
    EXPECT_TRUE(prompts.History().empty());
}

} // namespace
} // namespace quillora
