// make-demo FOLDER: writes the demo game (configuration, frames, hotspots, texts, pictures).
#include "DemoPictures.h"
#include "ProjectWriter.h"
#include "project/MediaPath.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace quillora::demo {
namespace {

using test::ActionSpec;
using test::FileValues;
using test::FrameSpec;
using test::HotspotSpec;
using test::TextSpec;

constexpr int kWhite = 0xFFFFFF;
constexpr int kGold = 0x60D0F0; // red in the lowest byte
constexpr int kDriftwood = 0x204060;

// Script text as the editor stores it in value-list files: a "|" stands for each double quote
// (the files' strings cannot hold one) and lines end in CR LF.
std::string Stored(const std::string& code) {
    std::string text;
    for (const char c : code) {
        if (c == '"') {
            text += '|';
        } else if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

// The procedure library: the shell puzzle of the path and the flicker of the shore's lamp.
const std::vector<std::string> kProcedures = {
    "' The shells must be pressed smallest first: sizes 1, 2, 3.",
    "Const kShellAnswer = \"123\"",
    "",
    "' True while the sizes pressed so far begin the right order.",
    "Function ShellsInOrder(order)",
    "  ShellsInOrder = Len(order) <= Len(kShellAnswer) And Left(kShellAnswer, Len(order)) = order",
    "End Function",
    "",
    "Function ShellNote(size)",
    "  If size = 1 Then",
    "    ShellNote = \"The small shell whistles a high note.\"",
    "  ElseIf size = 2 Then",
    "    ShellNote = \"The middle shell hums.\"",
    "  Else",
    "    ShellNote = \"The big shell booms.\"",
    "  End If",
    "End Function",
    "",
    "' A click on a shell of the path (size 1 to 3).",
    "Sub PressShell(size)",
    "  If ShellsSolved = 1 Then",
    "    Action.Message \"The shells lie quiet now.\"",
    "    Exit Sub",
    "  End If",
    "  Dim order",
    "  order = ShellOrder & \"\"",
    "  If order = \"0\" Then order = \"\"", // a new game's variants start at 0
    "  order = order & size",
    "  If Not ShellsInOrder(order) Then",
    "    ShellOrder = \"\"",
    "    Action.Message \"A sour note! The shells fall silent. Try again, \" & PlayerName & \".\"",
    "  ElseIf order = kShellAnswer Then",
    "    ShellOrder = order",
    "    ShellsSolved = 1",
    "    Action.AddItem \"Pearl\", False",
    "    Action.Message \"The big shell booms... and a pearl rolls out!\"",
    "  Else",
    "    ShellOrder = order",
    "    Action.Message ShellNote(size)",
    "  End If",
    "End Sub",
    "",
    "' TimerObject(1), set going by the shore's frame script: the lamp gutters and flares.",
    "Sub TimerObject1",
    "  If Action.GetCurrentFrameName <> \"Shore\" Then",
    "    TimerObject(1).Enabled = False",
    "    Exit Sub",
    "  End If",
    "  If LampBeat < 30000 Then LampBeat = LampBeat + 1",
    "  LampGlow = CInt(Mid(\"11011010\", LampBeat Mod 8 + 1, 1))",
    "End Sub",
    "",
    "' The credits' little film (a media player component): it goes when it has played.",
    "Sub Screen_EndOfStream(p)",
    "  Action.RemoveComponent \"Screen\"",
    "End Sub",
};

// Run when a game starts and after a saved game is read: a loaded name stays (a new game's
// variant variables start at 0).
const char* const kStartupScript = R"(If PlayerName & "" = "0" Then
  PlayerName = Action.LoadParameter("PlayerName", "Skipper")
End If)";

// The shore counts the player's visits, has the gull cry while it sits on its rock, and sets
// the lamp flickering (the project's AllowControlsReferences variable lets scripts reach the
// window's TimerObject array).
const char* const kShoreScript = R"(Visits = Visits + 1
If Visits = 1 Then
  Action.Message "The shore at last, " & PlayerName & ". Find a way into the lighthouse."
Else
  Action.Message "Welcome back to the shore, " & PlayerName & "."
End If
If GullScared = 0 Then
  cry = "If GullScared = 0 Then Action.Message ""The seagull cries from its rock: Kee-yah!"""
  Action.CreateTimedEvent 1.5, cry, False
End If
If TimerObject.UBound < 1 Then Action.CreateObject TimerObject(1)
TimerObject(1).Interval = 350
TimerObject(1).Enabled = True)";

// The credits play the lamp's film once more in a small screen of their own: a media player
// component added by the frame's script, its end heard by Screen_EndOfStream.
const char* const kCreditsScript = R"(If Not Action.DoesComponentExist("Screen") Then
  Action.AddComponent "MediaPlayer.MediaPlayer.1", "Screen"
  Set film = Action.Component("Screen")
  film.AutoSize = False
  film.Left = 6600
  film.Top = 4500
  film.Width = 2400
  film.Height = 1800
  film.FileName = "Frames\beam.avi"
  film.Visible = True
  Action.InterceptComponentEvents "Screen"
End If)";

