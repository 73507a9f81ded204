// The objects scripts see in a game window: hotspots, texts, pictures, pointers, the system
// objects and the window object.
#include "../ui/GameFixture.h"
#include "core/Twips.h"
#include "media/MediaPlayer.h"
#include "project/ErrorMessages.h"
#include "scripting/ScriptHost.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <filesystem>

namespace quillora {
namespace {

using test::ActionSpec;
using test::HotspotSpec;

class ScriptObjects : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        test::FrameSpec green;
        green.Background = "65280";
        project.WriteFrame("Hall", green);
        project.WritePicture("Areas/red.bmp", 40, 20, Qt::red);
        project.WritePicture("Areas/blue.bmp", 10, 10, Qt::blue);
        HotspotSpec picture{
            .Number = 1, .Left = 300, .Top = 450, .HasPicture = true, .Picture = "red.bmp"};
        HotspotSpec own{.Number = 2, .Left = 1200, .Top = 1200, .Pointer = "own.cur"};
        project.WriteHotspots("Hall", {picture, own});
        project.WriteTexts("Hall", {{.Number = 1, .Caption = "Old", .Left = 600, .Top = 600}});
        QImage arrow(16, 16, QImage::Format_ARGB32);
        arrow.fill(Qt::black);
        project.WriteCursor("Icons/own.cur", arrow, 1, 1);
        arrow.fill(Qt::white);
        project.WriteCursor("Icons/hand.cur", arrow, 2, 2);
        StartGame().OpenFrame("Hall", false, 0, 0);
        ASSERT_TRUE(prompts.History().empty()) << prompts.History()[0].text;
    }
    // Runs code as a script; true when it ran without a script error.
    bool Run(const std::string& code) { return !game->Scripts().ExecuteVBScript(code, false); }
    // The last box shown.
    std::string LastBox() const {
        return prompts.History().empty() ? "(none)" : prompts.History().back().text;
    }
    SceneElement* Area(int i) { return game->Scene().Area.Item(i); }
    QColor Pixel(int x, int y) { return game->FrameArea().Capture().pixelColor(x, y); }
};

TEST_F(ScriptObjects, HotspotsMoveAndHideOnTheFrameAndReportTheirArray) {
    // Element 1: 330, 480 twips = 22, 32 pixels, 40 x 20 pixels of red.
    EXPECT_EQ(Pixel(25, 35), QColor(Qt::red));
    ASSERT_TRUE(Run("MsgBox Hotspot.Count & \" \" & Hotspot.UBound & \" \" & Hotspot.LBound & "
                    "\" \" & Hotspot(1).Width & \" \" & Hotspot(1).Name\r\n"
                    "Hotspot(1).Move 1500, 1500"));
    EXPECT_EQ(LastBox(), "3 2 0 600 Area");
    EXPECT_EQ(Pixel(25, 35), QColor(0, 255, 0));
    EXPECT_EQ(Pixel(105, 105), QColor(Qt::red));
    ASSERT_TRUE(Run("Hotspot(1).Top = 3000\r\nHotspot(1).Visible = False"));
    EXPECT_EQ(Area(1)->Top, 3000);
    EXPECT_FALSE(Area(1)->Visible());
    EXPECT_EQ(Pixel(105, 205), QColor(0, 255, 0));
    ASSERT_TRUE(Run("Hotspot(1).Visible = True\r\nn = 0\r\nFor Each h In Hotspot\r\n"
                    "n = n + h.Index\r\nNext\r\nMsgBox n & \" \" & Hotspot(1).Visible"));
    EXPECT_EQ(LastBox(), "3 True");
    EXPECT_EQ(Pixel(105, 205), QColor(Qt::red));
    // Sizes out of range are refused as the controls refuse them, and nothing changes.
    EXPECT_FALSE(Run("Hotspot(1).Width = -5"));
    EXPECT_FALSE(Run("Hotspot(1).Left = 1E+300"));
    EXPECT_EQ(Area(1)->Width, 600);
    EXPECT_EQ(Area(1)->Left, 1500);
}

