// A prepared engine returned to its kept state after each run must show every run what an
// engine built afresh shows it: the same scripts run on both and must report the same things.
#include "vbscript/Convert.h"
#include "vbscript/ScriptControl.h"

#include <gtest/gtest.h>

namespace {

using namespace quillora;
using namespace quillora::vbs;

std::string Text(const Value& v) {
    return ToUtf8(ToString(v));
}

// What the host gives scripts: a number they can change, a count of ended Tracker objects and
// a log of notes.
struct HostState {
    int counter = 0;
    int ended = 0;
    std::vector<std::string> notes;
};

ObjectRef MakeNumber(int& value) {
    auto* v = new HostObject(u"ClassVariable");
    v->DefineMember(
        "", [&value](std::span<Value>) { return Value::Long(value); },
        [&value](std::span<Value>, const Value& x) { value = ToLong(x); });
    return ObjectRef(v);
}

ObjectRef MakeLog(HostState& state) {
    auto* log = new HostObject(u"Log");
    log->DefineMember("Note", [&state](std::span<Value> args) {
        state.notes.push_back(args.empty() ? "" : Text(args[0]));
        return Value();
    });
    return ObjectRef(log);
}

// A library with a variable, a fixed array, a constant, procedures and a class whose instances
// count their end in the host.
const std::string kLibrary =
    "Dim libVar, holder\r\n"
    "Dim libArray(2)\r\n"
    "Const Limit = 3\r\n"
    "Class Tracker\r\n"
    "  Public other\r\n"
    "  Sub Class_Terminate : Ended = Ended + 1 : End Sub\r\n"
    "End Class\r\n"
    "Sub Helper : Note \"library helper\" : End Sub\r\n"
    "Sub SetIt(ByRef v) : v = 9 : End Sub\r\n"
    "Function Probe()\r\n"
    "  On Error Resume Next\r\n"
    "  Probe = TypeName(libVar) & \" \" & UBound(libArray) & \" \" & TypeName(libArray(1))\r\n"
    "  Probe = Probe & \" \" & TypeName(g1) & \" \" & TypeName(implicitG) & \" \" & "
    "TypeName(holder)\r\n"
    "  Probe = Probe & \" \" & TypeName(r) & \" \" & TypeName(C2) & \" \" & Limit\r\n"
    "End Function";

std::string Wrapper(const std::string& code) {
    return "Sub StartupProcedure\r\n" + code + "\r\nEnd Sub";
}

// One engine and the host objects it was given.
struct Side {
    HostState host;
    ScriptControl engine;

