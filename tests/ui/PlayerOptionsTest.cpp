// The player's own options in the game window: pause, sound levels kept per game, screenshots.
#include "GameFixture.h"
#include "TempFolder.h"
#include "game/TimerHold.h"
#include "media/Mixer.h"
#include "scripting/ScriptHost.h"
#include "scripting/TimedEvents.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTest>

#include <cstdlib>

namespace quillora {
namespace {

using test::FrameSpec;

class PlayerOptions : public test::GameFixture {
protected:
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(game.get(), &press);
    }
    Mixer& GameMixer() { return session.Audio.OutputMixer(); }
};

// A timer held for a while goes on with the time it had left, then with its full interval.
TEST(TimerHoldTest, HeldTimersKeepTheTimeTheyHadLeft) {
    QTimer repeating;
    repeating.start(200);
    QTimer idle;
    idle.setInterval(50);
    auto* gone = new QTimer;
    gone->start(100);
    QTest::qWait(60);
    TimerHold hold;
    hold.Hold(repeating);
    hold.Hold(idle);
    hold.Hold(*gone);
    EXPECT_EQ(hold.Count(), 2u); // a stopped timer is not held
    EXPECT_FALSE(repeating.isActive());
    delete gone;
    hold.Release();
    EXPECT_EQ(hold.Count(), 0u);
    EXPECT_FALSE(idle.isActive());
    ASSERT_TRUE(repeating.isActive());
    EXPECT_LT(repeating.interval(), 200); // the 60 ms that had run are not lost
    QTRY_COMPARE_WITH_TIMEOUT(repeating.interval(), 200, 2000);
    EXPECT_TRUE(repeating.isActive());
}

TEST_F(PlayerOptions, PauseHoldsTimedEventsTheAutomaticJumpSoundAndInput) {
    FrameSpec cellar;
    cellar.AutoJump = true;
    cellar.AutoJumpDelay = 0.15;
    cellar.AutoJumpFrame = "Attic";
    project.WriteFrame("Hall", {});
    project.WriteFrame("Cellar", cellar);
    project.WriteFrame("Attic", {});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    TimedEvents& events = g.Scripts().Events();
    g.RunScriptCode("CreateTimedEvent 0.1, \"GoToFrame \"\"Cellar\"\", 0, 1\", False");
    ASSERT_TRUE(events.Timer(1)->Running());

    Key(Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(g.Paused());
    EXPECT_FALSE(events.Timer(1)->Running());
    EXPECT_TRUE(GameMixer().Paused());
    QTest::qWait(300);
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
    // The game's keys and the frame's pointer input wait while paused.
    Key(Qt::Key_Escape);
    EXPECT_FALSE(g.MenuBarShown());
    session.Flags.StopMovie = false;
    QTest::mouseClick(&g.FrameArea(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(session.Flags.StopMovie);

    Key(Qt::Key_Pause);
    EXPECT_FALSE(g.Paused());
    EXPECT_FALSE(GameMixer().Paused());
    EXPECT_TRUE(events.Timer(1)->Running());
    QTRY_COMPARE_WITH_TIMEOUT(session.CurrentFrame.Name, std::string("Cellar"), 3000);

    // The frame timer of the automatic jump.
    ASSERT_TRUE(g.AutoJumpTimer().isActive());
    ASSERT_TRUE(g.SetPaused(true));
    EXPECT_FALSE(g.AutoJumpTimer().isActive());
    QTest::qWait(300);
    EXPECT_EQ(session.CurrentFrame.Name, "Cellar");
    ASSERT_TRUE(g.SetPaused(false));
    EXPECT_TRUE(g.AutoJumpTimer().isActive());
    QTRY_COMPARE_WITH_TIMEOUT(session.CurrentFrame.Name, std::string("Attic"), 3000);

    // A game that stops everything cannot be paused; a reset ends a pause.
    ASSERT_TRUE(g.SetPaused(true));
    g.ResetAll();
    EXPECT_FALSE(g.Paused());
    EXPECT_FALSE(GameMixer().Paused());
    g.StopEverything();
    EXPECT_FALSE(g.SetPaused(true));
    EXPECT_TRUE(prompts.History().empty());
}

// A drag (like a transition or the sliding bar) runs to its end first: the pause waits for it,
// and a second press takes the waiting pause back.
TEST_F(PlayerOptions, APauseAskedForDuringADragStartsWhenTheDragEnds) {
    project.WriteFrame("Hall", {});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    PictureBox& box = g.FrameArea();
    box.BeginDrag(g.Scene().BackImage, QCursor());
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(g.Paused());
    EXPECT_TRUE(g.PausePending());
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(g.PausePending());
    Key(Qt::Key_P, Qt::ControlModifier);
    QTest::qWait(150);
    EXPECT_FALSE(g.Paused()); // still dragging
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(box.IsDragging());
    QTRY_VERIFY_WITH_TIMEOUT(g.Paused(), 2000);
    EXPECT_FALSE(g.PausePending());
}

TEST_F(PlayerOptions, ThePauseSignShowsOverTheFrameButNotInItsPicture) {
    FrameSpec red;
    red.Background = "255";
    project.WriteFrame("Hall", red);
    general[40] = true; // windowed: the frame fills the box
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    PictureBox& box = g.FrameArea();
    box.resize(box.FramePixels());
    // Off-centre, away from the sign's symbol and word: the frame only dims there.
    const QPoint spot = box.FrameToWidget(QPointF(20, 20)).toPoint();
    const QPoint middle = box.FrameToWidget(QPointF(320, 240)).toPoint();
    EXPECT_EQ(box.grab().toImage().pixelColor(spot), QColor(Qt::red));
    g.SetPaused(true);
    const QImage paused = box.grab().toImage();
    EXPECT_LT(paused.pixelColor(spot).red(), 200);
    EXPECT_EQ(paused.pixelColor(spot).green(), 0);
    // The sign's white symbol stands across the middle row.
    int white = 0;
    for (int x = 0; x < paused.width(); ++x)
        white += paused.pixelColor(x, middle.y()).green() > 200 ? 1 : 0;
    EXPECT_GT(white, 10);
    EXPECT_EQ(box.Capture().pixelColor(20, 20), QColor(Qt::red));
    g.SetPaused(false);
    EXPECT_EQ(box.grab().toImage().pixelColor(spot), QColor(Qt::red));
}

TEST_F(PlayerOptions, SoundLevelsAreEachGamesOwnAndReachTheMixer) {
    Game& g = StartGame();
    EXPECT_EQ(g.Levels(), SoundLevels());
    Key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(g.Levels().Muted);
    EXPECT_TRUE(GameMixer().Levels().Muted);
    Key(Qt::Key_Down, Qt::ControlModifier);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(g.Levels().Master, 80);
    EXPECT_TRUE(g.Levels().Muted);
    EXPECT_DOUBLE_EQ(GameMixer().Levels().Master, 0.64);
    Key(Qt::Key_Up, Qt::ControlModifier); // turning up unmutes
    EXPECT_EQ(g.Levels().Master, 90);
    EXPECT_FALSE(g.Levels().Muted);
    SoundLevels expected;
    expected.Master = 90;
    EXPECT_EQ(LoadSoundLevels("TestProject"), expected);

    SoundLevels other;
    other.Music = 10;
    other.Muted = true;
    SaveSoundLevels("Other", other);
    Game& again = StartGame();
    EXPECT_EQ(again.Levels(), expected);
    general[0] = "Other";
    Game& another = StartGame();
    EXPECT_EQ(another.Levels(), other);
    EXPECT_DOUBLE_EQ(GameMixer().Levels().Music, 0.01);
    EXPECT_TRUE(GameMixer().Levels().Muted);
    // Levels back to full for the tests that follow in this process.
    another.SetSoundLevels(SoundLevels(), false);
}

// Points the user's pictures folder into a temporary home for one test.
class TemporaryHome {
public:
    TemporaryHome() : m_home(std::getenv("HOME")), m_config(std::getenv("XDG_CONFIG_HOME")) {
        setenv("HOME", m_folder.Path().c_str(), 1);
        // No user-dirs file there: the pictures folder is ~/Pictures.
        setenv("XDG_CONFIG_HOME", (m_folder.Path() + "config").c_str(), 1);
    }
    ~TemporaryHome() {
        Restore("HOME", m_home);
        Restore("XDG_CONFIG_HOME", m_config);
    }
    std::string Path() const { return m_folder.Path(); }

private:
    static void Restore(const char* name, const char* value) {
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    test::TempFolder m_folder;
    const char* m_home;
    const char* m_config;
};

TEST_F(PlayerOptions, TheScreenshotKeyWritesTheFrameAsAPngAndSaysWhere) {
    TemporaryHome home;
    FrameSpec red;
    red.Background = "255";
    project.WriteFrame("Hall", red);
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    g.SetPaused(true); // the sign is not part of the picture
    testing::internal::CaptureStderr();
    Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(prompts.History().empty()); // not the save window
    const QDir folder(QString::fromStdString(home.Path() + "Pictures/Test Adventure"));
    const QStringList files = folder.entryList({"*.png"}, QDir::Files);
    ASSERT_EQ(files.size(), 1) << said;
    const QString path = folder.filePath(files[0]);
    EXPECT_TRUE(files[0].startsWith("Test Adventure 2")) << files[0].toStdString();
    EXPECT_EQ(said, "Screenshot saved: " + path.toStdString() + "\n");
    const QImage shot(path, "PNG");
    EXPECT_EQ(shot.size(), QSize(640, 480));
    EXPECT_EQ(shot.pixelColor(320, 240), QColor(Qt::red));
    g.SetPaused(false);

    // The pictures folder cannot be made: one line says why, and the game goes on.
    QDir(QString::fromStdString(home.Path())).rename("Pictures", "Old");
    QFile blocker(QString::fromStdString(home.Path() + "Pictures"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    testing::internal::CaptureStderr();
    Key(Qt::Key_Print);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Screenshot not saved: " + home.Path() +
                  "Pictures/Test Adventure: Not a directory\n");
    EXPECT_TRUE(prompts.History().empty());
}

} // namespace
} // namespace quillora