void WriteConfig(test::ProjectWriter& game) {
    FileValues general = test::GeneralFields();
    general[0] = "QuilloraDemo";
    general[2] = "The Lighthouse Keeper's Key";
    general[4] = "Intro";
    general[5] = "Version 1.0";
    general[8] = "The Quillora team";
    general[9] = "players@quillora.invalid";
    general[10] = "https://quillora.github.io/";
    general[15] = "Lighthouse"; // the welcome window's scheme
    general[37] = "quill.cur";  // the default pointer
    general[40] = true;         // windowed: the frame scales as the window is resized
    general[51] = true;         // run the start-up script
    general[52] = Stored(kStartupScript);
    game.WriteGeneral(general);
    game.WriteValues("Config/Texts", {1});
    game.WriteVariables({"DoorOpen", "GullScared", "Visits", "ShellsSolved", "LampGlow", "LampBeat",
                         "AllowControlsReferences", "KeeperHelped", "WickIn", "LensClean"},
                        {"PlayerName", "ShellOrder"});
    game.WriteBytes("Config/More", "[General]\r\nScriptTimeOut=5\r\nProcEncr=1\r\n");
    game.WriteProcedures(kProcedures, true, "QuilloraDemo");
}

void WritePictures(test::ProjectWriter& game) {
    const std::string root = game.Root();
    TitleCard()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(root + "Frames/title.jpg"), "JPG", 82);
    ShoreScene()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(root + "Frames/shore.jpg"), "JPG", 82);
    LighthouseInside()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(root + "Frames/inside.jpg"), "JPG", 82);
    SandTile().save(QString::fromStdString(root + "Frames/sand.bmp"), "BMP");
    LighthouseDoor(false).save(QString::fromStdString(root + "Areas/door_closed.png"), "PNG");
    LighthouseDoor(true).save(QString::fromStdString(root + "Areas/door_open.png"), "PNG");
    Seagull().save(QString::fromStdString(root + "Areas/seagull.png"), "PNG");
    RopeInBoat().save(QString::fromStdString(root + "Areas/rope.png"), "PNG");
    LampFlare().save(QString::fromStdString(root + "Areas/flare.png"), "PNG");
    for (int size = 1; size <= 3; ++size) {
        Shell(size).save(
            QString::fromStdString(root + "Areas/shell" + std::to_string(size) + ".png"), "PNG");
    }
    // A compiled game keeps some pictures under numbered names: the boat is one of them.
    Boat()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(StoredMediaName(root + "Areas/boat.bmp")), "BMP");
    CottageOutside().save(QString::fromStdString(root + "Areas/cottage.png"), "PNG");
    CottageInside()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(root + "Frames/cottage.jpg"), "JPG", 82);
    GalleryScene()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(root + "Frames/gallery.jpg"), "JPG", 82);
    CoveScene()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(root + "Frames/cove.jpg"), "JPG", 82);
    Crab().save(QString::fromStdString(root + "Areas/crab.png"), "PNG");
    LensSalt().save(QString::fromStdString(root + "Areas/salt.png"), "PNG");
    WickInBurner().save(QString::fromStdString(root + "Areas/wick.png"), "PNG");
    game.WriteCursor("Icons/quill.cur", QuillPointer(), 1, 1);
    game.WriteCursor("Icons/hand.cur", HandPointer(), 14, 2);
    game.WriteCursor("Icons/walk.cur", WalkPointer(), 16, 1);
    game.WriteCursor("Icons/talk.cur", TalkPointer(), 16, 13);
    game.WriteCursor("Icons/look.cur", LookPointer(), 13, 13);
}

