// Benchmarks of the VBScript engine; compare.py runs the same work in CPython for reference.
#include "vbscript/ScriptControl.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

using quillora::vbs::ScriptControl;

void RunScript(benchmark::State& state, const std::string& code) {
    for (auto _ : state) {
        ScriptControl sc;
        sc.SetTimeout(0);
        if (!sc.AddCode(code)) state.SkipWithError(sc.LastError().Description().c_str());
    }
}

// (a) A counting loop with arithmetic on global variables.
void ForLoopModulo(benchmark::State& state) {
    RunScript(state, "Dim s, i\ns = 0\nFor i = 1 To 10000000: s = s + i Mod 7: Next\n");
}
BENCHMARK(ForLoopModulo)->Unit(benchmark::kMillisecond);

// (b) Building a string by 100,000 concatenations.
void StringConcatenation(benchmark::State& state) {
    RunScript(state, "Dim s, i\nFor i = 1 To 100000: s = s & \"x\": Next\n");
}
BENCHMARK(StringConcatenation)->Unit(benchmark::kMillisecond);

// (b') The same from a Sub appending to a global, as logging helpers do.
void GlobalConcatenationInSub(benchmark::State& state) {
    RunScript(state, "Dim s, i\nSub Add(x) : s = s & x : End Sub\n"
                     "For i = 1 To 100000: Add \"x\": Next\n");
}
BENCHMARK(GlobalConcatenationInSub)->Unit(benchmark::kMillisecond);

// (c) One million calls of a two-line Function.
void FunctionCalls(benchmark::State& state) {
    RunScript(state, "Function Add(a, b)\n  Dim c : c = a + b\n  Add = c\nEnd Function\n"
                     "Dim i, t\nFor i = 1 To 1000000: t = Add(t, i): Next\n");
}
BENCHMARK(FunctionCalls)->Unit(benchmark::kMillisecond);

// (c') Growing an array one element at a time, as scripts collect results.
void ReDimPreserveGrowth(benchmark::State& state) {
    RunScript(state, "Dim a(), i\nReDim a(0)\n"
                     "For i = 1 To 100000: ReDim Preserve a(i): a(i) = i: Next\n");
}
BENCHMARK(ReDimPreserveGrowth)->Unit(benchmark::kMillisecond);

// A procedure library of about 5,000 lines, as a game's script host re-adds before each run.
std::string Library() {
    std::string code;
    for (int p = 0; p < 625; ++p) {
        const std::string n = std::to_string(p);
        code += "Function Helper" + n + "(a, b)\r\n";
        code += "  Dim t : t = a * " + n + " + b\r\n";
        code += "  If t > 100 Then t = t - 100 Else t = t + 1\r\n";
        code +=
            "  Select Case t Mod 3 : Case 0 : t = t + 1 : Case Else : t = t - 1 : End Select\r\n";
        code += "  Helper" + n + " = \"result \" & t\r\n";
        code += "  Exit Function\r\n";
        code += "End Function\r\n\r\n";
    }
    return code;
}

// (d) Reset, AddCode of the library plus a one-line start-up procedure, and Run of it. The
// one-line code differs every time, as each hotspot's script does.
void AddLibraryAndRun(benchmark::State& state) {
    const std::string library = Library();
    ScriptControl sc;
    int round = 0;
    for (auto _ : state) {
        sc.Reset();
        const std::string code = library + "\r\n\r\nSub StartupProcedure\r\nx = Helper7(1, " +
                                 std::to_string(round++) + ")\r\nEnd Sub";
        if (!sc.AddCode(code) || !sc.Run("StartupProcedure"))
            state.SkipWithError(sc.LastError().Description().c_str());
    }
    state.counters["lines"] = static_cast<double>(std::count(library.begin(), library.end(), '\n'));
}
BENCHMARK(AddLibraryAndRun)->Unit(benchmark::kMillisecond);

// (d') The same when the library is compiled for the first time (no cache hit).
void CompileLibraryCold(benchmark::State& state) {
    std::string library = Library();
    int round = 0;
    for (auto _ : state) {
        ScriptControl sc;
        const std::string code =
            library + "\r\n' " + std::to_string(round++) + "\r\nSub StartupProcedure\r\nEnd Sub";
        if (!sc.AddCode(code) || !sc.Run("StartupProcedure"))
            state.SkipWithError(sc.LastError().Description().c_str());
    }
}
BENCHMARK(CompileLibraryCold)->Unit(benchmark::kMillisecond);

} // namespace
