// The player's command line: quillora-run [DIR] [--autoplay FILE] [--version].
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillora {

struct PlayerOptions {
    std::string ProjectFolder; // empty: the executable's own folder
    std::string AutoplayFile;  // empty: play normally
    bool ShowVersion = false;
    bool ShowHelp = false;
};

// Parses the arguments after the program name; on a mistake returns nothing and sets error.
std::optional<PlayerOptions> ParseCommandLine(const std::vector<std::string>& args,
                                              std::string& error);

inline constexpr const char* kVersionText = "Version 3.4.3";
inline constexpr const char* kUsageText =
    "usage: quillora-run [GAME_DIR] [--autoplay SCRIPT] [--version]\n"
    "Plays the Quillora game in GAME_DIR (default: the folder of this program).\n";

} // namespace quillora