TEST_F(ScriptObjects, ElementsNotLoadedArePlaceholdersThatCreateObjectLoads) {
    ASSERT_TRUE(Run("On Error Resume Next\r\nx = Hotspot(7).Left\r\n"
                    "MsgBox Err.Number & \": \" & Err.Description"));
    EXPECT_EQ(LastBox(), "340: Control array element '7' doesn't exist");
    ASSERT_TRUE(Run("Set h = Hotspot(7)\r\nAction.CreateObject h\r\nh.Left = 150\r\n"
                    "MsgBox Hotspot(7).Left & \" \" & Hotspot.UBound & \" \" & h.Visible"));
    EXPECT_EQ(LastBox(), "150 7 False");
    ASSERT_NE(Area(7), nullptr);
    EXPECT_TRUE(Area(7)->OnMouseDown) << "a loaded hotspot takes clicks as the frame's do";

    const size_t boxes = prompts.History().size();
    ASSERT_TRUE(Run("Action.CreateObject Hotspot(7)\r\nAction.DeleteObject Hotspot(0)\r\n"
                    "Action.DeleteObject Hotspot(9)\r\nMsgBox \"went on\""));
    ASSERT_EQ(prompts.History().size(), boxes + 4);
    EXPECT_EQ(prompts.History()[boxes].text,
              CommonErrorText(" Error creating the object. ", "Object already loaded"));
    EXPECT_EQ(prompts.History()[boxes + 1].text,
              CommonErrorText(" Error deleting the object. ",
                              "Can't unload controls created at design time"));
    EXPECT_EQ(prompts.History()[boxes + 2].text,
              CommonErrorText(" Error deleting the object. ",
                              "Control array element '9' doesn't exist"));
    EXPECT_EQ(LastBox(), "went on");

    // An object kept past its element's unloading fails instead of reaching the old element.
    ASSERT_TRUE(Run("Set h = Hotspot(2)\r\nAction.DeleteObject h\r\nOn Error Resume Next\r\n"
                    "h.Visible = True\r\nMsgBox Err.Number & \" \" & Hotspot.Count"));
    EXPECT_EQ(LastBox(), "340 3");
    EXPECT_EQ(Area(2), nullptr);
    EXPECT_FALSE(Run("Action.CreateObject 5"));
    ASSERT_TRUE(Run("Action.CreateObject Text(4)\r\nText(4).Caption = \"New\""));
    EXPECT_EQ(game->Scene().Text.Item(4)->Caption(), "New");
}

TEST_F(ScriptObjects, TextCaptionColourAndFontChange) {
    ASSERT_TRUE(
        Run("Text(1).Caption = \"Hello\"\r\nText(1).ForeColor = RGB(255, 0, 0)\r\n"
            "Set f = Text(1).Font\r\nf.Italic = True\r\nText(1).FontSize = 20\r\n"
            "Text(1).BackStyle = 1\r\nMsgBox Text(1).Caption & \" \" & Text(1).FontItalic"));
    EXPECT_EQ(LastBox(), "Hello True");
    const SceneElement& text = *game->Scene().Text.Item(1);
    EXPECT_EQ(text.Caption(), "Hello");
    EXPECT_EQ(text.ForeColor, 0xFFu);
    EXPECT_TRUE(text.FontItalic);
    EXPECT_DOUBLE_EQ(text.FontSize, 20);
    EXPECT_TRUE(text.Opaque);
    EXPECT_FALSE(Run("Text(1).FontSize = 0"));
    ASSERT_TRUE(Run("MessageObject.Caption = \"Bar\"\r\nFrameMessageObject.Visible = True"));
    EXPECT_EQ(game->Scene().LabelMessageBox.Caption(), "Bar");
    EXPECT_TRUE(game->Scene().FrameMessageBox.Visible());
}

