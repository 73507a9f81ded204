// Games played one after the other in one process: each starts from the same state, because
// every game has a session of its own.
#include "game/GameSession.h"
#include "ProjectWriter.h"
#include "app/PlayerIcon.h"
#include "app/PlayerSession.h"
#include "core/Prompts.h"
#include "core/ValueListWriter.h"
#include "services/SettingsStore.h"
#include "ui/Game.h"

#include <QTest>

#include <gtest/gtest.h>

namespace quillora {
namespace {

// Everything a session holds that a new game must not inherit, as text.
std::string Snapshot(const GameSession& session) {
    ValueListWriter out;
    WriteState(session.State, out);
    const VBScriptActionModule& action = session.Action;
    out.WriteLine({session.CurrentFrame.Name, session.Flags.StopEverything,
                   int32_t{action.iHotspotNumber}, action.sFrameToLoad,
                   session.AutoJump.AutoJumpTransition, session.Audio.State.FadeDuration});
    for (int c = 1; c <= kSoundChannelCount; ++c) {
        const SoundChannel& channel = session.Audio.Channels[c];
        out.WriteLine(
            {int32_t{channel.Player}, int32_t{channel.Command}, channel.FileName, channel.Volume});
    }
    return out.Bytes();
}

TEST(GameSessionLifetime, TwoGamesInOneProcessStartFromIdenticalState) {
    test::ProjectWriter project;
    test::FileValues general = test::GeneralFields();
    general[4] = "Hall";
    project.WriteGeneral(general);
    project.WriteVariables({"Lamp"});
    project.WriteItem("Key", "key.ico");
    test::FrameSpec hall;
    hall.AutoJumpTransition = true;
    project.WriteFrame("Hall", hall);
    project.WriteFrame("Cellar", {});
    project.WriteHotspots("Hall", {{.Number = 1}});
    // The click changes a variable, hides the hotspot, takes the key, runs a script, sets a
    // channel up with a fade and goes down to the cellar.
    project.WriteActions("Hall", {{.ChangeSwitch = 1,
                                   .Variable = "Lamp",
                                   .Toggle = true,
                                   .Disappear = true,
                                   .GoToFrame = 1,
                                   .Frame = "Cellar",
                                   .RunScript = true,
                                   .Script = "x = 1",
                                   .FadeMs = 2000,
                                   .ChannelRows = {3, true, false, 4, ""},
                                   .AddItem = true,
                                   .Item = "Key"}});
    test::TempFolder settingsFolder;
    SettingsStore settings(QString::fromStdString(settingsFolder.Path()));
    ScriptedPrompts prompts;
    SetPrompts(&prompts);
    SetSettings(&settings);

    PlayerSession player(project.Root());
    ASSERT_TRUE(player.Start());
    std::vector<std::string> starts;
    for (int game = 0; game < 2; ++game) {
        player.LoadGameWindow();
        player.ResetAll();
        player.StartNewGame();
        ASSERT_NE(player.CurrentGame(), nullptr);
        starts.push_back(Snapshot(*player.CurrentGame()));
        player.GameWindow()->MakeActionAndConsequences(1, 0);
        EXPECT_NE(Snapshot(*player.CurrentGame()), starts.back()) << "the click changed nothing";
        EXPECT_EQ(player.CurrentGame()->CurrentFrame.Name, "Cellar");
        player.GameWindow()->StartUnloading();
        for (int wait = 0; wait < 100 && player.CurrentGame() != nullptr; ++wait)
            QTest::qWait(20);
        ASSERT_EQ(player.CurrentGame(), nullptr) << "the game did not end";
    }
    EXPECT_EQ(starts[0], starts[1]);
    EXPECT_TRUE(prompts.History().empty()) << prompts.History()[0].text;
    SetPrompts(nullptr);
    SetSettings(nullptr);
}

TEST(PlayerIcon, DrawnAtEverySizeAndInstalledAsTheWindowDrawsIt) {
    for (const int size : {16, 48, 256}) {
        const QImage icon = DrawPlayerIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0) << size; // rounded corners
        EXPECT_EQ(icon.pixelColor(size / 2, size - size / 8).alpha(), 255) << size; // the sea
    }
    EXPECT_EQ(PlayerIcon().availableSizes().size(), 7);
    const QImage installed(QUILLORA_DATA_DIR "/quillora-run.png");
    ASSERT_FALSE(installed.isNull()) << "data/quillora-run.png is missing: run make-icon";
    EXPECT_EQ(installed.convertToFormat(QImage::Format_ARGB32_Premultiplied), DrawPlayerIcon(256))
        << "data/quillora-run.png differs from the drawing: run build/tools/make-icon";
}

} // namespace
} // namespace quillora
