// Autoplay scripts: one command a line that drives the game and checks what it shows.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillora {

struct AutoplayCommand {
    int line = 0;                  // 1-based line in the script
    std::string verb;              // lower case
    std::vector<std::string> args; // words after the verb
    std::string rest;              // the text after the verb, trimmed (for free-text arguments)
};

struct AutoplayParseError {
    int line = 0;
    std::string message;
};

// Parses a whole script; "#" starts a comment. Verbs and their argument counts are checked
// here, so a script with a line the player cannot read never starts.
std::vector<AutoplayCommand> ParseAutoplayScript(const std::string& text,
                                                 std::optional<AutoplayParseError>& error);

} // namespace quillora