TEST_F(ScriptObjects, PicturesFromLoadGraphicFileAndLoadAPicture) {
    ASSERT_TRUE(Run("Set p = Action.LoadGraphicFile(\"BLUE.bmp\")\r\nSet Hotspot(1).Picture = p\r\n"
                    "Action.LoadAPicture Hotspot(2), \"blue.bmp\"\r\n"
                    "MsgBox p.Width & \" \" & p.Type & \" \" & Action.LoadGraphicFile(\"\").Type"));
    EXPECT_EQ(LastBox(), "265 1 0"); // 10 pixels in HiMetric units
    EXPECT_EQ(Area(1)->Picture().pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(Area(1)->Width, PixelsToTwips(10));
    EXPECT_EQ(Area(2)->Picture().pixelColor(5, 5), QColor(Qt::blue));
    ASSERT_TRUE(Run("Set Hotspot(1).Picture = Nothing\r\nAction.LoadAPicture Hotspot(2), \"\""));
    EXPECT_TRUE(Area(1)->Picture().isNull());
    EXPECT_TRUE(Area(2)->Picture().isNull());

    project.WriteBytes("Areas/bad.bmp", "not a picture");
    const size_t boxes = prompts.History().size();
    ASSERT_TRUE(Run("MsgBox TypeName(Action.LoadGraphicFile(\"bad.bmp\"))\r\n"
                    "Action.LoadAPicture Hotspot(1), \"bad.bmp\""));
    ASSERT_EQ(prompts.History().size(), boxes + 3);
    const std::string path = Paths().Areas + "bad.bmp";
    EXPECT_EQ(
        prompts.History()[boxes].text,
        CommonErrorText(" Error loading the following graphic file:'\r\n" + path + "'.\r\n\r\n",
                        "Invalid picture"));
    EXPECT_EQ(prompts.History()[boxes + 1].text, "Nothing");
    EXPECT_EQ(LastBox(),
              CommonErrorText(" Error loading the following picture:'\r\n" + path + "'.\r\n\r\n",
                              "Invalid picture"));
    EXPECT_FALSE(Run("Set Hotspot(1).Picture = Hotspot(2)"));
}

TEST_F(ScriptObjects, ChangeDefaultCursorFollowsTheDefaultAndDefaultRestoresTheSystemPointer) {
    ASSERT_EQ(Area(1)->MousePointer, 0);
    ASSERT_EQ(Area(2)->MousePointer, 99);
    const QCursor own = Area(2)->MouseIcon;
    ASSERT_TRUE(Run("Action.ChangeDefaultCursor \"hand.cur\""));
    EXPECT_EQ(Project().DefaultCursor, "hand.cur");
    EXPECT_EQ(Area(1)->MousePointer, 99);
    EXPECT_EQ(game->Scene().Text.Template().MousePointer, 99);
    EXPECT_TRUE(Area(2)->MouseIcon == own) << "a hotspot's own pointer stays";
    ASSERT_TRUE(Run("Action.ChangeDefaultCursor \"DEFAULT\""));
    EXPECT_EQ(Project().DefaultCursor, "DEFAULT");
    EXPECT_EQ(Area(1)->MousePointer, 0);
    EXPECT_FALSE(Area(1)->HasMouseIcon);
    EXPECT_EQ(game->FrameArea().MousePointer, 0);
    EXPECT_TRUE(Area(2)->MouseIcon == own);
    // A pointer file that is not there changes nothing (the media lookup has warned).
    ASSERT_TRUE(Run("Action.ChangeDefaultCursor \"gone.cur\""));
    EXPECT_EQ(Project().DefaultCursor, "DEFAULT");
}

TEST_F(ScriptObjects, ClipboardScreenApplicationAndPrinters) {
    ASSERT_TRUE(
        Run("ClipboardObject.SetText \"from the game\"\r\nMsgBox ClipboardObject.GetText()"));
    EXPECT_EQ(LastBox(), "from the game");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "from the game");
    ASSERT_TRUE(Run("ClipboardObject.Clear\r\nMsgBox \"[\" & ClipboardObject.GetText() & \"]\""));
    EXPECT_EQ(LastBox(), "[]");
    ASSERT_TRUE(Run("MsgBox ScreenObject.TwipsPerPixelX & \" \" & PrintersObject.Count"));
    EXPECT_EQ(LastBox(), "15 0");
    std::string root = project.Root();
    root.pop_back();
    ASSERT_TRUE(Run("MsgBox AppObject.Path"));
    EXPECT_EQ(LastBox(), root);
    ASSERT_TRUE(Run("ScreenObject.MousePointer = 11\r\nMsgBox ScreenObject.MousePointer"));
    EXPECT_EQ(LastBox(), "11");
    ASSERT_TRUE(Run("ScreenObject.MousePointer = 99\r\nMsgBox ScreenObject.MousePointer"));
    EXPECT_EQ(LastBox(), "0") << "no icon yet: the normal pointer";
    ASSERT_TRUE(Run("Set ScreenObject.MouseIcon = Action.LoadGraphicFile(\"blue.bmp\")\r\n"
                    "ScreenObject.MousePointer = 99\r\nMsgBox ScreenObject.MouseIcon.Width"));
    EXPECT_EQ(LastBox(), "265");
    EXPECT_EQ(game->FrameArea().ScreenPointer(), 99);
    ASSERT_TRUE(Run("ScreenObject.MousePointer = 0"));
}

