// ScriptControl: wraps engine calls so that every failure lands in LastError().
#include "vbscript/ScriptControl.h"

#include "vbscript/Convert.h"
#include "vbscript/Engine.h"

#include <new>

namespace quillora::vbs {

ScriptControl::ScriptControl() : m_engine(std::make_unique<Engine>()) {}
ScriptControl::~ScriptControl() = default;

void ScriptControl::SetTimeout(long long milliseconds) {
    m_engine->SetTimeout(milliseconds);
}
long long ScriptControl::Timeout() const {
    return m_engine->Timeout();
}
void ScriptControl::SetClock(quillora::Clock* clock) {
    m_engine->SetClock(clock);
}
void ScriptControl::SetObjectFactory(std::function<ObjectRef(const std::string&)> factory) {
    m_engine->SetFactory(std::move(factory));
}
void ScriptControl::SetFileConfinement(FileConfinement rules) {
    m_engine->SetFileConfinement(std::move(rules));
}

template <class F> bool ScriptControl::Guard(F&& body) {
    m_engine->BeginRun();
    struct End {
        Engine& e;
        ~End() { e.EndRun(); }
    } end{*m_engine};
    try {
        body();
        return true;
    } catch (const ScriptError& e) {
        m_error = e;
    } catch (const std::bad_alloc&) {
        m_error = ScriptError(Err::OutOfMemory, ErrorDescription(Err::OutOfMemory), kRuntimeSource);
    }
    m_hasError = true;
    return false;
}

void ScriptControl::Reset() {
    Guard([&] { m_engine->Reset(); });
}

std::u16string_view ScriptControl::Utf16Of(std::string_view code, std::u16string& shortText) {
    // Hosts add the same long library again and again: convert it once.
    if (code.size() < 4096) {
        shortText = FromUtf8(code);
        return shortText;
    }
    if (code != m_lastLongCode) {
        m_lastLongCode = code;
        m_lastLongCodeUtf16 = FromUtf8(code);
    }
    return m_lastLongCodeUtf16;
}

bool ScriptControl::AddCode(std::string_view code) {
    std::u16string shortText;
    const std::u16string_view text = Utf16Of(code, shortText);
    return Guard([&] { m_engine->AddCode(text); });
}

bool ScriptControl::AddObject(std::string_view name, ObjectRef object, bool addMembers) {
    return Guard([&] { m_engine->AddNamedObject(FromUtf8(name), std::move(object), addMembers); });
}

bool ScriptControl::Run(std::string_view procedureName, std::span<const Value> args,
                        Value* result) {
    return Guard([&] {
        Value r = m_engine->Run(FromUtf8(procedureName), args);
        if (result) *result = std::move(r);
    });
}

bool ScriptControl::ExecuteStatement(std::string_view statements) {
    return Guard([&] { m_engine->ExecuteText(FromUtf8(statements), nullptr); });
}

bool ScriptControl::Eval(std::string_view expression, Value& result) {
    return Guard([&] { result = m_engine->EvalText(FromUtf8(expression), nullptr); });
}

bool ScriptControl::KeepPrepared() {
    return m_engine->KeepPrepared();
}

bool ScriptControl::IsPrepared() const {
    return m_engine->HasPrepared();
}

bool ScriptControl::AddDeclarations(std::string_view code) {
    std::u16string shortText;
    const std::u16string_view text = Utf16Of(code, shortText);
    bool added = false;
    return Guard([&] { added = m_engine->AddDeclarations(text); }) && added;
}

void ScriptControl::RestorePrepared() {
    Guard([&] { m_engine->RestorePrepared(); });
}

std::vector<std::string> ScriptControl::Procedures() const {
    std::vector<std::string> names;
    for (const auto& n : m_engine->ProcedureNames())
        names.push_back(ToUtf8(n));
    return names;
}

void ScriptControl::ClearError() {
    m_error = ScriptError(0, "");
    m_hasError = false;
}

} // namespace quillora::vbs