// The welcome window's scheme: picture buttons for Start and Exit, a text Load button, the
// night-sea tile, gold title, pale text, the alternate logo.
void WriteScheme(test::ProjectWriter& game) {
    const std::string folder = game.Root() + "Schemes/Lighthouse/";
    game.WriteBytes("Schemes/Lighthouse/.keep", "");
    WelcomeButton("Start New Game").save(QString::fromStdString(folder + "start.bmp"), "BMP");
    WelcomeButton("Exit").save(QString::fromStdString(folder + "exit.bmp"), "BMP");
    WelcomeTile().save(QString::fromStdString(folder + "sea.bmp"), "BMP");
    game.WriteValues("Schemes/Lighthouse/Scheme.txt", {"Lighthouse",
                                                       1,
                                                       0,
                                                       4,
                                                       "start.bmp",
                                                       "[default]",
                                                       "exit.bmp",
                                                       "sea.bmp",
                                                       4,
                                                       0x341E12,
                                                       kGold,
                                                       0xE0E8F0,
                                                       0x80D8F8,
                                                       0,
                                                       0,
                                                       0,
                                                       0,
                                                       0,
                                                       1,
                                                       true});
}

// The ending's picture ships on the second CD: the marker, the index, and the disc copied into
// the game's folder (CD2), which the player uses without asking for the CD.
void WriteSecondCD(test::ProjectWriter& game) {
    game.WriteBytes("RunFromCD.dat", "");
    game.WriteValues("Config/CDContents", {"QuilloraDemo", 1, 0, 2, 0, 0, "lamp.jpg", 2, 1});
    const std::string disc = "CD2/Data/The Lighthouse Keeper's Key/Frames/";
    game.WriteBytes(disc + ".keep", "");
    LampLit()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(StoredMediaName(game.Root() + disc + "lamp.jpg")), "JPG", 82);
}

// The hotspots of a frame, and its hotspot count (Frames/<frame>.lks) as the editor writes it:
// the count bounds the hotspot actions a dialogue question may perform.
void WriteSpots(test::ProjectWriter& game, const std::string& frame,
                const std::vector<HotspotSpec>& spots) {
    game.WriteHotspots(frame, spots);
    game.WriteValues("Frames/" + frame + ".lks", {static_cast<int>(spots.size())});
}

// A hotspot whose clickable element is at x, y with size w x h pixels (the file's rectangle is 2
// pixels larger on every side).
HotspotSpec Spot(int number, int x, int y, int w, int h) {
    HotspotSpec spot;
    spot.Number = number;
    spot.Left = x * 15 - 30;
    spot.Top = y * 15 - 30;
    spot.Width = w * 15 + 60;
    spot.Height = h * 15 + 60;
    return spot;
}

HotspotSpec Pictured(HotspotSpec spot, const std::string& picture) {
    spot.HasPicture = true;
    spot.Picture = picture;
    return spot;
}

// The hotspot pointers: what can be taken or used, the ways out, someone to talk to, things to
// look at.
HotspotSpec Hand(HotspotSpec spot) {
    spot.Pointer = "hand.cur";
    return spot;
}
HotspotSpec Walk(HotspotSpec spot) {
    spot.Pointer = "walk.cur";
    return spot;
}
HotspotSpec Talk(HotspotSpec spot) {
    spot.Pointer = "talk.cur";
    return spot;
}
HotspotSpec Look(HotspotSpec spot) {
    spot.Pointer = "look.cur";
    return spot;
}

