// Runs arbitrary script text through the game's script host, in the demo game, with the
// scripts' file access switched off: every file outside the game is refused, nothing is handed
// to the desktop and every question (start a program?) is answered No. The script must end in
// a result or a script error box, never a crash or a freeze, whatever it asks of the game.
#include "FuzzGame.h"

#include "app/PlayerSession.h"
#include "scripting/ScriptHost.h"
#include "scripting/ScriptPermissions.h"
#include "ui/Game.h"

#include <cstdint>
#include <string>

namespace {

using namespace quillora;

// An allowed folder that does not exist and cannot be made (its parent does not exist
// either): with it as the only one, scripts reach no file.
constexpr const char* kNowhere = "/nonexistent-quillora-fuzz/none";
// How long each game is played around the script, in milliseconds of real time.
constexpr int kPlayMs = 250;

// More with a script time-out of one second, so a runaway loop costs little.
std::string QuickTimeout(std::string more) {
    const std::string key = "ScriptTimeOut=";
    const size_t at = more.find(key);
    if (at == std::string::npos) return more + "\r\n[General]\r\n" + key + "1\r\n";
    const size_t end = more.find_first_of("\r\n", at);
    return more.replace(at, end == std::string::npos ? std::string::npos : end - at, key + "1");
}

void SwitchFileAccessOff(ScriptHost& scripts) {
    scripts.Permissions().SetAllowedFolders({kNowhere}, kNowhere);
    scripts.Permissions().SetOpener([](const QUrl&) { return false; });
    scripts.SetTrustScripts(false); // applies the rules to the engines
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Sandbox& sandbox = fuzz::Sandbox::Instance();
    sandbox.Restore();
    sandbox.Spoil("Config/More", QuickTimeout(sandbox.DemoFiles().at("Config/More")));
    const std::string code(reinterpret_cast<const char*>(data), size);
    fuzz::PlayBriefly(static_cast<unsigned>(size), kPlayMs, [&code](PlayerSession& session) {
        Game* game = session.GameWindow();
        if (game == nullptr) return;
        SwitchFileAccessOff(game->Scripts());
        game->ExecuteVBScript(code, true);
        // A reset during the script gave the engines the game's own rules again.
        if (session.GameWindow() != nullptr) SwitchFileAccessOff(session.GameWindow()->Scripts());
    });
    return 0;
}
