// Script class instances, the HostObject helper, procedure references (GetRef) and Err.
#include "core/Cp1252.h"
#include "vbscript/Convert.h"
#include "vbscript/Engine.h"

namespace quillora::vbs {

// ---------------------------------------------------------------------------------------------
// Script classes

Value IndexValue(const Value& value, std::span<Value> args) {
    const Value& v = value.Deref();
    if (v.IsArray()) return ArrayElement(v.AsArray(), args);
    if (v.IsObject() && v.AsObject()) {
        ObjectRef keep(v.AsObject());
        return keep->Invoke(kDefaultMember, InvokeKind::Get, args);
    }
    if (v.IsObject()) ThrowError(Err::ObjectNotSet);
    ThrowTypeMismatch();
}

namespace {

// obj.Member(args) where Member takes no arguments: the arguments index what it holds or
// returns; on anything but an array or an object they are arguments it does not take.
Value IndexResult(Engine& engine, const Value& value, std::span<Value> args) {
    const Value& v = value.Deref();
    if (v.IsArray() || (v.IsObject() && v.AsObject())) return engine.CallOnValue(v, args);
    if (v.IsObject()) ThrowError(Err::ObjectNotSet);
    ThrowError(Err::WrongArgCount);
}

} // namespace

ClassInstance::ClassInstance(ClassDef* cls, std::shared_ptr<Module> module, Engine* tracker)
    : m_class(cls), m_module(std::move(module)) {
    if (tracker) tracker->Track(this);
    m_fields.resize(cls->fieldNames.size());
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!cls->fieldIsArray[i]) continue;
        if (cls->fieldBounds[i].empty()) {
            m_fields[i] = Value::ArrayAdopt(new ArrayData);
        } else {
            ArrayData* arr = ArrayData::Create(cls->fieldBounds[i]);
            arr->fixed = true;
            m_fields[i] = Value::ArrayAdopt(arr);
        }
    }
}

int ClassInstance::FindMember(std::string_view foldedName) {
    auto it = m_class->memberIndex.find(std::string(foldedName));
    if (it == m_class->memberIndex.end() ||
        !m_class->members[static_cast<size_t>(it->second)].isPublic)
        return kNoMember;
    return it->second + 1;
}

int ClassInstance::FindMemberInside(std::string_view foldedName) {
    auto it = m_class->memberIndex.find(std::string(foldedName));
    return it == m_class->memberIndex.end() ? kNoMember : it->second + 1;
}

Value ClassInstance::Invoke(int member, InvokeKind kind, std::span<Value> args) {
    return InvokeInside(member, kind, args, false);
}

Value ClassInstance::InvokeInside(int member, InvokeKind kind, std::span<Value> args, bool inside) {
    if (member == kDefaultMember) {
        if (m_class->defaultMember < 0) ThrowError(Err::NoSuchMember);
        member = m_class->defaultMember + 1;
    }
    if (member < 1 || static_cast<size_t>(member) > m_class->members.size())
        ThrowError(Err::NoSuchMember);
    const ClassDef::Member& m = m_class->members[static_cast<size_t>(member) - 1];
    if (!inside && !m.isPublic) ThrowError(Err::NoSuchMember);
    Engine* engine = m_class->engine;
    if (!engine) ThrowError(Err::NoSuchMember);
    ObjectRef keep(this);
    if (m.field >= 0) {
        Value& field = m_fields[static_cast<size_t>(m.field)];
        if (kind == InvokeKind::Get) {
            if (args.empty()) return field;
            return IndexResult(*engine, Value(field), args);
        }
        Value value = args.back().Deref();
        std::span<Value> indexes = args.first(args.size() - 1);
        if (indexes.empty()) {
            if (kind == InvokeKind::Set)
                SetAssign(field, std::move(value));
            else
                LetAssign(field, std::move(value));
            return {};
        }
        if (field.IsArray()) {
            ResolveSubscripts(indexes);
            if (kind == InvokeKind::Let && value.IsObject()) value = Resolve(value);
            if (!field.IsArray()) ThrowTypeMismatch();
            Value& element = ArrayElement(field.UniqueArray(), indexes);
            if (kind == InvokeKind::Set)
                SetAssign(element, std::move(value));
            else
                LetAssign(element, std::move(value));
            return {};
        }
        if (field.IsObject() && field.AsObject()) {
            ObjectRef target(field.AsObject());
            return target->Invoke(kDefaultMember, kind, args);
        }
        // An index on a field that holds neither an array nor an object is an argument the
        // member does not take.
        if (field.IsObject()) ThrowError(Err::ObjectNotSet);
        ThrowError(Err::WrongArgCount);
    }
    switch (kind) {
    case InvokeKind::Get:
        if (!m.get) ThrowError(Err::WrongArgCount);
        if (m.get->paramCount == 0 && !args.empty()) {
            // obj.List(2) with a parameterless List indexes what List returns.
            return IndexResult(*engine, engine->CallWithArgs(m.get, this, {}), args);
        }
        return engine->CallWithArgs(m.get, this, args);
    case InvokeKind::Let:
        if (!m.let) ThrowError(Err::WrongArgCount);
        return engine->CallWithArgs(m.let, this, args);
    case InvokeKind::Set:
        if (!m.set) ThrowError(m.let ? Err::WrongArgCount : Err::WrongArgCount);
        return engine->CallWithArgs(m.set, this, args);
    }
    return {};
}

