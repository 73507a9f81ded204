// The save and load windows on a running game: name checks and questions, removing, replaying a
// saved game into a reset game, and a damaged save that changes nothing.
#include "GameFixture.h"
#include "project/ErrorMessages.h"
#include "savegames/SavedGameStore.h"
#include "ui/LoadGameDialog.h"
#include "ui/SaveGameDialog.h"
#include "ui/SavedGamesList.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTimer>

#include <filesystem>

namespace quillora {
namespace {

class SavedGamesInGame : public test::GameFixture {
protected:
    std::string FileText(const std::string& name) {
        QFile file(QString::fromStdString(project.Root() + name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
    }
};

TEST_F(SavedGamesInGame, TheSaveWindowChecksNamesAsksBeforeReplacingAndRemoves) {
    StartGame();
    std::string bytes = "first\r\n";
    SaveGameDialog dialog([&] { return bytes; }, QImage(), nullptr);
    dialog.SetName("a/b");
    dialog.Save();
    dialog.SetName("   ");
    dialog.Save();
    ASSERT_EQ(prompts.History().size(), 2u);
    EXPECT_EQ(prompts.History()[0].text, Text(35) + "\r\n\" \\ / : * ? < > | ,");
    EXPECT_EQ(prompts.History()[0].title, "Test Adventure");
    EXPECT_EQ(prompts.History()[1].text, Text(23));
    EXPECT_EQ(prompts.History()[1].title, Text(21));

    dialog.SetName("mine");
    dialog.Save();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(FileText("mine.sav"), "first\r\n");

    SaveGameDialog again([&] { return bytes; }, QImage(), nullptr);
    bytes = "second\r\n";
    again.SetName("mine");
    prompts.QueueAnswer("Cancel");
    again.Save();
    EXPECT_EQ(prompts.History().back().text, "'mine' already exists. Do you want to replace it?");
    EXPECT_EQ(FileText("mine.sav"), "first\r\n");
    prompts.QueueAnswer("OK");
    again.Save();
    EXPECT_EQ(FileText("mine.sav"), "second\r\n");

    // A folder stands where the file would go: the classic failure box, and the window stays.
    std::filesystem::create_directories(project.Root() + "stuck.sav");
    SaveGameDialog failing([&] { return bytes; }, QImage(), nullptr);
    failing.SetName("stuck");
    prompts.QueueAnswer("OK");
    failing.Save();
    EXPECT_NE(failing.result(), QDialog::Accepted);
    EXPECT_EQ(prompts.History().back().text,
              CommonErrorText(" Unable to save '" + project.Root() +
                              "stuck.sav'.\r\nVerify that this file is not Read-Only and that "
                              "it does not contain any of the following characters: \" \\ / : "
                              "* ? < > | ,"));
    std::filesystem::remove(project.Root() + "stuck.sav");

    SaveGameDialog remover([&] { return bytes; }, QImage(), nullptr);
    remover.RemoveSelected();
    EXPECT_EQ(prompts.History().back().text, Text(9));
    ASSERT_TRUE(remover.List().Select("mine"));
    prompts.QueueAnswer("OK");
    remover.RemoveSelected();
    EXPECT_EQ(prompts.History().back().text, Text(27) + " '" + project.Root() + "mine.sav'?");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(project.Root() + "mine.sav")));
    EXPECT_EQ(remover.List().count(), 0);
}

TEST_F(SavedGamesInGame, ASavedGameIsReplayedIntoAResetGameAtItsResumeFrame) {
    project.WriteVariables({"Lamp", "Door"}, {"Name"});
    project.WriteFrame("Hall", {});
    project.WriteFrame("Porch", {});
    project.WriteItem("Key", "key.ico");
    project.WriteValues("Config/Resume", {1, 2, 3, 4, 5, 6, "Cellar", "Porch"});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    ChangeVariableValue(session.State.Vars, "Lamp", 1);

    GameSession saved;
    saved.State.Vars.Variables.Add("Door", -1);
    saved.State.Vars.Variables.Add("Gone", 4); // no longer in the project
    saved.State.Vars.Disappear.Add("Porch", 2);
    saved.State.InventoryItems = {"Key"};
    saved.State.FramesHistory = {"Hall", "Cellar"};
    saved.State.Vars.VariablesVariant.Add("Name", std::string("Ann"));
    WriteSavedGame("one", SavedGameBytes(saved, "Cellar", Project(), "01/02/2026"), QImage());

    const auto record = ReadSavedGameOrReport("one");
    ASSERT_TRUE(record);
    g.ReplaySavedGame(*record, false);
    EXPECT_EQ(session.CurrentFrame.Name, "Porch");
    const ProjectVariables& vars = session.State.Vars;
    EXPECT_EQ(GetVariableValue(vars, "Lamp"), 0);  // reset, then not in the save
    EXPECT_EQ(GetVariableValue(vars, "Door"), -1); // set exactly, not toggled
    EXPECT_EQ(GetVariableValue(vars, "Gone"), -32000);
    EXPECT_EQ(vars.VariablesVariant.Item(1)->Value, ListValue(std::string("Ann")));
    EXPECT_EQ(vars.Disappear.Count(), 1);
    EXPECT_EQ(session.State.InventoryItems, std::vector<std::string>{"Key"});
    EXPECT_EQ(session.State.FramesHistory, (std::vector<std::string>{"Hall", "Cellar", "Porch"}));
    EXPECT_TRUE(prompts.History().empty()) << prompts.History()[0].text;
}

TEST_F(SavedGamesInGame, ADamagedSaveLeavesTheRunningGameAsItWas) {
    project.WriteVariables({"Lamp"});
    project.WriteFrame("Hall", {});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    ChangeVariableValue(session.State.Vars, "Lamp", 1);
    project.WriteBytes("broken.sav", "\"Hall\"\r\n1\r\n\"Lamp\"\r\n");
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<LoadGameDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->Select("broken"));
        dialog->Load();
        stillOpen = dialog->isVisible();
        dialog->close();
    });
    g.ShowLoadGameWindow(false);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_NE(prompts.History()[0].text.find(" Unable to load '" + project.Root() + "broken.sav'."),
              std::string::npos);
    EXPECT_EQ(GetVariableValue(session.State.Vars, "Lamp"), 1);
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
}

