// quillora-vbs: runs a VBScript file like a console script host (WScript.Echo, Arguments, Quit).
#include "core/PathLookup.h"
#include "vbscript/ConsoleHost.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

constexpr const char* kUsage =
    "usage: quillora-vbs [//B] [//Nologo] [//T:SECONDS] FILE.vbs [ARGS...]\n"
    "Runs a VBScript file as a console script host does.\n"
    "  //B           keep error lines and prompts off the console\n"
    "  //Nologo      accepted (no logo is ever printed)\n"
    "  //T:SECONDS   end a script that runs longer\n"
    "  --help        this text     --version   the program's version\n";

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    // --help and --version count only before the script's name: after it, they are the
    // script's own arguments.
    for (const std::string& word : words) {
        if (word == "--help" || word == "-h" || word == "//?") {
            std::printf("%s", kUsage);
            return 0;
        }
        if (word == "--version") {
            std::printf("quillora-vbs %s\n", QUILLORA_VERSION);
            return 0;
        }
        if (!word.starts_with("//")) break;
    }
    quillora::vbs::ConsoleOptions options;
    std::string file, error;
    std::vector<std::string> args;
    if (!quillora::vbs::ParseConsoleCommandLine(words, options, file, args, error)) {
        std::fprintf(stderr, "quillora-vbs: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    const std::string path = quillora::PathLookup::Instance().Find(file).value_or(file);
    std::error_code folderError;
    if (std::filesystem::is_directory(path, folderError)) {
        std::fprintf(stderr, "%s: is a folder, not a script file\n", file.c_str());
        return 1;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot open the script file\n", file.c_str());
        return 1;
    }
    // Read straight into one string: a long script is not held twice while it compiles.
    std::string bytes;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size >= 0 && in) {
        bytes.resize(static_cast<size_t>(size));
        in.read(bytes.data(), size);
        bytes.resize(static_cast<size_t>(in.gcount()));
    } else {
        in.clear();
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    quillora::vbs::ConsoleStreams streams;
    // Each finished line goes out at once, so a run that is stopped keeps what it printed.
    streams.out = [](const std::string& s) {
        std::fwrite(s.data(), 1, s.size(), stdout);
        if (s.find('\n') != std::string::npos) std::fflush(stdout);
    };
    streams.err = [](const std::string& s) {
        std::fflush(stdout);
        std::fwrite(s.data(), 1, s.size(), stderr);
    };
    streams.readLine = []() -> std::optional<std::string> {
        std::fflush(stdout);
        std::string line;
        if (!std::getline(std::cin, line)) return std::nullopt;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    };
    streams.readAll = [] {
        std::ostringstream all;
        all << std::cin.rdbuf();
        return all.str();
    };
    const int status = quillora::vbs::RunConsoleScript(file, bytes, args, streams, options);
    std::fflush(stdout);
    return status;
}
