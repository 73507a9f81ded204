// ScriptControl: the public face of the VBScript engine, with the operations a host drives.
//
// A host creates one ScriptControl per independent script engine, adds code and named objects,
// and runs procedures. Every operation returns false on failure and keeps the failure in
// LastError() (number, description, line, column, source text); nothing throws. Strings are
// UTF-8. Single-threaded: call it from one thread; scripts call back into host objects
// synchronously on that thread.
#pragma once

#include "core/FileConfinement.h"
#include "vbscript/Errors.h"
#include "vbscript/Object.h"
#include "vbscript/Value.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillora {
class Clock;
}

namespace quillora::vbs {

class Engine;

class ScriptControl {
public:
    ScriptControl();
    ~ScriptControl();
    ScriptControl(const ScriptControl&) = delete;
    ScriptControl& operator=(const ScriptControl&) = delete;

    // Always "VBScript".
    std::string Language() const { return "VBScript"; }

    // Milliseconds a host call may run before it fails with error 6000 "Script execution timed
    // out" (which On Error Resume Next cannot catch); 0 or less means no limit. Default 10000.
    void SetTimeout(long long milliseconds);
    long long Timeout() const;
    // The clock the time-out is measured on (not owned); null means the process clock.
    void SetClock(quillora::Clock* clock);
    // Creates host objects for CreateObject/GetObject beyond the built-in classes
    // (Scripting.Dictionary, Scripting.FileSystemObject, VBScript.RegExp).
    void SetObjectFactory(std::function<ObjectRef(const std::string& progId)> factory);
    // The folders scripts may reach files in (a game's folder, its data folder, the temporary
    // folder); elsewhere file operations fail with 70 "Permission denied" and FileExists and
    // FolderExists answer False. An unconfined value (the default) allows every path.
    void SetFileConfinement(FileConfinement rules);

    // Forgets all code, variables and named objects.
    void Reset();
    // Compiles whole procedures (and runs any statements outside them) in the global scope.
    // Compiled text is cached, so adding the same library again after Reset is cheap.
    bool AddCode(std::string_view code);
    // Makes `object` visible to scripts as `name`; with `addMembers` its members are also
    // reachable without the name (`GoToFrame "Hall"` for `Action.GoToFrame "Hall"`). Fails
    // when the name is already taken.
    bool AddObject(std::string_view name, ObjectRef object, bool addMembers);
    // Calls a global Sub or Function with values (objects, such as a collection, included);
    // `result` receives a Function's value.
    bool Run(std::string_view procedureName, std::span<const Value> args = {},
             Value* result = nullptr);
    // Runs statements in the global scope.
    bool ExecuteStatement(std::string_view statements);
    // Evaluates an expression.
    bool Eval(std::string_view expression, Value& result);
    // The names of the global Subs and Functions, in the order their code was added.
    std::vector<std::string> Procedures() const;

    // A prepared state, for hosts that run many short pieces of code over one library and one
    // set of named objects: prepare once (Reset, AddCode, AddObject), KeepPrepared; then for
    // each piece AddDeclarations, Run, RestorePrepared. A run then observes what it would after
    // a Reset and the same additions, at a small part of the cost.
    // Keeps the code and objects added since the last Reset; false when code whose top-level
    // statements do more than declare was added (a restore could not repeat them).
    bool KeepPrepared();
    bool IsPrepared() const;
    // Adds code as AddCode would have before the kept objects were added; false, with nothing
    // added or run, when that cannot be done here (a syntax error, statements outside
    // procedures, a name a named object holds): the host then prepares the ordinary way.
    bool AddDeclarations(std::string_view code);
    // Releases what runs left in the global scope and returns to the kept state.
    void RestorePrepared();

    // The failure of the last operation that failed (cleared by ClearError).
    const ScriptError& LastError() const { return m_error; }
    bool HasError() const { return m_hasError; }
    void ClearError();

    // The engine itself, for hosts that need more than these operations.
    Engine& GetEngine() { return *m_engine; }

private:
    template <class F> bool Guard(F&& body);
    // `code` in UTF-16: a short text converted into `shortText`, a long one converted once.
    std::u16string_view Utf16Of(std::string_view code, std::u16string& shortText);

    std::unique_ptr<Engine> m_engine;
    std::string m_lastLongCode; // the last long text added, and its UTF-16 form
    std::u16string m_lastLongCodeUtf16;
    ScriptError m_error{0, ""};
    bool m_hasError = false;
};

} // namespace quillora::vbs