TEST_F(ScriptObjects, WindowObjectOnlyWithControlReferencesAndWithAddedControls) {
    session.State.AllowControlsReferences = 1;
    ASSERT_TRUE(Run("MsgBox IsObject(WindowObject)"));
    EXPECT_EQ(LastBox(), "False");
    game->ScriptWindowObject().AddControl("Extra", vbs::ObjectRef(new vbs::HostObject(u"Extra")));
    session.State.AllowControlsReferences = 2;
    ASSERT_TRUE(Run("MsgBox TypeName(WindowObject.Extra) & \" \" & WindowObject.Area(1).Left & "
                    "\" \" & WindowObject.Text.UBound & \" \" & WindowObject.ScaleWidth"));
    EXPECT_EQ(LastBox(), "Extra 330 1 " + std::to_string(PixelsToTwips(game->width())));
}

TEST_F(ScriptObjects, AHotspotAScriptLoadsTakesClicksUnlessDisabled) {
    ActionSpec three{.ShowMessage = true, .Message = "three", .InBar = false};
    project.WriteActions("Hall", {ActionSpec{}, ActionSpec{}, three});
    ASSERT_TRUE(Run("Action.CreateObject Hotspot(3)\r\nHotspot(3).Move 3000, 3000, 600, 600\r\n"
                    "Hotspot(3).Visible = True\r\nHotspot(3).ToolTipText = \"a door\""));
    PictureBox& frame = game->FrameArea();
    frame.resize(640, 480);
    const QPoint door = frame.FrameToWidget(QPointF(210, 210)).toPoint();
    QTest::mouseClick(&frame, Qt::LeftButton, {}, door);
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(LastBox(), "three");
    EXPECT_TRUE(Area(3)->Visible()) << "the visibility pass leaves hotspots its file lacks alone";
    ASSERT_TRUE(Run("Hotspot(3).Enabled = False"));
    QTest::mouseClick(&frame, Qt::LeftButton, {}, door);
    EXPECT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(Area(3)->ToolTipText, "a door");
}

TEST_F(ScriptObjects, ElementMembersTakePartialMovesFontsAndTheWindowsControls) {
    ASSERT_TRUE(Run("Hotspot(1).Move , 900\r\nText(1).Font.Name = \"Courier\"\r\n"
                    "Text(1).Alignment = 2\r\nFor Each t In Text\r\ns = s & t.Index & t.Caption\r\n"
                    "Next\r\nMsgBox s & \" \" & Text(1).FontName & \" \" & Hotspot(1).Left"));
    EXPECT_EQ(LastBox(), "01Old Courier 330"); // the template's caption is empty
    EXPECT_EQ(Area(1)->Top, 900);
    EXPECT_EQ(game->Scene().Text.Item(1)->Alignment, 2);
    EXPECT_FALSE(Run("Text(1).Alignment = 3"));
    EXPECT_FALSE(Run("Hotspot(1).Move 1, 2, 3, 4, 5"));
    session.State.AllowControlsReferences = 2;
    ASSERT_TRUE(Run("WindowObject.Caption = \"Scripted\"\r\n"
                    "WindowObject.PictureBox.BackColor = RGB(0, 0, 255)\r\n"
                    "WindowObject.BackImage.Visible = False"));
    EXPECT_EQ(game->windowTitle().toStdString(), "Scripted");
    EXPECT_EQ(game->FrameArea().BackColor(), 0xFF0000u);
    EXPECT_FALSE(game->Scene().BackImage.Visible());
    // The game alone loads and unloads the animated pictures and inventory items.
    ASSERT_TRUE(Run("Action.CreateObject WindowObject.AniGifBox(2)"));
    EXPECT_EQ(LastBox(),
              CommonErrorText(" Error creating the object. ", "Invalid procedure call or argument"));
    EXPECT_EQ(game->Scene().AniGifBox.Item(2), nullptr);
}

