// The engine: global scope, named objects, compiled modules and the virtual machine's state.
#pragma once

#include "core/FileConfinement.h"
#include "vbscript/Program.h"

#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillora {
class Clock;
}

namespace quillora::vbs {

class Engine;
class ClassInstance;
class Tracked;

// A built-in function: called with its arguments (references allowed) between the bounds.
struct BuiltinDef {
    const char* name;
    int8_t minArgs;
    int8_t maxArgs;
    Value (*fn)(Engine& engine, std::span<Value> args);
};
// The built-in functions and constants (Builtins*.cpp), registered once per engine.
std::span<const BuiltinDef> BuiltinFunctions();
struct BuiltinConstDef {
    const char* name;
    Value (*make)();
};
std::span<const BuiltinConstDef> BuiltinConstants();

// One name of the global scope.
struct Global {
    enum Kind : uint8_t {
        Undefined,
        Variable,
        Const,
        Procedure,
        Class,
        NamedObject,
        Builtin,
        BuiltinConst,
    };
    std::u16string name;
    Kind kind = Undefined;
    Value value;
    struct Procedure* proc = nullptr;
    ClassDef* cls = nullptr;
    const BuiltinDef* builtin = nullptr; // kept across resets
    Value builtinValue;                  // kept across resets
};

// The state of the Err object.
struct ErrState {
    int32_t number = 0;
    std::u16string description;
    std::u16string source;
    std::u16string helpFile;
    int32_t helpContext = 0;
    // Source and Description the script chose (in Err.Raise or by assignment): a later Raise
    // that leaves them out keeps them until Err is cleared.
    bool scriptSource = false;
    bool scriptDescription = false;
    int line = 0;
    int column = 0;
};

// One activation of a procedure.
struct Frame {
    Procedure* proc = nullptr;
    Value* locals = nullptr;
    Object* me = nullptr;     // the class instance of a class procedure
    Frame* context = nullptr; // for Execute/Eval code: the frame whose locals it sees
    bool resumeNext = false;
    const Instr* pc = nullptr; // the instruction being run (for error positions)
};

// Creates objects by ProgID for CreateObject; returns null for an unknown class.
using ObjectFactory = std::function<ObjectRef(const std::string& progId)>;

class Engine {
public:
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // ---- global scope
    int GlobalIndex(std::u16string_view name); // finds or creates
    int FindGlobal(const std::string& folded) const;
    Global& GlobalAt(int index) { return *m_globalPtrs[static_cast<size_t>(index)]; }
    size_t GlobalCount() const { return m_globalPtrs.size(); }

    // ---- loading and running code (throw ScriptError)
    // Compiles and runs a text at global level (AddCode, ExecuteGlobal).
    void AddCode(std::u16string_view source);
    // Runs statements in the scope of `context` (Execute), or globally when it is null.
    void ExecuteText(std::u16string_view source, Frame* context);
    Value EvalText(std::u16string_view source, Frame* context);
    // Adds a named object; error when the name is taken.
    void AddNamedObject(std::u16string_view name, ObjectRef object, bool addMembers);
    // Calls a global procedure by name with values (Run).
    Value Run(std::u16string_view name, std::span<const Value> args);
    // Everything added is forgotten (compiled-code cache excepted).
    void Reset();
    // Public Subs and Functions in the order they were added.
    std::vector<std::u16string> ProcedureNames() const;

