// Checking a game's script texts without running them: compiling, and the frames they name.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillora {

namespace vbs {
class ScriptControl;
}

// A script that does not compile: the compiler's message and its place in the script (line and
// column from 1; 0 when the compiler gave none).
struct ScriptProblem {
    std::string Message;
    int Line = 0;
    int Column = 0;
};

// A frame name a script passes to GoToFrame as a literal string, and its line in the script.
struct NamedFrame {
    std::string Name;
    int Line = 0;
};

// Compiles script texts with the game's engine, one at a time from an empty global scope, and
// never runs them.
class ScriptChecker {
public:
    ScriptChecker();
    ~ScriptChecker();
    ScriptChecker(const ScriptChecker&) = delete;
    ScriptChecker& operator=(const ScriptChecker&) = delete;

    // Nothing when the text (UTF-8) compiles.
    std::optional<ScriptProblem> Compile(const std::string& text);

private:
    std::unique_ptr<vbs::ScriptControl> m_control;
};

// The frame names passed as literal strings to GoToFrame (with or without "Action.", "Call" or
// parentheses) in a script text; names computed at run time cannot be known. A text that does
// not tokenise gives the names before the fault.
std::vector<NamedFrame> FramesNamedInScript(const std::string& text);

} // namespace quillora
