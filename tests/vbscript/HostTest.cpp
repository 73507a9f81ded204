// The host boundary: dispatch, named objects with add-members, Run, Procedures, time-out.
#include "core/Clock.h"
#include "vbscript/Convert.h"
#include "vbscript/Engine.h"
#include "vbscript/ScriptControl.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace quillora;
using namespace quillora::vbs;

std::string Text(const Value& v) {
    return ToUtf8(ToString(v));
}

// A control array as the game exposes it: Hotspot(3).Visible = False.
struct Spot {
    bool visible = true;
    std::string name;
};

ObjectRef MakeHotspots(std::vector<Spot>& spots) {
    auto* array = new HostObject(u"Hotspots");
    array->DefineMember("", [&spots](std::span<Value> args) {
        if (args.size() != 1) ThrowError(Err::WrongArgCount);
        const int32_t i = ToLong(args[0]);
        if (i < 0 || static_cast<size_t>(i) >= spots.size()) ThrowError(Err::OutOfRange);
        auto* spot = new HostObject(u"Hotspot");
        Spot* s = &spots[static_cast<size_t>(i)];
        spot->DefineMember(
            "Visible", [s](std::span<Value>) { return Value::Boolean(s->visible); },
            [s](std::span<Value>, const Value& v) { s->visible = ToBool(v); });
        spot->DefineMember("Name", [s](std::span<Value>) { return Value::FromUtf8(s->name); });
        return Value::Obj(spot);
    });
    array->DefineMember("Count", [&spots](std::span<Value>) {
        return Value::Long(static_cast<int32_t>(spots.size()));
    });
    array->DefineItems([&spots] {
        std::vector<Value> names;
        for (const auto& s : spots)
            names.push_back(Value::FromUtf8(s.name));
        return names;
    });
    return ObjectRef(array);
}

// An integer project variable: its value is the default member.
ObjectRef MakeVariable(int& value) {
    auto* v = new HostObject(u"ClassVariable");
    v->DefineMember(
        "", [&value](std::span<Value>) { return Value::Long(value); },
        [&value](std::span<Value>, const Value& x) { value = ToLong(x); });
    v->DefineMember(
        "Value", [&value](std::span<Value>) { return Value::Long(value); },
        [&value](std::span<Value>, const Value& x) { value = ToLong(x); });
    return ObjectRef(v);
}

struct ActionLog {
    std::vector<std::string> calls;
};

ObjectRef MakeAction(ActionLog& log) {
    auto* a = new HostObject(u"VBScriptActionModule");
    a->DefineMember("GoToFrame", [&log](std::span<Value> args) {
        std::string line = "GoToFrame";
        for (auto& x : args)
            line += " " + Text(x);
        log.calls.push_back(line);
        return Value();
    });
    // A method that hands a result back through a ByRef argument.
    a->DefineMember("GetPosition", [](std::span<Value> args) {
        if (args.size() != 2) ThrowError(Err::WrongArgCount);
        args[0].DerefMutable() = Value::Long(120);
        args[1].DerefMutable() = Value::Long(45);
        return Value::Boolean(true);
    });
    return ObjectRef(a);
}

TEST(Host, DefaultMemberIsIndexedAndMembersAreCaseInsensitive) {
    std::vector<Spot> spots(4);
    spots[3].name = "door";
    ScriptControl sc;
    ASSERT_TRUE(sc.AddObject("Hotspot", MakeHotspots(spots), true));
    ASSERT_TRUE(sc.ExecuteStatement("Hotspot(3).Visible = False")) << sc.LastError().Description();
    EXPECT_FALSE(spots[3].visible);
    Value v;
    ASSERT_TRUE(sc.Eval("HOTSPOT(3).name & hotspot.count", v));
    EXPECT_EQ(Text(v), "door4");
    ASSERT_TRUE(sc.AddCode("Function Names() : Dim n : For Each n In Hotspot : Names = Names & n & "
                           "\";\" : Next : End Function"));
    ASSERT_TRUE(sc.Run("Names", {}, &v));
    EXPECT_EQ(Text(v), ";;;door;");
}

