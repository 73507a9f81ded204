// The author's checker on small games with one fault each, on a clean one, and on the demo.
#include "check/GameCheck.h"
#include "check/ScriptCheck.h"
#include "project/MediaPath.h"

#include "ProjectWriter.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace quillora {
namespace {

using test::ActionSpec;
using test::FrameSpec;
using test::HotspotSpec;
using test::ProjectWriter;

// A small clean game: Start with a door hotspot (a picture, its own pointer) that goes to Hall
// and picks up a key; Hall plays music and comes back by its automatic jump; the key combines
// with a rope into a hook; the procedure library sends the player to Attic.
void WriteCleanGame(ProjectWriter& game) {
    game.WriteGeneral(test::GeneralFields());
    game.WriteVariables({"DoorOpen"}, {"PlayerName"});
    game.WriteProcedures({"Sub ClimbUp()", "  Action.GoToFrame \"Attic\", 0, 0", "End Sub"});
    game.WriteFrame("Start", FrameSpec{.BackgroundKind = 1, .Background = "start.bmp"});
    // A compiled game keeps its pictures under numbered names, which the lookup finds.
    QImage background(64, 48, QImage::Format_RGB32);
    background.fill(Qt::blue);
    game.WriteImage(StoredMediaName("Frames/start.bmp"), background, "BMP");
    HotspotSpec door;
    door.HasPicture = true;
    door.Picture = "door.png";
    door.Pointer = "hand.cur";
    game.WriteHotspots("Start", {door});
    game.WritePicture("Areas/door.png", 20, 20, Qt::red);
    QImage hand(16, 16, QImage::Format_ARGB32);
    hand.fill(Qt::white);
    game.WriteCursor("Icons/hand.cur", hand, 0, 0);
    game.WriteTexts("Start", {test::TextSpec{}});
    ActionSpec open;
    open.ChangeSwitch = 1;
    open.Variable = "DoorOpen";
    open.SetOne = true;
    open.GoToFrame = 1;
    open.Frame = "Hall";
    open.RunScript = true;
    open.Script = "If DoorOpen = 1 Then\r\n  Action.Message |Open|\r\nEnd If";
    game.WriteActions("Start", {open});
    game.WritePickups("Start", {{1, "Key"}});
    game.WriteItem("Key", "key.ico");
    game.WriteItem("Rope", "rope.ico");
    game.WriteItem("Hook", "hook.ico");
    game.WriteCombination("Key", "Rope", {0, 0, 1, "Hook", 0, 0, 0, true, "ClimbUp"});

    FrameSpec hall;
    hall.Music = "theme.wav";
    hall.AutoJump = true;
    hall.AutoJumpDelay = 2;
    hall.AutoJumpFrame = "Start";
    game.WriteFrame("Hall", hall);
    game.WriteBytes("Areas/theme.wav", "RIFF");
    game.WriteFrame("Attic", FrameSpec{});
}

std::string Lines(const CheckReport& report) {
    std::string text;
    for (const Finding& f : report.Findings)
        text += FormatFinding(f) + "\n";
    return text;
}

// The report as the program prints it, and its exit status.
std::pair<std::string, int> Printed(const CheckReport& report) {
    std::FILE* out = std::tmpfile();
    const int status = PrintCheckReport(report, out);
    std::rewind(out);
    std::string text;
    char buffer[4096];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, out))
        text.append(buffer, n);
    std::fclose(out);
    return {text, status};
}

TEST(GameCheck, CleanGameHasNoFindings) {
    ProjectWriter game;
    WriteCleanGame(game);
    const CheckReport report = CheckGame(game.Root());
    EXPECT_EQ(Lines(report), "");
    EXPECT_EQ(report.FramesReached, 3);
    EXPECT_EQ(report.FramesInGame, 3);
    EXPECT_EQ(Printed(report),
              std::make_pair(std::string("0 errors, 0 warnings; 3 of 3 frames reached from the "
                                         "start frame\n"),
                             0));
}

