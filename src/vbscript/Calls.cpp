// The virtual machine's support: assignment, arrays, procedure calls, member invocation and
// the slow paths of global names.
#include "vbscript/VmSupport.h"

#include "vbscript/Convert.h"
#include "vbscript/Operators.h"

namespace quillora::vbs {

namespace {

// The maximum depth the value stack reaches inside one procedure (statements leave it empty).
int StackNeed(const Procedure& proc) {
    int depth = 0, most = 0;
    for (const Instr& in : proc.code) {
        const int b = in.b;
        switch (in.op) {
        case Op::PushConst:
        case Op::PushMe:
        case Op::LoadL:
        case Op::RefL:
        case Op::LoadG:
        case Op::RefG:
        case Op::LoadF:
        case Op::RefF:
        case Op::LoadO:
        case Op::RefO:
        case Op::ForEachNext:
        case Op::NewObject: ++depth; break;
        case Op::CallL:
        case Op::CallG:
        case Op::CallF:
        case Op::CallO: depth += 1 - b; break;
        case Op::ConcatL:
        case Op::ConcatF:
        case Op::ConcatG: depth -= b; break;
        case Op::LoadL2: depth += 2; break;
        case Op::StoreLoadL: break;
        case Op::GetMember:
        case Op::CallValue:
        case Op::RefIndexed: depth -= b; break;
        case Op::RefIndexedG: depth += 1 - b; break;
        case Op::LetMember:
        case Op::SetMember:
        case Op::LetIndexed:
        case Op::SetIndexed: depth -= b + 2; break;
        case Op::DimArray:
        case Op::ReDim: depth -= b + 1; break;
        case Op::ForPrep: depth -= 2; break;
        case Op::Neg:
        case Op::Not:
        case Op::Jump:
        case Op::ForIncr:
        case Op::ForLoopL:
        case Op::ForLoopG:
        case Op::ClearL:
        case Op::OnErrorResume:
        case Op::OnErrorGoto0:
        case Op::Return:
        case Op::Nop: break;
        default: // stores, binary operators, conditional jumps, tests, Pop, Erase...
            --depth;
            break;
        }
        if (depth < 0) depth = 0;
        most = std::max(most, depth);
    }
    return most;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Assignment and arrays

void LetAssign(Value& target, Value value) {
    // A variable that holds an object is simply overwritten: only the value side goes through
    // a default member.
    if (value.GetType() == Type::Object)
        value = Resolve(value);
    else if (value.IsReference())
        value = Value(value.Deref());
    target = std::move(value);
}

void SetAssign(Value& target, Value value) {
    if (value.IsReference()) value = Value(value.Deref());
    if (value.GetType() != Type::Object) ThrowError(Err::ObjectRequired);
    target = std::move(value);
}

void ResolveSubscripts(std::span<Value> args) {
    for (Value& a : args)
        if (a.Deref().IsObject()) a = Resolve(a);
}

Value& ArrayElement(ArrayData* array, std::span<const Value> subscripts) {
    int32_t subs[64];
    if (subscripts.size() > 64 || subscripts.size() != array->Dimensions())
        ThrowError(Err::OutOfRange);
    for (size_t i = 0; i < subscripts.size(); ++i)
        subs[i] = ToLong(subscripts[i]);
    const long long flat = array->Index(subs, subscripts.size());
    if (flat < 0) ThrowError(Err::OutOfRange);
    return array->items[static_cast<size_t>(flat)];
}

std::vector<int32_t> BoundsFrom(std::span<Value> values) {
    std::vector<int32_t> bounds;
    for (const Value& v : values)
        bounds.push_back(ToLong(v));
    return bounds;
}

void DoReDim(Value& target, std::span<Value> boundValues, bool preserve) {
    std::vector<int32_t> bounds = BoundsFrom(boundValues);
    if (target.IsArray()) {
        ArrayData* old = target.AsArray();
        if (old->fixed || old->locks > 0) ThrowError(Err::ArrayLocked);
        if (preserve && old->Dimensions() > 0) {
            if (old->Dimensions() != bounds.size()) ThrowError(Err::OutOfRange);
            for (size_t d = 0; d + 1 < bounds.size(); ++d)
                if (old->upper[d] != bounds[d] || old->lower[d] != 0) ThrowError(Err::OutOfRange);
            if (old->refs == 1) {
                // Only the last dimension changes, so the kept elements already sit at the
                // front: resize in place, letting the vector's spare room make growth loops
                // (ReDim Preserve a(UBound(a) + 1)) linear rather than quadratic.
                const size_t total = ArrayData::ItemCount(bounds);
                std::vector<Value> dropped;
                if (total < old->items.size()) {
                    // Released after the array is consistent again: a Class_Terminate they
                    // run may read it.
                    dropped.assign(std::make_move_iterator(old->items.begin() + total),
                                   std::make_move_iterator(old->items.end()));
                }
                old->items.resize(total);
                old->lower.back() = 0;
                old->upper.back() = bounds.back();
                return;
            }
            ArrayData* fresh = ArrayData::Create(bounds);
            const size_t keep = std::min(fresh->items.size(), old->items.size());
            for (size_t i = 0; i < keep; ++i)
                fresh->items[i] = old->items[i];
            target = Value::ArrayAdopt(fresh);
            return;
        }
    }
    target = Value::ArrayAdopt(ArrayData::Create(bounds));
}

void DoErase(Value& target) {
    if (!target.IsArray()) ThrowTypeMismatch();
    ArrayData* arr = target.AsArray();
    if (arr->locks > 0) ThrowError(Err::ArrayLocked);
    if (arr->fixed) {
        ArrayData* data = target.UniqueArray();
        for (Value& v : data->items)
            v = Value();
        return;
    }
    target = Value::ArrayAdopt(new ArrayData);
}

// ---------------------------------------------------------------------------------------------
// Calls

Value Engine::CallProcedure(Procedure* proc, Object* me, int argc) {
    Value* args = m_top - argc;
    struct Unwind {
        Engine& e;
        Value* base;
        bool framePushed = false;
        ~Unwind() {
            while (e.m_top > base)
                *--e.m_top = Value();
            if (framePushed) {
                e.m_frames.pop_back();
                if (!e.m_scopedNames.empty()) e.DropScopedNames();
            }
        }
    } unwind{*this, args};
    if (argc != proc->paramCount) ThrowError(Err::WrongArgCount);
    if (!StackRoom()) ThrowError(Err::OutOfStack);
    if (proc->maxStack < 0) proc->maxStack = StackNeed(*proc);
    const int need = proc->maxStack;
    if (args + proc->localCount + need + 16 > m_stackEnd) ThrowError(Err::OutOfStack);
    for (int i = 0; i < argc; ++i) {
        if (proc->byVal[static_cast<size_t>(i)] && args[i].IsReference()) {
            Value copy = args[i].Deref();
            args[i] = std::move(copy);
        }
    }
    m_top = args + proc->localCount;
    Frame frame;
    frame.proc = proc;
    frame.locals = args;
    frame.me = me;
    m_frames.push_back(&frame);
    unwind.framePushed = true;
    if (--m_budget <= 0) CheckTimeout();
    return Execute(frame);
}

Value Engine::CallOnValue(const Value& callee, std::span<Value> args) {
    const Value& v = callee.Deref();
    if (v.IsArray()) return ArrayElement(v.AsArray(), args);
    if (v.IsObject()) {
        if (!v.AsObject()) ThrowError(Err::ObjectNotSet);
        ObjectRef keep(v.AsObject());
        return keep->Invoke(kDefaultMember, InvokeKind::Get, args);
    }
    if (args.empty()) return v;
    ThrowTypeMismatch();
}

Value Engine::InvokeMember(const Value& target, const MemberName& name, InvokeKind kind,
                           std::span<Value> args, const MemberName* objectName) {
    const Value& t = target.Deref();
    if (!t.IsObject() || !t.AsObject()) {
        if (objectName) ThrowNamed(Err::ObjectRequired, ToUtf8(objectName->text));
        ThrowError(Err::ObjectRequired);
    }
    ObjectRef object(t.AsObject());
    auto unsupported = [&]() {
        const std::string what =
            objectName ? ToUtf8(objectName->text) + "." + ToUtf8(name.text) : ToUtf8(name.text);
        ThrowNamed(Err::NoSuchMember, what);
    };
    // `Me = value` names no member: it assigns the default one.
    if (name.folded.empty()) return object->Invoke(kDefaultMember, kind, args);
    Frame* frame = CurrentFrame();
    if (frame && frame->proc->owner) {
        if (auto* inst = dynamic_cast<ClassInstance*>(object.Get());
            inst && inst->Class() == frame->proc->owner) {
            const int id = inst->FindMemberInside(name.folded);
            if (id == kNoMember) unsupported();
            return inst->InvokeInside(id, kind, args, true);
        }
    }
    const int id = object->FindMember(name.folded);
    if (id == kNoMember) unsupported();
    return object->Invoke(id, kind, args);
}

// ---------------------------------------------------------------------------------------------
// Globals outside the fast paths: named objects' members, implicit variables, built-ins.

namespace {

// Finds the member of an object added with add-members that global `index` names; the answer
// is kept until the named objects change, since implicit locals ask on every access.
using NamedObjects = std::vector<std::pair<ObjectRef, bool>>;
using AddedMembers = std::unordered_map<int, std::pair<int, int>>;

bool FindAddedMember(AddedMembers& cache, const NamedObjects& objects, int index,
                     const std::u16string& name, ObjectRef& object, int& id) {
    auto [it, fresh] = cache.try_emplace(index, -1, kNoMember);
    if (fresh) {
        const std::string folded = FoldedUtf8(name);
        for (size_t i = 0; i < objects.size(); ++i) {
            const auto& [obj, addMembers] = objects[i];
            if (!addMembers) continue;
            const int found = obj->FindMember(folded);
            if (found != kNoMember) {
                it->second = {static_cast<int>(i), found};
                break;
            }
        }
    }
    if (it->second.first < 0) return false;
    object = objects[static_cast<size_t>(it->second.first)].first;
    id = it->second.second;
    return true;
}

[[noreturn]] void Undefined(const Global& g) {
    ThrowNamed(Err::Undefined, ToUtf8(g.name));
}

// The host's message names the built-in whose own checks failed ("Type mismatch: 'CInt'").
// Failures of script code it ran (Eval, Execute, a default property) keep their own place.
Value CallBuiltin(Engine& e, const Global& g, std::span<Value> args) {
    try {
        return g.builtin->fn(e, args);
    } catch (ScriptError& error) {
        if (!error.HasPosition() && !error.IsCompilation() && error.Name().empty())
            error.SetName(ToUtf8(g.name));
        throw;
    }
}

} // namespace

Value Vm::LoadGlobal(Engine& e, Frame& f, int a, int c) {
    Global& g = e.GlobalAt(a);
    switch (g.kind) {
    case Global::Variable:
    case Global::Const:
    case Global::NamedObject: return g.value;
    case Global::BuiltinConst: return g.builtinValue;
    case Global::Procedure:
        if (g.proc->paramCount != 0) ThrowNamed(Err::WrongArgCount, ToUtf8(g.name));
        return e.CallWithValues(g.proc, nullptr, {});
    case Global::Builtin:
        if (g.builtin->minArgs > 0) ThrowNamed(Err::WrongArgCount, ToUtf8(g.name));
        return CallBuiltin(e, g, {});
    case Global::Class: Undefined(g);
    case Global::Undefined: break;
    }
    // A member of a named object added with its members comes before an implicit local.
    ObjectRef obj;
    int id = 0;
    if (FindAddedMember(e.m_addedMembers, e.m_namedObjects, a, g.name, obj, id))
        return obj->Invoke(id, InvokeKind::Get, {});
    if (c >= 0) return f.locals[c].Deref();
    if (f.proc->module && f.proc->module->optionExplicit) Undefined(g);
    return {};
}

void Vm::StoreGlobal(Engine& e, Frame& f, int a, int c, Value v, bool set, bool raw) {
    Global& g = e.GlobalAt(a);
    switch (g.kind) {
    case Global::Variable:
    case Global::NamedObject:
        if (g.kind == Global::NamedObject && set)
            ThrowNamed(Err::IllegalAssignment, ToUtf8(g.name));
        if (raw) {
            e.Touched(a); // a named object's slot may take a plain value this way
            g.value = std::move(v);
        } else if (set) {
            SetAssign(g.value, std::move(v));
        } else if (g.kind == Global::NamedObject && g.value.IsObject() && g.value.AsObject()) {
            // A host object named like a variable stands for its default property.
            ObjectRef keep(g.value.AsObject());
            if (v.IsObject()) v = Resolve(v);
            keep->Invoke(kDefaultMember, InvokeKind::Let, std::span<Value>(&v, 1));
        } else {
            LetAssign(g.value, std::move(v));
        }
        return;
    case Global::Undefined: break;
    default: ThrowNamed(Err::IllegalAssignment, ToUtf8(g.name));
    }
    ObjectRef obj;
    int id = 0;
    if (FindAddedMember(e.m_addedMembers, e.m_namedObjects, a, g.name, obj, id)) {
        if (!set && v.IsObject()) v = Resolve(v);
        obj->Invoke(id, set ? InvokeKind::Set : InvokeKind::Let, std::span<Value>(&v, 1));
        return;
    }
    if (c >= 0) {
        Value& slot = f.locals[c].DerefMutable();
        if (raw)
            slot = std::move(v);
        else if (set)
            SetAssign(slot, std::move(v));
        else
            LetAssign(slot, std::move(v));
        return;
    }
    if (f.proc->module && f.proc->module->optionExplicit) Undefined(g);
    e.Touched(a);
    g.kind = Global::Variable;
    g.value = Value();
    if (raw)
        g.value = std::move(v);
    else if (set)
        SetAssign(g.value, std::move(v));
    else
        LetAssign(g.value, std::move(v));
}

Value Vm::RefGlobal(Engine& e, Frame& f, int a, int c) {
    Global& g = e.GlobalAt(a);
    if (g.kind == Global::Variable) return Value::MakeRef(&g.value);
    if (g.kind == Global::Undefined) {
        ObjectRef obj;
        int id = 0;
        if (!FindAddedMember(e.m_addedMembers, e.m_namedObjects, a, g.name, obj, id)) {
            if (c >= 0) {
                Value& slot = f.locals[c];
                return slot.IsReference() ? slot : Value::MakeRef(&slot);
            }
            if (f.proc->module && f.proc->module->optionExplicit) Undefined(g);
            e.Touched(a);
            g.kind = Global::Variable;
            return Value::MakeRef(&g.value);
        }
    }
    return LoadGlobal(e, f, a, c);
}

Value Vm::CallGlobal(Engine& e, Frame& f, int a, int argc, int c) {
    Global& g = e.GlobalAt(a);
    std::span<Value> args(e.m_top - argc, static_cast<size_t>(argc));
    switch (g.kind) {
    case Global::Procedure:
        // The host's message names the procedure called with the wrong count.
        if (argc != g.proc->paramCount) ThrowNamed(Err::WrongArgCount, ToUtf8(g.name));
        return e.CallProcedure(g.proc, nullptr, argc);
    case Global::Builtin:
        if (argc < g.builtin->minArgs || argc > g.builtin->maxArgs)
            ThrowNamed(Err::WrongArgCount, ToUtf8(g.name));
        return CallBuiltin(e, g, args);
    case Global::Variable:
    case Global::Const:
    case Global::NamedObject: return e.CallOnValue(Value(g.value), args);
    case Global::BuiltinConst: return e.CallOnValue(g.builtinValue, args);
    case Global::Class: ThrowTypeMismatch(ToUtf8(g.name));
    case Global::Undefined: break;
    }
    if (c >= 0) return e.CallOnValue(Value(f.locals[c].Deref()), args);
    ObjectRef obj;
    int id = 0;
    if (FindAddedMember(e.m_addedMembers, e.m_namedObjects, a, g.name, obj, id))
        return obj->Invoke(id, InvokeKind::Get, args);
    if (f.proc->module && f.proc->module->optionExplicit && argc == 0) Undefined(g);
    ThrowTypeMismatch(ToUtf8(g.name));
}

} // namespace quillora::vbs
