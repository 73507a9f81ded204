// The welcome window's start-up sequence, layout and buttons.
#include "ProjectWriter.h"
#include "core/Prompts.h"
#include "core/Twips.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "services/SettingsStore.h"
#include "ui/GameLauncher.h"
#include "ui/WelcomeWindow.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quillora {
namespace {

struct RecordingLauncher : GameLauncher {
    std::vector<std::string> calls;
    void LoadGameWindow() override { calls.push_back("load"); }
    void ResetAll() override { calls.push_back("reset"); }
    void StartNewGame() override { calls.push_back("start"); }
    void ShowGameWindow() override { calls.push_back("show"); }
    void ShowLoadGameWindow() override { calls.push_back("load window"); }
};

class Welcome : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrompts(&prompts);
        SetSettings(&settings);
        Paths() = ProjectPaths();
    }
    void TearDown() override {
        SetPrompts(nullptr);
        SetSettings(nullptr);
    }
    // Writes General with changes and runs the welcome window's start-up.
    std::unique_ptr<WelcomeWindow>
    Start(const std::function<void(test::FileValues&)>& change = {}) {
        test::FileValues fields = test::GeneralFields();
        if (change) change(fields);
        project.WriteGeneral(fields);
        auto window = std::make_unique<WelcomeWindow>(project.Root(), launcher);
        loaded = window->Load();
        return window;
    }

    test::ProjectWriter project;
    test::TempFolder settingsFolder;
    SettingsStore settings{QString::fromStdString(settingsFolder.Path())};
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    bool loaded = false;
};

TEST_F(Welcome, RowsFollowOneAnotherAndEmptyOnesLeaveNoGap) {
    auto full = Start();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(full->txtVersion->y(), TwipsToPixels(3000));
    EXPECT_EQ(full->txtAuthor->y(), TwipsToPixels(3255));
    EXPECT_EQ(full->txtEmail->y(), TwipsToPixels(3510));
    EXPECT_EQ(full->txtHomepage->y(), TwipsToPixels(3765));
    EXPECT_EQ(full->lblHomepage->text().toStdString(), "Web site:");
    EXPECT_EQ(full->height(), TwipsToPixels(4020 + 150));
    EXPECT_EQ(full->width(), TwipsToPixels(4800));

    auto gaps = Start([](test::FileValues& f) {
        f[8] = ""; // author
        f[9] = ""; // e-mail
    });
    EXPECT_TRUE(gaps->txtAuthor->isHidden());
    EXPECT_TRUE(gaps->txtEmail->isHidden());
    EXPECT_EQ(gaps->txtHomepage->y(), TwipsToPixels(3255));
    EXPECT_EQ(gaps->height(), TwipsToPixels(3510 + 150));
}

TEST_F(Welcome, ResolutionOfferShowsItsTrimmedCaptionAndStoredChoice) {
    EXPECT_EQ(ResolutionCaption("Switch to 640 x 480.", 1), "Switch to 800x600.");
    EXPECT_EQ(ResolutionCaption("Switch to 640*480", 2), "Switch to 1024x768.");
    EXPECT_EQ(ResolutionCaption("640x480", 0), "640x480 640x480.");
    EXPECT_EQ(ResolutionCaption(".", 3), ".");
    settings.SaveSetting("Software", "TestProject", "ChangeResolution", "0");
    auto window = Start([](test::FileValues& f) {
        f[11] = 1; // offer the resolution
        f[34] = 2; // 1024x768, not this offscreen screen's size
    });
    EXPECT_FALSE(window->lblResolution->isHidden());
    EXPECT_FALSE(window->chkResolution->isChecked());
    EXPECT_EQ(window->lblResolution->y(), TwipsToPixels(4020));
    EXPECT_EQ(window->lblResolution->text().toStdString(),
              "Change display resolution to 1024x768.");
}

TEST_F(Welcome, ButtonsTakeTheirCaptionsAndLoadCanBeDisabled) {
    auto window = Start([](test::FileValues& f) { f[19] = true; });
    EXPECT_EQ(window->lblButton[0]->text().toStdString(), "Start");
    EXPECT_TRUE(window->lblButton[1]->isHidden());
    EXPECT_EQ(window->lblButton[2]->y(), TwipsToPixels(1560));
    EXPECT_EQ(settings.GetSetting("Software", "TestProject", "Path"), project.Root());
}

TEST_F(Welcome, StartRunsTheGameStepsInOrder) {
    auto window = Start();
    window->show();
    QTest::mouseClick(window->lblButton[0], Qt::LeftButton);
    EXPECT_EQ(launcher.calls, (std::vector<std::string>{"load", "reset", "start", "show"}));
    EXPECT_TRUE(window->isHidden());
    window->GameWindowUnloaded();
    EXPECT_TRUE(window->isVisible());
    QSignalSpy ending(window.get(), &WelcomeWindow::ProgramEnding);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(ending.count(), 1);
}

TEST_F(Welcome, SkipWelcomeStartsAtOnceAndEndsWithTheGame) {
    auto window = Start([](test::FileValues& f) { f[42] = true; });
    EXPECT_TRUE(loaded);
    EXPECT_EQ(launcher.calls, (std::vector<std::string>{"load", "reset", "start", "show"}));
    EXPECT_FALSE(window->isVisible());
    QSignalSpy ending(window.get(), &WelcomeWindow::ProgramEnding);
    window->GameWindowUnloaded();
    EXPECT_EQ(ending.count(), 1);
}

TEST_F(Welcome, MissingOrDamagedProjectInformation) {
    WelcomeWindow missing(project.Root(), launcher);
    EXPECT_FALSE(missing.Load());
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History()[0].text,
              "The following file is missing: " + project.Root() + "Config/General");
    EXPECT_EQ(prompts.History()[0].title, "Error");

    auto damaged = Start([](test::FileValues& f) { f.resize(30); });
    EXPECT_TRUE(loaded);
    ASSERT_EQ(prompts.History().size(), 2u);
    // The classic text first, then where the file went wrong.
    EXPECT_EQ(prompts.History()[1].text,
              Text(30) + "\r\n\r\n" + Text(31) + " Error loading project information.\r\n\r\n\"" +
                  project.Root() +
                  "Config/General\", line 31 (PopupInventoryOnAdd): the file ends where this "
                  "value was expected.");
    EXPECT_EQ(damaged->txtAdventureName->text().toStdString(), "Test Adventure");
}

} // namespace
} // namespace quillora
