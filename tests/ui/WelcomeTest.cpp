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

// Writes the scheme "Blue": its values, and pictures named in it.
void WriteScheme(test::ProjectWriter& project, const test::FileValues& values) {
    project.WriteValues("Schemes/Blue/Scheme.txt", values);
    project.WritePicture("Schemes/Blue/start.bmp", 90, 24, Qt::red);
    project.WritePicture("Schemes/Blue/exit.png", 70, 20, Qt::green);
    project.WritePicture("Schemes/Blue/tile.bmp", 7, 5, QColor(0, 0, 200));
}

QRgb PixelAt(QWidget& window, QPoint at) {
    return window.grab().toImage().pixel(at);
}

QPoint Centre(const QWidget* w) {
    return w->geometry().center();
}

TEST_F(Welcome, SchemeDrawsPictureButtonsTiledBackgroundAndColours) {
    WriteScheme(project, {0, 0, 0, 4, "start.bmp", "[NONE]", "EXIT.PNG", "tile.bmp", 4,
                          0x00FFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0, 0, 0, 1, 0, 1, true});
    auto window = Start([](test::FileValues& f) { f[15] = "Blue"; });
    // Picture buttons for Start and Exit, a text button for Load between them.
    EXPECT_FALSE(window->Img[0]->isHidden());
    EXPECT_TRUE(window->lblButton[0]->isHidden());
    EXPECT_EQ(window->Img[0]->size(), QSize(90, 24));
    EXPECT_TRUE(window->Img[1]->isHidden());
    EXPECT_FALSE(window->lblButton[1]->isHidden());
    EXPECT_EQ(window->lblButton[1]->text().toStdString(), "  Load...");
    EXPECT_FALSE(window->Img[2]->isHidden());
    EXPECT_TRUE(window->Img[3]->isHidden());
    EXPECT_EQ(PixelAt(*window, Centre(window->Img[0])), qRgb(255, 0, 0));
    EXPECT_EQ(PixelAt(*window, Centre(window->Img[2])), qRgb(0, 255, 0));
    // The tile covers the window, the background colour (yellow) shows nowhere.
    EXPECT_EQ(PixelAt(*window, QPoint(1, 1)), qRgb(0, 0, 200));
    EXPECT_EQ(PixelAt(*window, QPoint(window->width() - 2, window->height() - 2)),
              qRgb(0, 0, 200));
    EXPECT_EQ(window->txtAdventureName->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(window->txtAuthor->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(window->lblButton[1]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(window->txtAdventureName->isHidden());
    EXPECT_EQ(window->imgLogo->x(), TwipsToPixels(4440));

    // A picture button is clicked as its text button would be.
    window->show();
    QTest::mouseClick(window->Img[0], Qt::LeftButton);
    EXPECT_EQ(launcher.calls, (std::vector<std::string>{"load", "reset", "start", "show"}));
}

TEST_F(Welcome, SchemeWithoutBackgroundPictureOrOptionalGroups) {
    // Three entries, format level 3: the background colour applies, the button labels keep
    // their colour, and the value after the text colour starts the optional groups.
    WriteScheme(project, {0, 0, 0, 3, "[default]", "[none]", "missing.bmp", 3, 0x00FFFF,
                          0x0000FF, 0x00FF00, 0, 0, 0, 0});
    auto window = Start([](test::FileValues& f) { f[15] = "blue"; });
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(window->Img[i]->isHidden()) << i;
        EXPECT_FALSE(window->lblButton[i]->isHidden()) << i;
    }
    EXPECT_EQ(PixelAt(*window, QPoint(1, 1)), qRgb(255, 255, 0));
    EXPECT_NE(window->lblButton[0]->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_FALSE(window->txtAdventureName->isHidden());
    EXPECT_EQ(window->imgLogo->x(), TwipsToPixels(4560));
}

TEST_F(Welcome, DamagedSchemesApplyWhatCameBeforeTheDamage) {
    // Cut inside the colours: the pictures stand, no colour or tile applies.
    WriteScheme(project, {0, 0, 0, 4, "start.bmp", "[none]", "[none]", "tile.bmp", 4, 0x00FFFF,
                          test::FileValue::Raw("\"0000FF")});
    auto cut = Start([](test::FileValues& f) { f[15] = "Blue"; });
    EXPECT_FALSE(cut->Img[0]->isHidden());
    EXPECT_NE(PixelAt(*cut, QPoint(1, 1)), qRgb(0, 0, 200));
    EXPECT_NE(PixelAt(*cut, QPoint(1, 1)), qRgb(255, 255, 0));
    EXPECT_FALSE(cut->txtAdventureName->isHidden());

    // An absurd picture count, a count of 0 and an empty file: text buttons, no message.
    for (const test::FileValues& values :
         {test::FileValues{0, 0, 0, 99999999, "start.bmp"}, test::FileValues{0, 0, 0, 0, 4},
          test::FileValues{}}) {
        WriteScheme(project, values);
        auto window = Start([](test::FileValues& f) { f[15] = "Blue"; });
        EXPECT_TRUE(window->Img[0]->isHidden());
        EXPECT_FALSE(window->lblButton[0]->isHidden());
        EXPECT_EQ(window->lblButton[0]->text().toStdString(), "Start");
    }
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(Welcome, LinksAskFirstAndTheResolutionLabelStoresTheChoice) {
    auto window = Start([](test::FileValues& f) {
        f[11] = 1;
        f[34] = 2;
    });
    window->show();
    prompts.QueueAnswer("No");
    QTest::mouseClick(window->txtEmail, Qt::LeftButton);
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History()[0].text, Text(13) + " mailto:author@example.org ?");
    EXPECT_EQ(prompts.History()[0].title, "Test Adventure");
    prompts.QueueAnswer("No");
    QTest::mouseClick(window->imgLogo, Qt::LeftButton);
    EXPECT_EQ(prompts.History().back().title, "Quillora");

    ASSERT_TRUE(window->chkResolution->isChecked());
    QTest::mouseClick(window->lblResolution, Qt::LeftButton);
    EXPECT_FALSE(window->chkResolution->isChecked());
    EXPECT_EQ(settings.GetSetting("Software", "TestProject", "ChangeResolution"), "0");
    QTest::mouseClick(window->lblResolution, Qt::LeftButton);
    EXPECT_EQ(settings.GetSetting("Software", "TestProject", "ChangeResolution"), "1");
}

} // namespace
} // namespace quillora
