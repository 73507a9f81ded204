// The player's command line: quillora-run [DIR] [--autoplay FILE [--strict]] [--trust-scripts]
// [--check] [--version].
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillora {

struct PlayerOptions {
    std::string ProjectFolder; // empty: the executable's own folder
    std::string AutoplayFile;  // empty: play normally
    bool Strict = false;       // autoplay: any error box fails the run
    // --trust-scripts: the game's scripts reach every file and start programs without asking
    // (for authors testing their own game).
    bool TrustScripts = false;
    bool Check = false; // --check: check the game's files instead of playing it
    bool ShowVersion = false;
    bool ShowHelp = false;
};

// Parses the arguments after the program name; on a mistake returns nothing and sets error.
std::optional<PlayerOptions> ParseCommandLine(const std::vector<std::string>& args,
                                              std::string& error);

inline constexpr const char* kVersionText = "quillora-run 3.4.3";
inline constexpr const char* kUsageText =
    "usage: quillora-run [GAME_DIR] [--autoplay SCRIPT [--strict]] [--trust-scripts] [--version]\n"
    "                    [--help]\n"
    "       quillora-run --check GAME_DIR\n"
    "Plays the Quillora game in GAME_DIR (default: the folder of this program).\n"
    "  --autoplay SCRIPT  drive the game from an autoplay script (see README.md)\n"
    "  --strict           with --autoplay: any error box fails the run (exit status 1)\n"
    "  --trust-scripts    let the game's scripts reach files outside the game and start\n"
    "                     programs without asking (for authors testing their own game)\n"
    "  --check            read every file of the game without playing it and list what is\n"
    "                     missing or damaged, one FILE:LINE: line each (exit status 1 on errors)\n";

} // namespace quillora
