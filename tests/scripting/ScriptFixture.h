// A script host over a small project written by the test helper, with a game window that records
// what scripts ask of it, scripted prompts and a settings store of its own.
#pragma once

#include "ProjectWriter.h"
#include "core/Prompts.h"
#include "game/Actions.h"
#include "game/GameHost.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/Inventory.h"
#include "game/MessageBar.h"
#include "game/Videos.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "scripting/ScriptHost.h"
#include "scripting/ScriptWindow.h"
#include "scripting/TimedEvents.h"
#include "services/SettingsStore.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

namespace quillora::test {

// The parts of the game window scripts reach; frame openings and windows are only recorded.
class RecordingWindow : public GameHost, public ScriptWindow {
public:
    explicit RecordingWindow(GameSession& session) : session(session) {}

    GameSession& session;
    PictureBox box;
    GameScene scene{box};
    MessageBar bar{scene};
    Inventory items{scene, session, *this};
    GameVideos videos{scene, session};
    ScriptHost* scripts = nullptr;
    std::vector<std::string> calls;

    void OpenFrame(std::string frame, bool, int, double) override {
        calls.push_back("open " + frame);
        scripts->Events().ResetTimedEvents();
        session.CurrentFrame.Name = frame;
        FramesHistoryAdd(session.State, frame);
        scripts->Events().StartTimedEvents();
    }
    void TransitionStep1(int) override {}
    void ShowOrNotShowAreas() override {}
    void HideMenus() override {}
    void ToggleMenusByRightPress() override {}
    void DisplayTextMessage(const std::string& text, bool, bool) override {
        calls.push_back("message " + text);
    }
    void StartUnloading() override { calls.push_back("unload"); }
    void ShowLoadGameWindow(bool) override { calls.push_back("load window"); }
    void ShowSaveGameWindow() override { calls.push_back("save window"); }
    void SetScreenPointerArrow() override {}
    void SetScreenPointerDefault() override {}
    bool ExecuteVBScript(const std::string& code, bool reset) override {
        return scripts->ExecuteVBScript(code, reset);
    }
    void StartTimedEvents() override { scripts->Events().StartTimedEvents(); }
    bool IsOneTimeVideoPlaying() override { return false; }

    GameHost& Host() override { return *this; }
    GameScene& Scene() override { return scene; }
    MessageBar& Messages() override { return bar; }
    Inventory& Items() override { return items; }
    GameVideos& Videos() override { return videos; }
    bool TransitionsEnabled() const override { return true; }
    bool EffectsEnabled() const override { return true; }
    void EnableOrDisableTransitions() override {}
    void EnableOrDisableEffects() override {}
    void StopEverything() override {
        session.Flags.StopEverything = true;
        scripts->Events().PauseTimedEvents();
    }
    bool BeginProgramWait() override {
        calls.push_back("program wait");
        return false;
    }
    void EndProgramWait(bool) override { calls.push_back("program ended"); }
    QWidget& Widget() override { return box; }
    void SetHotspotVisible(int index, bool visible) override {
        calls.push_back("hotspot " + std::to_string(index) + (visible ? " shown" : " hidden"));
    }
    void WireLoadedHotspot(SceneElement&, int) override {}
    void ChangeDefaultPointer(const std::string& file) override { calls.push_back("pointer " + file); }
};

class ScriptFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrompts(&prompts);
        SetSettings(&settings);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
        SetDefaultTexts(true);
        Project() = ProjectInfo();
        Project().ProjectName = "Timers Test";
        Project().AdventureName = "Timers Test";
        project.WriteVariables({"Counter", "Flag"});
        project.WriteBytes("External/readme.txt", "hello");
    }
    void TearDown() override {
        scripts.reset();
        SetPrompts(nullptr);
        SetSettings(nullptr);
    }
    // Starts the game's scripts with `procedures` as the procedure library; the TimerObject
    // array is reachable by its name, as through the window object.
    void Start(const std::string& procedures = "") {
        project.WriteBytes("Config/Procedures", "h1\r\nh2\r\nh3\r\n" + procedures + "\r\n");
        LoadVariables(session.State.Vars);
        scripts = std::make_unique<ScriptHost>(session, window);
        window.scripts = scripts.get();
        scripts->RegisterFixedObject("TimerObject", scripts->TimerObjectArray().ScriptObject());
        scripts->RegisterFixedObject("TimedEventObject", scripts->Events().ScriptObject());
        scripts->ResetForGame();
    }
    // Runs code as the debug prompt does; true when it failed.
    bool Run(const std::string& code) {
        return ExecuteVBScriptAndConsequences(window, session, code, true);
    }
    int16_t Var(const std::string& name) const {
        return GetVariableValue(session.State.Vars, name);
    }
    // Handles window events until `done` (at most a few seconds, so a fault cannot hang).
    static bool PumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : prompts.History())
            texts.push_back(box.text);
        return texts;
    }
    // The script error box's text for `description`.
    static std::string ScriptErrorText(const std::string& description) {
        return Text(30) + " " + Text(31) +
               "\r\n\r\nError executing script. The Scripting Engine returned the following "
               "error message:\r\n\r\n" +
               description;
    }

    ProjectWriter project;
    TempFolder settingsFolder;
    SettingsStore settings{QString::fromStdString(settingsFolder.Path())};
    ScriptedPrompts prompts;
    GameSession session;
    RecordingWindow window{session};
    std::unique_ptr<ScriptHost> scripts;
};

} // namespace quillora::test