HotspotSpec Animated(HotspotSpec spot) {
    spot.Animated = 1;
    spot.Speed = 50;
    return spot;
}

HotspotSpec When(HotspotSpec spot, std::vector<std::string> one, std::vector<std::string> zero) {
    spot.Conditions = true;
    spot.MustBeOne = std::move(one);
    spot.MustBeZero = std::move(zero);
    return spot;
}

ActionSpec Say(const std::string& message) {
    return {.ShowMessage = true, .Message = message};
}

ActionSpec GoTo(const std::string& frame) {
    return {.GoToFrame = 1, .Frame = frame};
}

// A frame change animated by transition `number` (1 cross-fade, 2-5 slides) over `ms`.
ActionSpec Through(ActionSpec action, int number, int ms) {
    action.UseTransition = 1;
    action.TransitionNumber = number;
    action.TransitionMs = ms;
    return action;
}

// Adds a sound effect (a file of the Frames folder) on the sound-effect channel.
ActionSpec WithSound(ActionSpec action, const std::string& sound) {
    action.PlaySecondSound = true;
    action.SecondSound = sound;
    return action;
}

// A frame's channel row for channel 1: fade to `file` (looping), or fade the channel out.
void FadeChannelOne(FrameSpec& frame, const std::string& file, double volume) {
    frame.ChannelFadeDuration = 2000;
    frame.RowWidth = 5;
    frame.ChannelRows = {file.empty() ? 3 : 0, true, true, volume, file};
}

TextSpec Caption(int number, const std::string& text, int x, int y, double size, int colour) {
    return {.Number = number,
            .Caption = text,
            .Left = x * 15,
            .Top = y * 15,
            .Bold = true,
            .Size = size,
            .Color = colour};
}

void WriteItems(test::ProjectWriter& game) {
    game.WriteItem("Rope", "rope.ico", RopeIcon());
    game.WriteItem("Hook", "hook.ico", HookIcon());
    game.WriteItem("Grapple", "grapple.ico", GrappleIcon());
    game.WriteItem("Key", "key.ico", KeyIcon());
    game.WriteItem("Pearl", "pearl.ico", PearlIcon());
    game.WriteItem("Wick", "wick.ico", WickIcon());
    // Rope and hook make a grapple, whichever is dragged onto the other.
    game.WriteCombination("Rope", "Hook", {1, 1, 1, "Grapple"});
    game.WriteCombination("Hook", "Rope", {1, 1, 1, "Grapple"});
}

void WriteIntro(test::ProjectWriter& game) {
    FrameSpec intro;
    intro.BackgroundKind = 1;
    intro.Background = "title.jpg";
    intro.AutoJump = true;
    intro.AutoJumpDelay = 4;
    intro.AutoJumpFrame = "Shore";
    intro.Music = "theme.mid";
    game.WriteFrame("Intro", intro);
    game.WriteTexts("Intro", {
                                 {.Number = 1,
                                  .Caption = "The Lighthouse Keeper's Key",
                                  .Left = 600,
                                  .Top = 1500,
                                  .Bold = true,
                                  .Font = "Times New Roman",
                                  .Size = 26,
                                  .Color = kGold},
                                 {.Number = 2,
                                  .Caption = "a small game for the Quillora player",
                                  .Left = 1800,
                                  .Top = 2400,
                                  .Italic = true,
                                  .Size = 13,
                                  .Color = kWhite},
                                 {.Number = 3,
                                  .Caption = "click to begin",
                                  .Left = 4200,
                                  .Top = 6300,
                                  .Size = 10,
                                  .Color = kWhite},
                             });
    WriteSpots(game, "Intro", {Spot(1, 0, 0, 640, 480)});
    game.WriteActions("Intro", {Through(GoTo("Shore"), 1, 1000)});
}

