// A game window on a small project written by the test helper, with scripted prompts.
#pragma once

#include "ProjectWriter.h"
#include "core/Prompts.h"
#include "game/GameSession.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "services/SettingsStore.h"
#include "ui/Game.h"

#include <gtest/gtest.h>

#include <memory>

namespace quillora::test {

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrompts(&prompts);
        SetSettings(&settings);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
        SetDefaultTexts(true);
        general = GeneralFields();
        general[4] = "Hall";
        project.WriteVariables({});
    }
    void TearDown() override {
        game.reset();
        SetPrompts(nullptr);
        SetSettings(nullptr);
    }
    // Writes General and starts a game window (reset, not shown).
    Game& StartGame() {
        project.WriteGeneral(general);
        LoadProjectInfo();
        game = std::make_unique<Game>(session);
        game->ResetAll();
        return *game;
    }
    // The script error box's text for an engine's error description.
    static std::string ScriptErrorBox(const std::string& description) {
        return Text(30) + " " + Text(31) +
               "\r\n\r\nError executing script. The Scripting Engine returned the following "
               "error message:\r\n\r\n" +
               description;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : prompts.History())
            texts.push_back(box.text);
        return texts;
    }

    ProjectWriter project;
    TempFolder settingsFolder;
    SettingsStore settings{QString::fromStdString(settingsFolder.Path())};
    ScriptedPrompts prompts;
    FileValues general;
    GameSession session;
    std::unique_ptr<Game> game;
};

} // namespace quillora::test
