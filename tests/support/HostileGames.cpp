// The hostile game folders.
#include "HostileGames.h"

#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

namespace quillora::test {
namespace {

void Put16(std::string& out, int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

} // namespace

std::string TinyFramesGif(int width, int height, int frames) {
    std::string gif = "GIF89a";
    Put16(gif, width);
    Put16(gif, height);
    gif += std::string("\x80\x00\x00", 3); // a global table of two colours
    gif += std::string("\xFF\x00\x00\x00\x00\xFF", 6);
    gif += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop for ever
    for (int i = 0; i < frames; ++i) {
        gif += std::string("\x21\xF9\x04\x00\x01\x00\x00\x00", 8); // 10 ms a frame
        gif += '\x2C';
        Put16(gif, i % width);
        Put16(gif, i % height);
        Put16(gif, 1);
        Put16(gif, 1);
        gif += '\x00';
        gif += std::string("\x02\x02\x44\x01\x00", 5); // one pixel of colour i % 2
    }
    gif += '\x3B';
    return gif;
}

void MakePipe(ProjectWriter& game, const std::string& relative) {
    const std::filesystem::path path = game.Root() + relative;
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::remove(path);
    if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo " + path.string());
}

void WriteSoundGame(ProjectWriter& game) {
    FileValues general = GeneralFields();
    general[4] = "Hall";
    general[42] = true; // no welcome window
    game.WriteGeneral(general);
    game.WriteVariables({});
    game.WritePicture("Frames/back.bmp", 64, 48, Qt::darkGreen);
    FrameSpec hall;
    hall.BackgroundKind = 1;
    hall.Background = "back.bmp";
    game.WriteFrame("Hall", hall);
    game.WriteHotspots("Hall", {{.Number = 1}});
    game.WriteActions("Hall", {{.GoToFrame = 1, .Frame = "Room"}});
    game.WriteFrame("Room", {});
}

std::vector<HostileGame> HostileGames() {
    const auto background = [](const std::string& name) {
        return [name](ProjectWriter& game) {
            FrameSpec hall;
            hall.BackgroundKind = 1;
            hall.Background = name;
            game.WriteFrame("Hall", hall);
        };
    };
    std::vector<HostileGame> games;
    games.push_back({"a background outside the game",
                     background("..\\..\\..\\..\\..\\..\\..\\..\\dev\\urandom"),
                     "The following file is missing:"});
    games.push_back({"a background that is a pipe",
                     [](ProjectWriter& game) { MakePipe(game, "Frames/back.bmp"); },
                     "The following file is missing:"});
    games.push_back({"a background that is a folder",
                     [](ProjectWriter& game) {
                         std::filesystem::remove(game.Root() + "Frames/back.bmp");
                         std::filesystem::create_directories(game.Root() + "Frames/back.bmp");
                     },
                     "The following file is missing:"});
    games.push_back(
        {"a background that is no picture",
         [](ProjectWriter& game) { game.WriteBytes("Frames/back.bmp", std::string(5000, '\x42')); },
         "Invalid picture", "wait 300\nexpect-frame Hall\nquit\n"});
    games.push_back({"a frame size no display shows",
                     [](ProjectWriter& game) {
                         FileValues general = GeneralFields();
                         general[4] = "Hall";
                         general[42] = true;
                         general[6] = 32767;
                         general[7] = 32767;
                         game.WriteGeneral(general);
                     },
                     "32767 x 32767"});
    games.push_back({"an animated picture of very many frames",
                     [](ProjectWriter& game) {
                         game.WriteBytes("Areas/many.gif", TinyFramesGif(2000, 2000, 1500));
                         game.WriteHotspots("Hall", {{.Number = 1},
                                                     {.Number = 2,
                                                      .Left = 3000,
                                                      .Top = 3000,
                                                      .Animated = 1,
                                                      .HasPicture = true,
                                                      .Picture = "many.gif"}});
                         game.WriteActions("Hall", {{.GoToFrame = 1, .Frame = "Room"}, {}});
                     },
                     "", "wait 4000\nclick 20 20\nwait-frame Room 3000\nquit\n"});
    games.push_back(
        {"a frame link out of the game",
         [](ProjectWriter& game) {
             game.WriteActions("Hall", {{.GoToFrame = 1, .Frame = "..\\..\\Frames\\Room"}});
             game.WriteValues("../Frames/Room.fme", FrameFileValues({}));
         },
         "A program link is broken", "wait 300\nclick 20 20\nwait 300\nexpect-frame Hall\nquit\n"});
    games.push_back({"a frame file of garbage",
                     [](ProjectWriter& game) {
                         game.WriteBytes("Frames/Room.fme", std::string("\"\x01\x02,,#TRUE", 10));
                     },
                     "Unable to load the frame called 'Room'",
                     "wait 300\nclick 20 20\nwait 500\nquit\n"});
    games.push_back({"files that are pipes",
                     [](ProjectWriter& game) {
                         MakePipe(game, "Config/Variables");
                         MakePipe(game, "FramesData/Room.fm2");
                         MakePipe(game, "Config/More");
                     },
                     "Unable to load variables list."});
    games.push_back({"a CD index cut short with an absurd CD count",
                     [](ProjectWriter& game) {
                         game.WriteBytes("RunFromCD.dat", "");
                         game.WriteBytes("Config/CDContents",
                                         "1,2,3,32767,5,6,\"back.bmp\",99999999999,1,\"x");
                     },
                     "Error loading CD index."});
    return games;
}

} // namespace quillora::test
