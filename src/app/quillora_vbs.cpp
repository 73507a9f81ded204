// quillora-vbs: runs a VBScript file like a console script host (WScript.Echo, Arguments, Quit).
#include "core/PathLookup.h"
#include "vbscript/ConsoleHost.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    quillora::vbs::ConsoleOptions options;
    std::string file, error;
    std::vector<std::string> args;
    if (!quillora::vbs::ParseConsoleCommandLine({argv + 1, argv + argc}, options, file, args,
                                                error)) {
        std::fprintf(stderr,
                     "%s\nusage: quillora-vbs [//B] [//Nologo] [//T:seconds] FILE.vbs "
                     "[ARGS]\n",
                     error.c_str());
        return 2;
    }
    std::ifstream in(quillora::PathLookup::Instance().Find(file).value_or(file), std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot open the script file\n", file.c_str());
        return 1;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
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
    const int status = quillora::vbs::RunConsoleScript(file, bytes.str(), args, streams, options);
    std::fflush(stdout);
    return status;
}