void WriteShore(test::ProjectWriter& game) {
    FrameSpec shore;
    shore.BackgroundKind = 1;
    shore.Background = "shore.jpg";
    shore.StopMusic = true; // the title theme ends; the waves come in on channel 1
    FadeChannelOne(shore, "waves.ogg", 7);
    shore.RunFrameScript = true;
    shore.FrameScript = Stored(kShoreScript);
    game.WriteFrame("Shore", shore);
    HotspotSpec boat = Pictured(Spot(5, 80, 280, 120, 60), "boat.bmp");
    boat.Pointer = "default";
    WriteSpots(game, 
        "Shore",
        {
            Look(Spot(1, 0, 252, 640, 56)), // the sea, under everything else
            Look(When(Pictured(Spot(2, 450, 270, 40, 60), "door_closed.png"), {}, {"DoorOpen"})),
            Walk(When(Pictured(Spot(3, 450, 270, 40, 60), "door_open.png"), {"DoorOpen"}, {})),
            Hand(When(Pictured(Spot(4, 200, 100, 64, 40), "seagull.png"), {}, {"GullScared"})),
            boat,
            Hand(Pictured(Spot(6, 122, 292, 36, 16), "rope.png")),
            Hand(Animated(
                When(Pictured(Spot(7, 330, 400, 24, 24), "glint.gif"), {"GullScared"}, {}))),
            Walk(Spot(8, 580, 330, 60, 150)),
            Look(When(Pictured(Spot(9, 444, 64, 52, 38), "flare.png"), {"LampGlow"}, {})),
            Walk(Pictured(Spot(10, 4, 352, 96, 80), "cottage.png")),
        });
    ActionSpec scare =
        WithSound(Say("The seagull flies off. Something glints in the sand!"), "squawk.wav");
    scare.ChangeSwitch = 1;
    scare.Variable = "GullScared";
    scare.SetOne = true;
    ActionSpec rope = WithSound(Say("You take the rope from the boat."), "chime.wav");
    rope.Disappear = true;
    ActionSpec hook = WithSound(Say("A fishing hook, half buried in the sand."), "chime.wav");
    hook.Disappear = true;
    game.WriteActions("Shore", {
                                   Say("The water is cold and deep."),
                                   Say("The door is locked. There must be a key somewhere."),
                                   Through(GoTo("Lighthouse"), 1, 1500),
                                   scare,
                                   Say("An old rowing boat, pulled up on the sand."),
                                   rope,
                                   hook,
                                   Through(GoTo("Path"), 3, 800),
                                   Say("High above, the old lamp gutters and flares."),
                                   Through(GoTo("Cottage"), 2, 800),
                               });
    game.WritePickups("Shore", {{6, "Rope"}, {7, "Hook"}});
    ActionSpec fish =
        WithSound(Say("You cast the grapple... and fish out a rusty key!"), "splash.au");
    fish.Key = "1_grapple.drg";
    fish.Disappear = true; // the grapple is used up
    fish.AddItem = true;
    fish.Item = "Key";
    ActionSpec unlock = WithSound(Say("The key turns. The door creaks open."), "creak.wav");
    unlock.Key = "2_key.drg";
    unlock.ChangeSwitch = 1;
    unlock.Variable = "DoorOpen";
    unlock.SetOne = true;
    unlock.Disappear = true;
    game.WriteDropActions("Shore", {fish, unlock});
    // The sea ripples; the mask leaves out the beach, the foam-free sand and the lighthouse.
    game.WriteWaterEffect(
        "Shore", {.Left = 0, .Top = 250, .Width = 640, .Height = 80, .Strength = 8, .Speed = 6});
    game.WriteWaterMask("Shore", ShoreWaterMask(0, 250, 640, 80));
    game.WriteTexts("Shore", {Caption(1, "The shore", 56, 12, 16, kWhite),
                              Caption(2, "path >", 586, 446, 11, kDriftwood),
                              Caption(3, "< cottage", 16, 446, 11, kDriftwood)});
}