TEST(GameCheck, MissingMediaAreErrorsOfTheFileNamingThem) {
    ProjectWriter game;
    WriteCleanGame(game);
    std::remove((game.Root() + "Areas/door.png").c_str());
    std::remove((game.Root() + "Areas/theme.wav").c_str());
    const CheckReport report = CheckGame(game.Root());
    EXPECT_EQ(Lines(report),
              "FramesData/Start.fm2:1: error: hotspot 1: picture \"door.png\" is missing "
              "(Areas/door.png)\n"
              "Frames/Hall.fme: error: music \"theme.wav\" is missing (Areas/theme.wav)\n");
    EXPECT_EQ(Printed(report).second, 1);
}

TEST(GameCheck, BrokenLinkNamesTheFileAndLineOfTheTarget) {
    ProjectWriter game;
    WriteCleanGame(game);
    ActionSpec open;
    open.GoToFrame = 1;
    open.Frame = "Nowhere";
    game.WriteActions("Start", {open});
    const CheckReport report = CheckGame(game.Root());
    // The frame name is value 23 of the section, one value a line.
    EXPECT_EQ(Lines(report),
              "FramesData/Start.fm3:23: error: link to the frame \"Nowhere\", which has no "
              "frame file Frames/Nowhere.fme\n"
              "Frames/Hall.fme: warning: the frame \"Hall\" is never reached from the start frame "
              "(no frame link, hotspot or item action, or GoToFrame with its name)\n");
    EXPECT_EQ(report.Errors(), 1);
}

TEST(GameCheck, ScriptThatDoesNotCompileGivesItsLineInTheFile) {
    ProjectWriter game;
    WriteCleanGame(game);
    ActionSpec open;
    open.GoToFrame = 1;
    open.Frame = "Hall";
    open.RunScript = true;
    open.Script = "x = 1\r\ny = (2 +\r\nAction.GoToFrame |Attic|";
    game.WriteActions("Start", {open});
    const CheckReport report = CheckGame(game.Root());
    ASSERT_EQ(report.Findings.size(), 1u) << Lines(report);
    const Finding& f = report.Findings[0];
    EXPECT_EQ(f.File, "FramesData/Start.fm3");
    EXPECT_TRUE(f.Error);
    // The script is value 58; its second line is the file's next one.
    EXPECT_EQ(f.Line, 59);
    EXPECT_NE(f.Message.find("the script of hotspot 1 of \"Start\" does not compile (script line 2)"),
              std::string::npos)
        << f.Message;
}

TEST(GameCheck, DamagedValueListGivesTheValueItsLineAndWhatWasExpected) {
    ProjectWriter game;
    WriteCleanGame(game);
    test::FileValues hall = test::FrameFileValues(FrameSpec{});
    hall[6] = test::FileValue::Raw("soon"); // the automatic jump's delay
    game.WriteValues("Frames/Hall.fme", hall);
    const CheckReport report = CheckGame(game.Root());
    ASSERT_EQ(report.Findings.size(), 1u) << Lines(report);
    EXPECT_EQ(report.Findings[0].File, "Frames/Hall.fme");
    EXPECT_EQ(report.Findings[0].Line, 7);
    EXPECT_NE(report.Findings[0].Message.find("error: cannot be read: Type mismatch"),
              std::string::npos)
        << report.Findings[0].Message;
    EXPECT_NE(report.Findings[0].Message.find("found 'soon'"), std::string::npos);

    // A hostile hotspot file of thousands of damaged sections gives a bounded report.
    std::string sections;
    for (int i = 0; i < 4000; ++i)
        sections += "x\r\nnot a number\r\n\"" + std::string(test::kSeparator) + "\"\r\n";
    game.WriteBytes("FramesData/Start.fm2", sections);
    const CheckReport hostile = CheckGame(game.Root());
    std::vector<std::string> inFile;
    for (const Finding& f : hostile.Findings) {
        if (f.File == "FramesData/Start.fm2") inFile.push_back(f.Message);
    }
    ASSERT_EQ(inFile.size(), 200u);
    EXPECT_EQ(inFile.front().find("error: hotspot 1: cannot be read: Type mismatch"), 0u)
        << inFile.front();
    EXPECT_EQ(inFile.back(), "error: more findings in this file are left out");
}

