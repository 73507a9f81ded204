// Script runs one after another on the engine the host prepares once: what a script leaves goes
// with it, project variables carry over, errors and the time-out read as on a fresh engine,
// nested runs and the second engine keep working.
#include "ScriptFixture.h"
#include "core/Clock.h"
#include "game/Variables.h"
#include "vbscript/Convert.h"
#include "vbscript/Object.h"
#include "vbscript/ScriptControl.h"

namespace quillora::test {
namespace {

const std::string kLibrary = "Dim libCount\r\n"
                             "Function Twice(n) : Twice = n * 2 : End Function\r\n"
                             "Class Tracker\r\n"
                             "  Sub Class_Terminate : Counter = Counter + 1 : End Sub\r\n"
                             "End Class";

using ScriptRuns = ScriptFixture;

TEST_F(ScriptRuns, WhatAScriptLeavesGoesWithItAndVariablesCarryOver) {
    Start(kLibrary);
    ASSERT_FALSE(
        Run("libCount = 5\r\n"
            "ExecuteGlobal \"Dim g : g = 1 : Function Twice(n) : Twice = 0 : End Function\"\r\n"
            "ExecuteGlobal \"Dim t : Set t = New Tracker\"\r\n"
            "Flag = Twice(4) + g"));
    EXPECT_EQ(Var("Flag"), 1);
    // The object the script held has ended with the script.
    EXPECT_EQ(Var("Counter"), 1);
    ASSERT_FALSE(Run("Flag = Twice(4) + Len(libCount & g & t) + Flag"));
    EXPECT_EQ(Var("Flag"), 9);
    EXPECT_EQ(Var("Counter"), 1);

    // New variable collections (a loaded game): the scripts reach the new variables.
    project.WriteVariables({"Counter", "Flag", "Added"});
    LoadVariables(session.State.Vars);
    ASSERT_FALSE(Run("Added = Twice(3) : Counter = Added + 1"));
    EXPECT_EQ(Var("Added"), 6);
    EXPECT_EQ(Var("Counter"), 7);

    // An object that only control references bring in, and a fixed object registered late.
    auto* probe = new vbs::HostObject(u"Probe");
    probe->DefineMember("Answer", [](std::span<vbs::Value>) { return vbs::Value::Long(42); });
    scripts->RegisterFixedObject("Probe", vbs::ObjectRef(probe), true);
    session.State.AllowControlsReferences = 1;
    ASSERT_FALSE(Run("Flag = IsObject(Probe)"));
    EXPECT_EQ(Var("Flag"), 0);
    session.State.AllowControlsReferences = 2;
    ASSERT_FALSE(Run("Flag = Probe.Answer"));
    EXPECT_EQ(Var("Flag"), 42);
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(ScriptRuns, ErrorsAndTheTimeOutReadAsOnAFreshEngine) {
    Start(kLibrary);
    // The first run finds no prepared engine; the same script again runs on the prepared one.
    std::vector<std::string> seen;
    for (int round = 0; round < 2; ++round) {
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(Run("x = 1\r\nFlag = Twice(2) / 0"));
        seen.push_back(::testing::internal::GetCapturedStderr() + prompts.History().back().text);
    }
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_NE(seen[0].find("(in: Flag = Twice(2) / 0)"), std::string::npos);
    EXPECT_EQ(prompts.History().back().text, ScriptErrorText("Division by zero"));

    ManualClock clock(100, 0.05);
    SetClock(&clock);
    EXPECT_TRUE(Run("Counter = 3 : Do : libCount = libCount + 1 : Loop"));
    SetClock(nullptr);
    EXPECT_EQ(prompts.History().back().text, ScriptErrorText("Script execution timed out"));
    ASSERT_FALSE(Run("Counter = Counter + Len(libCount)"));
    EXPECT_EQ(Var("Counter"), 3);
}

TEST_F(ScriptRuns, ANestedRunHasAnEngineOfItsOwnAndTheOuterRunGoesOnIntact) {
    Start(kLibrary);
    auto* nested = new vbs::HostObject(u"Nested");
    nested->DefineMember("RunInner", [this](std::span<vbs::Value> args) {
        return vbs::Value::Boolean(
            scripts->ExecuteVBScript(vbs::ToUtf8(vbs::ToString(args[0])), false));
    });
    scripts->RegisterFixedObject("Nested", vbs::ObjectRef(nested));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_FALSE(Run("ExecuteGlobal \"Dim outerG : outerG = 2\" : libCount = 1\r\n"
                         "failed = RunInner(\"ExecuteGlobal \"\"Dim innerG : innerG = 3\"\" : "
                         "Flag = Twice(5) + Len(outerG & libCount)\")\r\n"
                         "Counter = outerG + libCount + Len(innerG) + failed"));
        EXPECT_EQ(Var("Flag"), 10);
        EXPECT_EQ(Var("Counter"), 3);
    }
    ASSERT_FALSE(Run("Counter = Len(outerG & innerG & libCount)"));
    EXPECT_EQ(Var("Counter"), 0);

    // The second engine, prepared at the reset, still lists and calls the library.
    const std::vector<std::string> procedures = scripts->SecondEngine().Procedures();
    EXPECT_EQ(procedures, (std::vector<std::string>{"Twice", "StartupProcedure"}));
    vbs::Value result;
    ASSERT_TRUE(scripts->SecondEngine().Run("Twice", std::vector<vbs::Value>{vbs::Value::Long(21)},
                                            &result));
    EXPECT_EQ(result.AsInt(), 42);
    EXPECT_TRUE(prompts.History().empty());
}

} // namespace
} // namespace quillora::test
