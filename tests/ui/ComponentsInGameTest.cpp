// Components in a running game: a media player component drawn in the frame like a video, kept
// across frames and removed by the game reset, and a label that takes the player's clicks.
#include "GameFixture.h"
#include "scene/SceneElement.h"
#include "scripting/ScriptComponents.h"
#include "scripting/ScriptHost.h"

#include <QTest>

#include <chrono>
#include <filesystem>

namespace quillora {
namespace {

class ComponentsInGame : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        std::filesystem::create_directories(project.Root() + "Areas");
        std::filesystem::copy_file(std::string(QUILLORA_MEDIA_FIXTURES) + "/clip-cinepak.avi",
                                   project.Root() + "Areas/clip-cinepak.avi");
        project.WriteFrame("Hall", {});
        project.WriteFrame("Cellar", {});
    }
    bool Run(const std::string& code) { return game->Scripts().ExecuteVBScript(code, false); }
    SceneElement* Element(const std::string& name) const {
        for (SceneElement* element : game->Scene().Box.Elements()) {
            if (element->Name() == name) return element;
        }
        return nullptr;
    }
    // Handles window events until `done`, for a few seconds at most.
    static bool PumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            QTest::qWait(5);
        }
        return true;
    }
};

TEST_F(ComponentsInGame, AMediaPlayerComponentIsDrawnInTheFrameUntilTheGameIsReset) {
    project.WriteVariables({"State"});
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    ASSERT_FALSE(Run("Action.AddComponent \"MediaPlayer.MediaPlayer.1\", \"Screen\"\r\n"
                     "Set s = Action.Component(\"screen\")\r\n"
                     "s.PlayCount = 0 : s.FileName = \"Areas\\clip-cinepak.avi\"\r\n"
                     "s.Move 150, 300 : s.Visible = True"));
    SceneElement* screen = Element("screen");
    ASSERT_NE(screen, nullptr);
    // At the video's own size (AutoSize), where the script put it.
    EXPECT_EQ(screen->PixelRect(), QRect(10, 20, 96, 64));
    // The video's pictures show in the frame: the area is no longer the black background.
    const auto drawn = [&] {
        const QImage frame = g.Scene().Box.Capture();
        for (int y = 20; y < 84; y += 4) {
            for (int x = 10; x < 106; x += 4) {
                if ((frame.pixel(x, y) & 0xFFFFFF) != 0) return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(PumpUntil(drawn));
    EXPECT_EQ(g.Scene().Box.Capture().pixel(200, 200) & 0xFFFFFF, 0u); // the rest stays black

    // Another frame keeps it, playing; the game reset removes it from the frame.
    g.OpenFrame("Cellar", false, 0, 0);
    ASSERT_EQ(Element("screen"), screen);
    EXPECT_TRUE(screen->Visible());
    ASSERT_FALSE(Run("State = Action.Component(\"Screen\").PlayState"));
    EXPECT_EQ(GetVariableValue(session.State.Vars, "State"), 2);
    g.ResetAll();
    EXPECT_EQ(Element("screen"), nullptr);
    EXPECT_EQ(g.Scripts().Components().ComponentsCount(), 0);
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(ComponentsInGame, ALabelOverAHotspotTakesThePlayersClicksOnlyWhileItShows) {
    project.WriteVariables({"Clicks", "Lamp"});
    project.WriteHotspots("Hall",
                          {{.Number = 1, .Left = 0, .Top = 0, .Width = 3000, .Height = 3000}});
    project.WriteActions("Hall", {{.ChangeSwitch = 1, .Variable = "Lamp", .Toggle = true}});
    project.WriteBytes("Config/Procedures",
                       "h1\r\nh2\r\nh3\r\nSub Sign_Click(p)\r\nClicks = Clicks + 1\r\nEnd Sub");
    Game& g = StartGame();
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.OpenFrame("Hall", false, 0, 0);
    ASSERT_FALSE(Run("Action.AddComponent \"Forms.Label.1\", \"Sign\"\r\n"
                     "Action.Component(\"Sign\").Move 0, 0, 1500, 1500\r\n"
                     "Action.InterceptComponentEvents \"Sign\""));
    PictureBox& box = g.Scene().Box;
    const QPoint inside = box.FrameToWidget(QPointF(50, 50)).toPoint();
    const auto value = [&](const char* name) { return GetVariableValue(session.State.Vars, name); };
    // Hidden, as a control added at run time is: the hotspot under it takes the click.
    QTest::mouseClick(&box, Qt::LeftButton, {}, inside);
    EXPECT_EQ(value("Lamp"), 1);
    EXPECT_EQ(value("Clicks"), 0);
    ASSERT_FALSE(Run("Action.Component(\"Sign\").Visible = True"));
    QTest::mouseClick(&box, Qt::LeftButton, {}, inside);
    EXPECT_EQ(value("Clicks"), 1);
    EXPECT_EQ(value("Lamp"), 1);
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(ComponentsInGame, AComponentIsAControlOfTheWindowUnderItsLowerCaseNameUntilRemoved) {
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    session.State.AllowControlsReferences = 2;
    ASSERT_FALSE(Run("Action.AddComponent \"VB.Label\", \"Sign\"\r\n"
                     "WindowObject.sign.Caption = \"Open\"\r\n"
                     "MsgBox Action.Component(\"SIGN\").Caption & \" \" & "
                     "WindowObject.Sign.Caption"));
    ASSERT_FALSE(prompts.History().empty());
    EXPECT_EQ(prompts.History().back().text, "Open Open");
    ASSERT_FALSE(Run("Action.RemoveComponent \"Sign\"\r\nOn Error Resume Next\r\n"
                     "Set c = WindowObject.sign\r\nMsgBox Err.Number"));
    EXPECT_EQ(prompts.History().back().text, "438");
}

} // namespace
} // namespace quillora
