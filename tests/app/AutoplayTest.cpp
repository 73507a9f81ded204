// Autoplay scripts: parsing, and whole runs of the player against small game folders.
#include "PlayerRun.h"
#include "ProjectWriter.h"
#include "app/AutoplayScript.h"
#include "app/CommandLine.h"

#include <QImage>
#include <QProcess>
#include <QThread>

#include <csignal>

#include <filesystem>

#include <gtest/gtest.h>

namespace quillora {
namespace {

TEST(AutoplayScript, ReadsCommandsAndRejectsLinesItCannotRead) {
    std::optional<AutoplayParseError> error;
    const auto commands = ParseAutoplayScript(
        "# a comment\n\nclick 10 20   # trailing comment\nanswer Some text\r\nexpect-items\n",
        error);
    ASSERT_FALSE(error);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[0].args, (std::vector<std::string>{"10", "20"}));
    EXPECT_EQ(commands[1].rest, "Some text");
    EXPECT_TRUE(commands[2].args.empty());

    for (const char* bad : {"jump 1 2", "click 10", "wait soon", "quit now", "wait -5",
                            "wait-idle -1", "wait-idle a"}) {
        ParseAutoplayScript(std::string("wait 1\n") + bad + "\n", error);
        ASSERT_TRUE(error) << bad;
        EXPECT_EQ(error->line, 2) << bad;
    }
}

TEST(PlayerCommandLine, TrustScriptsIsAnOptionOfItsOwn) {
    std::string error;
    const auto options = ParseCommandLine({"game", "--trust-scripts"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->TrustScripts);
    EXPECT_EQ(options->ProjectFolder, "game");
    EXPECT_FALSE(ParseCommandLine({"game"}, error)->TrustScripts);
}

class AutoplayRun : public ::testing::Test {
protected:
    void SetUp() override { project.WriteGeneral(test::GeneralFields()); }
    test::ProjectWriter project;
};

TEST_F(AutoplayRun, ShowsTheWelcomeWindowTakesAScreenshotAndQuits) {
    const std::string shot = project.Root() + "welcome.png";
    // No display and no platform chosen: autoplay finds its way to the offscreen one.
    const auto run =
        test::RunPlayerHeadless(project.Root(), "wait 50\nscreenshot " + shot + "\nquit\n");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const QImage image(QString::fromStdString(shot));
    EXPECT_EQ(image.width(), 320);
    EXPECT_GT(image.height(), 200);
}

TEST_F(AutoplayRun, PrintsEveryBoxAndReportsTheExitStatuses) {
    test::FileValues damaged = test::GeneralFields();
    damaged.resize(30);
    project.WriteGeneral(damaged);
    auto run = test::RunPlayer(project.Root(), "quit\n");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.out.find("box: Error | An error has occurred. The program may not work properly. "
                           "Press 'Esc' and the click 'Exit' to quit.\\n\\nError description: "
                           "Error loading project information."),
              std::string::npos)
        << run.out;

    run = test::RunPlayer(project.Root(), "wait 10\nfly away\n");
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("autoplay: line 2: unknown command \"fly\""), std::string::npos)
        << run.err;

    run = test::RunPlayer(project.Root(), "screenshot /no/such/folder/x.png\n");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("autoplay: line 1:"), std::string::npos) << run.err;
}

