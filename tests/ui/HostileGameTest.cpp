// A game window and a welcome window on hostile projects: events handled in the middle of the
// visibility pass, links to things other than web and mail addresses, absurd frame sizes.
#include "GameFixture.h"
#include "HostileGames.h"
#include "ui/GameLauncher.h"
#include "ui/WelcomeWindow.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

namespace quillora {
namespace {

class HostileGame : public test::GameFixture {};

TEST_F(HostileGame, AFrameOpenedDuringTheVisibilityPassEndsIt) {
    project.WriteBytes("Areas/anim.gif", test::TinyFramesGif(8, 8, 3));
    project.WriteVariables({"Show"});
    const test::HotspotSpec gif{.Number = 1,
                                .Animated = 1,
                                .HasPicture = true,
                                .Picture = "anim.gif",
                                .Conditions = true,
                                .MustBeOne = {"Show"}};
    const test::HotspotSpec plain{
        .Number = 2, .Left = 900, .Conditions = true, .MustBeOne = {"Show"}};
    project.WriteFrame("Hall", {});
    project.WriteHotspots("Hall", {gif, plain});
    project.WriteFrame("Cellar", {});
    project.WriteHotspots("Cellar",
                          {{.Number = 1, .Animated = 1, .HasPicture = true, .Picture = "anim.gif"},
                           {.Number = 2, .Left = 900}});
    Game& g = StartGame();
    ChangeVariableValue(session.State.Vars, "Show", 1);
    g.OpenFrame("Hall", false, 0, 0);
    const GameScene& scene = g.Scene();
    ASSERT_TRUE(scene.AniGifBox.Item(1)->Visible());

    // Hiding the animated picture handles window events; a timer due then (an automatic jump,
    // a queued click) opens another frame, whose elements replace those the pass was holding.
    ChangeVariableValue(session.State.Vars, "Show", 0);
    QTimer::singleShot(0, [&] { g.OpenFrame("Cellar", false, 0, 0); });
    g.ShowOrNotShowAreas();
    EXPECT_EQ(session.CurrentFrame.Name, "Cellar");
    // The rest of Hall's hotspot file is not applied to Cellar's hotspots.
    EXPECT_TRUE(scene.AniGifBox.Item(1)->Visible());
    EXPECT_TRUE(scene.Area.Item(2)->Visible());
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(HostileGame, AFrameSizeNoDisplayShowsIsRefusedByName) {
    general[6] = 32767;
    general[7] = 20000;
    Game& g = StartGame();
    ASSERT_EQ(BoxTexts().size(), 1u);
    EXPECT_NE(BoxTexts()[0].find("The frame size of 32767 x 20000 pixels"), std::string::npos)
        << BoxTexts()[0];
    EXPECT_EQ(g.Scene().Box.FramePixels(), QSize(640, 480));
    general[6] = kMaxFrameSide;
    general[7] = 4320;
    StartGame();
    EXPECT_EQ(BoxTexts().size(), 1u);
}

struct NoLauncher : GameLauncher {
    void LoadGameWindow() override {}
    void ResetAll() override {}
    void StartNewGame() override {}
    void ShowGameWindow() override {}
    void ShowLoadGameWindow() override {}
};

TEST_F(HostileGame, TheWelcomeWindowOpensOnlyWebAndPlainMailAddresses) {
    NoLauncher launcher;
    const auto ask = [&](const std::string& email, const std::string& homepage) {
        general[9] = email;
        general[10] = homepage;
        project.WriteGeneral(general);
        WelcomeWindow window(project.Root(), launcher);
        window.Load();
        const size_t before = prompts.History().size();
        prompts.QueueAnswer("No");
        prompts.QueueAnswer("No");
        QTest::mouseClick(window.txtEmail, Qt::LeftButton);
        QTest::mouseClick(window.txtHomepage, Qt::LeftButton);
        std::vector<std::string> texts;
        for (size_t i = before; i < prompts.History().size(); ++i)
            texts.push_back(prompts.History()[i].text);
        return texts;
    };
    auto texts = ask(" author@example.org ", "www.example.org/game");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find(" mailto:author@example.org ?"), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find(" http://www.example.org/game ? "), std::string::npos) << texts[1];

    texts = ask("a@example.org?attach=/etc/passwd", "file:///home/me/evil.sh");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "This address cannot be opened:\r\na@example.org?attach=/etc/passwd\r\n\r\n"
                        "Only plain e-mail addresses (name@example.com) are opened.");
    EXPECT_NE(texts[1].find("file:///home/me/evil.sh\r\n\r\nOnly web addresses"),
              std::string::npos);
}

} // namespace
} // namespace quillora
