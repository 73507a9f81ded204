// The game window on the display (virtual modes, scaling, Alt+Enter) and the CD prompt.
#include "GameFixture.h"
#include "core/Clock.h"
#include "core/PathLookup.h"
#include "project/MediaPath.h"
#include "project/MultiCDModule.h"
#include "project/Resolutions.h"
#include "ui/RunFromCDDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include <deque>
#include <functional>

namespace quillora {
namespace {

class Display : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        // The one-second settling wait passes at once.
        SetClock(&clock);
    }
    void TearDown() override {
        RestoreDisplayMode();
        SetClock(nullptr);
        GameFixture::TearDown();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(game.get(), &press);
    }
    ManualClock clock{0, 0.25};
};

TEST_F(Display, VirtualModeScalesTheFullScreenGameAndScriptsSeeIt) {
    Game& g = StartGame();
    PictureBox& box = g.FrameArea();
    box.resize(1600, 1200);
    EXPECT_FALSE(ChangeDisplayResolution(0));
    EXPECT_FALSE(ChangeDisplayResolution(4));
    ASSERT_TRUE(ChangeDisplayResolution(3));
    box.resize(1600, 1200); // the window re-centred; the screen of this test stays this size
    EXPECT_EQ(GetScreenWidth(), 1024);
    EXPECT_EQ(GetScreenHeight(), 768);
    EXPECT_FALSE(ChangeDisplayResolution(3)); // already that wide
    // A 640x480 frame centred on a 1024x768 screen, the screen fitted to 1600x1200.
    EXPECT_EQ(box.FrameRectInWidget(), QRectF(300, 225, 1000, 750));
    // Drawn so: the frame, black around it (a box of its own, as the game window lays its own
    // out again when it is photographed).
    PictureBox alone;
    alone.resize(1600, 1200);
    alone.SetDisplay(VirtualDisplaySize(), false);
    alone.SetBackColor(0xFFFFFF);
    const QImage shown = alone.grab().toImage();
    EXPECT_EQ(shown.pixelColor(305, 230), QColor(255, 255, 255));
    EXPECT_EQ(shown.pixelColor(295, 230), QColor(0, 0, 0));

    // Sharp scaling keeps whole factors: the 1024x768 screen is shown once, centred.
    g.SetSharpScaling(true);
    box.resize(1600, 1200);
    EXPECT_EQ(box.ScreenRectInWidget(), QRectF(288, 216, 1024, 768));
    EXPECT_EQ(box.FrameRectInWidget(), QRectF(480, 360, 640, 480));
    EXPECT_EQ(settings.GetSetting("Software", "TestProject", "SharpScaling"), "True");

    g.SetSharpScaling(false);
    box.resize(1600, 1200);
    EXPECT_EQ(box.FrameRectInWidget(), QRectF(300, 225, 1000, 750));

    // Closing the game gives the screen its own size back.
    g.close();
    EXPECT_NE(GetScreenWidth(), 1024);
    EXPECT_TRUE(VirtualDisplaySize().isEmpty());
}

TEST_F(Display, AltEnterSwitchesBetweenFullScreenAndWindowAtAnyTime) {
    Game& g = StartGame();
    EXPECT_EQ(g.windowTitle().toStdString(), "Test Adventure");
    EXPECT_FALSE(g.Windowed());
    ChangeDisplayResolution(2);
    Key(Qt::Key_Return, Qt::AltModifier);
    EXPECT_TRUE(g.Windowed());
    EXPECT_TRUE(g.MenuBarShown());
    EXPECT_EQ(g.windowTitle().toStdString(), "Test Adventure");
    // A window shows the frame at its own size, whatever the virtual mode.
    g.FrameArea().resize(640, 480);
    EXPECT_EQ(g.FrameArea().FrameRectInWidget(), QRectF(0, 0, 640, 480));
    g.HideMenus();
    EXPECT_TRUE(g.MenuBarShown());
    Key(Qt::Key_Enter, Qt::AltModifier);
    EXPECT_FALSE(g.Windowed());
    EXPECT_FALSE(g.MenuBarShown());
    EXPECT_TRUE(g.windowState() & Qt::WindowFullScreen);
}

// Answers CD prompts as they show, one step for each prompt or retry.
class PromptAnswers : public QObject {
public:
    explicit PromptAnswers(std::deque<std::function<void(RunFromCDDialog&)>> steps)
        : m_steps(std::move(steps)) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<RunFromCDDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || m_steps.empty()) return;
            messages.push_back(dialog->lblMessage->text().toStdString());
            auto step = std::move(m_steps.front());
            m_steps.pop_front();
            step(*dialog);
        });
        m_timer.start(1);
    }
    std::vector<std::string> messages;

