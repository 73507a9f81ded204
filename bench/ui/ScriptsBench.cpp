// Speed of author scripts in a game: a one-line hotspot script with a 5,000-line procedure
// library and 500 variables, from the click to the end of its consequences.
#include "ProjectWriter.h"
#include "core/Prompts.h"
#include "game/GameSession.h"
#include "game/Variables.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "scripting/ScriptHost.h"
#include "services/SettingsStore.h"
#include "ui/Game.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quillora;

struct ScriptedProject {
    ScriptedProject() {
        test::FileValues general = test::GeneralFields();
        general[4] = "Desk";
        project.WriteGeneral(general);
        std::vector<std::string> variables;
        for (int i = 1; i <= 500; ++i)
            variables.push_back("Var" + std::to_string(i));
        project.WriteVariables(variables);
        std::string library = "h1\r\nh2\r\nh3";
        for (int i = 0; i < 1000; ++i) {
            const std::string n = std::to_string(i);
            library += "\r\nFunction Helper" + n + "(a, b)\r\n  Dim t\r\n  t = a * " + n +
                       " + b\r\n  Helper" + n + " = t Mod 7\r\nEnd Function";
        }
        project.WriteBytes("Config/Procedures", library);
        project.WriteFrame("Desk", {});
        project.WriteHotspots("Desk", {test::HotspotSpec{}});
        project.WriteActions("Desk", {{.RunScript = true, .Script = "Var7 = Var7 Xor 1", .Through = 58}});

        SetPrompts(&prompts);
        SetSettings(&settings);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
        SetDefaultTexts(true);
        LoadProjectInfo();
        game = std::make_unique<Game>(session);
        game->ResetAll();
        game->OpenFrame("Desk", false, 0, 0);
        // The first run compiles the library; later runs find it compiled.
        game->Scripts().ExecuteVBScript("", false);
    }

    test::ProjectWriter project;
    test::TempFolder settingsFolder;
    SettingsStore settings{QString::fromStdString(settingsFolder.Path())};
    ScriptedPrompts prompts;
    GameSession session;
    std::unique_ptr<Game> game;
};

ScriptedProject& Scripted() {
    static ScriptedProject project;
    return project;
}

void HotspotScriptClick(benchmark::State& state) {
    ScriptedProject& p = Scripted();
    const int before = GetVariableValue(p.session.State.Vars, "Var7");
    int64_t clicks = 0;
    for (auto _ : state) {
        p.game->MakeActionAndConsequences(1, 0);
        ++clicks;
    }
    const int expected = (before + static_cast<int>(clicks % 2)) % 2;
    if (GetVariableValue(p.session.State.Vars, "Var7") != expected || !p.prompts.History().empty())
        state.SkipWithError("the script did not run");
}
BENCHMARK(HotspotScriptClick)->Unit(benchmark::kMicrosecond);

void ScriptCallingTheLibrary(benchmark::State& state) {
    ScriptHost& scripts = Scripted().game->Scripts();
    for (auto _ : state) {
        if (scripts.ExecuteVBScript("Var1 = Helper999(Var2, 3)", false))
            state.SkipWithError("the script failed");
    }
}
BENCHMARK(ScriptCallingTheLibrary)->Unit(benchmark::kMicrosecond);

} // namespace
