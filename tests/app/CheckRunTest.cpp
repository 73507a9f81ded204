// quillora-run --check as authors run it: the lines it prints, their order and the exit status.
#include "HostileGames.h"
#include "PlayerRun.h"
#include "ProjectWriter.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace quillora {
namespace {

TEST(CheckRun, PrintsFindingsSortedByFileThenASummaryAndFailsOnErrors) {
    test::ProjectWriter game;
    game.WriteGeneral(test::GeneralFields()); // starts at "Start"
    test::FrameSpec start;
    start.BackgroundKind = 1;
    start.Background = "start.png"; // missing
    start.AutoJump = true;
    start.AutoJumpDelay = 1;
    start.AutoJumpFrame = "End";
    game.WriteFrame("Start", start);
    game.WriteFrame("End", {});
    test::HotspotSpec door;
    door.HasPicture = true;
    door.Picture = "door.png"; // missing
    game.WriteHotspots("End", {door});
    game.WriteTexts("End", {});
    game.WriteFrame("Attic", {}); // reached by nothing

    auto run = test::RunPlayerWith({"--check", game.Root()});
    EXPECT_EQ(run.exitStatus, 1) << run.err;
    EXPECT_EQ(run.out,
              "Frames/Attic.fme: warning: the frame \"Attic\" is never reached from the start "
              "frame (no frame link, hotspot or item action, or GoToFrame with its name)\n"
              "Frames/Start.fme: error: background picture \"start.png\" is missing "
              "(Frames/start.png)\n"
              "FramesData/End.fm2:1: error: hotspot 1: picture \"door.png\" is missing "
              "(Areas/door.png)\n"
              "2 errors, 1 warning; 2 of 3 frames reached from the start frame\n");
    // No box waited for an answer and none reached the terminal.
    EXPECT_EQ(run.err.find("Error:"), std::string::npos) << run.err;

    game.WritePicture("Frames/start.png", 8, 8, Qt::black);
    game.WritePicture("Areas/door.png", 8, 8, Qt::black);
    run = test::RunPlayerWith({game.Root(), "--check"});
    EXPECT_EQ(run.exitStatus, 0) << run.out;
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1),
              "0 errors, 1 warning; 2 of 3 frames reached from the start frame\n");
}

TEST(CheckRun, IsListedByHelpAndTakesNoAutoplay) {
    auto run = test::RunPlayerWith({"--help"});
    EXPECT_NE(run.out.find("--check"), std::string::npos) << run.out;
    run = test::RunPlayerWith({"--check", "game", "--autoplay", "script"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("--check does not play the game"), std::string::npos) << run.err;
}

// Every damaged or hostile game the player survives, the checker reads to its end too: a report
// and a status, never a crash, a freeze or the machine's memory; damage the player shows a box for
// is an error of the report.
TEST(CheckRun, HostileGamesGiveAReportNotACrash) {
    for (const test::HostileGame& hostile : test::HostileGames()) {
        SCOPED_TRACE(hostile.name);
        test::TempFolder parent;
        test::ProjectWriter game(parent.Path() + "game");
        test::WriteSoundGame(game);
        hostile.spoil(game);
        const auto run = test::RunPlayerWith({"--check", game.Root()}, 20000);
        EXPECT_EQ(run.exitStatus, hostile.expectedBox.empty() ? 0 : 1) << run.out << run.err;
        EXPECT_NE(run.out.find(" frames reached from the start frame\n"), std::string::npos)
            << run.out << run.err;
    }
    rusage usage{};
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 500 * 1024);
}

} // namespace
} // namespace quillora
