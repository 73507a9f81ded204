// Parsing the player's command line.
#include "app/CommandLine.h"

namespace quillora {

std::optional<PlayerOptions> ParseCommandLine(const std::vector<std::string>& args,
                                              std::string& error) {
    PlayerOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--version") {
            options.ShowVersion = true;
        } else if (arg == "--help" || arg == "-h") {
            options.ShowHelp = true;
        } else if (arg == "--trust-scripts") {
            options.TrustScripts = true;
        } else if (arg == "--autoplay") {
            if (i + 1 >= args.size()) {
                error = "--autoplay needs a script file";
                return std::nullopt;
            }
            options.AutoplayFile = args[++i];
        } else if (arg == "--check") {
            options.Check = true;
        } else if (arg == "--strict") {
            options.Strict = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (options.ProjectFolder.empty()) {
            options.ProjectFolder = arg;
        } else {
            error = "more than one game folder given";
            return std::nullopt;
        }
    }
    if (options.Strict && options.AutoplayFile.empty()) {
        error = "--strict needs --autoplay";
        return std::nullopt;
    }
    if (options.Check && !options.AutoplayFile.empty()) {
        error = "--check does not play the game: it takes no --autoplay";
        return std::nullopt;
    }
    return options;
}

} // namespace quillora
