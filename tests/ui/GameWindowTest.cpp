// The game window: menus, keys, the variables window and the frame list.
#include "GameFixture.h"
#include "scripting/ScriptHost.h"

#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

namespace quillora {
namespace {

class GameWindow : public test::GameFixture {
protected:
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(game.get(), &press);
    }
};

TEST_F(GameWindow, MenuRulesOfFullScreenWindowedAndRemovedBars) {
    Game& full = StartGame();
    EXPECT_FALSE(full.MenuBarShown());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(full.MenuBarShown());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(full.MenuBarShown());

    general[40] = true; // windowed
    Game& windowed = StartGame();
    EXPECT_TRUE(windowed.MenuBarShown());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(windowed.MenuBarShown());
    windowed.HideMenus();
    EXPECT_TRUE(windowed.MenuBarShown());

    general[40] = false;
    general[47] = true; // no menu bar
    Game& removed = StartGame();
    Key(Qt::Key_Escape);
    EXPECT_FALSE(removed.MenuBarShown());
    prompts.QueueAnswer("No");
    Key(Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History()[0].text, "Do you really want to quit?");
    EXPECT_EQ(prompts.History()[0].title, "Test Adventure");

    // A removed bar stays away in a window too: the window is just the frame.
    general[40] = true;
    general[19] = true; // load disabled
    Game& windowedRemoved = StartGame();
    windowedRemoved.CenterWindowAndPictureBox();
    EXPECT_FALSE(windowedRemoved.MenuBarShown());
    EXPECT_FALSE(windowedRemoved.menuBar()->isVisible());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(windowedRemoved.MenuBarShown());
    EXPECT_EQ(windowedRemoved.height(), 480);
}

TEST_F(GameWindow, OptionsEntriesFollowTheProject) {
    general[45] = true; // hide "Disable Transitions"
    Game& g = StartGame();
    g.ShowMenus();
    const auto entries = g.findChildren<QAction*>();
    bool transitions = false, effects = false;
    for (const QAction* action : entries) {
        if (action->text() == "Disable Transitions") transitions = action->isVisible();
        if (action->text() == "Disable Real-Time Effects") effects = action->isVisible();
    }
    EXPECT_FALSE(transitions);
    EXPECT_TRUE(effects);
    g.EnableOrDisableEffects();
    EXPECT_EQ(settings.GetSetting("Software", "TestProject", "DisableEffects"), "True");
}

TEST_F(GameWindow, DebugSequenceMustBeTypedWithoutInterruption) {
    Game& g = StartGame();
    for (const int key : Game::kDebugKeys)
        Key(key);
    EXPECT_TRUE(g.DebugMenuShown());
    g.HideMenus();
    EXPECT_FALSE(g.DebugMenuShown());
    Key(Game::kDebugKeys[0]);
    Key(Game::kDebugKeys[1]);
    Key(Qt::Key_A);
    Key(Game::kDebugKeys[2]);
    Key(Game::kDebugKeys[3]);
    EXPECT_FALSE(g.DebugMenuShown());
}

TEST_F(GameWindow, FrameListAndVariablesWindow) {
    project.WriteFrame("b", {});
    project.WriteFrame("Attic", {});
    project.WriteBytes("Frames/.fme", "");
    std::vector<std::string> names;
    for (int i = 1; i <= 20; ++i)
        names.push_back("V" + std::to_string(i));
    project.WriteVariables(names);
    Game& g = StartGame();
    EXPECT_EQ(g.FrameListNames(), (std::vector<std::string>{"Attic", "b"}));

    const auto lines = VariablesStatusLines(session.State.Vars);
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines[3].size(), 85u);
    EXPECT_EQ(lines[5], "V1 = 0");
    ChangeVariableValue(session.State.Vars, "V1", 5);
    ChangeVariableValue(session.State.Vars, "V1", -1);
    EXPECT_EQ(GetVariableValue(session.State.Vars, "V1"), 4);
    EXPECT_EQ(GetVariableValue(session.State.Vars, "v1"), -32000);
    ShowVariablesStatus(session.State.Vars);
    ASSERT_EQ(prompts.History().size(), 2u);
    EXPECT_EQ(prompts.History()[1].title, "Variables Status");
    EXPECT_EQ(prompts.History()[1].text.substr(0, 54), std::string(52, ' ') + "\r\n");
    EXPECT_EQ(prompts.History()[1].text.find("VARIANT VARIABLES"), 54u + 2 + 27);
}

TEST_F(GameWindow, AProgramWaitTakesNoInputAndRestsTheAutomaticJump) {
    test::FrameSpec hall;
    hall.AutoJump = true;
    hall.AutoJumpDelay = 30;
    hall.AutoJumpFrame = "Hall";
    project.WriteFrame("Hall", hall);
    // The program waits (a bounded while) for the test to let it end.
    project.WriteBytes("External/tool.sh", "#!/bin/sh\nn=0\nwhile [ ! -f \"$0.go\" ] && "
                                           "[ $n -lt 1000 ]; do sleep 0.01; n=$((n+1)); done\n");
    const QString tool = QString::fromStdString(project.Root() + "External/tool.sh");
    QFile::setPermissions(tool, QFile::permissions(tool) | QFile::ExeOwner);
    Game& g = StartGame();
    g.Scripts().SetTrustScripts(true);
    g.OpenFrame("Hall", false, 0, 0);
    ASSERT_TRUE(g.AutoJumpTimer().isActive());

    bool enabledDuringWait = true;
    bool jumpDuringWait = true;
    QTimer::singleShot(0, [&] {
        enabledDuringWait = g.isEnabled();
        jumpDuringWait = g.AutoJumpTimer().isActive();
        QFile go(tool + ".go");
        go.open(QIODevice::WriteOnly);
    });
    g.RunScriptCode("Action.OpenExeFileAndWait \"tool.sh\"");
    EXPECT_FALSE(enabledDuringWait);
    EXPECT_FALSE(jumpDuringWait);
    EXPECT_TRUE(g.isEnabled());
    EXPECT_TRUE(g.AutoJumpTimer().isActive());
    EXPECT_TRUE(prompts.History().empty());
}

} // namespace
} // namespace quillora