TEST_F(SavedGamesInGame, AGameLoadedWhileAnItemSlidesInEndsTheActionThatWasRunning) {
    // Both hotspots add an item, whose bar slides in with window events running; a saved game is
    // loaded during the slide. The rest of the click (the action's message, its variable, the
    // hotspot's disappearing) belonged to the game that was left and must not reach the loaded
    // one. Hotspot 1 picks its item up before its action; hotspot 2's action adds it.
    project.WriteVariables({"Lamp"});
    project.WriteFrame("Hall", {});
    project.WriteItem("Key", "key.ico");
    project.WriteItem("Coin", "coin.ico");
    project.WriteHotspots("Hall", {{.Number = 1}, {.Number = 2, .Left = 1500}});
    project.WritePickups("Hall", {{1, "Key"}});
    project.WriteActions("Hall", {{.ChangeSwitch = 1,
                                   .Variable = "Lamp",
                                   .SetOne = true,
                                   .ShowMessage = true,
                                   .Message = "A key!",
                                   .Disappear = true},
                                  {.ShowMessage = true,
                                   .Message = "A coin!",
                                   .AddItem = true,
                                   .Item = "Coin"}});
    GameSession saved;
    WriteSavedGame("start", SavedGameBytes(saved, "Hall", Project(), "01/02/2026"), QImage());
    const auto record = ReadSavedGameOrReport("start");
    ASSERT_TRUE(record);
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    std::vector<std::string> shown;
    g.Messages().OnMessageShown = [&](const std::string& text) { shown.push_back(text); };

    for (const int hotspot : {1, 2}) {
        SCOPED_TRACE(hotspot);
        bool loaded = false;
        QTimer::singleShot(0, [&] {
            loaded = g.Items().Moving();
            g.ReplaySavedGame(*record, false);
        });
        g.AreaClick(hotspot, 1);
        ASSERT_TRUE(loaded) << "the game was not loaded during the slide";
        EXPECT_EQ(session.CurrentFrame.Name, "Hall");
        EXPECT_TRUE(shown.empty()) << shown[0];
        EXPECT_EQ(GetVariableValue(session.State.Vars, "Lamp"), 0);
        EXPECT_EQ(session.State.Vars.Disappear.Count(), 0);
        EXPECT_TRUE(session.State.InventoryItems.empty());
    }
}

TEST_F(SavedGamesInGame, ASaveAskedDuringAClickOpensOnceTheClickHasEnded) {
    // The hotspot's item slides into the bar (a wait with window events running) before its
    // action sets the variable; Ctrl+S pressed during the slide must not store the click half
    // done, where loading would give the item again.
    project.WriteVariables({"Lamp"});
    project.WriteFrame("Hall", {});
    project.WriteItem("Key", "key.ico");
    project.WriteHotspots("Hall", {{.Number = 1}});
    project.WritePickups("Hall", {{1, "Key"}});
    project.WriteActions("Hall", {{.ChangeSwitch = 1, .Variable = "Lamp", .SetOne = true}});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    // The save window records the game as it is when it shows, and is closed.
    int lampWhenShown = -1;
    size_t itemsWhenShown = 0;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<SaveGameDialog*>(QApplication::activeModalWidget())) {
            lampWhenShown = GetVariableValue(session.State.Vars, "Lamp");
            itemsWhenShown = session.State.InventoryItems.size();
            dialog->close();
        }
    });
    look.start(5);

    bool askedDuringSlide = false;
    bool windowDuringSlide = true;
    QTimer::singleShot(0, [&] {
        askedDuringSlide = g.Items().Moving();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier);
        QApplication::sendEvent(&g, &press);
        windowDuringSlide = QApplication::activeModalWidget() != nullptr || !g.SavePending();
    });
    g.AreaClick(1, 1);
    ASSERT_TRUE(askedDuringSlide) << "the key came after the slide";
    EXPECT_FALSE(windowDuringSlide);

    QEventLoop loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    QTimer done;
    QObject::connect(&done, &QTimer::timeout, [&] {
        if (lampWhenShown != -1) loop.quit();
    });
    done.start(5);
    loop.exec();
    EXPECT_EQ(lampWhenShown, 1) << "the save window did not open after the click";
    EXPECT_EQ(itemsWhenShown, 1u);
    EXPECT_FALSE(g.SavePending());
}

} // namespace
} // namespace quillora
