// make-demo FOLDER: writes the demo game (configuration, frames, hotspots, texts, pictures).
#include "DemoPictures.h"
#include "ProjectWriter.h"
#include "startup/MediaPath.h"

#include <QGuiApplication>

#include <cstdio>

namespace quillora::demo {
namespace {

using test::FileValues;
using test::FrameSpec;
using test::HotspotSpec;
using test::TextSpec;

constexpr int kWhite = 0xFFFFFF;
constexpr int kGold = 0x60D0F0; // red in the lowest byte

void WriteConfig(test::ProjectWriter& game) {
    FileValues general = test::GeneralFields();
    general[0] = "QuilloraDemo";
    general[2] = "The Lighthouse Keeper's Key";
    general[4] = "Intro";
    general[5] = "Version 1.0";
    general[8] = "The Quillora team";
    general[9] = "players@quillora.invalid";
    general[10] = "https://quillora.github.io/";
    general[37] = "quill.cur"; // the default pointer
    general[40] = true;        // windowed: the frame scales as the window is resized
    game.WriteGeneral(general);
    game.WriteValues("Config/Texts", {1});
    game.WriteVariables({"DoorOpen", "GullScared", "Visits"}, {"PlayerName"});
    game.WriteBytes("Config/More", "[General]\r\nScriptTimeOut=5\r\n");
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
    // A compiled game keeps some pictures under numbered names: the boat is one of them.
    Boat()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(StoredMediaName(root + "Areas/boat.bmp")), "BMP");
    game.WriteCursor("Icons/quill.cur", QuillPointer(), 1, 1);
}

void WriteFrames(test::ProjectWriter& game) {
    FrameSpec intro;
    intro.BackgroundKind = 1;
    intro.Background = "title.jpg";
    intro.AutoJump = true;
    intro.AutoJumpDelay = 4;
    intro.AutoJumpFrame = "Shore";
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
                             });

    FrameSpec shore;
    shore.BackgroundKind = 1;
    shore.Background = "shore.jpg";
    game.WriteFrame("Shore", shore);
    game.WriteHotspots("Shore",
                       {
                           {.Number = 1,
                            .Left = 6675,
                            .Top = 3735,
                            .Width = 660,
                            .Height = 960,
                            .HasPicture = true,
                            .Picture = "door_closed.png",
                            .Conditions = true,
                            .MustBeZero = {"DoorOpen"}},
                           {.Number = 2,
                            .Left = 6675,
                            .Top = 3735,
                            .Width = 660,
                            .Height = 960,
                            .HasPicture = true,
                            .Picture = "door_open.png",
                            .Conditions = true,
                            .MustBeOne = {"DoorOpen"}},
                           {.Number = 3,
                            .Left = 2970,
                            .Top = 1470,
                            .Width = 1020,
                            .Height = 660,
                            .HasPicture = true,
                            .Picture = "seagull.png",
                            .Conditions = true,
                            .MustBeZero = {"GullScared"}},
                           {.Number = 4,
                            .Left = 1170,
                            .Top = 4170,
                            .Width = 1860,
                            .Height = 960,
                            .HasPicture = true,
                            .Picture = "boat.bmp",
                            .Pointer = "default"},
                           {.Number = 5, .Left = 0, .Top = 3750, .Width = 9600, .Height = 1200},
                       });
    game.WriteTexts("Shore", {{.Number = 1,
                               .Caption = "The shore",
                               .Left = 240,
                               .Top = 180,
                               .Bold = true,
                               .Size = 16,
                               .Color = kWhite}});

    FrameSpec inside;
    inside.BackgroundKind = 1;
    inside.Background = "inside.jpg";
    game.WriteFrame("Lighthouse", inside);
    game.WriteTexts("Lighthouse", {{.Number = 1,
                                    .Caption = "Inside the lighthouse",
                                    .Left = 240,
                                    .Top = 180,
                                    .Bold = true,
                                    .Size = 16,
                                    .Color = kWhite}});

    FrameSpec path;
    path.BackgroundKind = 1;
    path.Background = "sand.bmp";
    path.Tile = true;
    game.WriteFrame("Path", path);
    game.WriteTexts("Path", {{.Number = 1,
                              .Caption = "A sandy path",
                              .Left = 3600,
                              .Top = 3300,
                              .Size = 18,
                              .Color = 0x204060}});

    FrameSpec credits;
    credits.Background = std::to_string(0x3A1E10); // deep blue
    credits.AutoJump = true;
    credits.AutoJumpDelay = 6;
    credits.AutoJumpFrame = "[last visited frame]";
    game.WriteFrame("Credits", credits);
    game.WriteTexts("Credits", {
                                   {.Number = 1,
                                    .Caption = "Made with Quillora",
                                    .Left = 2700,
                                    .Top = 2700,
                                    .Bold = true,
                                    .Size = 22,
                                    .Color = kGold},
                                   {.Number = 2, .Caption = "[EMPTY]", .Left = 0, .Top = 0},
                               });
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
    quillora::demo::WriteFrames(game);
    std::printf("demo game written to %s\n", game.Root().c_str());
    return 0;
}