// The lamp gallery at the top of the tower: the keeper's wick goes into the burner, the pearl
// rubs the salt off the lens, and then the lamp can be lit.
void WriteGallery(test::ProjectWriter& game) {
    FrameSpec gallery;
    gallery.BackgroundKind = 1;
    gallery.Background = "gallery.jpg";
    FadeChannelOne(gallery, "waves.ogg", 6); // the wind and the sea far below
    game.WriteFrame("Gallery", gallery);
    game.WriteTexts("Gallery", {Caption(1, "The lamp gallery", 56, 12, 16, kWhite),
                                Caption(2, "v the stairs", 60, 456, 11, kWhite)});
    // Later hotspots lie over earlier ones: the burner over the lens.
    WriteSpots(game, 
        "Gallery",
        {
            Walk(Spot(1, 40, 390, 130, 60)),
            Look(When(Pictured(Spot(2, 230, 90, 180, 210), "salt.png"), {}, {"LensClean"})),
            Look(When(Spot(3, 230, 90, 180, 210), {"LensClean"}, {})),
            Hand(When(Spot(4, 298, 196, 44, 48), {}, {"WickIn"})),
            Hand(When(Pictured(Spot(5, 300, 200, 40, 40), "wick.png"), {"WickIn"}, {"LensClean"})),
            Hand(When(Pictured(Spot(6, 300, 200, 40, 40), "wick.png"), {"WickIn", "LensClean"},
                      {})),
        });
    ActionSpec light = WithSound(GoTo("LampRoom"), "chime.wav");
    light.ShowMessage = true;
    light.Message = "You light the wick from the keeper's little lamp... and the great lens blazes!";
    game.WriteActions("Gallery",
                      {
                          Through({.GoBack = true}, 5, 800),
                          Say("Salt from a hundred storms clouds the lens. No light gets through."),
                          Say("The great lens gleams, clean as the day it was made."),
                          Say("The burner is empty: its wick burnt away long ago."),
                          Say("A fresh wick, ready. But the light would never pass that salty glass."),
                          Through(light, 1, 1500),
                      });
    ActionSpec wick = WithSound(Say("You fit the keeper's wick into the burner."), "chime.wav");
    wick.Key = "4_wick.drg";
    wick.ChangeSwitch = 1;
    wick.Variable = "WickIn";
    wick.SetOne = true;
    wick.Disappear = true;
    ActionSpec polish =
        WithSound(Say("You rub the salt away with the smooth pearl. The lens gleams!"), "chime.wav");
    polish.Key = "2_pearl.drg";
    polish.ChangeSwitch = 1;
    polish.Variable = "LensClean";
    polish.SetOne = true;
    polish.Disappear = true;
    game.WriteDropActions("Gallery", {wick, polish});
}

void WriteInside(test::ProjectWriter& game) {
    FrameSpec inside;
    inside.BackgroundKind = 1;
    inside.Background = "inside.jpg";
    FadeChannelOne(inside, "drone.mp3", 6); // the waves cross-fade into the lighthouse's hum
    game.WriteFrame("Lighthouse", inside);
    game.WriteTexts("Lighthouse",
                    {Caption(1, "Inside the lighthouse", 56, 12, 16, kWhite),
                     Caption(2, "The stairs lead up to the lamp.", 16, 440, 12, kWhite)});
    HotspotSpec flame = Spot(3, 126, 190, 48, 64);
    flame.Video = true;
    flame.VideoFile = "flame.mpg";
    flame.VideoVolume = 0;
    WriteSpots(game, "Lighthouse", {Walk(Spot(1, 370, 80, 240, 370)),
                                      Walk(Spot(2, 0, 60, 300, 360)), Look(flame)});
    ActionSpec out = {.GoBack = true};
    game.WriteActions("Lighthouse", {Through(GoTo("Gallery"), 4, 800), out,
                                     Say("The keeper's little oil lamp still burns.")});
    WriteGallery(game);

    FrameSpec lamp;
    lamp.BackgroundKind = 1;
    lamp.Background = "lamp.jpg";
    lamp.AutoJump = true;
    lamp.AutoJumpDelay = 8;
    lamp.AutoJumpFrame = "Credits";
    lamp.Video = "beam.avi"; // the cut-scene: the great lamp sweeps the bay again
    lamp.VideoWidth = 640;
    lamp.VideoHeight = 480;
    FadeChannelOne(lamp, "", 0);
    game.WriteFrame("LampRoom", lamp);
    game.WriteTexts("LampRoom",
                    {Caption(1, "The lamp shines again over the bay.", 110, 390, 16, kGold),
                     Caption(2, "Thank you for playing! Click to end.", 170, 430, 12, kWhite)});
    WriteSpots(game, "LampRoom", {Spot(1, 0, 0, 640, 480)});
    game.WriteActions("LampRoom", {Through(GoTo("Credits"), 1, 1000)});
}