    // ---- a prepared state (PreparedState.cpp), for hosts that run many short pieces of code
    // over one library and one set of named objects
    // Adds code as AddCode would when its top-level part only declares (procedures, classes,
    // Dim, Const) and none of the names it declares is held by a named object, that is when
    // adding it after the named objects ends as adding it before them would have; otherwise
    // nothing is loaded or run and the answer is false. Syntax errors throw as in AddCode.
    bool AddDeclarations(std::u16string_view source);
    // Keeps the code and named objects added since the last Reset as the state RestorePrepared
    // returns to. Only code whose top-level part only declares may be kept: false (nothing
    // kept) when other code was added, whose statements a restore could not repeat.
    bool KeepPrepared();
    bool HasPrepared() const { return m_prepared != nullptr; }
    // Back to the kept state, as if the engine had been reset and the same code and objects
    // added again: what runs since left in the global scope is released (variables first, so
    // Class_Terminate still finds procedures and objects). Reset forgets the kept state.
    void RestorePrepared();
    // Notes a global whose kind, binding or value a run may have changed outside a variable's
    // own slot (the kept state restores it).
    void Touched(int index) {
        if (m_prepared) NoteTouched(index);
    }

    // ---- calls (the VM)
    // Calls a procedure with the argc values at the top of the VM stack, which it consumes.
    Value CallProcedure(Procedure* proc, Object* me, int argc);
    // Calls a procedure with the given values (pushes them first; references are followed).
    Value CallWithValues(Procedure* proc, Object* me, std::span<const Value> args);
    // Calls a procedure with arguments that may be references (ByRef parameters reach them).
    Value CallWithArgs(Procedure* proc, Object* me, std::span<Value> args);
    // Invokes a member of a value that must be an object (424 otherwise).
    // `objectName` (may be null) names the object in error messages.
    Value InvokeMember(const Value& target, const MemberName& name, InvokeKind kind,
                       std::span<Value> args, const MemberName* objectName = nullptr);
    // Calls or indexes a value: arrays are indexed, objects called on their default member.
    Value CallOnValue(const Value& callee, std::span<Value> args);
    // A new instance of a script class (runs Class_Initialize).
    Value NewInstance(ClassDef* cls);
    // Runs Class_Terminate for an instance that is being released.
    void Terminate(Object* instance, ClassDef* cls);

    // ---- services
    ErrState& Err() { return m_err; }
    // The one Err object of this engine.
    Value ErrObjectValue();
    void SetErrFrom(const ScriptError& e);
    void SetTimeout(long long milliseconds) { m_timeoutMs = milliseconds; }
    long long Timeout() const { return m_timeoutMs; }
    void SetClock(quillora::Clock* clock) { m_clock = clock; }
    void SetFactory(ObjectFactory factory) { m_factory = std::move(factory); }
    ObjectRef CreateObject(const std::string& progId);
    // The folders scripts reach files in through the FileSystemObject; unconfined at first.
    // Objects already made follow a change.
    void SetFileConfinement(FileConfinement rules) { *m_files = std::move(rules); }
    const FileConfinement& FileRules() const { return *m_files; }
    Frame* CurrentFrame() { return m_frames.empty() ? nullptr : m_frames.back(); }
    uint32_t& RandomSeed() { return m_seed; }
    // The locale SetLocale chose (null: the default); current on the thread while code runs.
    void SetScriptLocale(const struct LocaleInfo* locale);
    // Marks the start of a host call: the time-out counts from here.
    void BeginRun();
    void EndRun();

    // What `Me` stands for outside a class: the script, whose members are its globals.
    Value ScriptObject();

    // Module of a procedure being run (for positions in errors).
    static void Annotate(ScriptError& e, const Frame& frame);

