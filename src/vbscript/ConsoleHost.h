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

// The console host's own switches (//T:seconds, //B).
struct ConsoleOptions {
    long long timeoutSeconds = 0; // 0: no limit
    bool batch = false;           // no error lines and no prompts on the console
};

// Splits a command line after the program name into host switches (`//T:5`, `//Nologo`, `//B`,
// case-insensitive, anywhere on the line), the script file (the first other word) and the
// script's arguments. Returns false with `error` set for an unknown or malformed switch.
bool ParseConsoleCommandLine(const std::vector<std::string>& words, ConsoleOptions& options,
                             std::string& file, std::vector<std::string>& args, std::string& error);

// Runs script text (bytes: UTF-16 with BOM, UTF-8, or Windows-1252) as the file `fileName`
// with the given arguments. Returns the exit status: 0, the WScript.Quit code, or 1 after an
// error, which is written to `err` as "FILE(LINE, COL) runtime error: DESCRIPTION" (or
// "compilation error"). MsgBox and InputBox use the streams while the script runs.
int RunConsoleScript(const std::string& fileName, const std::string& bytes,
                     const std::vector<std::string>& args, const ConsoleStreams& streams,
                     const ConsoleOptions& options = {});

// Decodes script file bytes to UTF-8 (see RunConsoleScript).
std::string DecodeScriptBytes(const std::string& bytes);

} // namespace quillora::vbs
