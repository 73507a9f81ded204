// Runs the real quillora-run program on a game folder with an autoplay script, for end-to-end
// tests.
#pragma once

#include <string>
#include <vector>

namespace quillora::test {

struct PlayerRunResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Runs quillora-run GAME --autoplay SCRIPT under the offscreen platform and silent audio, with its
// settings in a fresh temporary folder; gives up after timeoutMs.
PlayerRunResult RunPlayer(const std::string& gameFolder, const std::string& script,
                          int timeoutMs = 30000);
// quillora-run with these arguments only (no script added), under the offscreen platform.
PlayerRunResult RunPlayerWith(const std::vector<std::string>& args, int timeoutMs = 30000);
// The same with no display at all and no platform chosen, as on a headless machine.
PlayerRunResult RunPlayerHeadless(const std::string& gameFolder, const std::string& script);

} // namespace quillora::test