    // Whether the native stack or the call depth has room for one more call.
    bool StackRoom() const {
        const char* here = static_cast<const char*>(__builtin_frame_address(0));
        return m_frames.size() < kMaxCallDepth &&
               (!m_nativeBase || m_nativeBase - here < m_nativeLimit);
    }
    static constexpr size_t kMaxCallDepth = 5000;

private:
    friend class Vm;
    void NoteTouched(int index);
    // The compiled module of `source`, from the cache of compiled texts when it is there.
    std::shared_ptr<Module> CachedModule(std::u16string_view source);
    std::shared_ptr<Module> Compile(std::u16string_view source, Frame* context, bool expression,
                                    int firstLine = 1, bool inheritExplicit = false);
    // A cached library that `source` continues with declarations only, or null.
    bool AddCodeAfterLibrary(std::u16string_view source);
    void RememberLibraryOf(std::u16string_view source);
    void Load(const std::shared_ptr<Module>& module);
    // Notes a module that declares classes, to unbind them when the engine goes.
    void RememberClasses(const std::shared_ptr<Module>& module);
    Value RunMain(Module& module, Frame* context);
    // Execute inside a procedure: what the code declares belongs to that activation.
    void ScopeToActivation(const Module& module, Frame* context);
    // Gives back the names declared for activations that have returned.
    void DropScopedNames();
    Value Execute(Frame& frame);
    void CheckTimeout();

public:
    // Frees the script objects that only reference each other (Collector.cpp).
    void CollectCycles();
    // Adds an object to those the collector starts from; it leaves the list when deleted.
    void Track(Tracked* object);
    // Class instances and dictionaries made by this engine and not yet deleted.
    size_t LiveObjects() const { return m_liveCount; }

private:
    friend class Tracked;
    void Untrack(Tracked* object);
    Tracked* m_live = nullptr;
    size_t m_liveCount = 0;
    size_t m_collectAt = 10000; // the live count that triggers the next collection

    std::deque<Global> m_globals;
    std::vector<Global*> m_globalPtrs;
    std::unordered_map<std::string, int> m_globalIndex;
    std::vector<std::pair<ObjectRef, bool>> m_namedObjects; // object, add-members
    // Global index -> (index in m_namedObjects or -1, member id): which added member a bare
    // name stands for, until the named objects change.
    std::unordered_map<int, std::pair<int, int>> m_addedMembers;
    std::vector<std::shared_ptr<Module>> m_modules;         // loaded since the last reset
    std::vector<std::shared_ptr<Module>> m_retired;         // reset while still running
    std::list<std::pair<std::u16string, std::shared_ptr<Module>>> m_codeCache;
    std::list<std::pair<std::u16string, std::shared_ptr<Module>>> m_libraryCache;
    std::vector<std::weak_ptr<Module>> m_withClasses;
    size_t m_withClassesPrune = 16;
    std::vector<struct Procedure*> m_procedureOrder;
    // A name that Execute declared inside a procedure (a procedure, variable or constant)
    // lasts until that activation returns; then the name goes back to what it was.
    struct ScopedName {
        size_t depth; // frames on the stack while the activation runs
        int global;
        Global::Kind kind;
        struct Procedure* proc;
        Value value;
    };
    std::vector<ScopedName> m_scopedNames;
    // The state RestorePrepared returns to: each global as it was kept, and what else a reset
    // would clear.
    struct PreparedState {
        struct Saved {
            Global::Kind kind;
            struct Procedure* proc;
            ClassDef* cls;
            Value value;                                   // a variable's is made afresh
            const Module::GlobalDecl* arrayDecl = nullptr; // a variable's first array Dim
        };
        std::vector<Saved> globals; // by global index
        std::vector<int> variables; // the indexes of the kept variables
        std::vector<struct Procedure*> procedureOrder;
        size_t namedObjects = 0;
        size_t modules = 0;
    };
    std::unique_ptr<PreparedState> m_prepared;
    // Globals touched since the state was kept (repeats allowed, bounded by NoteTouched).
    std::vector<int> m_touched;

    std::unique_ptr<Value[]> m_stack;
    Value* m_top = nullptr;
    Value* m_stackEnd = nullptr;
    std::vector<Frame*> m_frames;
    const char* m_nativeBase = nullptr;
    long m_nativeLimit = 0; // bytes of native stack the run may use below m_nativeBase

