// Components scripts add by ProgID: the built-in classes, their slots and names, their events
// reaching the procedure library with the parameter collection, and what unloading leaves.
#include "ScriptFixture.h"
#include "core/Clock.h"
#include "project/ErrorMessages.h"
#include "scene/SceneElement.h"
#include "scripting/ScriptComponents.h"

#include <filesystem>

namespace quillora::test {
namespace {

class ComponentsTest : public ScriptFixture {
protected:
    // The element of the picture box named `name`, or nullptr.
    SceneElement* Element(const std::string& name) const {
        for (SceneElement* element : window.box.Elements()) {
            if (element->Name() == name) return element;
        }
        return nullptr;
    }
    void CopyFixture(const std::string& file) {
        std::filesystem::create_directories(project.Root() + "Areas");
        std::filesystem::copy_file(std::string(QUILLORA_MEDIA_FIXTURES) + "/" + file,
                                   project.Root() + "Areas/" + file);
    }
};

TEST_F(ComponentsTest, BuiltInClassesAreInstalledAndTakeSlotsThatAreNeverReused) {
    Start();
    // ProgIDs compare without regard to case; an unknown one is not installed, silently.
    ASSERT_FALSE(Run("Counter = IsComponentInstalled(\"mediaplayer.MEDIAPLAYER.1\") + "
                     "IsComponentInstalled(\"VB.Label\") + IsComponentInstalled(\"vb.timer\")\r\n"
                     "Flag = IsComponentInstalled(\"MSComctlLib.TreeCtrl.2\")"));
    EXPECT_EQ(Var("Counter"), -3);
    EXPECT_EQ(Var("Flag"), 0);
    EXPECT_TRUE(prompts.History().empty());
    EXPECT_EQ(Element("ProgIDTestComponent"), nullptr); // the test control went again

    ASSERT_FALSE(Run("AddComponent \"MediaPlayer.MediaPlayer.1\", \"Player\"\r\n"
                     "AddComponent \"VB.Label\", \"Sign\"\r\n"
                     "AddComponent \"VB.Label\", \"PLAYER\"\r\n"
                     "AddComponent \"VB.Label\", \"two words\"\r\n"
                     "AddComponent \"No.Such\", \"Ghost\"\r\n"
                     "Component(\"sign\").Caption = \"Open\"\r\n"
                     "Counter = Component(\"SIGN\").Visible\r\n"
                     "RemoveComponent \"nobody\""));
    const AdditionalComponents& components = scripts->Components();
    EXPECT_EQ(
        BoxTexts(),
        (std::vector<std::string>{
            CommonErrorText(" A component named \"PLAYER\" already exists. Please use a different "
                            "name."),
            CommonErrorText(" The component name must not contain spaces or other special "
                            "characters."),
            CommonErrorText(" Error in Game.AddAdditionalComponent. The component is probably not "
                            "installed properly.  ",
                            "ActiveX component can't create object"),
            CommonErrorText(" The component named \"nobody\" could not be removed because it "
                            "could not be found.")}));
    // The failed creation kept its entry and slot, as the bookkeeping does.
    EXPECT_EQ(components.ComponentsCount(), 3);
    EXPECT_TRUE(components.DoesComponentExist("ghost"));
    // Components are elements of the frame picture box under their lower-case names, hidden
    // until a script shows them.
    ASSERT_NE(Element("player"), nullptr);
    ASSERT_NE(Element("sign"), nullptr);
    EXPECT_EQ(Element("sign")->Caption(), "Open");
    EXPECT_EQ(Var("Counter"), 0);

    // A reference kept past the removal fails as an unloaded control; the element is gone.
    EXPECT_TRUE(
        Run("Set s = Component(\"Sign\")\r\nRemoveComponent \"sign\"\r\ns.Caption = \"x\""));
    EXPECT_EQ(Element("sign"), nullptr);
    ASSERT_EQ(BoxTexts().size(), 5u);
    EXPECT_EQ(BoxTexts().back(), ScriptErrorText("Object was unloaded"));
    // The same name again takes a new slot.
    ASSERT_FALSE(Run("AddComponent \"Forms.Label.1\", \"Sign\""));
    EXPECT_EQ(components.ComponentsCount(), 4);
    const VariablesCollection& list = components.ComponentsList();
    EXPECT_EQ(list.Item(list.Count())->Name, "sign");
    EXPECT_EQ(list.Item(list.Count())->Value, 4);

    // The game reset removes every component from the picture box.
    scripts->ResetForGame();
    EXPECT_EQ(components.ComponentsCount(), 0);
    EXPECT_EQ(Element("player"), nullptr);
    EXPECT_EQ(Element("sign"), nullptr);

    // A game cannot pile up controls without end: past the limit creation fails as usual.
    ASSERT_FALSE(Run("For i = 1 To 1001 : AddComponent \"VB.Timer\", \"t\" & i : Next"));
    EXPECT_EQ(
        BoxTexts().back(),
        CommonErrorText(" Error in Game.AddAdditionalComponent. The component is probably not "
                        "installed properly.  ",
                        "Out of memory"));
    EXPECT_EQ(BoxTexts().size(), 6u);
    EXPECT_NE(Element("t1000"), nullptr);
    EXPECT_EQ(Element("t1001"), nullptr);
}

TEST_F(ComponentsTest, EventsReachTheirHandlersWithTheParameterCollection) {
    project.WriteVariables({"Counter", "Flag", "Ups", "Doubles", "Mode"});
    Start("Sub Sign_Click(p)\r\nCounter = Counter + 1 + p.Count\r\nEnd Sub\r\n"
          "Sub SIGN_MouseDown(p)\r\nFlag = p(\"button\").Value * 1000 + p(3) \\ 15 + "
          "Len(p.Item(1).Name)\r\nEnd Sub\r\n"
          "Sub Sign_MouseUp(p)\r\nUps = Ups + 1\r\nEnd Sub\r\n"
          "Sub Sign_DblClick(p)\r\nDoubles = Doubles + 1\r\n"
          "If Mode = 7 Then p(\"Cancel\") = True\r\n"
          "If Mode = 8 Then p(0).Value = \"not a Boolean\"\r\nEnd Sub\r\n"
          "Sub Other_Click(p)\r\nCounter = Counter + 100\r\nEnd Sub\r\n"
          "Sub Broken_Click(p)\r\nCounter = 1 / 0\r\nEnd Sub");
    ASSERT_FALSE(
        Run("AddComponent \"VB.Label\", \"Sign\"\r\nAddComponent \"VB.Label\", \"Other\"\r\n"
            "AddComponent \"VB.Label\", \"Broken\"\r\nAddComponent \"VB.Label\", \"Bare\"\r\n"
            "InterceptComponentEvents \"Bare\""));
    // A component without handlers leaves interception off, without a message.
    const AdditionalComponents& components = scripts->Components();
    EXPECT_EQ(components.ComponentWithEventsName(), "");
    SceneElement& sign = *Element("sign");
    SceneElement& other = *Element("other");
    sign.OnClick(); // not intercepted yet: nobody hears it
    EXPECT_EQ(Var("Counter"), 0);

    ASSERT_FALSE(Run("InterceptComponentEvents \"sign\""));
    EXPECT_EQ(components.EventsList(),
              (std::vector<std::string>{"click", "mousedown", "mouseup", "dblclick"}));
    sign.OnMouseDown({.Button = 2, .Shift = 0, .X = 30, .Y = 150});
    EXPECT_EQ(Var("Flag"), 2000 + 10 + 5); // Button, Y in twips, the name "Shift"
    sign.OnClick();
    EXPECT_EQ(Var("Counter"), 1); // a click has no parameters
    other.OnClick();              // only the intercepted component is heard
    EXPECT_EQ(Var("Counter"), 1);

    // A second press soon after a click is a double click: DblClick instead of MouseDown, and
    // no Click. The by-reference Cancel comes back to the label, which then ignores the rest of
    // that click (no MouseUp).
    ManualClock clock(1000);
    SetClock(&clock);
    const auto press = [&] {
        sign.OnMouseDown({.Button = 1});
        sign.OnMouseUp({.Button = 1});
        sign.OnClick();
    };
    ASSERT_FALSE(Run("Counter = 0 : Ups = 0"));
    press();
    clock.Advance(0.2);
    press();
    EXPECT_EQ(Var("Counter"), 1);
    EXPECT_EQ(Var("Doubles"), 1);
    EXPECT_EQ(Var("Ups"), 2);
    ASSERT_FALSE(Run("Mode = 7"));
    press();
    clock.Advance(0.2);
    press();
    EXPECT_EQ(Var("Counter"), 2);
    EXPECT_EQ(Var("Doubles"), 2);
    EXPECT_EQ(Var("Ups"), 3);
    ASSERT_FALSE(Run("Mode = 8"));
    press();
    clock.Advance(0.2);
    press();
    EXPECT_EQ(Var("Ups"), 5); // no Boolean in Cancel: nothing cancelled
    // Two clicks further apart are two clicks.
    press();
    clock.Advance(0.6);
    press();
    SetClock(nullptr);
    EXPECT_EQ(Var("Counter"), 5);
    EXPECT_EQ(Var("Doubles"), 3);
    EXPECT_TRUE(prompts.History().empty());

    // Intercepting another component stops delivery for the first.
    ASSERT_FALSE(Run("InterceptComponentEvents \"Other\""));
    sign.OnClick();
    other.OnClick();
    EXPECT_EQ(Var("Counter"), 105);
    // A failing handler shows the description alone; the game goes on.
    ASSERT_FALSE(Run("InterceptComponentEvents \"Broken\""));
    Element("broken")->OnClick();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{CommonErrorText("", "Division by zero")});
    // While everything is stopped no handler runs.
    ASSERT_FALSE(Run("InterceptComponentEvents \"Sign\""));
    session.Flags.StopEverything = true;
    sign.OnClick();
    session.Flags.StopEverything = false;
    EXPECT_EQ(Var("Counter"), 105);
    // A handler that removes its own component ends cleanly.
    ASSERT_FALSE(Run("Counter = 0"));
    project.WriteBytes("Config/Procedures",
                       "h1\r\nh2\r\nh3\r\nSub Sign_Click(p)\r\nAction.RemoveComponent \"Sign\"\r\n"
                       "Counter = 5\r\nEnd Sub\r\n");
    scripts->ResetForGame();
    ASSERT_FALSE(Run("AddComponent \"VB.Label\", \"Sign\"\r\nInterceptComponentEvents \"Sign\""));
    Element("sign")->OnClick();
    EXPECT_EQ(Var("Counter"), 5);
    EXPECT_EQ(Element("sign"), nullptr);
    EXPECT_EQ(components.ComponentWithEventsName(), "");
}

TEST_F(ComponentsTest, TheMediaPlayerPlaysToItsEndAndTellsTheHandler) {
    CopyFixture("short.wav");
    Start("Sub Player_PlayStateChange(p)\r\nFlag = Flag * 10 + p(\"NewState\")\r\nEnd Sub\r\n"
          "Sub Player_EndOfStream(p)\r\nCounter = Counter + 1 + p(\"Result\")\r\nEnd Sub");
    ASSERT_FALSE(Run("AddComponent \"MediaPlayerCtl.MediaPlayer\", \"Player\"\r\n"
                     "InterceptComponentEvents \"Player\"\r\n"
                     "Set p = Component(\"player\")\r\np.Volume = -600\r\n"
                     "p.FileName = \"Areas\\SHORT.WAV\""));
    EXPECT_EQ(Var("Flag"), 2); // the file starts at once (AutoStart)
    ASSERT_TRUE(PumpUntil([&] { return Var("Counter") == 1; }));
    EXPECT_EQ(Var("Flag"), 20);
    ASSERT_FALSE(Run("Set p = Component(\"player\")\r\nCounter = p.PlayState + p.Volume\r\n"
                     "p.AutoStart = False : p.FileName = \"Areas\\short.wav\"\r\n"
                     "Flag = p.PlayState"));
    EXPECT_EQ(Var("Counter"), -600);
    EXPECT_EQ(Var("Flag"), 0);
    // Pause keeps the place; Stop returns to the start; each change reaches the handler.
    ASSERT_FALSE(Run("Set p = Component(\"player\")\r\np.Play : p.Pause : Counter = p.PlayState\r\n"
                     "p.Stop : Flag = Flag * 10 + p.PlayState"));
    EXPECT_EQ(Var("Counter"), 1);
    EXPECT_EQ(Var("Flag"), 2100 + 0);
    EXPECT_TRUE(prompts.History().empty());

    // A missing file and a bad volume fail in the script, as the control's members do.
    EXPECT_TRUE(Run("Component(\"player\").FileName = \"Areas\\none.wav\""));
    EXPECT_TRUE(Run("Component(\"player\").Volume = 1"));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{ScriptErrorText("File not found"),
                                                    ScriptErrorText("Invalid property value")}));

    // A handler that makes the player raise the event again nests only so deep.
    project.WriteBytes(
        "Config/Procedures",
        "h1\r\nh2\r\nh3\r\nSub Player_PlayStateChange(p)\r\nCounter = Counter + 1\r\n"
        "If p(\"NewState\") = 2 Then Component(\"Player\").Stop Else "
        "Component(\"Player\").Play\r\nEnd Sub\r\n");
    scripts->ResetForGame();
    ASSERT_FALSE(Run("AddComponent \"MediaPlayer.MediaPlayer\", \"Player\"\r\n"
                     "Set p = Component(\"Player\")\r\n"
                     "p.AutoStart = False : p.FileName = \"Areas\\short.wav\"\r\n"
                     "Counter = 0 : InterceptComponentEvents \"Player\" : p.Play"));
    EXPECT_EQ(Var("Counter"), AdditionalComponents::kMaxEventNesting);
    EXPECT_EQ(BoxTexts().size(), 2u);

    // A handler that removes the player at its end: the player goes, the game goes on.
    project.WriteBytes("Config/Procedures", "h1\r\nh2\r\nh3\r\nSub Player_EndOfStream(p)\r\n"
                                            "Action.RemoveComponent \"Player\"\r\nCounter = 9\r\n"
                                            "End Sub\r\n");
    scripts->ResetForGame();
    ASSERT_FALSE(Run("AddComponent \"MediaPlayer.MediaPlayer\", \"Player\"\r\n"
                     "InterceptComponentEvents \"Player\"\r\n"
                     "Component(\"Player\").FileName = \"Areas\\short.wav\""));
    ASSERT_TRUE(PumpUntil([&] { return Var("Counter") == 9; }));
    EXPECT_EQ(Element("player"), nullptr);
    EXPECT_EQ(BoxTexts().size(), 2u);
}

TEST_F(ComponentsTest, TheTimerTicksUntilItsHandlerStopsIt) {
    Start("Sub Tick_Timer(p)\r\nCounter = Counter + 1\r\n"
          "If Counter = 3 Then Action.Component(\"tick\").Enabled = False\r\nEnd Sub");
    ASSERT_FALSE(Run("AddComponent \"VB.Timer\", \"Tick\"\r\nInterceptComponentEvents \"Tick\"\r\n"
                     "Component(\"Tick\").Interval = 5"));
    ASSERT_TRUE(PumpUntil([&] { return Var("Counter") == 3; }));
    ASSERT_FALSE(
        Run("Flag = Component(\"Tick\").Enabled + 2 * (Component(\"Tick\").Interval = 5)"));
    EXPECT_EQ(Var("Flag"), -2);
    EXPECT_TRUE(Run("Component(\"Tick\").Interval = 70000"));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{ScriptErrorText("Invalid property value")});
}

} // namespace
} // namespace quillora::test
