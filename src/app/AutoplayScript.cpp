// Parsing autoplay scripts.
#include "app/AutoplayScript.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace quillora {
namespace {

struct VerbRule {
    const char* verb;
    int minArgs;
    int maxArgs;     // -1: any number
    int numericArgs; // how many leading arguments must be whole numbers
};

constexpr VerbRule kVerbs[] = {
    {"click", 2, 2, 2},
    {"rclick", 2, 2, 2},
    {"move", 2, 2, 2},
    {"key", 1, 1, 0},
    {"drag", 3, 3, 3},
    {"wait", 1, 1, 1},
    {"wait-frame", 1, -1, 0},
    {"wait-idle", 0, 1, 1},
    {"answer", 1, -1, 0},
    {"save", 1, -1, 0},
    {"load", 1, -1, 0},
    {"expect-frame", 1, -1, 0},
    {"expect-var", 2, -1, 0},
    {"expect-items", 0, -1, 0},
    {"expect-visible", 1, 1, 1},
    {"expect-hidden", 1, 1, 1},
    {"expect-message", 1, -1, 0},
    {"expect-responsive", 1, 1, 1},
    {"screenshot", 1, -1, 0},
    {"script", 1, -1, 0},
    {"quit", 0, 0, 0},
};

bool IsWholeNumber(const std::string& word) {
    size_t i = word.size() > 1 && word[0] == '-' ? 1 : 0;
    if (i == word.size()) return false;
    for (; i < word.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(word[i]))) return false;
    }
    return word.size() < 10;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::vector<AutoplayCommand> ParseAutoplayScript(const std::string& text,
                                                 std::optional<AutoplayParseError>& error) {
    std::vector<AutoplayCommand> commands;
    std::istringstream lines(text);
    std::string raw;
    int number = 0;
    while (std::getline(lines, raw)) {
        ++number;
        const size_t hash = raw.find('#');
        const std::string line = Trim(hash == std::string::npos ? raw : raw.substr(0, hash));
        if (line.empty()) continue;
        AutoplayCommand command;
        command.line = number;
        std::istringstream words(line);
        words >> command.verb;
        for (char& c : command.verb)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        command.rest = Trim(line.substr(command.verb.size()));
        for (std::string word; words >> word;)
            command.args.push_back(word);

        const VerbRule* rule = nullptr;
        for (const VerbRule& r : kVerbs) {
            if (command.verb == r.verb) rule = &r;
        }
        const int count = static_cast<int>(command.args.size());
        std::string problem;
        if (rule == nullptr) {
            problem = "unknown command \"" + command.verb + "\"";
        } else if (count < rule->minArgs || (rule->maxArgs >= 0 && count > rule->maxArgs)) {
            problem = "wrong number of arguments for \"" + command.verb + "\"";
        } else {
            for (int i = 0; i < std::min(rule->numericArgs, count); ++i) {
                if (!IsWholeNumber(command.args[i]))
                    problem = "\"" + command.args[i] + "\" is not a whole number";
            }
            // A time cannot run backwards: a negative wait would never end.
            const bool time = command.verb == "wait" || command.verb == "wait-idle";
            if (problem.empty() && time && count > 0 && command.args[0][0] == '-')
                problem = "\"" + command.args[0] + "\" is not a time in milliseconds";
        }
        if (!problem.empty()) {
            error = AutoplayParseError{number, problem};
            return {};
        }
        commands.push_back(std::move(command));
    }
    return commands;
}

} // namespace quillora
