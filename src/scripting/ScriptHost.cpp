// Running author script code through the engine, with the named objects and the error box.
#include "scripting/ScriptHost.h"

#include "core/IniFile.h"
#include "core/Prompts.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "scripting/ProcedureLibrary.h"
#include "scripting/ScriptAction.h"
#include "scripting/ScriptComponents.h"
#include "scripting/ScriptPermissions.h"
#include "scripting/ScriptWindow.h"
#include "scripting/TimedEvents.h"
#include "scripting/VariableObjects.h"
#include "vbscript/ScriptControl.h"

#include <QDir>

#include <cstdio>

namespace quillora {
namespace {

constexpr const char* kStartupProcedure = "StartupProcedure";

// The code to run as the body of a procedure after the author's procedures.
std::string StartupWrapper(const std::string& startupCode) {
    return std::string("Sub ") + kStartupProcedure + "\r\n" + startupCode + "\r\nEnd Sub";
}

// More's General/ScriptTimeOut in seconds; 0, blank or not a number keeps the default.
long long ReadScriptTimeout() {
    const std::string text = ReadINI(Paths().Config + "More", "General", "ScriptTimeOut");
    long long seconds = 0;
    try {
        size_t used = 0;
        seconds = std::stoll(text, &used);
    } catch (const std::exception&) {
        return kDefaultScriptTimeoutMs;
    }
    if (seconds <= 0 || seconds > 24 * 3600) return kDefaultScriptTimeoutMs;
    return seconds * 1000;
}

} // namespace

ScriptHost::ScriptHost(GameSession& session, ScriptWindow& window)
    : m_session(session), m_window(window), m_permissions(std::make_unique<ScriptPermissions>()),
      m_ticks(std::make_unique<DeferredTicks>([this] { return Busy(); })),
      m_events(std::make_unique<TimedEvents>(session, window.Host(), *m_ticks)),
      m_timerObjects(std::make_unique<TimerObjects>(session, window.Host(), *m_ticks)),
      m_dirSearch(std::make_unique<DirectorySearch>()),
      m_second(std::make_unique<vbs::ScriptControl>()),
      m_components(std::make_unique<AdditionalComponents>(*m_second, session, window.Scene().Box)) {
    m_action = MakeScriptAction(ActionScope{session, window, *this});
    ApplyFileRules();
}

ScriptHost::~ScriptHost() = default;

void ScriptHost::RegisterFixedObject(std::string name, vbs::ObjectRef object,
                                     bool onlyWithControlReferences) {
    m_fixed.push_back({std::move(name), std::move(object), onlyWithControlReferences});
}

void ScriptHost::ResetForGame() {
    m_ticks->Clear();
    m_timerObjects->Reset();
    m_components->ResetComponents();
    *m_dirSearch = DirectorySearch();
    m_permissions->SetAllowedFolders({Paths().Root, GameDataFolder(Project().ProjectName)},
                                     QDir::tempPath().toStdString());
    m_session.ProceduresText = LoadProjectProcedures();
    ++m_librariesRead;
    m_timeoutMs = ReadScriptTimeout();
    // The next engines take this game's settings; one still running a script (a game loaded
    // from inside a script's wait) must not go under it.
    if (Busy()) {
        for (auto& engine : m_engines)
            engine.control->SetTimeout(m_timeoutMs);
    } else {
        m_engines.clear();
    }
    // The components hold the second engine: it stays, with this game's rules; the time-out is
    // for one-shot scripts only.
    ApplyFileRules();
    AddCodeToScriptControl(*m_second, "");
}

void ScriptHost::ApplyFileRules() {
    m_second->SetFileConfinement(m_permissions->EngineRules());
    for (auto& engine : m_engines)
        engine.control->SetFileConfinement(m_permissions->EngineRules());
}

size_t ScriptHost::TicksWaiting() const {
    return m_ticks->Waiting();
}

void ScriptHost::SetTrustScripts(bool trusted) {
    m_permissions->SetTrusted(trusted);
    ApplyFileRules();
}

std::unique_ptr<vbs::ScriptControl> ScriptHost::NewEngine() const {
    auto engine = std::make_unique<vbs::ScriptControl>();
    engine->SetTimeout(m_timeoutMs);
    engine->SetFileConfinement(m_permissions->EngineRules());
    return engine;
}

ScriptHost::RunEngine& ScriptHost::EngineForThisRun() {
    const size_t index = static_cast<size_t>(m_depth - 1);
    while (m_engines.size() <= index)
        m_engines.push_back({NewEngine(), {}});
    return m_engines[index];
}

ScriptHost::Preparation ScriptHost::CurrentPreparation() {
    VariableObjects();
    return {.library = m_librariesRead,
            .libraryLength = m_session.ProceduresText.size(),
            .variables = m_variablesMade,
            .controls = m_session.State.AllowControlsReferences == 2,
            .fixed = m_fixed.size()};
}

bool ScriptHost::AddToPrepared(RunEngine& run, const std::string& startupCode) {
    if (!run.control->IsPrepared() || !(run.made == CurrentPreparation())) return false;
    return run.control->AddDeclarations(StartupWrapper(startupCode));
}

void ScriptHost::Prepare(RunEngine& run) {
    vbs::ScriptControl& engine = *run.control;
    Preparation wanted = CurrentPreparation();
    if (engine.IsPrepared() && run.made == wanted) {
        engine.RestorePrepared();
        return;
    }
    engine.Reset();
    const std::string& procedures = m_session.ProceduresText;
    // A preparation that failed for these procedures and objects is not tried at every run.
    wanted.failed = true;
    if (!(run.made == wanted)) {
        if ((procedures.empty() || engine.AddDeclarations(procedures)) &&
            AddNamedObjects(engine, false) && engine.KeepPrepared()) {
            wanted.failed = false;
        } else {
            engine.Reset();
        }
    }
    engine.ClearError();
    run.made = wanted;
}

bool ScriptHost::AddCodeToScriptControl(vbs::ScriptControl& engine,
                                        const std::string& startupCode) {
    engine.Reset();
    // The library is added on its own so that the engine's cache of compiled texts serves it
    // again at the next execution; the wrapper after it can call the author's procedures.
    const std::string& procedures = m_session.ProceduresText;
    const bool added = (procedures.empty() || engine.AddCode(procedures)) &&
                       engine.AddCode(StartupWrapper(startupCode));
    if (!added) {
        ShowScriptError(engine.LastError());
        return false;
    }
    return AddNamedObjects(engine);
}

bool ScriptHost::AddNamedObjects(vbs::ScriptControl& engine, bool report) {
    const auto add = [&](const std::string& name, vbs::ObjectRef object) {
        if (engine.AddObject(name, std::move(object), true)) return true;
        if (report) ShowScriptError(engine.LastError());
        return false;
    };
    for (const auto& [name, object] : VariableObjects()) {
        if (!add(name, object)) return false;
    }
    const bool controls = m_session.State.AllowControlsReferences == 2;
    for (const FixedObject& fixed : m_fixed) {
        if (fixed.onlyWithControlReferences && !controls) continue;
        if (!add(fixed.name, fixed.object)) return false;
    }
    return add("Action", m_action);
}

const std::vector<std::pair<std::string, vbs::ObjectRef>>& ScriptHost::VariableObjects() {
    const ProjectVariables& vars = m_session.State.Vars;
    // Asked at every execution: compared in place, the list is built only when it changed.
    size_t at = 0;
    bool same = true;
    const auto compare = [&](const void* variable) {
        same = same && at < m_variablesSeen.size() && m_variablesSeen[at] == variable;
        ++at;
    };
    for (const auto& variable : vars.Variables)
        compare(variable.get());
    for (const auto& variable : vars.VariablesVariant)
        compare(variable.get());
    if (!same || at != m_variablesSeen.size()) {
        std::vector<const void*> seen;
        seen.reserve(at);
        for (const auto& variable : vars.Variables)
            seen.push_back(variable.get());
        for (const auto& variable : vars.VariablesVariant)
            seen.push_back(variable.get());
        m_variableObjects.clear();
        for (const auto& variable : vars.Variables)
            m_variableObjects.emplace_back(variable->Name, MakeVariableObject(variable));
        for (const auto& variable : vars.VariablesVariant)
            m_variableObjects.emplace_back(variable->Name, MakeVariantVariableObject(variable));
        m_variablesSeen = std::move(seen);
        ++m_variablesMade;
    }
    return m_variableObjects;
}

bool ScriptHost::ExecuteVBScript(const std::string& text, bool resetLastClickPosition) {
    if (m_session.Flags.StopEverything) return false;
    if (resetLastClickPosition) {
        m_session.State.LastClickX = 0;
        m_session.State.LastClickY = 0;
    }
    ++m_depth;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{m_depth};
    RunEngine& run = EngineForThisRun();
    vbs::ScriptControl& engine = *run.control;
    if (!AddToPrepared(run, text)) AddCodeToScriptControl(engine, text);
    const bool failed = !engine.Run(kStartupProcedure);
    if (failed) ShowScriptError(engine.LastError());
    // What the script left in the global scope goes now (Class_Terminate of the objects it
    // held runs here), and the engine is ready for the next execution.
    Prepare(run);
    return failed;
}

void ScriptHost::ExecuteOnLoadVBScript() {
    m_session.Action.ResetModule();
    if (!Project().StartupScript.empty() && Project().RunStartupScript) {
        ExecuteVBScript(Project().StartupScript, true);
    }
}

void ScriptHost::ShowScriptError(const vbs::ScriptError& error) {
    const std::string description = error.Message();
    // Authors find the failing line on stderr; the box keeps the player's own wording.
    if (!error.LineText().empty()) {
        std::fprintf(stderr, "quillora-run: script error: %s (in: %s)\n", description.c_str(),
                     error.LineText().c_str());
    }
    Prompts().MessageBox(Text(30) + " " + Text(31) +
                             "\r\n\r\nError executing script. The Scripting Engine returned the "
                             "following error message:\r\n\r\n" +
                             description,
                         BoxStyle::Critical, Text(29));
}

} // namespace quillora
