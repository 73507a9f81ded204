// Speed of author scripts in a game: a one-line hotspot script with a 5,000-line procedure
// library and 500 variables, from the click to the end of its consequences; the processor time
// 100 repeating timed events take while the game runs.
#include "ProjectWriter.h"
#include "core/Prompts.h"
#include "game/Actions.h"
#include "game/GameSession.h"
#include "game/Variables.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "scripting/ScriptHost.h"
#include "scripting/TimedEvents.h"
#include "services/SettingsStore.h"
#include "ui/Game.h"

#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <filesystem>

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
        // An installed game's files were written long before it is played; files written a
        // moment ago are read afresh each time, as a change could hide in their time stamps.
        const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(project.Root()))
            if (entry.is_regular_file()) std::filesystem::last_write_time(entry.path(), hourAgo);

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

// Processor time of the whole process (all threads), in seconds.
double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// 100 repeating timed events at 50 ms in the running game, each a one-line script: the share of
// one core the process uses over three seconds of wall time (counter "core_percent").
void HundredTimedEvents(benchmark::State& state) {
    ScriptedProject& p = Scripted();
    Game& game = *p.game;
    game.OpenFrame("Desk", false, 0, 0);
    std::string create;
    for (int i = 0; i < 100; ++i)
        create += "CreateTimedEvent 0.05, \"Var9 = (Var9 + 1) Mod 30000\", True\r\n";
    if (ExecuteVBScriptAndConsequences(game, p.session, create, false) ||
        game.Scripts().Events().UBound() != 100) {
        state.SkipWithError("the events were not created");
        return;
    }
    SetVariableValue(p.session.State.Vars, "Var9", 0);
    double share = 0;
    int runs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuSeconds();
        const int before = GetVariableValue(p.session.State.Vars, "Var9");
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        share = (ProcessCpuSeconds() - cpuStart) / wall;
        runs = GetVariableValue(p.session.State.Vars, "Var9") - before;
    }
    game.Scripts().Events().ResetTimedEvents();
    state.counters["core_percent"] = 100 * share;
    state.counters["event_runs"] = runs;
    // 100 events every 50 ms for 3 s: about 6,000 runs when none is late.
    if (runs < 3000 || !p.prompts.History().empty()) state.SkipWithError("the events did not run");
}
BENCHMARK(HundredTimedEvents)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