TEST_F(AutoplayRun, BoxesReachStandardErrorAndStrictRunsFailOnErrorBoxes) {
    test::FileValues damaged = test::GeneralFields();
    damaged.resize(30);
    project.WriteGeneral(damaged);
    const std::string box =
        "Error: An error has occurred. The program may not work properly. Press 'Esc' and the "
        "click 'Exit' to quit. /  / Error description: Error loading project information. /  / \"" +
        project.Root() +
        "Config/General\", line 31 (PopupInventoryOnAdd): the file ends where this value was "
        "expected.\n";
    auto run = test::RunPlayer(project.Root(), "quit\n");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.err.find(box), std::string::npos) << run.err;

    const std::string script = project.Root() + "run.autoplay";
    project.WriteBytes("run.autoplay", "wait 50\nquit\n");
    run = test::RunPlayerWith({project.Root(), "--autoplay", script, "--strict"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("autoplay: an error box (--strict): " + box), std::string::npos)
        << run.err;

    // A clean start passes; a box while the game plays fails at the command that caused it.
    test::FileValues general = test::GeneralFields();
    general[4] = "Hall";
    general[42] = true; // no welcome window
    project.WriteGeneral(general);
    project.WriteVariables({});
    project.WriteFrame("Hall", {});
    project.WriteHotspots("Hall", {{.Number = 1, .Width = 300, .Height = 300}});
    project.WriteValues("FramesData/Hall.fm1", {});
    project.WriteActions("Hall", {{.GoToFrame = 1, .Frame = "Nowhere"}});
    run = test::RunPlayerWith({project.Root(), "--autoplay", script, "--strict"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    project.WriteBytes("run.autoplay", "wait 50\nclick 10 10\nwait 50\nquit\n");
    run = test::RunPlayerWith({project.Root(), "--autoplay", script, "--strict"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("autoplay: line 2: an error box (--strict): Error: An error has "
                           "occurred."),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("A program link is broken. The frame named \"Nowhere\""),
              std::string::npos)
        << run.err;
}

TEST_F(AutoplayRun, CommandLineMistakesAndTheVersion) {
    auto run = test::RunPlayerWith({"--version"});
    EXPECT_EQ(run.out, "quillora-run 3.4.3\n");
    EXPECT_EQ(run.exitStatus, 0);
    run = test::RunPlayerWith({project.Root() + "Config/General"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("Config/General: not a folder"), std::string::npos) << run.err;
    run = test::RunPlayerWith({project.Root() + "Nowhere"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("Nowhere: no such folder"), std::string::npos) << run.err;
    run = test::RunPlayerWith({project.Root(), "--strict"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("--strict needs --autoplay"), std::string::npos) << run.err;
}

TEST_F(AutoplayRun, CommandsRunWhileACutSceneIsPlaying) {
    test::FileValues general = test::GeneralFields();
    general[4] = "Hall";
    general[42] = true; // no welcome window
    project.WriteGeneral(general);
    std::filesystem::create_directories(project.Root() + "Frames");
    std::filesystem::copy_file(std::string(QUILLORA_MEDIA_FIXTURES) + "/clip-cinepak.avi",
                               project.Root() + "Frames/clip.avi");
    test::FrameSpec hall;
    hall.BackgroundKind = 0;
    hall.Background = "16777215"; // white
    project.WriteFrame("Hall", hall);
    project.WriteFrame("After", {});
    project.WriteHotspots("Hall", {{.Number = 1, .Width = 300, .Height = 300}});
    project.WriteActions("Hall", {{.GoToFrame = 1,
                                   .Frame = "After",
                                   .PlayMovie = 1,
                                   .Movie = "clip.avi",
                                   .MovieLeft = 0,
                                   .MovieTop = 0,
                                   .MovieWidth = 640,
                                   .MovieHeight = 480}});
    const std::string shot = project.Root() + "movie.png";
    // The movie lasts a second: the screenshot catches it, Esc ends it at once (else the game
    // would still be busy after wait-idle's 400 ms), and the game goes on to its next frame.
    const auto run = test::RunPlayer(project.Root(), "wait-frame Hall\n"
                                                     "click 5 5\n"
                                                     "wait 500\n"
                                                     "screenshot " +
                                                         shot +
                                                         "\n"
                                                         "expect-frame Hall\n"
                                                         "key Esc\n"
                                                         "wait-idle 400\n"
                                                         "expect-frame After\n"
                                                         "quit\n");
    EXPECT_EQ(run.exitStatus, 0) << run.err << run.out;
    const QImage image(QString::fromStdString(shot));
    ASSERT_EQ(image.size(), QSize(640, 480));
    EXPECT_NE(image.pixelColor(320, 240), QColor(Qt::white)) << "no movie in the screenshot";
}

TEST_F(AutoplayRun, SavesQuitsStartsAgainAndLoadsThroughTheWindows) {
    test::FileValues general = test::GeneralFields();
    general[4] = "Hall";
    project.WriteGeneral(general);
    project.WriteVariables({"Lamp"});
    project.WriteFrame("Hall", {});
    project.WriteFrame("Cellar", {});
    project.WriteHotspots("Hall", {{.Number = 1}, {.Number = 2, .Left = 1500}});
    project.WriteActions("Hall", {{.ChangeSwitch = 1, .Variable = "Lamp", .Toggle = true},
                                  {.GoToFrame = 1, .Frame = "Cellar"}});
    const auto run = test::RunPlayer(project.Root(), "click 160 80\n"
                                                     "wait-frame Hall\n"
                                                     "click 10 10\n"
                                                     "click 110 10\n"
                                                     "wait-frame Cellar\n"
                                                     "save lamp lit\n"
                                                     "answer Yes\n"
                                                     "key Ctrl+Q\n"
                                                     "wait 400\n"
                                                     "load lamp lit\n"
                                                     "expect-frame Cellar\n"
                                                     "expect-var Lamp 1\n"
                                                     "load nothing\n");
    EXPECT_EQ(run.exitStatus, 1) << run.err << run.out;
    EXPECT_NE(run.err.find("autoplay: line 13: there is no saved game \"nothing\""),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(std::filesystem::exists(project.Root() + "lamp lit.sav"));
    EXPECT_TRUE(std::filesystem::exists(project.Root() + "lamp lit.png"));
}

TEST_F(AutoplayRun, ASaveDuringAClickWaitsForTheClickToEnd) {
    // The click's item slides into the bar before its action lights the lamp; the save comes
    // during the slide, as a player's key would, and must store the whole click.
    test::FileValues general = test::GeneralFields();
    general[4] = "Hall";
    project.WriteGeneral(general);
    project.WriteVariables({"Lamp"});
    project.WriteFrame("Hall", {});
    project.WriteItem("Key", "key.ico");
    project.WriteHotspots("Hall", {{.Number = 1}});
    project.WritePickups("Hall", {{1, "Key"}});
    project.WriteActions("Hall", {{.ChangeSwitch = 1, .Variable = "Lamp", .SetOne = true}});
    const auto run = test::RunPlayer(project.Root(), "click 160 80\n"
                                                     "wait-frame Hall\n"
                                                     "click 10 10\n"
                                                     "save key taken\n"
                                                     "load key taken\n"
                                                     "expect-var Lamp 1\n");
    EXPECT_EQ(run.exitStatus, 0) << run.err << run.out;
}

TEST_F(AutoplayRun, InterruptAndTerminateEndTheProgram) {
    test::FileValues general = test::GeneralFields();
    general[4] = "Hall";
    project.WriteGeneral(general);
    project.WriteFrame("Hall", {});
    for (const int signal : {SIGTERM, SIGINT}) {
        QProcess player;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SDL_AUDIODRIVER", "dummy");
        env.insert("QUILLORA_CONFIG_DIR", QString::fromStdString(project.Root() + "config"));
        player.setProcessEnvironment(env);
        project.WriteBytes("long.autoplay", "click 160 80\nwait-frame Hall\nwait 20000\n");
        player.start(QUILLORA_RUN_PATH, {QString::fromStdString(project.Root()), "--autoplay",
                                         QString::fromStdString(project.Root() + "long.autoplay")});
        ASSERT_TRUE(player.waitForStarted());
        // Once the game plays (its sound started the audio library), the signal comes.
        QThread::msleep(1000);
        ::kill(static_cast<pid_t>(player.processId()), signal);
        const bool ended = player.waitForFinished(5000);
        if (!ended) player.kill();
        EXPECT_TRUE(ended) << "signal " << signal << " did not end the program";
        EXPECT_EQ(player.exitStatus(), QProcess::NormalExit) << "signal " << signal;
        player.waitForFinished();
    }
}

TEST_F(AutoplayRun, MissingProjectInformationEndsTheProgramAfterItsMessage) {
    test::ProjectWriter empty;
    const auto run = test::RunPlayer(empty.Root(), "wait 10\nquit\n");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.out.find("box: Error | The following file is missing: " + empty.Root() +
                           "Config/General"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find("autoplay: line 1: the program ended before this command"),
              std::string::npos)
        << run.err;
}

TEST_F(AutoplayRun, WelcomeScreenshotsShowTheScheme) {
    const std::string plain = project.Root() + "plain.png";
    auto run = test::RunPlayer(project.Root(), "screenshot " + plain + "\nquit\n");
    ASSERT_EQ(run.exitStatus, 0) << run.err;

    test::FileValues general = test::GeneralFields();
    general[15] = "Night";
    project.WriteGeneral(general);
    project.WritePicture("Schemes/Night/start.bmp", 100, 24, Qt::red);
    project.WriteValues("Schemes/Night/Scheme.txt",
                        {0, 0, 0, 1, "start.bmp", 1, 0x402010, 0xFFFFFF, 0xFFFFFF});
    const std::string schemed = project.Root() + "schemed.png";
    run = test::RunPlayer(project.Root(), "screenshot " + schemed + "\nquit\n");
    ASSERT_EQ(run.exitStatus, 0) << run.err;

    const QImage before(QString::fromStdString(plain));
    const QImage after(QString::fromStdString(schemed));
    ASSERT_EQ(before.size(), after.size());
    EXPECT_NE(before, after);
    // The Start picture where the text button was (README: Start at 160 80), the scheme's
    // background colour in the corner.
    EXPECT_EQ(after.pixelColor(160, 80), QColor(255, 0, 0));
    EXPECT_NE(before.pixelColor(160, 80), QColor(255, 0, 0));
    EXPECT_EQ(after.pixelColor(2, 2), QColor(0x10, 0x20, 0x40));
}

TEST_F(AutoplayRun, ScriptLinesRunCodeAsTheDebugPromptDoes) {
    test::FileValues general = test::GeneralFields();
    general[4] = "Hall";
    general[42] = true; // no welcome window
    project.WriteGeneral(general);
    project.WriteVariables({"Score"});
    project.WriteFrame("Hall", {});
    project.WriteFrame("Cellar", {});
    const auto run = test::RunPlayer(project.Root(), "wait-frame Hall\n"
                                                     "script Score = 41 + 1 : MsgBox \"S\" & Score\n"
                                                     "expect-var Score 42\n"
                                                     "script GoToFrame \"Cellar\", 0, 1\n"
                                                     "expect-frame Cellar\n"
                                                     "quit\n");
    EXPECT_EQ(run.exitStatus, 0) << run.err << run.out;
    EXPECT_NE(run.out.find(" | S42\n"), std::string::npos) << run.out;
}

} // namespace
} // namespace quillora
