// The player's command line: quillora-run [DIR] [--autoplay FILE] [--trust-scripts] [--version].
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillora {

struct PlayerOptions {
    std::string ProjectFolder; // empty: the executable's own folder
    std::string AutoplayFile;  // empty: play normally
    // --trust-scripts: the game's scripts reach every file and start programs without asking
    // (for authors testing their own game).
    bool TrustScripts = false;
    bool ShowVersion = false;
    bool ShowHelp = false;
};

// Parses the arguments after the program name; on a mistake returns nothing and sets error.
std::optional<PlayerOptions> ParseCommandLine(const std::vector<std::string>& args,
                                              std::string& error);

inline constexpr const char* kVersionText = "Version 3.4.3";
inline constexpr const char* kUsageText =
    "usage: quillora-run [GAME_DIR] [--autoplay SCRIPT] [--trust-scripts] [--version]\n"
    "Plays the Quillora game in GAME_DIR (default: the folder of this program).\n"
    "--trust-scripts lets the game's scripts reach files outside the game and start programs\n"
    "without asking (for authors testing their own game).\n";

} // namespace quillora
