// The author's checker: reads every file of a game without playing it and lists what is wrong.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace quillora {

// One thing found in a game. File is relative to the game folder ("/" separators); Line counts
// from 1, 0 where no line applies.
struct Finding {
    std::string File;
    int Line = 0;
    bool Error = true; // false: a warning
    std::string Message;
};

struct CheckReport {
    std::vector<Finding> Findings;
    int FramesReached = 0; // frames reachable from the start frame that have a frame file
    int FramesInGame = 0;  // frame files in the Frames folder
    int Errors() const;
    int Warnings() const;
};

// Checks the game in `folder`: the project files of Config, the welcome scheme, every frame
// reachable from the start frame (through automatic jumps, hotspot and item actions and the
// frame names scripts give GoToFrame as literal strings) with its hotspot, text, action,
// pick-up and dialogue files, the items and their combinations, and every picture, sound,
// video and pointer they name (found as the media lookup finds them). Scripts and the procedure
// library are compiled, never run. Frame files nothing reaches are warnings. Uses the process's
// project paths and information, as the player does; shows no box.
CheckReport CheckGame(const std::string& folder);

// "FILE:LINE: message" (":LINE" left out when the line is 0).
std::string FormatFinding(const Finding& finding);

// Writes the findings sorted by file and line, one a line, then a one-line summary. Returns the
// exit status: 1 when there is an error, else 0.
int PrintCheckReport(const CheckReport& report, std::FILE* out);

} // namespace quillora
