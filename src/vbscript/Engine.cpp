// The engine: the global scope, loading compiled modules, named objects, Run/Eval/Execute.
#include "vbscript/Engine.h"

#include "core/Clock.h"
#include "core/Cp1252.h"
#include "vbscript/Compiler.h"
#include "vbscript/Convert.h"
#include "vbscript/Locale.h"
#include "vbscript/Parser.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <pthread.h>

namespace quillora::vbs {

namespace {
constexpr size_t kStackSlots = size_t(1) << 22; // 4M values, committed only as they are touched
constexpr size_t kCodeCacheSize = 16;
// Texts longer than this are compiled statement by statement (read twice, kept once).
constexpr size_t kLongText = size_t(1) << 20;
// Texts longer than this are neither cached nor split into a library part.
constexpr size_t kUncachedText = size_t(8) << 20;
} // namespace

std::string Module::LineText(int line) const {
    line -= firstLine - 1;
    if (line < 1 || static_cast<size_t>(line) > lineStarts.size()) return {};
    const size_t start = lineStarts[static_cast<size_t>(line) - 1];
    size_t end = start;
    while (end < source.size() && source[end] != '\r' && source[end] != '\n')
        ++end;
    return ToUtf8(std::u16string_view(source).substr(start, end - start));
}

Engine::Engine() {
    // An all-zero Value is Empty, so zeroed pages make a valid stack without touching them.
    void* raw = std::calloc(kStackSlots, sizeof(Value));
    if (!raw) throw std::bad_alloc();
    m_stack.reset(static_cast<Value*>(raw));
    m_top = m_stack.get();
    m_stackEnd = m_top + kStackSlots;
    for (const BuiltinDef& b : BuiltinFunctions()) {
        Global& g = GlobalAt(GlobalIndex(Ascii(b.name)));
        g.builtin = &b;
        g.kind = Global::Builtin;
    }
    for (const BuiltinConstDef& c : BuiltinConstants()) {
        Global& g = GlobalAt(GlobalIndex(Ascii(c.name)));
        g.builtinValue = c.make();
        g.kind = Global::BuiltinConst;
    }
}

Engine::~Engine() {
    Reset();
    while (m_live)
        Untrack(m_live);
    // Instances the host still holds outlive the engine: their classes must stop calling it.
    for (const std::weak_ptr<Module>& weak : m_withClasses)
        if (std::shared_ptr<Module> module = weak.lock())
            for (auto& cls : module->classes)
                cls->engine = nullptr;
    if (m_scriptScope) static_cast<ScriptScope*>(m_scriptScope.Get())->Detach();
    m_codeCache.clear();
    m_libraryCache.clear();
    // The stack was zero-allocated: release what is left in it, then free the block by hand.
    while (m_top > m_stack.get())
        *--m_top = Value();
    std::free(m_stack.release());
}

int Engine::GlobalIndex(std::u16string_view name) {
    std::string folded = FoldedUtf8(name);
    auto it = m_globalIndex.find(folded);
    if (it != m_globalIndex.end()) return it->second;
    m_globals.emplace_back();
    m_globals.back().name = std::u16string(name);
    m_globalPtrs.push_back(&m_globals.back());
    const int index = static_cast<int>(m_globalPtrs.size()) - 1;
    m_globalIndex.emplace(std::move(folded), index);
    return index;
}

int Engine::FindGlobal(const std::string& folded) const {
    auto it = m_globalIndex.find(folded);
    return it == m_globalIndex.end() ? -1 : it->second;
}

std::shared_ptr<Module> Engine::Compile(std::u16string_view source, Frame* context, bool expression,
                                        int firstLine, bool inheritExplicit) {
    try {
        std::shared_ptr<Module> module;
        if (expression) {
            ExprPtr expr = ParseExpression(source);
            module = CompileExpression(*this, *expr, context);
        } else if (!context && source.size() > kLongText) {
            bool declarationsOnly = false;
            module =
                CompileProgramText(*this, source, firstLine, inheritExplicit, declarationsOnly);
            module->declarationsOnly = declarationsOnly;
        } else {
            ProgramAst program = ParseProgram(source, firstLine);
            program.optionExplicit |= inheritExplicit;
            module = CompileProgram(*this, program, context);
            module->declarationsOnly = program.body.empty();
        }
        if (!module->classes.empty()) RememberClasses(module);
        module->firstLine = firstLine;
        module->source = std::u16string(source);
        module->lineStarts.push_back(0);
        for (size_t i = 0; i < source.size(); ++i) {
            if (source[i] == '\n' ||
                (source[i] == '\r' && (i + 1 >= source.size() || source[i + 1] != '\n')))
                module->lineStarts.push_back(i + 1);
        }
        return module;
    } catch (ScriptError& e) {
        if (e.HasPosition()) {
            // Give the error the text of its line.
            size_t line = static_cast<size_t>(firstLine), start = 0;
            for (size_t i = 0; i < source.size() && line < static_cast<size_t>(e.Position().line);
                 ++i) {
                if (source[i] == '\n' ||
                    (source[i] == '\r' && (i + 1 >= source.size() || source[i + 1] != '\n'))) {
                    ++line;
                    start = i + 1;
                }
            }
            size_t end = start;
            while (end < source.size() && source[end] != '\r' && source[end] != '\n')
                ++end;
            e.SetLineText(ToUtf8(source.substr(start, end - start)));
        }
        throw;
    } catch (const std::bad_alloc&) {
        ScriptError e(Err::OutOfMemory, ErrorDescription(Err::OutOfMemory), kCompileSource);
        e.SetCompilation(true);
        throw e;
    }
}

void Engine::RememberClasses(const std::shared_ptr<Module>& module) {
    // Drop the entries of freed modules whenever the list has doubled, so it stays bounded by
    // the modules still alive.
    if (m_withClasses.size() >= m_withClassesPrune) {
        std::erase_if(m_withClasses, [](const auto& w) { return w.expired(); });
        m_withClassesPrune = std::max<size_t>(16, m_withClasses.size() * 2);
    }
    m_withClasses.push_back(module);
}

void Engine::Load(const std::shared_ptr<Module>& module) {
    for (const Module::GlobalDecl& d : module->globals) {
        Global& g = GlobalAt(d.global);
        Touched(d.global);
        switch (d.kind) {
        case Module::GlobalDecl::Variable:
            if (d.ifUndefined && g.kind != Global::Undefined) break;
            if (g.kind != Global::Variable && g.kind != Global::NamedObject) {
                g.kind = Global::Variable;
                g.value = Value();
            }
            if (d.isArray && !g.value.IsArray()) {
                ArrayData* arr = d.bounds.empty() ? new ArrayData : ArrayData::Create(d.bounds);
                arr->fixed = !d.bounds.empty();
                g.value = Value::ArrayAdopt(arr);
            }
            break;
        case Module::GlobalDecl::Const:
            g.kind = Global::Const;
            g.value = d.constant;
            break;
        case Module::GlobalDecl::Procedure: {
            const bool replacing = g.kind == Global::Procedure;
            g.kind = Global::Procedure;
            if (replacing) {
                for (auto& p : m_procedureOrder)
                    if (p == g.proc) p = d.proc;
            } else {
                m_procedureOrder.push_back(d.proc);
            }
            g.proc = d.proc;
            g.value = Value();
            break;
        }
        case Module::GlobalDecl::Class:
            g.kind = Global::Class;
            g.cls = d.cls;
            break;
        }
    }
    m_modules.push_back(module);
}

Value Engine::RunMain(Module& module, Frame* context) {
    Procedure* main = module.procedures[0].get();
    if (m_top + main->localCount + 64 > m_stackEnd || !StackRoom()) ThrowError(Err::OutOfStack);
    Value* locals = m_top;
    m_top += main->localCount;
    Frame frame;
    frame.proc = main;
    frame.locals = locals;
    frame.context = context;
    frame.me = context ? context->me : nullptr;
    m_frames.push_back(&frame);
    struct Cleanup {
        Engine& e;
        Value* base;
        ~Cleanup() {
            while (e.m_top > base)
                *--e.m_top = Value();
            e.m_frames.pop_back();
        }
    } cleanup{*this, locals};
    return Execute(frame);
}

namespace {

// Byte-wise: a library of hundreds of kilobytes is compared at every run, and the standard
// comparison of 16-bit characters goes one character at a time.
bool SameText(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
}

} // namespace

void Engine::AddCode(std::u16string_view source) {
    std::shared_ptr<Module> module;
    for (auto it = m_codeCache.begin(); it != m_codeCache.end(); ++it) {
        if (SameText(it->first, source)) {
            module = it->second;
            m_codeCache.splice(m_codeCache.begin(), m_codeCache, it);
            break;
        }
    }
    if (!module && source.size() > kUncachedText) {
        // A text this long is not kept twice for a second reading that will hardly come.
        module = Compile(source, nullptr, false);
    } else if (!module) {
        if (AddCodeAfterLibrary(source)) return;
        module = Compile(source, nullptr, false);
        m_codeCache.emplace_front(std::u16string(source), module);
        // Leaving the cache only ends the sharing: loaded code and live instances keep the
        // module alive and their classes stay bound to this engine.
        if (m_codeCache.size() > kCodeCacheSize) m_codeCache.pop_back();
        RememberLibraryOf(source);
    }
    Load(module);
    RunMain(*module, nullptr);
}

namespace {

size_t CountLines(std::u16string_view text) {
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++lines;
    return lines;
}

bool StartsWithWord(std::u16string_view line, std::u16string_view word) {
    if (line.size() < word.size() + 1) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (FoldChar(line[i]) != word[i]) return false;
    return line[word.size()] == ' ' || line[word.size()] == '\t';
}

// Where the last top-level Sub or Function of a text starts (0 when none): a host that wraps
// each piece of code in a procedure after a fixed library keeps the library before it.
size_t LastProcedureStart(std::u16string_view text) {
    size_t pos = text.size();
    while (pos > 0) {
        const size_t nl = text.find_last_of(u"\r\n", pos - 1);
        if (nl == std::u16string_view::npos) return 0;
        std::u16string_view line = text.substr(nl + 1);
        size_t indent = 0;
        while (indent < line.size() && (line[indent] == ' ' || line[indent] == '\t'))
            ++indent;
        line.remove_prefix(indent);
        for (std::u16string_view scope : {u"public", u"private"})
            if (StartsWithWord(line, scope)) {
                line.remove_prefix(scope.size());
                while (!line.empty() && (line[0] == ' ' || line[0] == '\t'))
                    line.remove_prefix(1);
            }
        if (StartsWithWord(line, u"sub") || StartsWithWord(line, u"function")) return nl + 1;
        pos = nl;
    }
    return 0;
}

constexpr size_t kMinLibraryLength = 2048;

} // namespace

bool Engine::AddCodeAfterLibrary(std::u16string_view source) {
    for (auto it = m_libraryCache.begin(); it != m_libraryCache.end(); ++it) {
        const std::u16string& library = it->first;
        if (source.size() <= library.size() || source.compare(0, library.size(), library) != 0)
            continue;
        const std::shared_ptr<Module> libraryModule = it->second;
        const std::u16string_view rest = source.substr(library.size());
        std::shared_ptr<Module> tail;
        try {
            tail = Compile(rest, nullptr, false, static_cast<int>(CountLines(library)) + 1,
                           libraryModule->optionExplicit);
        } catch (const ScriptError&) {
            return false; // compiled whole, the text reports its error as usual
        }
        // Only declarations may follow: top-level statements could depend on the library's
        // On Error state, which a separate module would not share.
        if (!tail->declarationsOnly) return false;
        m_libraryCache.splice(m_libraryCache.begin(), m_libraryCache, it);
        Load(libraryModule);
        Load(tail);
        RunMain(*libraryModule, nullptr);
        RunMain(*tail, nullptr);
        return true;
    }
    return false;
}

void Engine::RememberLibraryOf(std::u16string_view source) {
    const size_t split = LastProcedureStart(source);
    if (split < kMinLibraryLength) return;
    const std::u16string_view library = source.substr(0, split);
    for (const auto& entry : m_libraryCache)
        if (entry.first == library) return;
    try {
        std::shared_ptr<Module> module = Compile(library, nullptr, false);
        m_libraryCache.emplace_front(std::u16string(library), std::move(module));
        if (m_libraryCache.size() > 4) m_libraryCache.pop_back();
    } catch (const ScriptError&) {
        // The text does not split there; it is simply compiled whole each time.
    }
}

void Engine::ExecuteText(std::u16string_view source, Frame* context) {
    std::shared_ptr<Module> module = Compile(source, context, false);
    ScopeToActivation(*module, context);
    Load(module);
    // Code that declared nothing lasting need not be kept once it has run.
    if (module->globals.empty()) m_modules.pop_back();
    RunMain(*module, context);
}

Value Engine::EvalText(std::u16string_view source, Frame* context) {
    std::shared_ptr<Module> module = Compile(source, context, true);
    return RunMain(*module, context);
}

void Engine::AddNamedObject(std::u16string_view name, ObjectRef object, bool addMembers) {
    const int index = GlobalIndex(name);
    Global& g = GlobalAt(index);
    if (g.kind != Global::Undefined && g.kind != Global::Builtin && g.kind != Global::BuiltinConst)
        ThrowNamed(Err::KeyExists, ToUtf8(name));
    Touched(index);
    g.kind = Global::NamedObject;
    g.value = Value::Obj(object.Get());
    m_namedObjects.emplace_back(object, addMembers);
    m_addedMembers.clear();
}

Value Engine::Run(std::u16string_view name, std::span<const Value> args) {
    const int index = FindGlobal(FoldedUtf8(name));
    if (index < 0 || GlobalAt(index).kind != Global::Procedure) ThrowError(Err::SubNotDefined);
    return CallWithValues(GlobalAt(index).proc, nullptr, args);
}

Value Engine::CallWithValues(Procedure* proc, Object* me, std::span<const Value> args) {
    if (m_top + args.size() + 64 > m_stackEnd) ThrowError(Err::OutOfStack);
    for (const Value& a : args)
        *m_top++ = a.Deref();
    return CallProcedure(proc, me, static_cast<int>(args.size()));
}

void Engine::Reset() {
    m_prepared.reset();
    m_touched.clear();
    // Variables go first, while procedures and named objects still exist: Class_Terminate of
    // the objects they held may still call them. A terminator may store new values; a few
    // rounds catch those.
    for (int round = 0; round < 4; ++round) {
        std::vector<Value> released;
        for (Global* g : m_globalPtrs)
            if ((g->kind == Global::Variable || g->kind == Global::Const) && !g->value.IsEmpty())
                released.push_back(std::move(g->value));
        if (released.empty()) break;
        released.clear();
    }
    std::vector<Value> rest;
    for (Global* g : m_globalPtrs) {
        if (!g->value.IsEmpty()) rest.push_back(std::move(g->value));
        g->value = Value();
        g->proc = nullptr;
        g->cls = nullptr;
        g->kind = g->builtin                   ? Global::Builtin
                  : !g->builtinValue.IsEmpty() ? Global::BuiltinConst
                                               : Global::Undefined;
    }
    m_namedObjects.clear();
    m_addedMembers.clear();
    m_procedureOrder.clear();
    m_scopedNames.clear();
    m_err = ErrState();
    SetScriptLocale(nullptr);
    rest.clear();
    // What the run left in cycles goes with it.
    CollectCycles();
    // A host may reset the engine from inside a running script (a timer tick during a wait):
    // the code still on the call stack stays alive until the outermost call returns.
    if (m_runDepth > 1) {
        for (auto& m : m_modules)
            m_retired.push_back(std::move(m));
    }
    m_modules.clear();
}

std::vector<std::u16string> Engine::ProcedureNames() const {
    std::vector<std::u16string> names;
    for (const Procedure* p : m_procedureOrder)
        names.push_back(p->name);
    return names;
}

void Engine::SetErrFrom(const ScriptError& e) {
    m_err.number = e.Number();
    m_err.description = FromUtf8(e.Description());
    m_err.source = FromUtf8(e.Source());
    m_err.scriptSource = e.ScriptSource();
    m_err.scriptDescription = e.ScriptDescription();
    m_err.line = e.Position().line;
    m_err.column = e.Position().column;
}

ObjectRef Engine::CreateObject(const std::string& progId) {
    const std::string id = FoldCase(progId);
    if (id == "scripting.dictionary") {
        if (m_liveCount >= m_collectAt) CollectCycles();
        return MakeDictionary(this);
    }
    if (id == "scripting.filesystemobject") return MakeFileSystemObject(m_files);
    if (id == "vbscript.regexp") return MakeRegExp();
    if (m_factory) {
        ObjectRef o = m_factory(progId);
        if (o) return o;
    }
    ThrowError(Err::CantCreateObject);
}

void Engine::SetScriptLocale(const LocaleInfo* locale) {
    m_locale = locale;
    if (m_runDepth > 0) SetCurrentLocale(locale);
}

namespace {

// The low end of this thread's stack, or null when unknown. Asked once per thread: for the main
// thread the C library reads the process's memory map to answer, which costs milliseconds, and
// a host runs many short operations.
const char* ThreadStackLow() {
    thread_local const char* low = [] {
        const char* result = nullptr;
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            void* stack = nullptr;
            size_t size = 0;
            if (pthread_attr_getstack(&attr, &stack, &size) == 0) result = static_cast<const char*>(stack);
            pthread_attr_destroy(&attr);
        }
        return result;
    }();
    return low;
}

} // namespace

