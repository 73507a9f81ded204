// The script's own scopes: names that Execute declares inside a procedure (they belong to that
// activation and are gone when it returns), and the object `Me` stands for outside a class.
#include "vbscript/Convert.h"
#include "vbscript/Engine.h"
#include "vbscript/Program.h"

#include <algorithm>
#include <utility>

namespace quillora::vbs {

void Engine::ScopeToActivation(const Module& module, Frame* context) {
    // Code that Execute runs from other Execute code belongs to the same activation.
    while (context && context->proc->kind == Procedure::Main && context->context)
        context = context->context;
    if (!context || context->proc->kind == Procedure::Main) return;
    const auto at = std::find(m_frames.rbegin(), m_frames.rend(), context);
    const size_t depth = static_cast<size_t>(m_frames.rend() - at);
    for (const Module::GlobalDecl& d : module.globals) {
        Global& g = GlobalAt(d.global);
        const bool free = g.kind == Global::Undefined;
        switch (d.kind) {
        case Module::GlobalDecl::Procedure:
            if (!free && g.kind != Global::Procedure) continue;
            break;
        case Module::GlobalDecl::Variable:
            // A name only assigned, or given to ReDim, uses what exists; Dim makes a new one.
            if (d.ifUndefined && !free) continue;
            [[fallthrough]];
        case Module::GlobalDecl::Const:
            if (!free && g.kind != Global::Variable && g.kind != Global::Const) continue;
            break;
        case Module::GlobalDecl::Class: continue;
        }
        m_scopedNames.push_back({depth, d.global, g.kind, g.proc, std::move(g.value)});
        if (d.kind != Module::GlobalDecl::Procedure) {
            g.kind = Global::Undefined;
            g.value = Value();
        }
    }
}

void Engine::DropScopedNames() {
    while (!m_scopedNames.empty() && m_scopedNames.back().depth > m_frames.size()) {
        ScopedName s = std::move(m_scopedNames.back());
        m_scopedNames.pop_back();
        Global& g = GlobalAt(s.global);
        if (g.kind == Global::Procedure) {
            const auto listed = std::find(m_procedureOrder.begin(), m_procedureOrder.end(), g.proc);
            if (listed != m_procedureOrder.end()) {
                if (s.kind == Global::Procedure)
                    *listed = s.proc;
                else
                    m_procedureOrder.erase(listed);
            }
        }
        g.kind = s.kind;
        g.proc = s.proc;
        // The activation's value goes only after the name is back (its Class_Terminate may
        // look the name up).
        Value gone = std::exchange(g.value, std::move(s.value));
    }
}

// ---------------------------------------------------------------------------------------------
// `Me` outside a class: the script itself, whose members are its global variables, constants,
// procedures and the objects the host added.

ScriptScope::ScriptScope(Engine* engine) : m_engine(engine) {}

int ScriptScope::FindMember(std::string_view foldedName) {
    if (!m_engine) return kNoMember;
    const int index = m_engine->FindGlobal(std::string(foldedName));
    if (index < 0) return kNoMember;
    switch (m_engine->GlobalAt(index).kind) {
    case Global::Variable:
    case Global::Const:
    case Global::NamedObject:
    case Global::Procedure: return index + 1;
    default: return kNoMember;
    }
}

Value ScriptScope::Invoke(int member, InvokeKind kind, std::span<Value> args) {
    // The script has no default value; a name declared since FindMember may have gone (Reset).
    if (!m_engine || member < 1 || static_cast<size_t>(member) > m_engine->GlobalCount())
        ThrowError(Err::NoSuchMember);
    Global& g = m_engine->GlobalAt(member - 1);
    switch (g.kind) {
    case Global::Procedure:
        if (kind != InvokeKind::Get) ThrowNamed(Err::IllegalAssignment, ToUtf8(g.name));
        if (args.size() != static_cast<size_t>(g.proc->paramCount))
            ThrowNamed(Err::WrongArgCount, ToUtf8(g.name));
        return m_engine->CallWithArgs(g.proc, nullptr, args);
    case Global::Const:
    case Global::NamedObject:
        if (kind != InvokeKind::Get) ThrowNamed(Err::IllegalAssignment, ToUtf8(g.name));
        [[fallthrough]];
    case Global::Variable: break;
    default: ThrowError(Err::NoSuchMember);
    }
    if (kind == InvokeKind::Get) return args.empty() ? g.value : IndexValue(g.value, args);
    Value value = args.back().Deref();
    std::span<Value> indexes = args.first(args.size() - 1);
    Value* target = &g.value;
    if (!indexes.empty()) {
        ResolveSubscripts(indexes);
        if (kind == InvokeKind::Let && value.IsObject()) value = Resolve(value);
        if (!g.value.IsArray()) ThrowTypeMismatch(ToUtf8(g.name));
        target = &ArrayElement(g.value.UniqueArray(), indexes);
    }
    if (kind == InvokeKind::Set)
        SetAssign(*target, std::move(value));
    else
        LetAssign(*target, std::move(value));
    return {};
}

Value Engine::ScriptObject() {
    if (!m_scriptScope) m_scriptScope = ObjectRef(new ScriptScope(this));
    return Value::Obj(m_scriptScope.Get());
}

} // namespace quillora::vbs