    ErrState m_err;
    ObjectRef m_errObject;
    ObjectRef m_scriptScope; // made on first use of Me outside a class
    long long m_timeoutMs = 10000;
    quillora::Clock* m_clock = nullptr;
    double m_runStart = 0;
    int m_runDepth = 0;
    int m_budget = 0;
    ObjectFactory m_factory;
    std::shared_ptr<FileConfinement> m_files = std::make_shared<FileConfinement>();
    uint32_t m_seed = 0x50000;
    const struct LocaleInfo* m_locale = nullptr;
    const struct LocaleInfo* m_hostLocale = nullptr; // the thread's locale before the run
};

// The enumerator state of a For Each loop, kept in a hidden local.
class EnumHolder : public Object {
public:
    explicit EnumHolder(std::unique_ptr<Enumerator> e) : m_enum(std::move(e)) {}
    int FindMember(std::string_view) override { return kNoMember; }
    Value Invoke(int, InvokeKind, std::span<Value>) override { return {}; }
    Enumerator& Get() { return *m_enum; }

private:
    std::unique_ptr<Enumerator> m_enum;
};

// The script as an object (`Me` outside a class): its members are the global variables,
// constants, procedures and the objects the host added. It outlives its engine harmlessly: members then fail with 438.
class ScriptScope : public Object {
public:
    explicit ScriptScope(Engine* engine);
    int FindMember(std::string_view foldedName) override;
    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override;
    void Detach() { m_engine = nullptr; }

private:
    Engine* m_engine;
};

// An object the engine's cycle collector starts from: script class instances and the
// dictionaries scripts create. It stays in its engine's list until it is deleted.
class Tracked : public Object {
public:
    ~Tracked() override;

private:
    friend class Engine;
    Engine* m_tracker = nullptr;
    Tracked* m_prevLive = nullptr;
    Tracked* m_nextLive = nullptr;
};

// An instance of a script class.
class ClassInstance : public Tracked {
public:
    ClassInstance(ClassDef* cls, std::shared_ptr<Module> module, Engine* tracker);
    std::u16string TypeName() const override { return m_class->name; }
    void VisitValues(const std::function<void(Value&)>& visit) override;
    // A collected cycle is freed without Class_Terminate, as nothing can reach it.
    void SkipTerminate() { m_finalizing = true; }
    int FindMember(std::string_view foldedName) override;
    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override;
    ClassDef* Class() const { return m_class; }
    std::vector<Value>& Fields() { return m_fields; }
    // Lets code of the class itself reach private members.
    int FindMemberInside(std::string_view foldedName);
    Value InvokeInside(int member, InvokeKind kind, std::span<Value> args, bool inside);

protected:
    void Finalize() override;

private:
    ClassDef* m_class;
    std::shared_ptr<Module> m_module;
    std::vector<Value> m_fields;
    bool m_finalizing = false;
};

// Assigns with Let semantics: the target is overwritten even when it holds an object; an
// object value is replaced by its default value.
void LetAssign(Value& target, Value value);
// Assigns with Set semantics: the value must be an object or Nothing (error 424 otherwise).
void SetAssign(Value& target, Value value);

// Replaces subscripts that are objects by their default values, before an array is touched:
// the property code that computes them might reassign the array itself.
void ResolveSubscripts(std::span<Value> args);
// Indexes a value with arguments: an array element, or an object's default member.
Value IndexValue(const Value& value, std::span<Value> args);
// Reads element `subscripts` of an array (error 9 when out of range).
Value& ArrayElement(ArrayData* array, std::span<const Value> subscripts);

// Creates the Err object bound to an engine's error state.
ObjectRef MakeErrObject(Engine& engine);
// Built-in object classes.
// A Scripting.Dictionary; with an engine, one its cycle collector looks after.
ObjectRef MakeDictionary(Engine* tracker = nullptr);
// A FileSystemObject that reaches only what `rules` allow (null: everything).
ObjectRef MakeFileSystemObject(std::shared_ptr<const FileConfinement> rules = nullptr);
ObjectRef MakeRegExp();
// A callable reference to a procedure (GetRef).
ObjectRef MakeProcedureRef(Engine& engine, struct Procedure* proc);

} // namespace quillora::vbs
