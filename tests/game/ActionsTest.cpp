// Hotspot actions: the effects of an action section, in their order, and the script requests.
#include "GameplayFixture.h"

namespace quillora {
namespace {

using test::ActionSpec;

class Actions : public test::GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        session.State.Vars.Variables.Add("Lamp", 1);
        session.State.Vars.Variables.Add("Door", 0);
        session.State.Vars.Variables.Add("Count", 5);
    }
};

TEST_F(Actions, VariableSwitchesApplyInOrderAndListsToo) {
    project.WriteActions(
        "Hall", {
                    {.ChangeSwitch = 1, .Variable = "Lamp", .SetZero = true, .Toggle = true},
                    {.ChangeSwitch = 0, .Variable = "Door", .SetOne = true},
                    {.ListSwitch = 1,
                     .ListZero = {"Lamp"},
                     .ListOne = {"Door", ""},
                     .ListToggle = {"Count"}},
                });
    EXPECT_EQ(Click(1), ActionOutcome::StayInFrame);
    EXPECT_EQ(Var("Lamp"), 1); // set to 0, then toggled
    Click(2);
    EXPECT_EQ(Var("Door"), 0); // the switch is off
    Click(3);
    EXPECT_EQ(Var("Lamp"), 0);
    EXPECT_EQ(Var("Door"), 1);
    EXPECT_EQ(Var("Count"), 4);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"visibility", "timed events", "visibility",
                                                    "timed events", "visibility", "timed events"}));
    EXPECT_EQ(Click(9), ActionOutcome::StayInFrame); // no such section
}

TEST_F(Actions, QuitAfterVariableChangesSkipsEverythingElse) {
    project.WriteActions("Hall", {{.ChangeSwitch = 1,
                                   .Variable = "Door",
                                   .SetOne = true,
                                   .ShowMessage = true,
                                   .Message = "Bye",
                                   .Quit = true,
                                   .GoToFrame = 1,
                                   .Frame = "Cellar",
                                   .RunScript = true,
                                   .Script = "x"}});
    EXPECT_EQ(Click(1), ActionOutcome::EndGame);
    EXPECT_EQ(Var("Door"), 1);
    EXPECT_TRUE(host.calls.empty());
    MakeActionAndConsequences(context, 1, 0);
    EXPECT_EQ(host.calls, std::vector<std::string>{"unload"});
}

TEST_F(Actions, OldSectionsEndingAfterValue23StillWork) {
    project.WriteActions("Hall",
                         {{.Disappear = true, .GoToFrame = 1, .Frame = "Cellar", .Through = 23},
                          {.ShowMessage = true, .Message = "Hello", .Through = 23}});
    EXPECT_EQ(Click(1), ActionOutcome::FrameOpened);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"visibility", "open Cellar"}));
    ASSERT_EQ(session.State.Vars.Disappear.Count(), 1);
    EXPECT_EQ(session.State.Vars.Disappear.Item(1)->Name, "Hall");
    EXPECT_EQ(session.State.Vars.Disappear.Item(1)->Value, 1);
    session.CurrentFrame.Name = "Hall";
    host.calls.clear();
    Click(2);
    // value 46 is absent: the message goes to a box
    EXPECT_EQ(host.calls, (std::vector<std::string>{"visibility", "box Hello", "timed events"}));
}

