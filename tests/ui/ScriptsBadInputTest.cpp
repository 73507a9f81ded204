// Hostile author scripts in a running game: runaway loops, deep recursion, names that clash with
// the fixed objects, damaged and enormous procedure libraries. Each gives its message and the
// game plays on.
#include "GameFixture.h"
#include "core/Clock.h"
#include "game/Actions.h"
#include "game/Variables.h"
#include "scripting/ScriptHost.h"

namespace quillora {
namespace {

class ScriptsInGameBadInput : public test::GameFixture {
protected:
    bool Run(const std::string& code) {
        return ExecuteVBScriptAndConsequences(*game, session, code, false);
    }
    // The game still runs scripts and carries out their requests.
    void ExpectTheGamePlaysOn() {
        const size_t boxes = prompts.History().size();
        EXPECT_FALSE(Run("Score = 3 : GoToFrame \"Porch\", 0, 0"));
        EXPECT_EQ(GetVariableValue(session.State.Vars, "Score"), 3);
        EXPECT_EQ(session.CurrentFrame.Name, "Porch");
        EXPECT_EQ(prompts.History().size(), boxes);
        EXPECT_FALSE(Run("GoToFrame \"Hall\", 0, 0"));
    }
    void WriteLibrary(const std::string& procedures) {
        project.WriteBytes("Config/Procedures", "h1\r\nh2\r\nh3\r\n" + procedures);
    }
    Game& StartHall() {
        project.WriteVariables({"Score"});
        project.WriteFrame("Hall", {});
        project.WriteFrame("Porch", {});
        Game& g = StartGame();
        g.OpenFrame("Hall", false, 0, 0);
        return g;
    }
};

TEST_F(ScriptsInGameBadInput, RunawayLoopsEndAtTheTimeOutEvenWithoutCalls) {
    project.WriteBytes("Config/More", "[General]\r\nScriptTimeOut=1\r\n");
    StartHall();
    // Every read of the clock moves it on by 10 ms: the loops end after a hundred checks.
    ManualClock clock(100, 0.01);
    SetClock(&clock);
    for (const std::string loop :
         {"Do : Loop", "While True : Wend", "For i = 1 To 2 Step 0 : Next",
          "On Error Resume Next\r\nDo Until Score > 1 : Score = 1 - Score : Loop",
          "x = 0 : Do While x >= 0 : x = (x + 1) Mod 7 : Loop"}) {
        const size_t boxes = prompts.History().size();
        EXPECT_TRUE(Run(loop)) << loop;
        ASSERT_EQ(prompts.History().size(), boxes + 1) << loop;
        EXPECT_EQ(prompts.History().back().text, ScriptErrorBox("Script execution timed out")) << loop;
    }
    SetClock(nullptr);
    ExpectTheGamePlaysOn();
}

TEST_F(ScriptsInGameBadInput, DeepRecursionRunsOutOfStackSpaceWhateverTheRoute) {
    WriteLibrary("Sub Down(n)\r\n  If n < 1000000 Then Down n + 1\r\nEnd Sub\r\n"
                 "Function Ping(n) : Ping = Pong(n + 1) : End Function\r\n"
                 "Function Pong(n) : Pong = Ping(n + 1) : End Function\r\n"
                 "Function ByEval(n) : ByEval = Eval(\"Again(\" & (n + 1) & \")\") : End Function\r\n"
                 "Function Again(n) : Again = ByEval(n) : End Function\r\n"
                 "Sub ByExecute(n) : Execute \"ByExecute \" & (n + 1) : End Sub\r\n"
                 "Sub ByGlobal(n) : ExecuteGlobal \"ByGlobal \" & (n + 1) : End Sub\r\n"
                 "Function ByName(n) : Set f = GetRef(\"ByName\") : ByName = f(n + 1) : End Function\r\n"
                 "Class Knot\r\n  Property Get Self : Self = Me.Self : End Property\r\n"
                 "  Public Default Function Item(n) : Item = Me(n + 1) : End Function\r\nEnd Class\r\n");
    StartHall();
    ASSERT_TRUE(prompts.History().empty()) << prompts.History()[0].text;
    for (const std::string deep :
         {"Down 0", "x = Ping(0)", "x = ByEval(0)", "ByExecute 0", "ByGlobal 0", "x = ByName(0)",
          "Set k = New Knot : x = k.Self", "Set k = New Knot : x = k(0)",
          "On Error Resume Next\r\nDown 0\r\nScore = Err.Number"}) {
        const size_t boxes = prompts.History().size();
        const bool failed = Run(deep);
        if (deep.starts_with("On Error")) {
            // Scripts can catch it and go on.
            EXPECT_FALSE(failed);
            EXPECT_EQ(GetVariableValue(session.State.Vars, "Score"), 28);
            continue;
        }
        EXPECT_TRUE(failed) << deep;
        ASSERT_EQ(prompts.History().size(), boxes + 1) << deep;
        // Through Execute the box names the statement that ran out.
        EXPECT_TRUE(prompts.History().back().text.starts_with(ScriptErrorBox("Out of stack space")))
            << deep << ": " << prompts.History().back().text;
    }
    ExpectTheGamePlaysOn();
}

TEST_F(ScriptsInGameBadInput, AVariableNamedLikeAFixedObjectIsRefusedWithItsName) {
    for (const std::string name : {"Hotspot", "Action"}) {
        project.WriteVariables({name, "Score"});
        project.WriteFrame("Hall", {});
        const size_t before = prompts.History().size();
        StartGame(); // the second engine, prepared at the reset, refuses it already
        ASSERT_EQ(prompts.History().size(), before + 1) << name;
        const std::string refusal = prompts.History().back().text;
        EXPECT_NE(refusal.find(name), std::string::npos) << refusal;
        // Every script is told again; the variables before the clash still work.
        EXPECT_FALSE(Run(name + " = 4 : Score = " + name + " + 1"));
        EXPECT_EQ(GetVariableValue(session.State.Vars, "Score"), 5);
        ASSERT_EQ(prompts.History().size(), before + 2) << name;
        EXPECT_EQ(prompts.History().back().text, refusal);
    }
}

TEST_F(ScriptsInGameBadInput, DamagedLibrariesGiveTheirMessageAndTheGamePlaysOn) {
    // Three lines: the header alone.
    project.WriteBytes("Config/Procedures", "h1\r\nh2\r\nh3");
    StartHall();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Error loading projet procedures."});
    ExpectTheGamePlaysOn();

    // Scrambled lines whose bytes (their shift included) lie outside 32-126: each either cannot
    // be read or reads as text the engine refuses, with a message; nothing is run.
    project.WriteBytes("Config/More", "[General]\r\nProcEncr=1\r\n");
    for (const std::string& line :
         {std::string("\x01zx"), std::string("\xFF\x80\x9F\xFE"), std::string("#\x7F\x01\x1B"),
          std::string("#Sub\0A", 6), std::string(4000, '\xFF')}) {
        WriteLibrary(line + "\r\n");
        const size_t before = prompts.History().size();
        StartHall();
        ASSERT_GT(prompts.History().size(), before) << line;
        const std::string refusal = prompts.History().back().text;
        EXPECT_TRUE(refusal == "Error loading projet procedures." ||
                    refusal.starts_with(ScriptErrorBox("")))
            << refusal;
        // A library the engine refuses is a syntax error, shown twice for each script.
        const size_t boxes = prompts.History().size();
        EXPECT_TRUE(Run("Score = 9"));
        EXPECT_EQ(prompts.History().size(), boxes + 2);
    }
    project.WriteBytes("Config/More", "");
    WriteLibrary("Sub Fine : Score = 2 : End Sub");
    const size_t before = prompts.History().size();
    StartHall();
    EXPECT_EQ(prompts.History().size(), before);
    ExpectTheGamePlaysOn();
}

TEST_F(ScriptsInGameBadInput, AnEnormousLibraryLoadsAndIsCallable) {
    std::string library;
    int count = 0;
    while (library.size() < 5u * 1024 * 1024) {
        const std::string n = std::to_string(count++);
        library += "Function Step" + n + "(a)\r\n  Dim t : t = a + " + n +
                   "\r\n  Step" + n + " = t Mod 1000 ' a comment to fill the line\r\nEnd Function\r\n";
    }
    WriteLibrary(library);
    StartHall();
    ASSERT_TRUE(prompts.History().empty()) << prompts.History()[0].text;
    const std::string last = std::to_string(count - 1);
    EXPECT_FALSE(Run("Score = Step" + last + "(1) + Step0(2)"));
    EXPECT_EQ(GetVariableValue(session.State.Vars, "Score"), (count % 1000) + 2);
    ExpectTheGamePlaysOn();
}

} // namespace
} // namespace quillora
