// The script host: the game window's two script engines, the objects scripts see, running a
// piece of author code and reporting its errors.
#pragma once

#include "vbscript/Object.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace quillora {

namespace vbs {
class ScriptControl;
class ScriptError;
} // namespace vbs

class AdditionalComponents;
class DeferredTicks;
struct DirectorySearch;
struct GameSession;
class ScriptPermissions;
class ScriptWindow;
class TimedEvents;
class TimerObjects;

// The time-out of one-shot scripts before More's General/ScriptTimeOut changes it.
inline constexpr long long kDefaultScriptTimeoutMs = 10000;

// One per game window. Every execution sees its engine as if rebuilt from scratch (procedures,
// the StartupProcedure wrapper, named objects), so nothing a script leaves in the global scope
// survives to the next one; project variables survive because they live in the session. The
// engine is prepared once with the procedures and objects and returned to that state after each
// execution, which releases what the script left; a change of procedures, variables or
// control references prepares it again.
class ScriptHost {
public:
    ScriptHost(GameSession& session, ScriptWindow& window);
    ~ScriptHost();
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

    // At every reset of the game state, once the variables are loaded: reads the procedure
    // library, prepares the second engine and applies More's ScriptTimeOut; the timer objects,
    // components and directory search start afresh and the file permissions follow the game.
    void ResetForGame();
    // Lifts the confinement of files and the question before programs (--trust-scripts).
    void SetTrustScripts(bool trusted);

    // Runs `text` as the body of StartupProcedure after the author's procedures; true when it
    // failed (the script error box has been shown). Nothing runs while everything is stopped.
    bool ExecuteVBScript(const std::string& text, bool resetLastClickPosition);
    // The project's start-up script, when the project asks for it (after Action.ResetModule).
    void ExecuteOnLoadVBScript();

    // Resets `engine`, adds the procedures with `startupCode` wrapped as StartupProcedure and
    // the named objects in their order. A failure shows the script error box and ends the
    // preparation (the objects after the failing one are missing); false then.
    bool AddCodeToScriptControl(vbs::ScriptControl& engine, const std::string& startupCode);

    // True while a script runs (a message box or a wait inside it lets timer ticks through):
    // callers that can wait defer their scripts until it is free.
    bool Busy() const { return m_depth > 0; }
    // The engine that holds the procedures and objects for calls by name (component events,
    // procedure lists).
    vbs::ScriptControl& SecondEngine() { return *m_second; }
    // The time-out of one-shot scripts, in milliseconds.
    long long ScriptTimeout() const { return m_timeoutMs; }
    // The Action object as scripts see it.
    vbs::ObjectRef ActionObject() const { return m_action; }
    // The timed events (the timer array TimedEvent and its records).
    TimedEvents& Events() { return *m_events; }
    // The timer array TimerObject, which the window object holds by that name.
    TimerObjects& TimerObjectArray() { return *m_timerObjects; }
    ScriptPermissions& Permissions() { return *m_permissions; }
    AdditionalComponents& Components() { return *m_components; }
    DirectorySearch& DirSearch() { return *m_dirSearch; }
    // Timer ticks held back until the running script has ended.
    size_t TicksWaiting() const;
    // Adds a fixed object after those already registered (in the order the game expects:
    // Hotspot, Text, LoopingVideo, ScreenObject, AppObject, PrintersObject, ClipboardObject,
    // MessageObject, FrameMessageObject, WindowObject, TimedEventObject); the Action object
    // always comes last. `onlyWithControlReferences` objects are added only while controls
    // may be referenced (AllowControlsReferences 2).
    void RegisterFixedObject(std::string name, vbs::ObjectRef object,
                             bool onlyWithControlReferences = false);

private:
    struct FixedObject {
        std::string name;
        vbs::ObjectRef object;
        bool onlyWithControlReferences;
    };
    // What an engine's prepared state was made from; another value means preparing again.
    struct Preparation {
        unsigned long long library = 0;   // the library read by this ResetForGame
        size_t libraryLength = 0;         // (the game reset empties it before reading)
        unsigned long long variables = 0; // the variable objects made for these collections
        bool controls = false;            // WindowObject added
        size_t fixed = 0;                 // fixed objects registered
        bool failed = false;              // preparing failed: executions add everything
        bool operator==(const Preparation&) const = default;
    };
    // An engine for one nesting depth and what its prepared state was made from.
    struct RunEngine {
        std::unique_ptr<vbs::ScriptControl> control;
        Preparation made;
    };
    // The engine for the current nesting depth: a script started while another waits gets an
    // engine of its own, so no execution resets the engine under a running script.
    RunEngine& EngineForThisRun();
    Preparation CurrentPreparation();
    // Adds the StartupProcedure wrapper of `startupCode` to an engine prepared for what the
    // game has now; false when the engine must be prepared the ordinary way instead.
    bool AddToPrepared(RunEngine& run, const std::string& startupCode);
    // After an execution: releases what it left in the global scope by returning to the
    // prepared state, or prepares the engine afresh (reporting nothing: a failure here is
    // reported by the next execution, which then adds everything the ordinary way).
    void Prepare(RunEngine& run);
    // A fresh engine with the time-out and the file confinement of this game.
    std::unique_ptr<vbs::ScriptControl> NewEngine() const;
    // Gives every engine the file rules of the permissions (FileSystemObject and the like).
    void ApplyFileRules();
    bool AddNamedObjects(vbs::ScriptControl& engine, bool report = true);
    // The script objects of the project variables, made again only when the collections hold
    // other variables (a reset, a loaded game).
    const std::vector<std::pair<std::string, vbs::ObjectRef>>& VariableObjects();
    void ShowScriptError(const vbs::ScriptError& error);

    GameSession& m_session;
    ScriptWindow& m_window;
    // Declared before the engines, which hold their script objects, so they outlive them.
    std::unique_ptr<ScriptPermissions> m_permissions;
    std::unique_ptr<DeferredTicks> m_ticks;
    std::unique_ptr<TimedEvents> m_events;
    std::unique_ptr<TimerObjects> m_timerObjects;
    std::unique_ptr<DirectorySearch> m_dirSearch;
    std::deque<RunEngine> m_engines; // by nesting depth; a deeper one never moves the others
    std::unique_ptr<vbs::ScriptControl> m_second;
    std::unique_ptr<AdditionalComponents> m_components;
    std::vector<FixedObject> m_fixed;
    std::vector<const void*> m_variablesSeen;
    std::vector<std::pair<std::string, vbs::ObjectRef>> m_variableObjects;
    unsigned long long m_variablesMade = 0; // counts the makings of m_variableObjects
    unsigned long long m_librariesRead = 0; // counts the game resets
    vbs::ObjectRef m_action;
    long long m_timeoutMs = kDefaultScriptTimeoutMs;
    int m_depth = 0;
};

} // namespace quillora
