// Whole runs of the player on the demo game and on small game folders, driven by autoplay.
#include "PlayerRun.h"
#include "ProjectWriter.h"

#include <QImage>
#include <QImageReader>

#include <filesystem>

#include <gtest/gtest.h>

namespace quillora {
namespace {

TEST(GameRun, TheDemoStartsFromTheWelcomeWindowAndJumpsToTheShore) {
    test::TempFolder out;
    const std::string shot = out.Path() + "shore.png";
    const auto run = test::RunPlayer(QUILLORA_DEMO_DIR, "click 160 80\n"
                                                        "expect-frame Intro\n"
                                                        "wait-frame Shore 8000\n"
                                                        "expect-visible 2\n"
                                                        "expect-hidden 3\n"
                                                        "expect-items\n"
                                                        "expect-var DoorOpen 0\n"
                                                        "expect-var PlayerName Skipper\n"
                                                        "expect-var Visits 1\n"
                                                        "screenshot " +
                                                            shot +
                                                            "\n"
                                                            "quit\n");
    EXPECT_EQ(run.exitStatus, 0) << run.err << run.out;
    EXPECT_EQ(run.out, "");
    const QImage image(QString::fromStdString(shot));
    EXPECT_EQ(image.size(), QSize(640, 480));
}

TEST(GameRun, TheDemoWalkthroughSolvesThePuzzleAndEndsTheGame) {
    // The walkthrough saves a game: it plays a copy, so the demo folder stays as committed.
    test::TempFolder copy;
    std::filesystem::copy(QUILLORA_DEMO_DIR, copy.Path(), std::filesystem::copy_options::recursive);
    const std::string script = copy.Path() + "walkthrough.autoplay";
    ASSERT_TRUE(std::filesystem::file_size(script) > 0);
    // Strict: a script error box anywhere in the demo's scripts fails the run.
    const auto run = test::RunPlayerWith({copy.Path(), "--autoplay", script, "--strict"}, 60000);
    EXPECT_EQ(run.exitStatus, 0) << run.err << run.out;
}

TEST(GameRun, TheDemoGlintSparklesOnTheSandItLiesOn) {
    // The animated glint is drawn over the sand: around its sparkle every frame must let the sand
    // show through, or the player sees a square of dithered sand-coloured pixels.
    QImageReader reader(QString(QUILLORA_DEMO_DIR) + "/Areas/glint.gif");
    QImage frame;
    int frames = 0;
    while (reader.read(&frame)) {
        ++frames;
        const int w = frame.width(), h = frame.height();
        for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1),
                                    QPoint(w - 1, h - 1)})
            EXPECT_EQ(qAlpha(frame.pixel(corner)), 0) << "frame " << frames;
        EXPECT_EQ(qAlpha(frame.pixel(w / 2, h / 2)), 255) << "frame " << frames;
    }
    EXPECT_GT(frames, 4);
}

TEST(GameRun, SkippedWelcomeQuitQuestionAndUnmetExpectations) {
    test::ProjectWriter game;
    test::FileValues general = test::GeneralFields();
    general[4] = "Start";
    general[42] = true; // no welcome window
    game.WriteGeneral(general);
    game.WriteVariables({"Lamp"});
    test::FrameSpec start;
    start.AutoJump = true;
    start.AutoJumpDelay = 0.1;
    start.AutoJumpFrame = "Room";
    game.WriteFrame("Start", start);
    game.WriteFrame("Room", {});
    game.WriteHotspots("Room", {{.Number = 1, .Conditions = true, .MustBeOne = {"Lamp"}}});

    auto run = test::RunPlayer(game.Root(), "wait-frame Room 3000\n"
                                            "expect-hidden 1\n"
                                            "expect-var Lamp 0\n"
                                            "answer No\n"
                                            "key Ctrl+Q\n"
                                            "expect-message Do you really want to quit?\n"
                                            "expect-frame Room\n"
                                            "answer Yes\n"
                                            "key Ctrl+Q\n"
                                            "wait 500\n"
                                            "expect-frame Room\n");
    EXPECT_EQ(run.exitStatus, 1) << run.err;
    EXPECT_NE(run.err.find("autoplay: line 11: the program ended before this command"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("box: Test Adventure | Do you really want to quit?"), std::string::npos);

    run = test::RunPlayer(game.Root(), "wait-frame Room\nexpect-visible 1\n");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("autoplay: line 2: hotspot 1 is hidden"), std::string::npos) << run.err;
    run = test::RunPlayer(game.Root(), "expect-var Lamp 1\n");
    EXPECT_NE(run.err.find("autoplay: line 1: Lamp is \"0\", not \"1\""), std::string::npos)
        << run.err;
}

} // namespace
} // namespace quillora