void WriteExtras(test::ProjectWriter& game) {
    FrameSpec path;
    path.BackgroundKind = 1;
    path.Background = "sand.bmp";
    path.Tile = true;
    game.WriteFrame("Path", path);
    game.WriteTexts(
        "Path", {Caption(1, "A sandy path", 56, 12, 16, kDriftwood),
                 Caption(2, "Three shells lie in the sand, as if waiting to be sounded.", 60, 120,
                         12, kDriftwood),
                 Caption(3, "< back to the shore", 16, 446, 11, kDriftwood),
                 Caption(4, "cove >", 586, 250, 11, kDriftwood)});
    // The shells lie large, small, middle from left to right; each click calls the library.
    // The lower strip leads back (a click on the caption itself lands on its text box).
    WriteSpots(game, "Path", {Walk(Spot(1, 0, 380, 640, 100)),
                                Hand(Pictured(Spot(2, 150, 250, 72, 64), "shell3.png")),
                                Hand(Pictured(Spot(3, 290, 280, 72, 64), "shell1.png")),
                                Hand(Pictured(Spot(4, 430, 240, 72, 64), "shell2.png")),
                                Walk(Spot(5, 560, 160, 80, 200))});
    const auto press = [](int size) {
        return ActionSpec{.RunScript = true, .Script = "PressShell " + std::to_string(size)};
    };
    game.WriteActions("Path", {Through(GoTo("Shore"), 2, 800), press(3), press(1), press(2),
                               Through(GoTo("Cove"), 3, 800)});

    // The rock pool below the path: the stone that tells the shells' order, a crab, a pool
    // that ripples.
    FrameSpec cove;
    cove.BackgroundKind = 1;
    cove.Background = "cove.jpg";
    game.WriteFrame("Cove", cove);
    game.WriteTexts("Cove", {Caption(1, "The rock pool", 56, 12, 16, kWhite),
                             Caption(2, "< back to the path", 16, 446, 11, kDriftwood)});
    WriteSpots(game, "Cove",
               {Walk(Spot(1, 0, 430, 640, 50)), Look(Spot(2, 60, 250, 120, 90)),
                Look(Spot(3, 230, 300, 180, 90)), Hand(Pictured(Spot(4, 420, 330, 60, 40), "crab.png"))});
    game.WriteActions("Cove",
                      {Through(GoTo("Path"), 2, 800),
                       Say("Scratched on the stone: the small one sings first, the big one last."),
                       Say("Anemones sway in the clear pool."),
                       Say("The crab raises a claw at you. You leave it in peace.")});
    game.WriteWaterEffect(
        "Cove", {.Left = 230, .Top = 300, .Width = 180, .Height = 90, .Strength = 6, .Speed = 5});
    game.WriteWaterMask("Cove", CoveWaterMask(230, 300, 180, 90));

    FrameSpec credits;
    credits.Background = std::to_string(0x3A1E10); // deep blue
    credits.RunFrameScript = true;
    credits.FrameScript = Stored(kCreditsScript);
    game.WriteFrame("Credits", credits);
    game.WriteTexts("Credits",
                    {
                        Caption(1, "Made with Quillora", 180, 150, 22, kGold),
                        {.Number = 2, .Caption = "[EMPTY]"},
                        Caption(3, "The Lighthouse Keeper's Key", 196, 220, 14, kWhite),
                        Caption(4, "Pictures drawn with Qt, music and sounds made with FFmpeg", 108,
                                260, 11, kWhite),
                        Caption(5, "Click to end.", 270, 420, 11, kWhite),
                    });
    WriteSpots(game, "Credits", {Spot(1, 0, 0, 640, 480)});
    game.WriteActions("Credits", {{.Quit = true}});
}