TEST(GameCheck, UnreachedFrameIsOnlyAWarning) {
    ProjectWriter game;
    WriteCleanGame(game);
    game.WriteFrame("Cellar", FrameSpec{});
    const CheckReport report = CheckGame(game.Root());
    EXPECT_EQ(Lines(report),
              "Frames/Cellar.fme: warning: the frame \"Cellar\" is never reached from the start "
              "frame (no frame link, hotspot or item action, or GoToFrame with its name)\n");
    const auto [text, status] = Printed(report);
    EXPECT_EQ(status, 0);
    EXPECT_NE(text.find("0 errors, 1 warning; 3 of 4 frames reached"), std::string::npos) << text;
}

// A dialogue file with one question whose first script is given.
test::FileValues DialogueWithScript(const std::string& script) {
    return {0, 0, 0, "Talk", "", 0, 0, 0, 0, 0, 0, 1,
            // the question
            "Who are you?", "A ghost.", script, "", "", 1, true, false, 0, 0, 0, 0, 0, 2.5, 0, 0,
            0, false, 0};
}

TEST(GameCheck, ItemsDropsCombinationsDialoguesAndWaterAreRead) {
    ProjectWriter game;
    WriteCleanGame(game);
    // A drop action uses an item nobody made; a combination adds one whose icon is gone.
    ActionSpec drop;
    drop.Key = "1_Lamp.drg";
    drop.ChangeSwitch = 1;
    drop.Variable = "Lit"; // not among the project's variables
    drop.SetOne = true;
    drop.Through = 23;
    game.WriteDropActions("Start", {drop});
    std::remove((game.Root() + "Areas/hook.ico").c_str());
    // The combination's script no longer compiles; the dialogue's script reaches the cellar.
    game.WriteCombination("Key", "Rope", {0, 0, 1, "Hook", 0, 0, 0, true, "If Then"});
    game.WriteValues("FramesData/Hall.dlg", DialogueWithScript("GoToFrame |Cellar|"));
    game.WriteFrame("Cellar", FrameSpec{});
    // The cellar's water has its effect file but no mask.
    game.WriteWaterEffect("Cellar", test::WaterSpec{});
    const CheckReport report = CheckGame(game.Root());
    EXPECT_EQ(Lines(report),
              "Areas/Key_on_Rope.drg:9: error: the combination script does not compile (script "
              "line 1): Expected expression\n"
              "FramesData/Start.fm0:1: warning: the variable \"Lit\" is not in Config/Variables, "
              "so changing it does nothing\n"
              "Frames/Cellar.rwe: warning: the rippling water of \"Cellar\" needs both "
              "Frames/Cellar.rwe and Frames/Cellar.rwm: it does not play\n"
              "Areas/Hook.obj:1: error: item icon \"hook.ico\" is missing (Areas/hook.ico)\n"
              "FramesData/Start.fm0:1: error: the item \"Lamp\" has no item file Areas/Lamp.obj\n");

    EXPECT_EQ(report.FramesReached, 4);
}

TEST(GameCheck, ScriptsNameFramesOnlyAsLiteralArgumentsOfGoToFrame) {
    const std::vector<NamedFrame> names = FramesNamedInScript(
        "Action.GoToFrame \"Hall\", 500, 2\n"
        "If x Then GoToFrame(\"Attic\")\n"
        "Call Action.GoToFrame(\"Cellar\", 0, 0)\n"
        "Other.GoToFrame \"NotAFrame\"\n"
        "Action.GoToFrame \"Room\" & n\n"
        "Action.GoToFrame name\n");
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].Name, "Hall");
    EXPECT_EQ(names[1].Name, "Attic");
    EXPECT_EQ(names[1].Line, 2);
    EXPECT_EQ(names[2].Name, "Cellar");

    ScriptChecker scripts;
    EXPECT_FALSE(scripts.Compile("Sub A()\nEnd Sub"));
    // Each text compiles alone: the same Sub in two scripts is no redefinition.
    EXPECT_FALSE(scripts.Compile("Sub A()\nEnd Sub"));
    const auto problem = scripts.Compile("x = 1\nFor i = 1 To\n");
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->Line, 2);
}

TEST(GameCheck, DemoChecksClean) {
    const CheckReport report = CheckGame(QUILLORA_DEMO_DIR);
    EXPECT_EQ(Lines(report), "");
    EXPECT_GT(report.FramesReached, 5);
    EXPECT_EQ(report.FramesReached, report.FramesInGame);
}

} // namespace
} // namespace quillora
