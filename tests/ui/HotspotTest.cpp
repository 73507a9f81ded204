// Hotspot loading, visibility, text boxes and the message bar.
#include "GameFixture.h"
#include "core/Twips.h"
#include "game/Hotspots.h"
#include "game/MessageBar.h"

namespace quillora {
namespace {

using test::HotspotSpec;
using test::TextSpec;

class Hotspots : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        project.WriteFrame("Hall", {});
        project.WriteFrame("Cellar", {});
    }
    const SceneElement& Area(int i) { return *game->Scene().Area.Item(i); }
};

TEST_F(Hotspots, ElementsSitInsideTheFileRectangleAndTakeTheirPictures) {
    project.WritePicture("Areas/key.bmp", 40, 20, Qt::yellow);
    HotspotSpec picture{.Number = 1,
                        .Left = 300,
                        .Top = 450,
                        .Width = 900,
                        .Height = 600,
                        .HasPicture = true,
                        .Picture = "KEY.bmp"};
    HotspotSpec tiny{.Number = 2, .Left = 0, .Top = 0, .Width = 60, .Height = 45};
    HotspotSpec stretched = picture;
    stretched.Number = 3;
    stretched.Stretch = 1;
    HotspotSpec old{.Number = 4, .WithSpeed = false};
    project.WriteHotspots("Hall", {picture, tiny, stretched, old});
    StartGame().OpenFrame("Hall", false, 0, 0);
    EXPECT_TRUE(prompts.History().empty()) << prompts.History()[0].text;
    EXPECT_EQ(Area(1).Left, 330);
    EXPECT_EQ(Area(1).Top, 480);
    EXPECT_EQ(Area(1).Width, PixelsToTwips(40)); // natural size of an unstretched picture
    EXPECT_EQ(Area(2).Width, 1);
    EXPECT_EQ(Area(2).Height, 1);
    EXPECT_EQ(Area(3).Width, 840);
    EXPECT_EQ(Area(3).Height, 540);
    EXPECT_TRUE(Area(4).Visible());
    EXPECT_EQ(Area(4).WhatsThisHelpID, 0);
    EXPECT_EQ(session.State.MergedHotspotIndex, 1);
}

TEST_F(Hotspots, MergedFilesWinAndGiveTheMergedIndex) {
    project.WriteHotspots("Hall", {{.Number = 1}});
    std::vector<HotspotSpec> merged;
    for (const int number : {1, 2, 3, 1, 2})
        merged.push_back({.Number = number});
    project.WriteHotspots("Hall", merged, true);
    StartGame().OpenFrame("Hall", false, 0, 0);
    EXPECT_EQ(game->Scene().Area.UBound(), 5);
    EXPECT_EQ(session.State.MergedHotspotIndex, 4);
    game->OpenFrame("Cellar", false, 0, 0);
    EXPECT_EQ(game->Scene().Area.UBound(), 0);
    EXPECT_EQ(session.State.MergedHotspotIndex, 1);
}

TEST_F(Hotspots, DamagedSectionIsReportedOnceAndTheOthersLoad) {
    std::vector<test::FileValues> sections = {
        test::HotspotSectionValues({.Number = 1, .Left = 100}),
        test::HotspotSectionValues({.Number = 2}),
        test::HotspotSectionValues({.Number = 3, .Left = 600})};
    sections[1][10] = "left";
    sections[1][11] = "top";
    sections[1].insert(sections[1].end() - 2, "extra value");
    sections.push_back(
        test::HotspotSectionValues({.Number = 4, .Left = 4.5e10})); // found by fuzzing
    project.WriteSections("FramesData/Hall.fm2", sections);
    StartGame().OpenFrame("Hall", false, 0, 0);
    ASSERT_EQ(prompts.History().size(), 2u);
    // The classic text, then the file and line of the first value that was wrong.
    EXPECT_EQ(prompts.History()[0].text,
              Text(30) + "\r\n\r\n" + Text(31) +
                  " Unable to load hotspot #2. Type mismatch\r\n\r\n\"" + project.Root() +
                  "FramesData/Hall.fm2\", line 45 (value 45): expected a number, found \"left\".");
    EXPECT_EQ(prompts.History()[1].text,
              Text(30) + "\r\n\r\n" + Text(31) + " Unable to load hotspot #4. Overflow");
    EXPECT_EQ(Area(1).Left, 130);
    EXPECT_EQ(Area(3).Left, 630);
}