// The keeper's cottage: old Elias by his fire. The conversation starts as the frame opens; his
// answers offer new questions, one of them gives the wick the lamp needs, and "Goodbye." leads
// out through the door (the question's third action is the door's).
void WriteCottage(test::ProjectWriter& game) {
    FrameSpec cottage;
    cottage.BackgroundKind = 1;
    cottage.Background = "cottage.jpg";
    cottage.Music = "theme.mid"; // the shanty by the fire; the waves fade out
    FadeChannelOne(cottage, "", 0);
    game.WriteFrame("Cottage", cottage);
    game.WriteTexts("Cottage", {Caption(1, "The keeper's cottage", 90, 12, 16, kWhite)});
    WriteSpots(game, "Cottage", {Talk(Spot(1, 280, 160, 110, 200)), Walk(Spot(2, 8, 150, 56, 210)),
                                   Look(Spot(3, 90, 290, 120, 70))});
    game.WriteActions("Cottage",
                      {Say("Old Elias puffs on his pipe and watches the fire."),
                       Through(GoTo("Shore"), 3, 800),
                       Say("The keeper's sea chest. Brass polish, charts, and an empty wick box.")});
    const std::string giveWick = Stored("If KeeperHelped = 0 Then Action.AddItem \"Wick\", False\n"
                                        "KeeperHelped = 1");
    game.WriteDialogue(
        "Cottage",
        {
            {.Text = "Good evening! Who are you?",
             .Answer = "Elias. I kept this light forty years, till my knees gave up on the stairs.",
             .Id = 1,
             .Show = {3},
             .Hide = {1},
             .UseAnswerTime = false},
            {.Text = "Fine weather, isn't it?",
             .Answer = "Storm by nightfall, mark my words. The ships will need the light.",
             .Id = 2,
             .UseAnswerTime = false},
            {.Text = "Why is the lighthouse dark?",
             .Answer = "The wick burnt down to nothing, and the salt has clouded the great lens.",
             .Id = 3,
             .Visible = false,
             .Show = {4, 5},
             .Hide = {3},
             .UseAnswerTime = false},
            {.Text = "Could you spare a wick?",
             .Answer = "Take my last one. And mind the third step on the way up.",
             .First = giveWick,
             .Id = 4,
             .Visible = false,
             .Hide = {4},
             .UseAnswerTime = false},
            {.Text = "What takes salt off glass?",
             .Answer = "Something smooth and hard. A pearl, say. The shells on the path keep one.",
             .Id = 5,
             .Visible = false,
             .Hide = {5},
             .UseAnswerTime = false},
            {.Text = "Goodbye.",
             .Answer = "Fair winds, and bring the light back!",
             .Id = 6,
             .Ends = true,
             .ThirdAction = 2,
             .UseAnswerTime = false},
        });
}

void WriteFrames(test::ProjectWriter& game) {
    WriteItems(game);
    WriteIntro(game);
    WriteShore(game);
    WriteInside(game);
    WriteExtras(game);
    WriteCottage(game);
}

} // namespace
} // namespace quillora::demo

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-demo FOLDER\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    quillora::test::ProjectWriter game(argv[1]);
    quillora::demo::WriteConfig(game);
    game.WriteBytes("Frames/.keep", "");
    game.WriteBytes("Areas/.keep", "");
    game.WriteBytes("Icons/.keep", "");
    quillora::demo::WritePictures(game);
    quillora::demo::WriteScheme(game);
    quillora::demo::WriteSecondCD(game);
    quillora::demo::WriteFrames(game);
    std::printf("demo game written to %s\n", game.Root().c_str());
    return 0;
}
