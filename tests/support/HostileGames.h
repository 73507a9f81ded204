// Damaged and hostile game folders, written on the fly: each must cost the player a message,
// never a crash, a freeze or the machine's memory.
#pragma once

#include "ProjectWriter.h"

#include <functional>
#include <string>
#include <vector>

namespace quillora::test {

struct HostileGame {
    std::string name;
    // Spoils the sound game that WriteSoundGame wrote. The game folder must have a parent
    // folder of the test's own: a spoiler may put files beside the game ("../").
    std::function<void(ProjectWriter&)> spoil;
    // Part of a message box the player must show ("box: TITLE | TEXT" on its output); empty
    // when the damage must pass without one.
    std::string expectedBox;
    // Autoplay lines that show the game goes on (the sound game starts in Hall, skipping the
    // welcome window; a click at 20 20 goes to Room).
    std::string script = "wait 300\nclick 20 20\nwait-frame Room 3000\nquit\n";
};

// A small game that plays: General (no welcome window), frames Hall (a background picture
// back.bmp and hotspot 1 going to Room) and Room, no variables.
void WriteSoundGame(ProjectWriter& game);

// Every hostile variant of the sound game.
std::vector<HostileGame> HostileGames();

// The bytes of an animated GIF of `frames` frames of one pixel each on a width x height canvas:
// a few bytes a frame that a decoder turns into a whole canvas a frame.
std::string TinyFramesGif(int width, int height, int frames);

// Makes a named pipe (FIFO) at a path relative to the game folder, in place of a file.
void MakePipe(ProjectWriter& game, const std::string& relative);

} // namespace quillora::test