namespace {

// An object or an array waiting to be deleted.
struct PendingDeletion {
    Object* object = nullptr;
    ArrayData* array = nullptr;
};

thread_local int deletionDepth = 0;
thread_local std::vector<PendingDeletion> queuedDeletions;

void DeleteNow(PendingDeletion pending) {
    ++deletionDepth;
    if (pending.object)
        delete pending.object;
    else
        delete pending.array;
    --deletionDepth;
}

void DeleteOrQueue(PendingDeletion pending) {
    if (deletionDepth >= 200) {
        queuedDeletions.push_back(pending);
        return;
    }
    DeleteNow(pending);
    while (deletionDepth == 0 && !queuedDeletions.empty()) {
        const PendingDeletion next = queuedDeletions.back();
        queuedDeletions.pop_back();
        DeleteNow(next);
    }
}

} // namespace

void DeleteObject(Object* object) {
    DeleteOrQueue({.object = object});
}

void DeleteArray(ArrayData* array) {
    DeleteOrQueue({.array = array});
}

void ClassInstance::Finalize() {
    if (m_finalizing || !m_class->terminate || !m_class->engine) {
        DeleteObject(this);
        return;
    }
    m_finalizing = true;
    AddRef(); // Me stays valid while Class_Terminate runs
    m_class->engine->Terminate(this, m_class);
    Release();
}

Value Engine::NewInstance(ClassDef* cls) {
    std::shared_ptr<Module> owner;
    for (const auto& m : m_modules)
        if (m.get() == cls->module) owner = m;
    for (auto* cache : {&m_codeCache, &m_libraryCache})
        for (const auto& [text, m] : *cache)
            if (!owner && m.get() == cls->module) owner = m;
    if (m_liveCount >= m_collectAt) CollectCycles();
    auto* instance = new ClassInstance(cls, owner, this);
    Value v = Value::Obj(instance);
    if (cls->initialize) CallWithValues(cls->initialize, instance, {});
    return v;
}

void Engine::Terminate(Object* instance, ClassDef* cls) {
    try {
        CallWithValues(cls->terminate, instance, {});
    } catch (...) {
        // Nothing raised inside Class_Terminate can reach a handler: the object is going away,
        // possibly while the stack unwinds from another error.
    }
}

Value Engine::CallWithArgs(Procedure* proc, Object* me, std::span<Value> args) {
    if (m_top + args.size() + 64 > m_stackEnd) ThrowError(Err::OutOfStack);
    for (const Value& a : args)
        *m_top++ = a;
    return CallProcedure(proc, me, static_cast<int>(args.size()));
}

// ---------------------------------------------------------------------------------------------
// HostObject

void HostObject::DefineMember(std::string_view name, Getter get, Setter let, Setter set) {
    if (name.empty()) {
        m_members[0] = Member{std::move(get), std::move(let), std::move(set)};
        return;
    }
    const std::string folded = FoldCase(name);
    auto it = m_ids.find(folded);
    if (it != m_ids.end()) {
        m_members[static_cast<size_t>(it->second)] =
            Member{std::move(get), std::move(let), std::move(set)};
        return;
    }
    m_ids.emplace(folded, static_cast<int>(m_members.size()));
    m_members.push_back(Member{std::move(get), std::move(let), std::move(set)});
}

void HostObject::DefineProperty(std::string_view name, std::function<Value()> get, Setter let,
                                Setter set) {
    DefineMember(
        name,
        [get = std::move(get)](std::span<Value> args) -> Value {
            Value v = get();
            if (args.empty()) return v;
            return IndexValue(v, args);
        },
        std::move(let), std::move(set));
}

int HostObject::FindMember(std::string_view foldedName) {
    auto it = m_ids.find(std::string(foldedName));
    return it == m_ids.end() ? kNoMember : it->second;
}

