// Names that Execute declares inside a procedure: they belong to that activation, shadow what
// the script has under the same name while it runs, and are gone when it returns.
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

} // namespace quillora::vbs