TEST(Host, AddMembersMakesMethodsCallableWithoutTheObjectName) {
    ActionLog log;
    ScriptControl sc;
    ASSERT_TRUE(sc.AddObject("Action", MakeAction(log), true));
    ASSERT_TRUE(
        sc.ExecuteStatement("GoToFrame \"Hall\", 0, 0\nAction.GoToFrame \"Cellar\", 1, 2.5"))
        << sc.LastError().Description();
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"GoToFrame Hall 0 0", "GoToFrame Cellar 1 2.5"}));
}

TEST(Host, ByRefArgumentsComeBackFromHostMethods) {
    ActionLog log;
    ScriptControl sc;
    ASSERT_TRUE(sc.AddObject("Action", MakeAction(log), true));
    Value v;
    ASSERT_TRUE(sc.AddCode("Function Where() : Dim x, y : Action.GetPosition x, y : Where = x & "
                           "\",\" & y : End Function"));
    ASSERT_TRUE(sc.Run("Where", {}, &v)) << sc.LastError().Description();
    EXPECT_EQ(Text(v), "120,45");
}

TEST(Host, AnAddedMemberAssignedInsideAProcedureIsNoImplicitLocal) {
    int value = 0;
    ScriptControl sc;
    ASSERT_TRUE(sc.AddCode("Sub S : Value = 5 : Value = Value + 1 : End Sub\n"
                           "Sub T : Dim Value : Value = 9 : End Sub"));
    ASSERT_TRUE(sc.AddObject("Score", MakeVariable(value), true));
    ASSERT_TRUE(sc.Run("S")) << sc.LastError().Description();
    EXPECT_EQ(value, 6);
    ASSERT_TRUE(sc.Run("T")) << sc.LastError().Description(); // a declared local still shadows
    EXPECT_EQ(value, 6);
}

TEST(Host, BareVariableNamesReadAndAssignTheDefaultMember) {
    int score = 7;
    ScriptControl sc;
    // As the game does: the code comes first, the named objects after it.
    ASSERT_TRUE(sc.AddCode("Sub Bump : Score = Score + 1 : End Sub"));
    ASSERT_TRUE(sc.AddObject("Score", MakeVariable(score), true));
    ASSERT_TRUE(sc.Run("Bump")) << sc.LastError().Description();
    EXPECT_EQ(score, 8);
    ASSERT_TRUE(sc.ExecuteStatement("Score = Score * 2 : If Score = 16 Then Score.Value = 100"));
    EXPECT_EQ(score, 100);
}

TEST(Host, AddingATakenNameFails) {
    int a = 0, b = 0;
    ScriptControl sc;
    ASSERT_TRUE(sc.AddObject("Action", MakeVariable(a), true));
    EXPECT_FALSE(sc.AddObject("ACTION", MakeVariable(b), true));
    EXPECT_TRUE(sc.HasError());
    ASSERT_TRUE(sc.AddCode("Sub Hotspot : End Sub"));
    EXPECT_FALSE(sc.AddObject("Hotspot", MakeVariable(b), true));
}

TEST(Host, ResetForgetsCodeAndObjects) {
    int a = 0;
    ScriptControl sc;
    ASSERT_TRUE(sc.AddCode("Dim g : g = 5 : Sub P : End Sub"));
    ASSERT_TRUE(sc.AddObject("V", MakeVariable(a), true));
    sc.Reset();
    EXPECT_TRUE(sc.Procedures().empty());
    Value v;
    ASSERT_TRUE(sc.Eval("IsEmpty(g)", v));
    EXPECT_TRUE(v.AsBool());
    EXPECT_FALSE(sc.Run("P"));
    EXPECT_EQ(sc.LastError().Number(), 35);
    EXPECT_TRUE(sc.AddObject("V", MakeVariable(a), true));
}

TEST(Host, ProceduresListsGlobalSubsAndFunctionsInOrder) {
    ScriptControl sc;
    ASSERT_TRUE(sc.AddCode("Sub Zeta : End Sub\nClass C : Sub Method : End Sub : End "
                           "Class\nFunction Alpha(x) : End Function"));
    ASSERT_TRUE(sc.AddCode("Sub Player_Done(params) : End Sub"));
    EXPECT_EQ(sc.Procedures(), (std::vector<std::string>{"Zeta", "Alpha", "Player_Done"}));
}