TEST_F(Actions, GoingBackAndScriptRequests) {
    project.WriteActions(
        "Hall",
        {
            {.GoBack = true},
            {.GoToFrame = 1, .Frame = "Cellar", .RunScript = true, .Script = "GoTo |Attic|"},
            {.GoToFrame = 1,
             .Frame = "Cellar",
             .UseTransition = 1,
             .TransitionMs = 1500,
             .TransitionNumber = 4},
            {.RunScript = true, .Script = "Back"},
        });
    host.script = [this](const std::string& code) {
        if (code == "GoTo \"Attic\"") session.Action.sFrameToLoad = "Attic";
        if (code == "Back") {
            session.Action.sFrameToLoad = "LAST VISITED FRAME";
            session.Action.bPopupSaveGame = true;
            session.Action.bPopupLoadGame = true;
        }
    };
    EXPECT_EQ(Click(1), ActionOutcome::StayInFrame); // one frame in the history
    host.calls.clear();
    EXPECT_EQ(Click(2), ActionOutcome::FrameOpened);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"script GoTo \"Attic\"", "visibility", "open Attic"}));
    EXPECT_EQ(session.Action.iHotspotNumber, 2);
    host.calls.clear();
    session.CurrentFrame.Name = "Hall"; // the recording host does not load Attic's files
    EXPECT_EQ(Click(1), ActionOutcome::FrameOpened); // back from Attic to Hall
    EXPECT_EQ(host.calls.back(), "open Hall");
    EXPECT_EQ(session.State.FramesHistory, std::vector<std::string>{"Hall"});
    host.calls.clear();
    Click(3);
    EXPECT_EQ(host.calls.back(), "open Cellar with 4 1.500000");
    host.calls.clear();
    session.CurrentFrame.Name = "Hall";
    EXPECT_EQ(Click(4), ActionOutcome::FrameOpened); // "last visited frame" goes back to Hall
    EXPECT_EQ(host.calls, (std::vector<std::string>{"script Back", "visibility", "open Hall"}));
}

TEST_F(Actions, ScriptRequestsWithConsequences) {
    host.script = [this](const std::string& code) {
        if (code == "both") {
            session.Action.bStopGame = true;
            session.Action.sFrameToLoad = "Cellar";
        } else if (code == "back") {
            session.Action.sFrameToLoad = "last visited frame";
            session.Action.bPopupSaveGame = true;
        }
    };
    ExecuteVBScriptAndConsequences(host, session, "both", true);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"script both", "visibility", "unload"}));
    host.calls.clear();
    ExecuteVBScriptAndConsequences(host, session, "back", true);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"script back", "visibility", "timed events",
                                                    "save window"}));
}

TEST_F(Actions, DropActionsAreKeyedByHotspotAndItem) {
    project.WriteItem("Key", "key.ico");
    project.WriteItem("Rope", "rope.ico");
    project.WriteDropActions("Hall",
                             {
                                 {.Key = "3_rope.drg", .ShowMessage = true, .Message = "Too short"},
                                 {.Key = "2_KEY.DRG",
                                  .ChangeSwitch = 1,
                                  .Variable = "Door",
                                  .SetOne = true,
                                  .Disappear = true},
                             });
    inventory.AddPickedObject("Key", true);
    inventory.AddPickedObject("Rope", true);
    EXPECT_EQ(MakeAction(context, 3, 1), ActionOutcome::StayInFrame); // key on 3: no such key
    EXPECT_EQ(Tags(), (std::vector<std::string>{"Key", "Rope"}));
    EXPECT_TRUE(host.calls.empty());
    MakeAction(context, 2, 1);
    EXPECT_EQ(Var("Door"), 1);
    EXPECT_EQ(Tags(), std::vector<std::string>{"Rope"}); // used up
    EXPECT_EQ(session.State.Vars.Disappear.Count(), 0);
}

TEST_F(Actions, ActionsSetUpTheChannelsAndAddItems) {
    project.WriteItem("Shell", "shell.ico");
    project.WriteActions("Hall", {{.FadeMs = 1500,
                                   .ChannelRows = {0, false, false, 7, "", 0, false, false, 7, "",
                                                   3, true, false, 0, ""},
                                   .AddItem = true,
                                   .Item = "Shell"},
                                  {.ShowMessage = true, .Message = "m"}});
    std::vector<test::FileValues> sections = {test::ActionSectionValues({.ShowMessage = true})};
    sections[0][15] = "maybe"; // not a switch value
    project.WriteSections("FramesData/Cellar.fm3", sections);
    Click(1);
    EXPECT_EQ(Tags(), std::vector<std::string>{"Shell"});
    EXPECT_TRUE(prompts.History().empty());

    session.CurrentFrame.Name = "Cellar";
    Click(1);
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(
        prompts.History()[0].text,
        Text(30) + "\r\n\r\n" + Text(31) +
            " Unable to make the action associated with the hotspot #1. Type mismatch\r\n\r\n\"" +
            project.Root() +
            "FramesData/Cellar.fm3\", line 16 (value 16): expected #TRUE#, #FALSE# or a "
            "number, found \"maybe\".");
}

} // namespace
} // namespace quillora
