// The virtual machine: runs a procedure's instructions on the value stack, with calls, members,
// loops, On Error Resume Next and the time-out check.
#include "vbscript/Engine.h"

#include "vbscript/Convert.h"
#include "vbscript/Operators.h"
#include "vbscript/VmSupport.h"

#include <cmath>
#include <stdexcept>

namespace quillora::vbs {

namespace {

bool IsSmallInt(const Value& v) {
    return v.GetType() == Type::Integer || v.GetType() == Type::Long;
}

// Integer, Long or Double, at least one being Double: the result is a Double.
bool IsFastNumber(const Value& v) {
    return v.GetType() == Type::Integer || v.GetType() == Type::Long || v.GetType() == Type::Double;
}
double AsFastDouble(const Value& v) {
    return v.GetType() == Type::Double ? v.AsDouble() : static_cast<double>(v.AsInt());
}
Value DoubleResult(double x) {
    if (!std::isfinite(x)) ThrowError(Err::Overflow);
    return Value::Double(x);
}

Value IntResult(int64_t x, bool bothInteger) {
    if (bothInteger && x >= -32768 && x <= 32767) return Value::Integer(static_cast<int16_t>(x));
    if (x >= INT32_MIN && x <= INT32_MAX) return Value::Long(static_cast<int32_t>(x));
    return Value::Double(static_cast<double>(x));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The interpreter loop

Value Engine::Execute(Frame& frame) {
    Procedure* const proc = frame.proc;
    const Instr* const code = proc->code.data();
    const Instr* pc = code;
    Value* const locals = frame.locals;
    Value* const base = locals + proc->localCount;
    const std::vector<MemberName>& names = proc->module->names;
    const Value* constants = proc->constants.data();

    auto pop = [this]() -> Value { return std::move(*--m_top); };
    auto popN = [this](int n) {
        while (n-- > 0)
            *--m_top = Value();
    };
    auto push = [this](auto&& v) { *m_top++ = std::forward<decltype(v)>(v); };
    auto me = [&]() -> ClassInstance& {
        if (!frame.me) ThrowError(Err::ObjectRequired);
        return *static_cast<ClassInstance*>(frame.me);
    };
    auto outer = [&](int a) -> Value& {
        if (!frame.context) ThrowError(Err::OutOfRange);
        return frame.context->locals[a];
    };
    auto jumpTo = [&](int target) {
        if (target <= pc - code && --m_budget <= 0) CheckTimeout();
        pc = code + target;
    };
    auto store = [](Value& slot, Value v, bool raw) {
        Value& t = slot.IsReference() ? slot.DerefMutable() : slot;
        if (raw || (!t.IsObject() && v.GetType() < Type::Ref))
            t = std::move(v);
        else
            LetAssign(t, std::move(v));
    };
    auto ref = [](Value& slot) { return slot.IsReference() ? slot : Value::MakeRef(&slot); };
    auto forContinues = [](const Value& counter, const Value& end, const Value& step) {
        if (IsSmallInt(counter) && IsSmallInt(end) && IsSmallInt(step))
            return step.AsInt() >= 0 ? counter.AsInt() <= end.AsInt()
                                     : counter.AsInt() >= end.AsInt();
        const int c = Compare(counter, end);
        return ToDouble(step) >= 0 ? c <= 0 : c >= 0;
    };
    auto addStep = [](const Value& counter, const Value& step) {
        if (IsSmallInt(counter) && IsSmallInt(step))
            return IntResult(counter.AsInt() + step.AsInt(),
                             counter.GetType() == Type::Integer && step.GetType() == Type::Integer);
        return Add(counter, step);
    };

    for (;;) {
        try {
            for (;;) {
                const Instr& in = *pc;
                switch (in.op) {
                case Op::Nop: break;
                case Op::PushConst: push(constants[in.a]); break;
                case Op::Pop: *--m_top = Value(); break;
                case Op::PushMe: push(frame.me ? Value::Obj(frame.me) : ScriptObject()); break;

                case Op::LoadL: push(locals[in.a].Deref()); break;
                case Op::StoreL: store(locals[in.a], pop(), in.b == 1); break;
                case Op::LoadL2:
                    push(locals[in.a].Deref());
                    push(locals[in.c].Deref());
                    break;
                case Op::StoreLoadL:
                    store(locals[in.a], m_top[-1], false);
                    m_top[-1] = locals[in.a].Deref();
                    break;
                case Op::SetL: {
                    Value& slot = locals[in.a];
                    SetAssign(slot.IsReference() ? slot.DerefMutable() : slot, pop());
                    break;
                }
                case Op::RefL: push(ref(locals[in.a])); break;
                case Op::CallL: {
                    Value callee = locals[in.a].Deref();
                    Value r = CallOnValue(callee, {m_top - in.b, in.b});
                    popN(in.b);
                    push(std::move(r));
                    break;
                }

                case Op::LoadG: {
                    Global& g = *m_globalPtrs[static_cast<size_t>(in.a)];
                    if (g.kind == Global::Variable)
                        push(g.value);
                    else
                        push(Vm::LoadGlobal(*this, frame, in.a, in.c));
                    break;
                }
                case Op::StoreG: {
                    Global& g = *m_globalPtrs[static_cast<size_t>(in.a)];
                    Value v = pop();
                    if (g.kind == Global::Variable && !g.value.IsObject() && !v.IsObject() &&
                        !v.IsReference())
                        g.value = std::move(v);
                    else
                        Vm::StoreGlobal(*this, frame, in.a, in.c, std::move(v), false, in.b == 1);
                    break;
                }
                case Op::SetG: Vm::StoreGlobal(*this, frame, in.a, in.c, pop(), true, false); break;
                case Op::RefG: {
                    Global& g = *m_globalPtrs[static_cast<size_t>(in.a)];
                    if (g.kind == Global::Variable)
                        push(Value::MakeRef(&g.value));
                    else
                        push(Vm::RefGlobal(*this, frame, in.a, in.c));
                    break;
                }
                case Op::CallG: {
                    Value* argBase =
                        m_top - in.b; // a script procedure consumes its arguments itself
                    Global& g = *m_globalPtrs[static_cast<size_t>(in.a)];
                    Value r = g.kind == Global::Procedure && g.proc->paramCount == in.b
                                  ? CallProcedure(g.proc, nullptr, in.b)
                                  : Vm::CallGlobal(*this, frame, in.a, in.b, in.c);
                    while (m_top > argBase)
                        *--m_top = Value();
                    push(std::move(r));
                    break;
                }

                case Op::LoadF: push(me().Fields()[static_cast<size_t>(in.a)]); break;
                case Op::StoreF:
                    store(me().Fields()[static_cast<size_t>(in.a)], pop(), in.b == 1);
                    break;
                case Op::SetF: SetAssign(me().Fields()[static_cast<size_t>(in.a)], pop()); break;
                case Op::RefF:
                    push(Value::MakeRef(&me().Fields()[static_cast<size_t>(in.a)]));
                    break;
                case Op::CallF: {
                    Value callee = me().Fields()[static_cast<size_t>(in.a)];
                    Value r = CallOnValue(callee, {m_top - in.b, in.b});
                    popN(in.b);
                    push(std::move(r));
                    break;
                }

                case Op::LoadO: push(outer(in.a).Deref()); break;
                case Op::StoreO: store(outer(in.a), pop(), in.b == 1); break;
                case Op::SetO: {
                    Value& slot = outer(in.a);
                    SetAssign(slot.IsReference() ? slot.DerefMutable() : slot, pop());
                    break;
                }
                case Op::RefO: push(ref(outer(in.a))); break;
                case Op::CallO: {
                    Value callee = outer(in.a).Deref();
                    Value r = CallOnValue(callee, {m_top - in.b, in.b});
                    popN(in.b);
                    push(std::move(r));
                    break;
                }

                case Op::ConcatL:
                case Op::ConcatF:
                case Op::ConcatG: {
                    Value* parts = m_top - in.b;
                    for (Value* part = parts; part < m_top; ++part) {
                        const Value& v = *part;
                        Value* target;
                        if (in.op == Op::ConcatL) {
                            target = &locals[in.a].DerefMutable();
                        } else if (in.op == Op::ConcatF) {
                            target = &me().Fields()[static_cast<size_t>(in.a)];
                        } else {
                            Global& g = *m_globalPtrs[static_cast<size_t>(in.a)];
                            if (g.kind != Global::Variable) {
                                Value cur = Vm::LoadGlobal(*this, frame, in.a, in.c);
                                Vm::StoreGlobal(*this, frame, in.a, in.c, vbs::Concat(cur, v),
                                                false, false);
                                continue;
                            }
                            target = &g.value;
                        }
                        if (target->IsString() && !v.IsObject() && !target->IsOddByteString() &&
                            !v.IsOddByteString()) {
                            if (v.IsString())
                                target->AppendString(v.AsString());
                            else
                                target->AppendString(ToDisplayString(v));
                        } else {
                            LetAssign(*target, vbs::Concat(*target, v));
                        }
                    }
                    popN(in.b);
                    break;
                }

                case Op::GetMember: {
                    Value* args = m_top - in.b;
                    Value r = InvokeMember(args[-1], names[static_cast<size_t>(in.a)],
                                           InvokeKind::Get, {args, in.b},
                                           in.c >= 0 ? &names[static_cast<size_t>(in.c)] : nullptr);
                    popN(in.b + 1);
                    push(std::move(r));
                    break;
                }
                case Op::LetMember:
                case Op::SetMember: {
                    Value* args = m_top - in.b - 1;
                    Value& value = m_top[-1];
                    if (value.IsReference()) value = Value(value.Deref());
                    const bool set = in.op == Op::SetMember;
                    if (set && !value.IsObject()) ThrowError(Err::ObjectRequired);
                    if (!set && value.IsObject()) value = Resolve(value);
                    InvokeMember(args[-1], names[static_cast<size_t>(in.a)],
                                 set ? InvokeKind::Set : InvokeKind::Let,
                                 {args, static_cast<size_t>(in.b) + 1},
                                 in.c >= 0 ? &names[static_cast<size_t>(in.c)] : nullptr);
                    popN(in.b + 2);
                    break;
                }
                case Op::CallValue: {
                    Value* args = m_top - in.b;
                    Value callee = args[-1].Deref();
                    Value r = CallOnValue(callee, {args, in.b});
                    popN(in.b + 1);
                    push(std::move(r));
                    break;
                }
                case Op::LetIndexed:
                case Op::SetIndexed: {
                    Value* args = m_top - in.b - 1;
                    if (args[-1].Deref().IsArray()) ResolveSubscripts({args, in.b});
                    Value& target = args[-1].DerefMutable();
                    const bool set = in.op == Op::SetIndexed;
                    Value value = pop();
                    if (target.IsArray()) {
                        // Default values are fetched before the element is: their code may
                        // reassign the array.
                        if (!set && value.Deref().IsObject()) value = Resolve(value);
                        if (!target.IsArray()) ThrowTypeMismatch();
                        Value& element = ArrayElement(target.UniqueArray(), {args, in.b});
                        if (set)
                            SetAssign(element, std::move(value));
                        else
                            LetAssign(element, std::move(value));
                    } else if (target.IsObject() && target.AsObject()) {
                        if (set && !value.Deref().IsObject()) ThrowError(Err::ObjectRequired);
                        Value v = value.Deref();
                        if (!set && v.IsObject()) v = Resolve(v);
                        *m_top++ = std::move(v);
                        ObjectRef keep(target.AsObject());
                        keep->Invoke(kDefaultMember, set ? InvokeKind::Set : InvokeKind::Let,
                                     {args, static_cast<size_t>(in.b) + 1});
                    } else {
                        ThrowTypeMismatch();
                    }
                    while (m_top > args - 1)
                        *--m_top = Value();
                    break;
                }
                case Op::RefIndexed: {
                    Value* args = m_top - in.b;
                    if (args[-1].Deref().IsArray()) ResolveSubscripts({args, in.b});
                    Value& target = args[-1].DerefMutable();
                    Value r;
                    if (target.IsArray()) {
                        ArrayData* arr = target.UniqueArray();
                        Value& element = ArrayElement(arr, {args, in.b});
                        r = Value::MakeElemRef(arr,
                                               static_cast<size_t>(&element - arr->items.data()));
                    } else {
                        Value callee = target;
                        r = CallOnValue(callee, {args, in.b});
                    }
                    popN(in.b + 1);
                    push(std::move(r));
                    break;
                }

                case Op::RefIndexedG: {
                    Value* args = m_top - in.b;
                    Global& g = *m_globalPtrs[static_cast<size_t>(in.a)];
                    if (g.kind == Global::Variable && g.value.IsArray())
                        ResolveSubscripts({args, in.b});
                    Value* holder = nullptr;
                    if (g.kind == Global::Variable)
                        holder = &g.value;
                    else if (g.kind == Global::Undefined && in.c >= 0)
                        holder = &locals[in.c].DerefMutable();
                    Value r;
                    if (holder && holder->IsArray()) {
                        ArrayData* arr = holder->UniqueArray();
                        Value& element = ArrayElement(arr, {args, in.b});
                        r = Value::MakeElemRef(arr,
                                               static_cast<size_t>(&element - arr->items.data()));
                        popN(in.b);
                    } else {
                        r = Vm::CallGlobal(*this, frame, in.a, in.b, in.c);
                        while (m_top > args)
                            *--m_top = Value();
                    }
                    push(std::move(r));
                    break;
                }
                case Op::Add: {
                    Value& l = m_top[-2];
                    const Value& r = m_top[-1];
                    if (IsSmallInt(l) && IsSmallInt(r))
                        l = IntResult(l.AsInt() + r.AsInt(),
                                      l.GetType() == Type::Integer && r.GetType() == Type::Integer);
                    else if (IsFastNumber(l) && IsFastNumber(r))
                        l = DoubleResult(AsFastDouble(l) + AsFastDouble(r));
                    else
                        l = Add(l, r);
                    *--m_top = Value();
                    break;
                }
                case Op::Sub: {
                    Value& l = m_top[-2];
                    const Value& r = m_top[-1];
                    if (IsSmallInt(l) && IsSmallInt(r))
                        l = IntResult(l.AsInt() - r.AsInt(),
                                      l.GetType() == Type::Integer && r.GetType() == Type::Integer);
                    else if (IsFastNumber(l) && IsFastNumber(r))
                        l = DoubleResult(AsFastDouble(l) - AsFastDouble(r));
                    else
                        l = Subtract(l, r);
                    *--m_top = Value();
                    break;
                }
                case Op::Mul: {
                    Value& l = m_top[-2];
                    const Value& r = m_top[-1];
                    if (IsSmallInt(l) && IsSmallInt(r))
                        l = IntResult(l.AsInt() * r.AsInt(),
                                      l.GetType() == Type::Integer && r.GetType() == Type::Integer);
                    else if (IsFastNumber(l) && IsFastNumber(r))
                        l = DoubleResult(AsFastDouble(l) * AsFastDouble(r));
                    else
                        l = Multiply(l, r);
                    *--m_top = Value();
                    break;
                }
                case Op::Mod: {
                    Value& l = m_top[-2];
                    const Value& r = m_top[-1];
                    if (IsSmallInt(l) && IsSmallInt(r) && r.AsInt() != 0)
                        l = IntResult(l.AsInt() % r.AsInt(),
                                      l.GetType() == Type::Integer && r.GetType() == Type::Integer);
                    else
                        l = Modulo(l, r);
                    *--m_top = Value();
                    break;
                }
                case Op::Div:
                    m_top[-2] = Divide(m_top[-2], m_top[-1]);
                    *--m_top = Value();
                    break;
                case Op::IntDiv:
                    m_top[-2] = IntDivide(m_top[-2], m_top[-1]);
                    *--m_top = Value();
                    break;
                case Op::Pow:
                    m_top[-2] = Power(m_top[-2], m_top[-1]);
                    *--m_top = Value();
                    break;
                case Op::Concat:
                    m_top[-2] = vbs::Concat(m_top[-2], m_top[-1]);
                    *--m_top = Value();
                    break;
                case Op::And:
                    m_top[-2] = LogicalAnd(m_top[-2], m_top[-1]);
                    *--m_top = Value();
                    break;
                case Op::Or:
                    m_top[-2] = LogicalOr(m_top[-2], m_top[-1]);
                    *--m_top = Value();
                    break;
                case Op::Xor:
                    m_top[-2] = LogicalXor(m_top[-2], m_top[-1]);
                    *--m_top = Value();
                    break;
                case Op::Eqv:
                    m_top[-2] = LogicalEqv(m_top[-2], m_top[-1]);
                    *--m_top = Value();
                    break;
                case Op::Imp:
                    m_top[-2] = LogicalImp(m_top[-2], m_top[-1]);
                    *--m_top = Value();
                    break;
                case Op::Neg: m_top[-1] = Negate(m_top[-1]); break;
                case Op::Not: m_top[-1] = LogicalNot(m_top[-1]); break;
                case Op::Eq:
                case Op::Ne:
                case Op::Lt:
                case Op::Gt:
                case Op::Le:
                case Op::Ge: {
                    const int c = Compare(m_top[-2], m_top[-1], in.b);
                    bool result = false;
                    if (c == kCompareNull) {
                        m_top[-2] = Value::Null();
                        *--m_top = Value();
                        break;
                    }
                    switch (in.op) {
                    case Op::Eq: result = c == 0; break;
                    case Op::Ne: result = c != 0; break;
                    case Op::Lt: result = c < 0; break;
                    case Op::Gt: result = c > 0; break;
                    case Op::Le: result = c <= 0; break;
                    default: result = c >= 0; break;
                    }
                    m_top[-2] = Value::Boolean(result);
                    *--m_top = Value();
                    break;
                }
                case Op::Is:
                    m_top[-2] = Value::Boolean(SameObject(m_top[-2], m_top[-1]));
                    *--m_top = Value();
                    break;

                case Op::Jump: jumpTo(in.c); continue;
                case Op::JumpIfFalse:
                case Op::JumpIfTrue: {
                    Value v = pop();
                    const bool t = v.GetType() == Type::Boolean ? v.AsBool() : IsTrue(v);
                    if (t == (in.op == Op::JumpIfTrue)) {
                        jumpTo(in.c);
                        continue;
                    }
                    break;
                }

                case Op::ForPrep: {
                    Value step = Resolve(pop());
                    Value end = Resolve(m_top[-1]);
                    m_top[-1] = Value();
                    --m_top;
                    Value& start = m_top[-1];
                    start = Resolve(start);
                    for (Value* v : {&start, &end, &step}) {
                        if (v->IsNull()) ThrowError(Err::InvalidUseOfNull);
                        if (v->IsString())
                            *v = Value::Double(ToDouble(*v));
                        else if (v->IsEmpty())
                            *v = Value::Integer(0);
                        else if (!v->IsNumericType())
                            ThrowTypeMismatch();
                    }
                    locals[in.a] = std::move(end);
                    locals[in.a + 1] = std::move(step);
                    break;
                }
                case Op::ForIncr: m_top[-1] = addStep(m_top[-1], locals[in.a + 1]); break;
                case Op::ForTest: {
                    Value counter = pop();
                    if (forContinues(counter, locals[in.a], locals[in.a + 1])) {
                        jumpTo(in.c);
                        continue;
                    }
                    break;
                }
                case Op::ForLoopL: {
                    Value& counter = locals[in.a].DerefMutable();
                    counter = addStep(counter, locals[in.b + 1]);
                    if (forContinues(counter, locals[in.b], locals[in.b + 1])) {
                        jumpTo(in.c);
                        continue;
                    }
                    break;
                }
                case Op::ForLoopG: {
                    Global& g = *m_globalPtrs[static_cast<size_t>(in.a)];
                    bool again;
                    if (g.kind == Global::Variable && !g.value.IsObject()) {
                        g.value = addStep(g.value, locals[in.b + 1]);
                        again = forContinues(g.value, locals[in.b], locals[in.b + 1]);
                    } else {
                        Value next =
                            addStep(Vm::LoadGlobal(*this, frame, in.a, -1), locals[in.b + 1]);
                        Vm::StoreGlobal(*this, frame, in.a, -1, next, false, false);
                        again = forContinues(Resolve(Vm::LoadGlobal(*this, frame, in.a, -1)),
                                             locals[in.b], locals[in.b + 1]);
                    }
                    if (again) {
                        jumpTo(in.c);
                        continue;
                    }
                    break;
                }
                case Op::ForEachInit: {
                    Value coll = pop();
                    const Value& c = coll.Deref();
                    if (c.IsArray()) {
                        locals[in.a] = c;
                        locals[in.a + 1] = Value::Long(0);
                    } else if (c.IsObject() && c.AsObject()) {
                        std::unique_ptr<Enumerator> en = c.AsObject()->Enumerate();
                        if (!en) ThrowError(Err::NotACollection);
                        locals[in.a] = Value::Obj(new EnumHolder(std::move(en)));
                        locals[in.a + 1] = Value();
                    } else {
                        ThrowError(c.IsObject() ? Err::ObjectRequired : Err::NotACollection);
                    }
                    break;
                }
                case Op::ForEachNext: {
                    Value& state = locals[in.a];
                    if (state.IsArray()) {
                        const int64_t i = locals[in.a + 1].AsInt();
                        const ArrayData* arr = state.AsArray();
                        if (static_cast<size_t>(i) >= arr->items.size()) {
                            jumpTo(in.c);
                            continue;
                        }
                        push(arr->items[static_cast<size_t>(i)]);
                        locals[in.a + 1] = Value::Long(static_cast<int32_t>(i + 1));
                    } else if (state.IsObject() && state.AsObject()) {
                        Value item;
                        if (!static_cast<EnumHolder*>(state.AsObject())->Get().Next(item)) {
                            jumpTo(in.c);
                            continue;
                        }
                        push(std::move(item));
                    } else {
                        jumpTo(in.c);
                        continue;
                    }
                    break;
                }
                case Op::ClearL: locals[in.a] = Value(); break;
                case Op::OnErrorResume:
                    frame.resumeNext = true;
                    m_err = ErrState();
                    break;
                case Op::OnErrorGoto0:
                    frame.resumeNext = false;
                    m_err = ErrState();
                    break;
                case Op::Return: {
                    Value& result = locals[proc->ResultSlot()];
                    return result.IsReference() ? Value(result.Deref()) : std::move(result);
                }
                case Op::NewObject: {
                    Global& g = *m_globalPtrs[static_cast<size_t>(in.a)];
                    if (g.kind == Global::Class) {
                        push(NewInstance(g.cls));
                    } else if (FoldedUtf8(g.name) == "regexp") {
                        push(Value::Obj(MakeRegExp().Get()));
                    } else {
                        ThrowNamed(Err::Undefined,
                                   ToUtf8(g.name)); // an unknown class is an unknown name
                    }
                    break;
                }
                case Op::DimArray: {
                    Value* bounds = m_top - in.b;
                    Value& target = bounds[-1].DerefMutable();
                    if (!target.IsArray()) {
                        // Dim a(n) makes a fixed array; Dim a() an empty dynamic one.
                        ArrayData* arr =
                            in.b ? ArrayData::Create(BoundsFrom({bounds, in.b})) : new ArrayData;
                        arr->fixed = in.b > 0;
                        target = Value::ArrayAdopt(arr);
                    }
                    popN(in.b + 1);
                    break;
                }
                case Op::ReDim: {
                    Value* bounds = m_top - in.b;
                    DoReDim(bounds[-1].DerefMutable(), {bounds, in.b}, in.c == 1);
                    popN(in.b + 1);
                    break;
                }
                case Op::Erase:
                    DoErase(m_top[-1].DerefMutable());
                    *--m_top = Value();
                    break;
                case Op::ConstError:
                    ThrowNamed(Err::IllegalAssignment,
                               ToUtf8(names[static_cast<size_t>(in.a)].text));
                }
                ++pc;
            }
        } catch (ScriptError& e) {
            frame.pc = pc;
            Annotate(e, frame);
            if (!frame.resumeNext || e.IsFatal()) throw;
            SetErrFrom(e);
        } catch (const std::length_error&) {
            frame.pc = pc;
            ScriptError e(Err::OutOfMemory, ErrorDescription(Err::OutOfMemory), kRuntimeSource);
            Annotate(e, frame);
            if (!frame.resumeNext) throw e;
            SetErrFrom(e);
        } catch (const std::bad_alloc&) {
            frame.pc = pc;
            ScriptError e(Err::OutOfMemory, ErrorDescription(Err::OutOfMemory), kRuntimeSource);
            Annotate(e, frame);
            if (!frame.resumeNext) throw e;
            SetErrFrom(e);
        }
        // On Error Resume Next: drop the statement's temporaries and go on with the next one.
        while (m_top > base)
            *--m_top = Value();
        const int32_t next = proc->resume[static_cast<size_t>(pc - code)];
        const bool valid = next >= 0 && static_cast<size_t>(next) < proc->code.size();
        pc = valid ? code + next : code + proc->code.size() - 1; // the closing Return
    }
}

} // namespace quillora::vbs