TEST(Host, RunPassesACollectionArgument) {
    std::vector<Spot> spots(2);
    spots[0].name = "first";
    spots[1].name = "second";
    ScriptControl sc;
    ASSERT_TRUE(sc.AddCode(
        "Dim seen\nSub Player_Done(params)\n  seen = params.Count & \":\" & params(1).Name\n"
        "  Dim p : For Each p In params : seen = seen & \" \" & p : Next\nEnd Sub"));
    const Value arg = Value::Obj(MakeHotspots(spots).Get());
    ASSERT_TRUE(sc.Run("Player_Done", std::span<const Value>(&arg, 1)))
        << sc.LastError().Description();
    Value v;
    ASSERT_TRUE(sc.Eval("seen", v));
    EXPECT_EQ(Text(v), "2:second first second");
}

TEST(Host, FailuresReportNumberDescriptionAndPosition) {
    ScriptControl sc;
    EXPECT_FALSE(sc.AddCode("Sub Ok\nEnd Sub\nSub Bad\n  x = = 1\nEnd Sub"));
    EXPECT_EQ(sc.LastError().Number(), 1023);
    EXPECT_TRUE(sc.LastError().IsCompilation());
    EXPECT_EQ(sc.LastError().Position().line, 4);
    EXPECT_EQ(sc.LastError().Position().column, 7);
    EXPECT_EQ(sc.LastError().LineText(), "  x = = 1");
    ASSERT_TRUE(sc.AddCode("Function Boom(a)\n  Boom = a / 0\nEnd Function"));
    EXPECT_FALSE(sc.Run("Boom", std::vector<Value>{Value::Integer(1)}));
    EXPECT_EQ(sc.LastError().Number(), 11);
    EXPECT_EQ(sc.LastError().Description(), "Division by zero");
    EXPECT_EQ(sc.LastError().Position().line, 2);
}

TEST(Host, RunawayLoopStopsAtTheTimeOutEvenUnderOnErrorResumeNext) {
    ManualClock clock(100.0, 0.05); // each reading moves the clock on by 50 ms
    ScriptControl sc;
    sc.SetClock(&clock);
    sc.SetTimeout(2000);
    ASSERT_TRUE(sc.AddCode("Sub Spin\n On Error Resume Next\n Do : Loop\nEnd Sub"));
    EXPECT_FALSE(sc.Run("Spin"));
    EXPECT_EQ(sc.LastError().Number(), 6000);
    // A quick call afterwards starts a fresh time-out.
    ASSERT_TRUE(sc.AddCode("Function Quick : Quick = 1 : End Function"));
    EXPECT_TRUE(sc.Run("Quick"));
}

TEST(Host, DeepRecursionFailsWithOutOfStackSpace) {
    ScriptControl sc;
    ASSERT_TRUE(sc.AddCode("Function F(n) : F = F(n + 1) + 1 : End Function"));
    EXPECT_FALSE(sc.Run("F", std::vector<Value>{Value::Integer(0)}));
    EXPECT_EQ(sc.LastError().Number(), 28);
    EXPECT_EQ(sc.LastError().Description(), "Out of stack space");
    // The engine is still usable.
    Value v;
    ASSERT_TRUE(sc.Eval("1 + 1", v));
    EXPECT_EQ(v.AsInt(), 2);
}

TEST(Host, ReAddingTheSameLibraryRunsItsStatementsAgain) {
    ScriptControl sc;
    const std::string library =
        "Dim counter : counter = counter + 1\nFunction Get() : Get = counter : End Function";
    for (int i = 0; i < 3; ++i) {
        sc.Reset();
        ASSERT_TRUE(sc.AddCode(library));
        Value v;
        ASSERT_TRUE(sc.Run("Get", {}, &v));
        EXPECT_EQ(v.AsInt(), 1);
    }
}