TEST_F(ScriptObjects, LoopingVideoPlaysGameFilesAndGoesWithItsElement) {
    std::filesystem::create_directories(project.Root() + "Frames");
    std::filesystem::copy_file(std::string(QUILLORA_MEDIA_FIXTURES) + "/clip-cinepak.avi",
                               project.Root() + "Frames/clip.avi");
    ASSERT_TRUE(
        Run("Action.CreateObject LoopingVideo(4)\r\nSet v = LoopingVideo(4)\r\n"
            "v.FileName = \"FRAMES\\clip.avi\"\r\nv.PlayCount = 0\r\nv.ShowControls = False\r\n"
            "v.Play\r\n"
            "MsgBox v.PlayState & \" \" & v.PlayCount & \" \" & (v.Width > 0)\r\n"
            "v.Stop\r\nMsgBox v.PlayState"));
    ASSERT_GE(prompts.History().size(), 2u);
    EXPECT_EQ(prompts.History()[prompts.History().size() - 2].text, "2 0 True");
    EXPECT_EQ(LastBox(), "0");
    ASSERT_TRUE(Run("LoopingVideo(4).Play\r\nAction.DeleteObject LoopingVideo(4)"));
    QTest::qWait(50); // pictures still due from the removed player must not reach its element
    EXPECT_EQ(game->Scene().VideoPlayer.Item(4), nullptr);
    // Files outside the game stay out of reach; a missing one is "File not found".
    ASSERT_TRUE(
        Run("On Error Resume Next\r\nAction.CreateObject LoopingVideo(5)\r\n"
            "LoopingVideo(5).FileName = \"/etc/passwd\"\r\na = Err.Number\r\nErr.Clear\r\n"
            "LoopingVideo(5).FileName = \"Frames\\none.avi\"\r\nMsgBox a & \" \" & Err.Number"));
    EXPECT_EQ(LastBox(), "70 53");
    // A sibling folder whose name merely starts with the game folder's name is outside too.
    std::string sibling = project.Root();
    sibling.back() = '2';
    std::filesystem::create_directories(sibling);
    std::filesystem::copy_file(project.Root() + "Frames/clip.avi", sibling + "/clip.avi");
    ASSERT_TRUE(Run("On Error Resume Next\r\nLoopingVideo(5).FileName = \"" + sibling +
                    "/clip.avi\"\r\nMsgBox Err.Number"));
    EXPECT_EQ(LastBox(), "70");
    std::filesystem::remove_all(sibling);
}

TEST_F(ScriptObjects, AVideoHotspotAScriptHidesStopsItsVideo) {
    std::filesystem::create_directories(project.Root() + "Frames");
    std::filesystem::copy_file(std::string(QUILLORA_MEDIA_FIXTURES) + "/clip-cinepak.avi",
                               project.Root() + "Frames/clip.avi");
    project.WriteFrame("Cinema", {});
    project.WriteHotspots("Cinema", {{.Number = 1, .Video = true, .VideoFile = "clip.avi"}});
    game->OpenFrame("Cinema", false, 0, 0);
    ASSERT_TRUE(prompts.History().empty()) << LastBox();
    ASSERT_TRUE(Run("MsgBox LoopingVideo(1).PlayState\r\nHotspot(1).Visible = False\r\n"
                    "MsgBox LoopingVideo(1).PlayState & \" \" & LoopingVideo(1).Visible"));
    EXPECT_EQ(prompts.History().front().text, "2");
    EXPECT_EQ(LastBox(), "0 False");
    ASSERT_TRUE(Run("Hotspot(1).Visible = True\r\nMsgBox LoopingVideo(1).PlayState"));
    EXPECT_EQ(LastBox(), "2");
    EXPECT_TRUE(game->Scene().VideoPlayer.Item(1)->Visible());
}

TEST_F(ScriptObjects, AHotspotStretchedAsFarAsScriptsMayGoStillPaints) {
    // The largest sizes scripts may give are drawn clipped, never as a scaled copy.
    ASSERT_TRUE(Run("Hotspot(1).Stretch = True\r\n"
                    "Hotspot(1).Move -8000000, -8000000, 16000000, 16000000"));
    const QImage shot = game->FrameArea().Capture();
    EXPECT_EQ(shot.pixelColor(300, 300), QColor(Qt::red));
}

} // namespace
} // namespace quillora