Value HostObject::Invoke(int member, InvokeKind kind, std::span<Value> args) {
    if (member < 0 || static_cast<size_t>(member) >= m_members.size())
        ThrowError(Err::NoSuchMember);
    Member& m = m_members[static_cast<size_t>(member)];
    ObjectRef keep(this);
    if (kind == InvokeKind::Get) {
        if (!m.get) ThrowError(Err::NoSuchMember);
        return m.get(args);
    }
    Setter& setter = kind == InvokeKind::Let ? m.let : m.set;
    if (!setter) ThrowError(m.get ? Err::WrongArgCount : Err::NoSuchMember);
    if (args.empty()) ThrowError(Err::WrongArgCount);
    setter(args.first(args.size() - 1), args.back().Deref());
    return {};
}

std::unique_ptr<Enumerator> HostObject::Enumerate() {
    if (!m_items) return nullptr;
    return std::make_unique<VectorEnumerator>(m_items());
}

bool VectorEnumerator::Next(Value& item) {
    if (m_next >= m_items.size()) return false;
    item = m_items[m_next++];
    return true;
}

// ---------------------------------------------------------------------------------------------
// GetRef

namespace {

class ProcedureRef : public Object {
public:
    ProcedureRef(Engine& engine, Procedure* proc) : m_engine(engine), m_proc(proc) {}
    int FindMember(std::string_view) override { return kNoMember; }
    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override {
        if (member != kDefaultMember || kind != InvokeKind::Get) ThrowError(Err::NoSuchMember);
        return m_engine.CallWithArgs(m_proc, nullptr, args);
    }

private:
    Engine& m_engine;
    Procedure* m_proc;
};

// ---------------------------------------------------------------------------------------------
// Err

class ErrObject : public Object {
public:
    explicit ErrObject(Engine& engine) : m_engine(engine) {}
    std::u16string TypeName() const override { return u"ErrObject"; }

    enum Id { Number = 0, Description, Source, HelpFile, HelpContext, Raise, Clear };
    int FindMember(std::string_view name) override {
        if (name == "number") return Number;
        if (name == "description") return Description;
        if (name == "source") return Source;
        if (name == "helpfile") return HelpFile;
        if (name == "helpcontext") return HelpContext;
        if (name == "raise") return Raise;
        if (name == "clear") return Clear;
        return kNoMember;
    }

    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override {
        ErrState& err = m_engine.Err();
        if (kind != InvokeKind::Get) {
            if (args.size() != 1) ThrowError(Err::WrongArgCount);
            const Value& v = args[0].Deref();
            switch (member) {
            case Number: err.number = ToLong(v); return {};
            case Description:
                err.description = ToString(v);
                err.scriptDescription = true;
                return {};
            case Source:
                err.source = ToString(v);
                err.scriptSource = true;
                return {};
            case HelpFile: err.helpFile = ToString(v); return {};
            case HelpContext: err.helpContext = ToLong(v); return {};
            default: ThrowError(Err::NoSuchMember);
            }
        }
        switch (member) {
        case Number:
            if (!args.empty()) ThrowError(Err::WrongArgCount);
            return Value::Long(err.number);
        case Description:
            // A number set without a text reads as the language's text for it.
            if (err.description.empty() && IsKnownError(err.number))
                return Value::Str(FromUtf8(ErrorDescription(err.number)));
            return Value::Str(err.description);
        case Source: return Value::Str(err.source);
        case HelpFile: return Value::Str(err.helpFile);
        case HelpContext: return Value::Long(err.helpContext);
        case Clear: err = ErrState(); return {};
        case Raise: {
            if (args.empty() || args.size() > 5) ThrowError(Err::WrongArgCount);
            auto given = [&](size_t i) { return i < args.size() && !args[i].Deref().IsMissing(); };
            const int32_t number = ToLong(args[0]);
            if (number == 0) ThrowError(Err::InvalidCall);
            // What the call leaves out comes from what the script set and has not cleared.
            std::string source = given(1)           ? ToUtf8(ToString(args[1]))
                                 : err.scriptSource ? ToUtf8(err.source)
                                                    : kRuntimeSource;
            std::string description = given(2)                ? ToUtf8(ToString(args[2]))
                                      : err.scriptDescription ? ToUtf8(err.description)
                                                              : ErrorDescription(number);
            if (given(3)) err.helpFile = ToString(args[3]);
            if (given(4)) err.helpContext = ToLong(args[4]);
            ScriptError error(number, description, source);
            error.SetScriptText(given(1) || err.scriptSource, given(2) || err.scriptDescription);
            throw error;
        }
        default: ThrowError(Err::NoSuchMember);
        }
    }

private:
    Engine& m_engine;
};

} // namespace

ObjectRef MakeProcedureRef(Engine& engine, Procedure* proc) {
    return ObjectRef(new ProcedureRef(engine, proc));
}

ObjectRef MakeErrObject(Engine& engine) {
    return ObjectRef(new ErrObject(engine));
}

Value Engine::ErrObjectValue() {
    if (!m_errObject) m_errObject = MakeErrObject(*this);
    return Value::Obj(m_errObject.Get());
}

} // namespace quillora::vbs