TEST(Host, CodeAfterARememberedLibraryKeepsLineNumbersAndOptionExplicit) {
    // The host re-adds its library with a different start-up procedure each time; the library
    // is then compiled once and only the procedure after it is compiled again.
    std::string library = "Option Explicit\r\nDim calls\r\n";
    for (int i = 0; i < 200; ++i)
        library += "Function Part" + std::to_string(i) + "(a)\r\n  Part" + std::to_string(i) +
                   " = a + " + std::to_string(i) + "\r\nEnd Function\r\n";
    const int libraryLines = 2 + 200 * 3;
    ScriptControl sc;
    for (int round = 0; round < 3; ++round) {
        sc.Reset();
        const std::string wrapper =
            "\r\nSub StartupProcedure\r\ncalls = Part5(" + std::to_string(round) + ")\r\nEnd Sub";
        ASSERT_TRUE(sc.AddCode(library + wrapper)) << sc.LastError().Description();
        ASSERT_TRUE(sc.Run("StartupProcedure"));
        Value v;
        ASSERT_TRUE(sc.Eval("calls", v));
        EXPECT_EQ(v.AsInt(), 5 + round);
    }
    sc.Reset();
    ASSERT_TRUE(sc.AddCode(library + "\r\nSub StartupProcedure\r\nundeclared = 1\r\nEnd Sub"));
    EXPECT_FALSE(sc.Run("StartupProcedure"));
    EXPECT_EQ(sc.LastError().Number(), 500);
    EXPECT_EQ(sc.LastError().Position().line, libraryLines + 3);
    EXPECT_EQ(sc.LastError().LineText(), "undeclared = 1");
    sc.Reset();
    EXPECT_FALSE(sc.AddCode(library + "\r\nSub StartupProcedure\r\nx = (\r\nEnd Sub"));
    EXPECT_EQ(sc.LastError().Position().line, libraryLines + 3);
    EXPECT_EQ(sc.Procedures().size(), 0u);
}

TEST(Host, ClassesKeepWorkingAfterTheirCodeLeavesTheCompiledCache) {
    // A host adds code piece by piece: the class and its instance must not depend on how many
    // texts were compiled since.
    ScriptControl sc;
    ASSERT_TRUE(sc.AddCode("Class V : Public p : Function Twice : Twice = p * 2 : End Function : "
                           "End Class"));
    ASSERT_TRUE(sc.AddCode("Dim o, early : Set early = New V : early.p = 4"));
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(sc.AddCode("Sub Helper" + std::to_string(i) + " : End Sub"));
    ASSERT_TRUE(sc.ExecuteStatement("Set o = New V : o.p = 1"))
        << sc.LastError().Number() << " " << sc.LastError().Description();
    Value v;
    ASSERT_TRUE(sc.Eval("o.Twice + early.Twice", v)) << sc.LastError().Description();
    EXPECT_EQ(v.AsInt(), 10);
    // An instance the host keeps past the engine fails cleanly instead of calling into it.
    ASSERT_TRUE(sc.Eval("early", v));
    ASSERT_TRUE(v.IsObject());
    {
        ScriptControl other;
        ASSERT_TRUE(other.AddCode("Class W : Public q : End Class"));
        ASSERT_TRUE(other.Eval("New W", v));
    }
    EXPECT_THROW(v.AsObject()->Invoke(v.AsObject()->FindMember("q"), InvokeKind::Get, {}),
                 ScriptError);
}