    bool AddObjects() {
        return engine.AddObject("Counter", MakeNumber(host.counter), true) &&
               engine.AddObject("Ended", MakeNumber(host.ended), true) &&
               engine.AddObject("Log", MakeLog(host), true);
    }
    // Runs the wrapper, noting how it ended and the procedures the run sees.
    bool RunWrapper() {
        const bool ran = engine.Run("StartupProcedure");
        std::string seen = ran ? "ran" : "failed " + std::to_string(engine.LastError().Number());
        for (const std::string& name : engine.Procedures())
            seen += " " + name;
        host.notes.push_back(seen);
        return ran;
    }
    // As the host does without a prepared state: everything added, run, everything released.
    bool RunFresh(const std::string& code) {
        engine.Reset();
        const bool added = engine.AddCode(kLibrary) && engine.AddCode(Wrapper(code));
        AddObjects();
        const bool ran = RunWrapper() && added;
        engine.Reset();
        return ran;
    }
    bool Prepare() {
        engine.Reset();
        return engine.AddDeclarations(kLibrary) && AddObjects() && engine.KeepPrepared();
    }
    // As the host does with a prepared state, adding everything when the code cannot go in.
    bool RunPrepared(const std::string& code) {
        if (!engine.AddDeclarations(Wrapper(code))) {
            const bool ran = RunFresh(code);
            EXPECT_TRUE(Prepare());
            return ran;
        }
        const bool ran = RunWrapper();
        engine.RestorePrepared();
        return ran;
    }
};

TEST(PreparedState, EveryRunSeesWhatAFreshlyBuiltEngineShowsIt) {
    const std::vector<std::string> scripts = {
        // Leaves variables, procedures, a class, a constant, an implicit global and objects.
        "Note Probe()\r\nlibVar = 5 : libArray(1) = 7 : Counter = Counter + 1\r\n"
        "ExecuteGlobal \"Dim g1 : g1 = 1 : Sub Added : Note 1 : End Sub : Class Extra : End "
        "Class : Const C2 = 4\"\r\n"
        "ExecuteGlobal \"Sub Helper : Note \"\"replaced\"\" : End Sub\"\r\n"
        "ExecuteGlobal \"implicitG = 3\"\r\n"
        "Set holder = New Tracker\r\nExecuteGlobal \"Dim h2 : Set h2 = New Tracker\"\r\n"
        "Note Probe() & \" \" & Ended",
        // None of it is there any more; the host's number kept its change.
        "Note Probe() & \" \" & Ended & \" \" & Counter\r\nHelper\r\nOn Error Resume Next\r\n"
        "Added\r\nNote Err.Number\r\nErr.Clear\r\nSet x = New Extra\r\nNote Err.Number",
        // A run that fails half-way after declaring.
        "ExecuteGlobal \"Dim e1 : e1 = 2 : Set g1 = New Tracker\"\r\nx = 1 / 0",
        "Note Probe() & TypeName(e1) & \" \" & Ended",
        // Names made by reference, by a loop counter, by Execute inside the procedure, ReDim of
        // the library's fixed array, and a library procedure turned into a variable.
        "ExecuteGlobal \"Dim r\" : SetIt r\r\nExecuteGlobal \"For gi = 1 To 3 : Next\"\r\n"
        "Execute \"Dim local1 : local1 = 1\"\r\nNote TypeName(local1) & r & gi\r\n"
        "On Error Resume Next\r\nReDim libArray(5)\r\nNote Err.Number & UBound(libArray)\r\n"
        "ExecuteGlobal \"Dim SetIt : SetIt = 1\"",
        "Note Probe() & TypeName(gi) & TypeName(local1)\r\nSetIt r\r\nNote TypeName(r)",
        // Cycles of objects are freed with the run.
        "ExecuteGlobal \"Dim c1 : Set c1 = New Tracker : Set c1.other = c1\"",
        "Note Ended & TypeName(c1)",
        // Code that cannot go into the prepared state: a syntax error, statements outside the
        // procedure, a procedure named like an object.
        "If Then",
        "End Sub\r\nNote \"outside\"\r\nSub Inside",
        "End Sub\r\nSub Counter : End Sub\r\nSub Inside",
        "Note Probe() & Counter & Ended",
    };
    Side fresh, prepared;
    ASSERT_TRUE(prepared.Prepare());
    for (const std::string& script : scripts) {
        SCOPED_TRACE(script);
        EXPECT_EQ(fresh.RunFresh(script), prepared.RunPrepared(script));
        EXPECT_EQ(fresh.host.notes, prepared.host.notes);
        EXPECT_EQ(fresh.host.counter, prepared.host.counter);
        EXPECT_EQ(fresh.host.ended, prepared.host.ended);
    }
    // The scripts did what they say: the first one's leftovers were seen by none after it.
    ASSERT_GE(fresh.host.notes.size(), 4u);
    EXPECT_EQ(fresh.host.notes[0], "Empty 2 Empty Empty Empty Empty Empty Empty 3");
    EXPECT_EQ(fresh.host.notes[1], "Integer 2 Integer Integer Integer Tracker Empty Integer 3 0");
    EXPECT_EQ(fresh.host.notes[3], "Empty 2 Empty Empty Empty Empty Empty Empty 3 2 1");
    EXPECT_EQ(fresh.host.notes[4], "library helper");
    EXPECT_NE(fresh.host.notes[5], "0"); // Added and Extra are gone again
    EXPECT_NE(fresh.host.notes[6], "0");
    EXPECT_EQ(prepared.host.counter, 1);
}

TEST(PreparedState, CodeWithStatementsIsNeitherAddedNorKept) {
    HostState host;
    ScriptControl sc;
    ASSERT_TRUE(sc.AddObject("Counter", MakeNumber(host.counter), true));
    EXPECT_FALSE(sc.AddDeclarations("Counter = 5\r\nSub Never : End Sub"));
    EXPECT_EQ(host.counter, 0);
    EXPECT_FALSE(sc.Run("Never"));
    // A fixed array's Dim compiles to code that a restore repeats; an assignment cannot be.
    ASSERT_TRUE(sc.AddDeclarations("Option Explicit\r\nDim a(3), b\r\nConst K = 2"));
    EXPECT_TRUE(sc.KeepPrepared());
    ASSERT_TRUE(sc.AddCode("b = 1"));
    EXPECT_FALSE(sc.KeepPrepared());
    EXPECT_FALSE(sc.IsPrepared());
}

} // namespace
