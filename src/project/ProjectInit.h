// Project initialisation: folders, interface texts, project information, display and CD checks.
#pragma once

#include <string>

namespace quillora {

struct ProjectInitResult {
    bool EndProgram = false;       // the project cannot be played (message already shown)
    std::string LoadFailure;       // description of a failure while reading the project information
    std::string LoadFailureDetail; // its place for authors, after a blank line ("" without)
};

// Fills the project paths from programFolder, the interface texts and the project information;
// records the display mode and loads the CD index. Shows the missing-file message and ends when
// Config/General is missing; asks before going on with large system fonts.
ProjectInitResult ProjectInit(const std::string& programFolder);

// Height in pixels of the desktop's system font, measured as the classic 16-pixel system font
// at the screen's logical resolution; 16 (small fonts) when there is no screen.
int SystemFontHeight();

} // namespace quillora
