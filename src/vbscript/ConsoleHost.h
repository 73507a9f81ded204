// The console script host behind quillora-vbs: the WScript object, MsgBox/InputBox on the
// console, and the error line format. Streams are functions so tests can capture them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillora::vbs {

struct ConsoleStreams {
    std::function<void(const std::string&)> out; // standard output (UTF-8)
    std::function<void(const std::string&)> err; // standard error (UTF-8)
    std::function<std::optional<std::string>()>
        readLine;                         // a line of standard input, or none at its end
    std::function<std::string()> readAll; // the rest of standard input
};

// Runs script text (bytes: UTF-16 with BOM, UTF-8, or Windows-1252) as the file `fileName`
// with the given arguments. Returns the exit status: 0, the WScript.Quit code, or 1 after an
// error, which is written to `err` as "FILE(LINE, COL) runtime error: DESCRIPTION" (or
// "compilation error"). MsgBox and InputBox use the streams while the script runs.
int RunConsoleScript(const std::string& fileName, const std::string& bytes,
                     const std::vector<std::string>& args, const ConsoleStreams& streams);

// Decodes script file bytes to UTF-8 (see RunConsoleScript).
std::string DecodeScriptBytes(const std::string& bytes);

} // namespace quillora::vbs