TEST_F(Hotspots, VisibilityFollowsVariablesAndTheHiddenList) {
    project.WriteVariables({"Lamp", "Door", "Odd"});
    std::vector<test::HotspotSpec> hall{
        {.Number = 1, .Conditions = true, .MustBeOne = {"Lamp"}},
        {.Number = 2, .Conditions = true, .MustBeOne = {"Removed"}, .MustBeZero = {"Gone"}},
        {.Number = 3, .Conditions = true, .MustBeOne = {"Odd"}},
        {.Number = 4, .Conditions = false, .MustBeOne = {"Lamp"}},
        {.Number = 5, .Conditions = true, .MustBeZero = {"Door"}},
    };
    project.WriteHotspots("Hall", hall);
    project.WriteHotspots("Cellar", {{.Number = 1}, {.Number = 2}});
    Game& g = StartGame();
    ChangeVariableValue(session.State.Vars, "Odd", 2);
    g.OpenFrame("Hall", false, 0, 0);
    EXPECT_FALSE(Area(1).Visible());
    EXPECT_TRUE(Area(2).Visible());  // a variable that does not exist never hides
    EXPECT_FALSE(Area(3).Visible()); // only 1 passes the first list
    EXPECT_TRUE(Area(4).Visible());
    EXPECT_TRUE(Area(5).Visible());

    ChangeVariableValue(session.State.Vars, "Lamp", 1);
    ChangeVariableValue(session.State.Vars, "Door", -1);
    session.State.Vars.Disappear.Add("Hall", 2);
    g.ShowOrNotShowAreas();
    EXPECT_TRUE(Area(1).Visible());
    EXPECT_FALSE(Area(2).Visible());
    EXPECT_FALSE(Area(5).Visible());
    // The file read again when it changed, even to the same size within a moment.
    std::swap(hall[0].MustBeOne, hall[0].MustBeZero); // same size, same moment
    project.WriteHotspots("Hall", hall);
    g.ShowOrNotShowAreas();
    EXPECT_FALSE(Area(1).Visible());
    g.OpenFrame("Cellar", false, 0, 0);
    EXPECT_TRUE(Area(2).Visible()); // hidden in Hall only
}

TEST_F(Hotspots, TextBoxesTakeTheirFileValues) {
    project.WriteTexts("Hall",
                       {{.Number = 1, .Caption = "[EMPTY]", .Left = 150, .Top = 300, .Size = 10},
                        {.Number = 2, .Caption = "Sign", .Font = "", .Color = 255},
                        {.Number = 1, .Caption = "Merged"}},
                       true);
    StartGame().OpenFrame("Hall", false, 0, 0);
    const ControlArray& texts = game->Scene().Text;
    ASSERT_EQ(texts.UBound(), 3);
    EXPECT_EQ(texts.Item(1)->Caption(), "");
    EXPECT_EQ(texts.Item(1)->Left, 150);
    EXPECT_DOUBLE_EQ(texts.Item(1)->FontSize, 10);
    EXPECT_TRUE(texts.Item(1)->Visible());
    EXPECT_EQ(texts.Item(2)->FontName, "Arial");
    EXPECT_EQ(texts.Item(2)->ForeColor, 255u);
    EXPECT_GT(texts.Item(2)->Width, 0);
    EXPECT_EQ(session.State.MergedTextIndex, 3);

    std::vector<test::FileValues> damaged = {
        test::TextSectionValues({.Caption = "Bad", .Top = 90})};
    damaged[0][11] = "far left";
    project.WriteSections("FramesData/Cellar.fm1", damaged);
    game->OpenFrame("Cellar", false, 0, 0);
    ASSERT_EQ(game->Scene().Text.UBound(), 1);
    EXPECT_EQ(game->Scene().Text.Item(1)->Left, game->Scene().Text.Template().Left);
    EXPECT_EQ(game->Scene().Text.Item(1)->Top, 90);
    EXPECT_EQ(session.State.MergedTextIndex, 1);
}

TEST_F(Hotspots, MessageBarTimesItselfByLength) {
    Game& g = StartGame();
    g.OpenFrame("Hall", false, 0, 0);
    EXPECT_EQ(MessageBarMilliseconds(std::string(20, 'x')), 2400);
    EXPECT_EQ(MessageBarMilliseconds(""), 1000);
    g.DisplayTextMessage("The door is locked.", true, false);
    const SceneElement& bar = g.Scene().FrameMessageBox;
    EXPECT_TRUE(bar.Visible());
    EXPECT_EQ(bar.Top + bar.Height, g.FrameArea().FrameHeight());
    EXPECT_EQ(g.Messages().TimerMessageBox.interval(), 19 * 70 + 1000);
    g.DisplayTextMessage("[HIDE]", true, false);
    EXPECT_FALSE(bar.Visible());
    g.DisplayTextMessage("Stays", true, true);
    EXPECT_FALSE(g.Messages().TimerMessageBox.isActive());
    g.DisplayTextMessage("[HIDE]", false, false);
    EXPECT_TRUE(bar.Visible());
    EXPECT_EQ(prompts.History().back().text, "[HIDE]");
    EXPECT_EQ(prompts.History().back().title, "Test Adventure");
}

} // namespace
} // namespace quillora
