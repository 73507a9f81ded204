// A prepared state of the engine: a library and named objects added once, returned to after each
// run instead of being added again, with what the run left in the global scope released.
//
// A host that runs one-line scripts over a library of thousands of lines and hundreds of named
// objects would otherwise spend nearly all its time adding them again. The restore is exact:
// every global a run can change is either a kept variable (restored always) or was touched on
// its way to a new kind or binding (Load, an implicit variable, a named object), so the globals
// the run never touched are as they were kept.
#include "vbscript/Engine.h"

#include <algorithm>

namespace quillora::vbs {

namespace {

// As AddCode: a text this long is compiled again rather than kept twice; the cache holds this
// many texts.
constexpr size_t kUncachedText = size_t(8) << 20;
constexpr size_t kCodeCacheSize = 16;

// Whether a module's top-level code only declares: no instruction beyond those that a Dim of
// a fixed array compiles to, which the restore repeats by making the array afresh.
bool OnlyDeclares(const Module& module) {
    if (module.procedures.empty()) return true;
    for (const Instr& in : module.procedures[0]->code) {
        switch (in.op) {
        case Op::Nop:
        case Op::Return:
        case Op::PushConst:
        case Op::RefG:
        case Op::DimArray: break;
        default: return false;
        }
    }
    return true;
}

// The value a Dim of a kept variable gives it: a fresh array for an array Dim, else Empty.
Value DeclaredValue(const Module::GlobalDecl* arrayDecl) {
    if (!arrayDecl) return Value();
    ArrayData* array =
        arrayDecl->bounds.empty() ? new ArrayData : ArrayData::Create(arrayDecl->bounds);
    array->fixed = !arrayDecl->bounds.empty();
    return Value::ArrayAdopt(array);
}

} // namespace

std::shared_ptr<Module> Engine::CachedModule(std::u16string_view source) {
    for (auto it = m_codeCache.begin(); it != m_codeCache.end(); ++it) {
        if (it->first.size() == source.size() && it->first == source) {
            m_codeCache.splice(m_codeCache.begin(), m_codeCache, it);
            return it->second;
        }
    }
    std::shared_ptr<Module> module = Compile(source, nullptr, false);
    if (source.size() > kUncachedText) return module;
    m_codeCache.emplace_front(std::u16string(source), module);
    if (m_codeCache.size() > kCodeCacheSize) m_codeCache.pop_back();
    return module;
}

bool Engine::AddDeclarations(std::u16string_view source) {
    const std::shared_ptr<Module> module = CachedModule(source);
    if (!OnlyDeclares(*module)) return false;
    for (const Module::GlobalDecl& d : module->globals)
        if (GlobalAt(d.global).kind == Global::NamedObject) return false;
    Load(module);
    RunMain(*module, nullptr);
    return true;
}

bool Engine::KeepPrepared() {
    m_prepared.reset();
    m_touched.clear();
    for (const auto& module : m_modules)
        if (!OnlyDeclares(*module)) return false;
    auto kept = std::make_unique<PreparedState>();
    kept->globals.reserve(m_globalPtrs.size());
    for (size_t i = 0; i < m_globalPtrs.size(); ++i) {
        const Global& g = *m_globalPtrs[i];
        kept->globals.push_back({g.kind, g.proc, g.cls, g.value});
        if (g.kind == Global::Variable) {
            kept->globals.back().value = Value();
            kept->variables.push_back(static_cast<int>(i));
        }
    }
    // A variable declared as an array more than once keeps the first Dim, as Load does.
    for (const auto& module : m_modules) {
        for (const Module::GlobalDecl& d : module->globals) {
            if (d.kind != Module::GlobalDecl::Variable || !d.isArray) continue;
            PreparedState::Saved& saved = kept->globals[static_cast<size_t>(d.global)];
            if (saved.kind == Global::Variable && !saved.arrayDecl) saved.arrayDecl = &d;
        }
    }
    kept->procedureOrder = m_procedureOrder;
    kept->namedObjects = m_namedObjects.size();
    kept->modules = m_modules.size();
    m_prepared = std::move(kept);
    return true;
}

void Engine::NoteTouched(int index) {
    m_touched.push_back(index);
    // A loop that declares the same names again and again must not grow the list for ever.
    if (m_touched.size() > 4 * m_globalPtrs.size() + 1024) {
        std::sort(m_touched.begin(), m_touched.end());
        m_touched.erase(std::unique(m_touched.begin(), m_touched.end()), m_touched.end());
    }
}

void Engine::RestorePrepared() {
    if (!m_prepared) return;
    const PreparedState& kept = *m_prepared;
    // Index order, as a reset releases them. Values held by variables go first, while the
    // procedures and named objects still exist: Class_Terminate of the objects they held may
    // still call them, and may store new values (touching more globals); a few rounds catch
    // those.
    std::vector<int> dirty;
    for (int round = 0; round < 4; ++round) {
        dirty = m_touched;
        dirty.insert(dirty.end(), kept.variables.begin(), kept.variables.end());
        std::sort(dirty.begin(), dirty.end());
        dirty.erase(std::unique(dirty.begin(), dirty.end()), dirty.end());
        std::vector<Value> released;
        for (int index : dirty) {
            Global& g = GlobalAt(index);
            if ((g.kind == Global::Variable || g.kind == Global::Const) && !g.value.IsEmpty())
                released.push_back(std::move(g.value));
        }
        if (released.empty()) break;
        released.clear();
    }
    dirty = m_touched;
    dirty.insert(dirty.end(), kept.variables.begin(), kept.variables.end());
    std::sort(dirty.begin(), dirty.end());
    dirty.erase(std::unique(dirty.begin(), dirty.end()), dirty.end());
    std::vector<Value> rest;
    for (int index : dirty) {
        Global& g = GlobalAt(index);
        if (!g.value.IsEmpty()) rest.push_back(std::move(g.value));
        if (static_cast<size_t>(index) < kept.globals.size()) {
            const PreparedState::Saved& saved = kept.globals[static_cast<size_t>(index)];
            g.kind = saved.kind;
            g.proc = saved.proc;
            g.cls = saved.cls;
            g.value = saved.kind == Global::Variable ? DeclaredValue(saved.arrayDecl) : saved.value;
        } else {
            // A name first seen since the state was kept: as a reset leaves it.
            g.value = Value();
            g.proc = nullptr;
            g.cls = nullptr;
            g.kind = g.builtin                   ? Global::Builtin
                     : !g.builtinValue.IsEmpty() ? Global::BuiltinConst
                                                 : Global::Undefined;
        }
    }
    m_touched.clear();
    if (m_namedObjects.size() > kept.namedObjects)
        m_namedObjects.erase(m_namedObjects.begin() + static_cast<long>(kept.namedObjects),
                             m_namedObjects.end());
    m_addedMembers.clear();
    m_procedureOrder = kept.procedureOrder;
    m_scopedNames.clear();
    m_err = ErrState();
    SetScriptLocale(nullptr);
    rest.clear();
    CollectCycles();
    // Code still on the call stack of an outer call stays alive until that call returns.
    if (m_modules.size() > kept.modules) {
        const auto first = m_modules.begin() + static_cast<long>(kept.modules);
        if (m_runDepth > 1) m_retired.insert(m_retired.end(), first, m_modules.end());
        m_modules.erase(first, m_modules.end());
    }
}

} // namespace quillora::vbs
