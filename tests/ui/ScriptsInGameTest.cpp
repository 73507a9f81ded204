// Author scripts in a running game: the named objects, the error box, the time-out, requests
// carried out after the script, the procedure library and the start-up script of a loaded game.
#include "GameFixture.h"
#include "core/Clock.h"
#include "game/Actions.h"
#include "game/Variables.h"
#include "savegames/SavedGameFile.h"
#include "savegames/SavedGameStore.h"
#include "scripting/ScriptHost.h"

namespace quillora {
namespace {

class ScriptsInGame : public test::GameFixture {
protected:
    bool Run(const std::string& code) { return game->Scripts().ExecuteVBScript(code, false); }
    bool RunWithConsequences(const std::string& code) {
        return ExecuteVBScriptAndConsequences(*game, session, code, false);
    }
};

TEST_F(ScriptsInGame, VariablesAndActionAreNamedObjectsWithTheirMembersReachable) {
    project.WriteVariables({"Score", "Lamp"}, {"Hero"});
    StartGame();
    EXPECT_FALSE(Run("Score = Score + 7 : Hero = \"Ann\" & Lamp\r\n"
                     "GoToFrame \"Hall\", 1.5, 3 : Action.bPopupSaveGame = True"));
    const ProjectVariables& vars = session.State.Vars;
    EXPECT_EQ(GetVariableValue(vars, "Score"), 7);
    EXPECT_EQ(vars.VariablesVariant.Item(1)->Value, ListValue(std::string("Ann0")));
    EXPECT_EQ(session.Action.sFrameToLoad, "Hall");
    EXPECT_EQ(session.Action.dTransitionDuration, 1.5);
    EXPECT_EQ(session.Action.iTransitionNumber, 3);
    EXPECT_TRUE(session.Action.bPopupSaveGame);
    EXPECT_TRUE(prompts.History().empty());

    // Nothing a script leaves in the global scope survives; the variables do.
    EXPECT_FALSE(Run("Dim kept : kept = 5 : Score = 1"));
    EXPECT_TRUE(Run("If IsEmpty(kept) Then Err.Raise 5"));
    EXPECT_EQ(GetVariableValue(vars, "Score"), 1);

    // An integer variable keeps its range: the script fails, the value stays.
    EXPECT_TRUE(Run("Score = 40000"));
    EXPECT_EQ(GetVariableValue(vars, "Score"), 1);
    ASSERT_FALSE(prompts.History().empty());
    EXPECT_EQ(prompts.History().back().text, ScriptErrorBox("Overflow"));
    EXPECT_EQ(prompts.History().back().title, Text(29));
}

TEST_F(ScriptsInGame, ErrorsShowTheScriptBoxAndASyntaxErrorShowsItTwice) {
    project.WriteVariables({"Action"}); // clashes with the Action object
    StartGame(); // the second engine, prepared at the reset, has refused the object already
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_TRUE(Run("Action.Quit"));
    ASSERT_EQ(prompts.History().size(), 3u); // the refused object, then the failing call
    EXPECT_EQ(prompts.History()[2].text,
              ScriptErrorBox("Object doesn't support this property or method: 'Action.Quit'"));
    EXPECT_FALSE(session.Action.bStopGame);

    project.WriteVariables({"Lamp"});
    StartGame();
    const size_t before = prompts.History().size();
    EXPECT_TRUE(Run("x = 1 / 0"));
    ASSERT_EQ(prompts.History().size(), before + 1);
    EXPECT_EQ(prompts.History().back().text, ScriptErrorBox("Division by zero"));

    EXPECT_TRUE(Run("If Then"));
    EXPECT_EQ(prompts.History().size(), before + 3);

    // An empty script still runs; nothing runs while everything is stopped.
    EXPECT_FALSE(Run(""));
    session.Flags.StopEverything = true;
    EXPECT_FALSE(Run("x = 1 / 0"));
    EXPECT_EQ(prompts.History().size(), before + 3);
}

TEST_F(ScriptsInGame, TheProcedureLibraryIsCallableAndMoreSetsTheTimeOut) {
    project.WriteBytes("Config/Procedures",
                       "h1\r\nh2\r\nh3\r\nFunction Twice(n)\r\n  Twice = n * 2\r\nEnd Function");
    project.WriteBytes("Config/More", "[General]\r\nScriptTimeOut=2\r\n");
    project.WriteVariables({"Score"});
    StartGame();
    EXPECT_EQ(game->Scripts().ScriptTimeout(), 2000);
    EXPECT_FALSE(Run("Score = Twice(21)"));
    EXPECT_EQ(GetVariableValue(session.State.Vars, "Score"), 42);

    // A runaway loop ends at the time-out, measured on the game's clock.
    ManualClock clock(100, 0.01);
    SetClock(&clock);
    const bool failed = Run("Do : Loop");
    SetClock(nullptr);
    EXPECT_TRUE(failed);
    EXPECT_EQ(prompts.History().back().text, ScriptErrorBox("Script execution timed out"));

    project.WriteBytes("Config/More", "[General]\r\nScriptTimeOut=0\r\n");
    StartGame();
    EXPECT_EQ(game->Scripts().ScriptTimeout(), kDefaultScriptTimeoutMs);
}

TEST_F(ScriptsInGame, ScriptFilesStayInsideTheGame) {
    project.WriteVariables({"Lines"});
    project.WriteBytes("notes.txt", "one\r\ntwo\r\n");
    StartGame();
    const std::string read = "Set fs = CreateObject(\"Scripting.FileSystemObject\")\r\n";
    EXPECT_FALSE(Run(read + "Set f = fs.OpenTextFile(\"" + project.Root() +
                     "/notes.txt\") : f.ReadLine : Lines = 1\r\n"
                            "f.ReadLine : Lines = 2"));
    EXPECT_EQ(GetVariableValue(session.State.Vars, "Lines"), 2);
    EXPECT_TRUE(Run(read + "fs.OpenTextFile(\"/etc/passwd\")"));
    EXPECT_EQ(prompts.History().back().text, ScriptErrorBox("Permission denied"));
    // Scripts can catch the refusal and go on.
    EXPECT_FALSE(Run(read + "On Error Resume Next\r\nfs.CreateTextFile \"/quillora-outside.txt\"\r\n"
                            "Lines = Err.Number"));
    EXPECT_EQ(GetVariableValue(session.State.Vars, "Lines"), 70);

    game->Scripts().SetTrustScripts(true); // an author testing a game lifts it
    game->ResetAll();
    EXPECT_FALSE(Run(read + "fs.OpenTextFile(\"/etc/passwd\").ReadLine"));
}

TEST_F(ScriptsInGame, RequestsAreCarriedOutAfterTheScript) {
    project.WriteFrame("Hall", {});
    project.WriteFrame("Porch", {});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    // One entry of history: going back opens nothing, in any letter case.
    EXPECT_FALSE(RunWithConsequences("Action.sFrameToLoad = \"LAST VISITED FRAME\""));
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");

    EXPECT_FALSE(RunWithConsequences("Action.GoToFrame \"Porch\", 0, 0"));
    EXPECT_EQ(session.CurrentFrame.Name, "Porch");
    EXPECT_FALSE(RunWithConsequences("sFrameToLoad = \"last visited frame\""));
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");

    // A quit wins over the frame change asked before it.
    EXPECT_FALSE(RunWithConsequences("GoToFrame \"Porch\", 0, 0 : Quit"));
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
    EXPECT_TRUE(session.Action.bStopGame);

    // A failed script asks for nothing.
    EXPECT_TRUE(RunWithConsequences("GoToFrame \"Porch\", 0, 0 : Err.Raise 5"));
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
}

TEST_F(ScriptsInGame, ResetModuleKeepsTheHotspotAndInventoryMethodsWork) {
    project.WriteItem("Key", "key.ico");
    project.WriteItem("Rope", "rope.ico");
    StartGame();
    session.Action.iHotspotNumber = 4;
    EXPECT_FALSE(Run("Action.ResetModule : If GetHotspotNumber() <> 4 Or iTransitionNumber <> 1 "
                     "Then Err.Raise 5"));
    EXPECT_FALSE(Run("AddItem \"Key\", True : AddItem \"Rope\", True : AddItem \"key\", True"));
    EXPECT_EQ(session.State.InventoryItems, (std::vector<std::string>{"Key", "Rope", "key"}));
    EXPECT_FALSE(Run("RemoveItem \"KEY\", False"));
    EXPECT_EQ(session.State.InventoryItems, (std::vector<std::string>{"Key", "Rope"}));
    EXPECT_FALSE(Run("RemoveAllItems"));
    EXPECT_TRUE(session.State.InventoryItems.empty());
    EXPECT_TRUE(Run("AddItem \"Key\"")); // a missing argument is the script's error
    EXPECT_EQ(prompts.History().back().text,
              ScriptErrorBox("Wrong number of arguments or invalid property assignment"));
}

TEST_F(ScriptsInGame, TheStartUpScriptOfALoadedGameSeesTheLoadedValues) {
    project.WriteVariables({"Door", "Seen"});
    project.WriteFrame("Hall", {});
    general[51] = true;
    general[52] = "If Door = 5 Then Seen = 1";
    Game& g = StartGame();
    GameSession saved;
    saved.State.Vars.Variables.Add("Door", 5);
    WriteSavedGame("one", SavedGameBytes(saved, "Hall", Project(), "01/02/2026"), QImage());
    const auto record = ReadSavedGameOrReport("one");
    ASSERT_TRUE(record);
    g.ReplaySavedGame(*record, false);
    EXPECT_EQ(GetVariableValue(session.State.Vars, "Seen"), 1);
    EXPECT_TRUE(prompts.History().empty()) << prompts.History()[0].text;
}

} // namespace
} // namespace quillora
