// Plays mutated copies of the demo game: each input replaces some of the game's files, and the
// game is started and played for a moment, offscreen. Whatever the files hold, the player must
// show its messages and go on: no crash, no freeze, no unbounded memory.
//
// An input is one or more records separated by kRecordMark; a record is a file's path in the
// game ("Frames/Shore.fme"), a line break, and the file's new bytes. A path that names no file
// of the demo picks one by its hash, so a mutated path still spoils something. Seeds are the
// demo's own files in this form (corpus/game_folder_fuzzer/).
#include "FuzzGame.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>

namespace {

using namespace quillora;

constexpr std::string_view kRecordMark = "\n--quillora-file--\n";
// Records past this are ignored: a few spoiled files at a time find more than many.
constexpr int kMaxRecords = 8;
// How long each game is played, in milliseconds of real time.
constexpr int kPlayMs = 300;

std::string PickFile(const std::string& path) {
    const auto& files = fuzz::Sandbox::Instance().DemoFiles();
    for (const auto& [name, bytes] : files) {
        if (name.size() == path.size() &&
            std::equal(name.begin(), name.end(), path.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            return name;
    }
    auto it = files.begin();
    std::advance(it, std::hash<std::string>()(path) % files.size());
    return it->first;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Sandbox& sandbox = fuzz::Sandbox::Instance();
    sandbox.Restore();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    for (int record = 0; record < kMaxRecords && start <= input.size(); ++record) {
        size_t end = input.find(kRecordMark, start);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view text = input.substr(start, end - start);
        const size_t lineEnd = text.find('\n');
        if (lineEnd != std::string_view::npos) {
            sandbox.Spoil(PickFile(std::string(text.substr(0, lineEnd))),
                          std::string(text.substr(lineEnd + 1)));
        }
        start = end + kRecordMark.size();
    }
    fuzz::PlayBriefly(static_cast<unsigned>(std::hash<std::string_view>()(input)), kPlayMs);
    return 0;
}