TEST(Host, CyclesAreCollectedDuringARunAndFreedOnReset) {
    ScriptControl sc;
    Engine& engine = sc.GetEngine();
    ASSERT_TRUE(sc.AddCode(
        "Class N : Public other, tag : End Class\n"
        "Dim ring, held\n"
        // A ring of 100 nodes kept by a global, with a dictionary and an array on the way.
        "Sub MakeRing\n"
        "  Dim first, prev, i, n : Set first = New N : Set prev = first\n"
        "  For i = 2 To 100 : Set n = New N : n.tag = i : Set prev.other = n : Set prev = n : "
        "Next\n"
        "  Dim d : Set d = CreateObject(\"Scripting.Dictionary\") : d.Add \"back\", Array(first)\n"
        "  Set prev.other = d : first.tag = 1 : Set ring = first\n"
        "End Sub\n"
        "Sub Churn(count)\n"
        "  Dim i, a, b\n"
        "  For i = 1 To count : Set a = New N : Set b = New N : Set a.other = b : Set b.other = a"
        " : Next\n"
        "End Sub\n"
        "Sub Tree(count)\n"
        "  Dim i, parent, child : Set parent = CreateObject(\"Scripting.Dictionary\")\n"
        "  For i = 1 To count : Set child = CreateObject(\"Scripting.Dictionary\")\n"
        "    child.Add \"parent\", parent : child.Add \"probe\", Probe : parent.Add i, child : "
        "Next\n"
        "End Sub\n"
        "Function RingSum\n"
        "  Dim n, s : Set n = ring\n"
        "  Do While TypeName(n) = \"N\" : s = s + n.tag : Set n = n.other : Loop\n"
        "  RingSum = s & \" \" & (n(\"back\")(0) Is ring)\n"
        "End Function"));
    ASSERT_TRUE(sc.Run("MakeRing"));
    ASSERT_TRUE(sc.Run("Churn", std::vector<Value>{Value::Long(60000)}));
    // 120,000 objects were made in cycles; collections kept the count bounded.
    EXPECT_LT(engine.LiveObjects(), 30000u);
    // Dictionaries that point back at their parent, 30 trees of 1,000; each child holds the
    // probe, so the probe's references count the children still alive.
    ObjectRef probe(new HostObject(u"Probe"));
    ASSERT_TRUE(sc.AddObject("Probe", probe, false));
    const int baseline = probe->RefCount();
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(sc.Run("Tree", std::vector<Value>{Value::Long(1000)}));
    EXPECT_LT(probe->RefCount(), baseline + 25000);
    Value v;
    ASSERT_TRUE(sc.Run("RingSum", {}, &v)) << sc.LastError().Description();
    EXPECT_EQ(Text(v), "5050 True");
    // The host keeps one node of a cycle past Reset: that cycle stays whole, the rest goes.
    ASSERT_TRUE(sc.ExecuteStatement("Set held = New N : Set held.other = New N : "
                                    "Set held.other.other = held : held.tag = \"kept\""));
    Value kept;
    ASSERT_TRUE(sc.Eval("held", kept));
    sc.Reset();
    EXPECT_EQ(engine.LiveObjects(), 2u);
    {
        Object* node = kept.AsObject();
        const Value next = node->Invoke(node->FindMember("other"), InvokeKind::Get, {});
        const Value back =
            next.AsObject()->Invoke(next.AsObject()->FindMember("other"), InvokeKind::Get, {});
        EXPECT_EQ(back.AsObject(), node);
        EXPECT_EQ(Text(node->Invoke(node->FindMember("tag"), InvokeKind::Get, {})), "kept");
    }
    kept = Value();
    sc.Reset();
    EXPECT_EQ(engine.LiveObjects(), 0u);
    EXPECT_EQ(probe->RefCount(), 1);
}

TEST(Host, ALongTextMeansWhatItMeansWhenShort) {
    // Past a megabyte the text is compiled statement by statement; declarations written
    // after their use, nested Dims and procedures must still be known everywhere.
    std::string code = "Option Explicit\nDim total : total = Later + Helper(1)\n";
    code += "If total > 0 Then\n  Dim nested(2) : nested(1) = \"n\"\nEnd If\n";
    for (int i = 0; i < 40000; ++i)
        code += "total = total + " + std::to_string(i % 7) + " ' padding padding padding\n";
    code += "Const Later = 40\nFunction Helper(x) : Helper = x + 1 : End Function\n";
    code += "Class Box : Public v : End Class\nDim b : Set b = New Box : b.v = total & nested(1)\n";
    ASSERT_GT(code.size(), size_t(1) << 20);
    ScriptControl sc;
    sc.SetTimeout(0); // slow builds (sanitizers, valgrind) need longer than the default
    ASSERT_TRUE(sc.AddCode(code)) << sc.LastError().Description() << " line "
                                  << sc.LastError().Position().line;
    Value v;
    ASSERT_TRUE(sc.Eval("b.v", v));
    // 42 + 40000 terms of i Mod 7: 5714 full cycles of 21 and 0+1 for the last two.
    EXPECT_EQ(Text(v), std::to_string(42 + 5714 * 21 + 1) + "n");
    sc.Reset();
    EXPECT_FALSE(sc.AddCode(code + "undeclared = 1\n"));
    EXPECT_EQ(sc.LastError().Number(), 500);
    EXPECT_EQ(sc.LastError().Position().line, 40010);
}

