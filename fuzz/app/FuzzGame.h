// What the whole-game fuzzers share: a scratch home for everything a game writes, a copy of the
// demo game to spoil, prompts that refuse, and a driver that plays a game for a moment.
#pragma once

#include "core/Prompts.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QApplication;

namespace quillora {

class PlayerSession;
class SettingsStore;

namespace fuzz {

// Answers every box with its refusing button (No, Cancel, else the default) and every text
// prompt with a cancel, and keeps nothing, so long runs neither grow nor start programs.
class RefusingPrompts : public PromptService {
public:
    BoxResult MessageBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
};

// The process-wide setting of the fuzzers, made once: home, data, config and temporary folders
// inside one scratch folder (so nothing a game does reaches the machine's own), the offscreen
// platform and silent audio, the application, and a copy of the demo game.
class Sandbox {
public:
    static Sandbox& Instance();

    // The copy of the demo (ends with "/").
    const std::string& GameFolder() const { return m_game; }
    // The demo's files by their path inside the game ("Config/General"), as shipped.
    const std::map<std::string, std::string>& DemoFiles() const { return m_demo; }
    // Replaces the bytes of a file of the copy; it is put back by Restore.
    void Spoil(const std::string& relative, const std::string& bytes);
    // Puts back every spoiled file, forgets settings and saved games, and installs fresh
    // settings and the refusing prompts.
    void Restore();

private:
    Sandbox();

    std::string m_root;
    std::string m_game;
    std::map<std::string, std::string> m_demo;
    std::map<std::string, bool> m_spoiled;
    std::unique_ptr<QApplication> m_app;
    std::unique_ptr<SettingsStore> m_settings;
    RefusingPrompts m_prompts;
};

// Plays the game copy as a player would for about `playMs` milliseconds of real time: starts
// it from the welcome window, presses the frame at the points `seed` picks, closes any modal
// window that opens, then quits the game and ends it. `during`, when given, runs once the game
// window is up (the script fuzzer runs its code there).
void PlayBriefly(unsigned seed, int playMs, const std::function<void(PlayerSession&)>& during = {});

} // namespace fuzz
} // namespace quillora