private:
    QTimer m_timer;
    std::deque<std::function<void(RunFromCDDialog&)>> m_steps;
};

class MultiCD : public Display {
protected:
    void SetUp() override {
        Display::SetUp();
        project.WriteBytes("RunFromCD.dat", "");
        project.WriteValues("Config/CDContents",
                            {0, 0, 0, 2, 0, 0, "song.txt", 2, 2, "far.txt", 7, 2});
    }
    // Starts the game (which reads the index) with the automatic jump armed.
    Game& StartMultiCD() {
        Game& g = StartGame();
        LoadCDIndex();
        g.AutoJumpTimer().start(60000);
        return g;
    }
    std::string Asked() const { return Paths().Areas + "song.txt"; }
    // Where the file lies on a disc (temporary folders end with "/").
    const std::string onDisc = "Data/Test Adventure/Areas/song.txt";
    test::TempFolder disc;
};

TEST_F(MultiCD, PromptAnsweredWithAFolderHoldingTheFileResumesTheGame) {
    test::TempFolder empty;
    test::ProjectWriter(disc.Path()).WriteBytes(onDisc, "la");
    StartMultiCD();
    PromptAnswers answers({
        [](RunFromCDDialog& d) {
            d.SetDrive("/no/such/drive");
            d.Ok(); // text 38; the prompt stays
        },
        [&](RunFromCDDialog& d) {
            d.SetDrive(empty.Path()); // a readable folder without the file
            d.Ok();
        },
        [&](RunFromCDDialog& d) {
            d.SetDrive(CDDriveEntry(disc.Path()));
            d.Ok();
        },
    });
    EXPECT_EQ(ResolveMediaPath(Asked(), false), disc.Path() + onDisc);
    ASSERT_EQ(answers.messages.size(), 3u);
    EXPECT_EQ(answers.messages[0],
              "Please insert the CD#2 in the CD-Rom drive and click OK to continue...");
    ASSERT_EQ(BoxTexts().size(), 2u);
    EXPECT_EQ(BoxTexts()[0], Text(38));
    EXPECT_EQ(BoxTexts()[1], Text(45) + "\r\n\r\n" + empty.Path() + onDisc + "\r\n\r\n" + Text(46));
    // The timers run as before the prompt, and the drive is remembered for the next file.
    EXPECT_TRUE(game->AutoJumpTimer().isActive());
    EXPECT_EQ(settings.GetSetting("Software", "TestProject", "DriveLetter"), disc.Path());
    EXPECT_EQ(ResolveMediaPath(Asked(), false), disc.Path() + onDisc);
    EXPECT_EQ(answers.messages.size(), 3u);
}

TEST_F(MultiCD, CancelEndsTheGameWithoutAMissingFileMessage) {
    StartMultiCD();
    PromptAnswers answers({[](RunFromCDDialog& d) { d.Cancel(); }});
    const std::string result = ResolveMediaPath(Asked(), session.Flags.StopEverything);
    EXPECT_FALSE(PathLookup::Instance().FileExists(result));
    EXPECT_EQ(answers.messages.size(), 1u);
    EXPECT_TRUE(session.Flags.StopEverything);
    EXPECT_TRUE(game->FrameArea().isHidden());
    EXPECT_FALSE(game->AutoJumpTimer().isActive());
    EXPECT_TRUE(BoxTexts().empty());
    // Everything stopped: no further prompt.
    ResolveMediaPath(Asked(), session.Flags.StopEverything);
    EXPECT_EQ(answers.messages.size(), 1u);
}

TEST_F(MultiCD, CopiedDiscsAreUsedWithoutAPromptAndUnknownCDsAreMissing) {
    project.WriteBytes("CD2/" + onDisc, "la");
    StartMultiCD();
    PromptAnswers answers({[](RunFromCDDialog& d) { d.Cancel(); }});
    EXPECT_EQ(ResolveMediaPath(Asked(), false), project.Root() + "CD2/" + onDisc);
    // "far.txt" is listed on CD 7 of 2: not in the index, so a plain missing file.
    const std::string far = Paths().Areas + "far.txt";
    EXPECT_EQ(ResolveMediaPath(far, false), far);
    EXPECT_TRUE(answers.messages.empty());
    ASSERT_EQ(BoxTexts().size(), 1u);
    EXPECT_EQ(BoxTexts()[0], Text(33) + "\r\n" + far + "\r\n\r\n" + Text(34));
}

} // namespace
} // namespace quillora