TEST(Host, ClassTerminateRunsOnReleaseAndOnReset) {
    ScriptControl sc;
    int terminated = 0;
    ASSERT_TRUE(sc.AddObject("Counter", MakeVariable(terminated), false));
    ASSERT_TRUE(sc.AddCode(
        "Class T : Sub Class_Terminate : Counter.Value = Counter.Value + 1 : End Sub : End Class\n"
        "Dim kept : Set kept = New T\nSub Drop : Dim t : Set t = New T : End Sub"));
    ASSERT_TRUE(sc.Run("Drop"));
    EXPECT_EQ(terminated, 1);
    sc.Reset();
    EXPECT_EQ(terminated, 2);
}

TEST(Host, AHostCallbackMayResetAndRunTheEngineAgain) {
    // A timer tick that arrives while a script waits inside a host method runs another script
    // through the same control, resetting it under the running one.
    ScriptControl sc;
    int nested = 0;
    auto* host = new HostObject(u"Host");
    host->DefineMember("Wait", [&](std::span<Value>) {
        sc.Reset();
        EXPECT_TRUE(sc.AddCode("Function Tick : Tick = 41 + 1 : End Function"));
        Value v;
        EXPECT_TRUE(sc.Run("Tick", {}, &v));
        nested = static_cast<int>(v.AsInt());
        return Value();
    });
    ASSERT_TRUE(sc.AddObject("Host", ObjectRef(host), true));
    ASSERT_TRUE(sc.AddCode("Dim after\nSub Main\n  Dim local : local = \"kept\"\n  Wait\n  after = "
                           "local & \" \" & Len(local)\nEnd Sub"));
    EXPECT_TRUE(sc.Run("Main")) << sc.LastError().Description();
    EXPECT_EQ(nested, 42);
}

TEST(Host, ErrorsRaisedByHostObjectsReachScriptsAndTheHost) {
    ScriptControl sc;
    auto* files = new HostObject(u"Files");
    files->DefineMember("Open", [](std::span<Value> args) -> Value {
        if (args.size() != 1) ThrowError(Err::WrongArgCount);
        ThrowError(Err::FileNotFound);
    });
    // A property that can be read and set (Set) but not assigned with Let.
    ObjectRef held;
    files->DefineMember(
        "Current", [&held](std::span<Value>) { return Value::Obj(held.Get()); }, nullptr,
        [&held](std::span<Value>, const Value& v) { held = ObjectRef(v.AsObject()); });
    ASSERT_TRUE(sc.AddObject("Files", ObjectRef(files), false));
    ASSERT_TRUE(sc.AddCode(
        "Function Try\n  On Error Resume Next\n  Files.Open \"x\"\n  Try = Err.Number & \" \" & "
        "Err.Description\nEnd Function\nSub Fail\n  Files.Open \"x\"\nEnd Sub"));
    Value v;
    ASSERT_TRUE(sc.Run("Try", {}, &v));
    EXPECT_EQ(Text(v), "53 File not found");
    EXPECT_FALSE(sc.Run("Fail"));
    EXPECT_EQ(sc.LastError().Number(), 53);
    EXPECT_EQ(sc.LastError().Position().line, 7);
    ASSERT_TRUE(sc.ExecuteStatement("Set Files.Current = Files"));
    EXPECT_EQ(held.Get(), files);
    EXPECT_FALSE(sc.ExecuteStatement("Files.Current = 1"));
    EXPECT_EQ(sc.LastError().Number(), 450);
    EXPECT_FALSE(sc.ExecuteStatement("Files.Missing"));
    EXPECT_EQ(sc.LastError().Number(), 438);
    held = ObjectRef(); // the object must not outlive the control through its own property
}

TEST(Host, LanguageAndFactory) {
    ScriptControl sc;
    EXPECT_EQ(sc.Language(), "VBScript");
    EXPECT_EQ(sc.Timeout(), 10000);
    sc.SetObjectFactory([](const std::string& progId) -> ObjectRef {
        if (progId != "Game.Thing") return {};
        auto* o = new HostObject(u"Thing");
        o->DefineMember("Answer", [](std::span<Value>) { return Value::Integer(42); });
        return ObjectRef(o);
    });
    Value v;
    ASSERT_TRUE(sc.Eval("CreateObject(\"Game.Thing\").Answer", v));
    EXPECT_EQ(v.AsInt(), 42);
    EXPECT_FALSE(sc.Eval("CreateObject(\"No.Such\")", v));
    EXPECT_EQ(sc.LastError().Number(), 429);
}

} // namespace