void Engine::BeginRun() {
    if (m_runDepth++ == 0) {
        m_hostLocale = CurrentLocale();
        SetCurrentLocale(m_locale);
        // The clock is read at the first check: a host adds hundreds of named objects per run,
        // each a run of its own that executes nothing.
        m_runStart = -1;
        m_budget = 1;
        m_nativeBase = static_cast<const char*>(__builtin_frame_address(0));
        // Deep recursion must end with "Out of stack space" well before the thread's stack does.
        m_nativeLimit = 4L * 1024 * 1024;
        if (const char* low = ThreadStackLow()) {
            const long available = m_nativeBase - low;
            m_nativeLimit = std::min(m_nativeLimit, available - 256L * 1024);
        }
    }
}

void Engine::EndRun() {
    if (--m_runDepth == 0) {
        SetCurrentLocale(m_hostLocale);
        m_retired.clear();
        m_nativeBase = nullptr;
        while (m_top > m_stack.get())
            *--m_top = Value();
    }
}

void Engine::CheckTimeout() {
    m_budget = 4096;
    if (m_timeoutMs <= 0 || m_runDepth == 0) return;
    const double now = (m_clock ? *m_clock : TheClock()).SecondsSinceMidnight();
    if (m_runStart < 0) {
        m_runStart = now;
        return;
    }
    if (ElapsedSeconds(m_runStart, now) * 1000.0 > static_cast<double>(m_timeoutMs)) {
        ScriptError e(Err::Timeout, ErrorDescription(Err::Timeout), kRuntimeSource);
        e.SetFatal(true);
        throw e;
    }
}

void Engine::Annotate(ScriptError& e, const Frame& frame) {
    if (e.HasPosition() || !frame.pc) return;
    const Procedure* proc = frame.proc;
    const size_t index = static_cast<size_t>(frame.pc - proc->code.data());
    if (index >= proc->positions.size()) return;
    e.SetPosition(proc->positions[index]);
    if (proc->module) e.SetLineText(proc->module->LineText(proc->positions[index].line));
}

} // namespace quillora::vbs
