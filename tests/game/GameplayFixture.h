// Actions and the inventory on a small project, with a game host that records what it is asked.
#pragma once

#include "ProjectWriter.h"
#include "core/Clock.h"
#include "core/Prompts.h"
#include "game/ActionObject.h"
#include "game/Actions.h"
#include "game/GameHost.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/GameState.h"
#include "game/Inventory.h"
#include "game/Videos.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"

#include <gtest/gtest.h>

#include <functional>

namespace quillora::test {

struct RecordingHost : GameHost {
    explicit RecordingHost(GameSession& session) : session(session) {}
    GameSession& session;
    std::vector<std::string> calls;
    // What "running" a script does: the engine is not part of these tests.
    std::function<void(const std::string&)> script;

    void OpenFrame(std::string frame, bool withTransition, int number, double duration) override {
        calls.push_back("open " + frame +
                        (withTransition
                             ? " with " + std::to_string(number) + " " + std::to_string(duration)
                             : ""));
        session.CurrentFrame.Name = frame;
        FramesHistoryAdd(session.State, frame);
    }
    void TransitionStep1(int number) override {
        calls.push_back("capture for " + std::to_string(number));
    }
    void ShowOrNotShowAreas() override { calls.push_back("visibility"); }
    void HideMenus() override {}
    void ToggleMenusByRightPress() override { calls.push_back("menus"); }
    void DisplayTextMessage(const std::string& text, bool inBar, bool) override {
        calls.push_back(std::string(inBar ? "bar " : "box ") + text);
    }
    void StartUnloading() override { calls.push_back("unload"); }
    void ShowLoadGameWindow(bool) override { calls.push_back("load window"); }
    void ShowSaveGameWindow() override { calls.push_back("save window"); }
    void SetScreenPointerArrow() override {}
    void SetScreenPointerDefault() override {}
    bool ExecuteVBScript(const std::string& code, bool) override {
        calls.push_back("script " + code);
        if (script) script(code);
        return false;
    }
    void StartTimedEvents() override { calls.push_back("timed events"); }
    bool IsOneTimeVideoPlaying() override { return false; }
};

class GameplayFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrompts(&prompts);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
        SetDefaultTexts(true);
        Project() = ProjectInfo();
        Project().FrameWidth = 640;
        Project().FrameHeight = 480;
        Project().AdventureName = "Test Adventure";
        box.SetFrameSize(9600, 7200);
        session.CurrentFrame.Name = "Hall";
        FramesHistoryAdd(session.State, "Hall");
        inventory.LayOut();
    }
    void TearDown() override {
        SetPrompts(nullptr);
        SetClock(nullptr);
    }
    ActionOutcome Click(int hotspot) {
        return MakeAction(context, static_cast<int16_t>(hotspot), 0);
    }
    std::vector<std::string> Tags() const {
        std::vector<std::string> tags;
        for (const auto& [index, item] : scene.PickedObject.Elements())
            tags.push_back(item->Tag);
        return tags;
    }
    int16_t Var(const std::string& name) const {
        return GetVariableValue(session.State.Vars, name);
    }

    ProjectWriter project;
    ScriptedPrompts prompts;
    PictureBox box;
    GameScene scene{box};
    GameSession session;
    RecordingHost host{session};
    Inventory inventory{scene, session, host};
    GameVideos videos{scene, session};
    ActionContext context{scene, session, host, inventory, videos};
};

} // namespace quillora::test
