// The compiler's statements: assignments, calls, blocks and loops with their jumps.
#include "vbscript/CompilerImpl.h"
#include "vbscript/Operators.h"

namespace quillora::vbs::detail {

void Compiler::CompileBlock(Block& block) {
    for (auto& s : block)
        CompileStatement(*s);
}

void Compiler::CompileStatement(Stmt& s) {
    m_stmtPos = s.pos;
    switch (s.kind) {
    case Stmt::CallStmt:
        CompileCallStatement(*s.target);
        Emit(Op::Pop, s.pos);
        Boundary();
        break;
    case Stmt::Assign:
        CompileAssign(s, false);
        Boundary();
        break;
    case Stmt::SetAssign:
        CompileAssign(s, true);
        Boundary();
        break;
    case Stmt::Dim:
        for (auto& d : s.decls) {
            if (!d.isArray) continue;
            Binding b = Lookup(d.name);
            EmitRef(b, d.pos);
            for (auto& dim : d.dims)
                CompileExpr(*dim);
            Emit(Op::DimArray, d.pos, 0, static_cast<int>(d.dims.size()));
        }
        Boundary();
        break;
    case Stmt::ReDim:
        for (auto& d : s.decls) {
            Binding b = Lookup(d.name);
            if (b.kind == Binding::Const || b.kind == Binding::MeMember)
                CompileFail(Err::Syntax, d.pos);
            EmitRef(b, d.pos);
            for (auto& dim : d.dims)
                CompileExpr(*dim);
            Emit(Op::ReDim, d.pos, 0, static_cast<int>(d.dims.size()), s.preserve ? 1 : 0);
        }
        Boundary();
        break;
    case Stmt::Const:
    case Stmt::Nothing_: break;
    case Stmt::If: CompileIf(s); break;
    case Stmt::Select: CompileSelect(s); break;
    case Stmt::For: CompileFor(s); break;
    case Stmt::ForEach: CompileForEach(s); break;
    case Stmt::Do: CompileDo(s); break;
    case Stmt::While: {
        const int top = Here();
        CompileExpr(*s.cond);
        const int jf = Emit(Op::JumpIfFalse, s.pos);
        Boundary();
        m_exitDo.emplace_back();
        CompileBlock(s.body);
        m_stmtPos = s.pos;
        Emit(Op::Jump, s.pos, 0, 0, top);
        Patch(jf, Here());
        for (int at : m_exitDo.back())
            Patch(at, Here());
        m_exitDo.pop_back();
        Boundary();
        break;
    }
    case Stmt::Exit:
        switch (s.exitKind) {
        case Stmt::ExitDo:
            if (m_exitDo.empty()) CompileFail(Err::InvalidExit, s.pos);
            m_exitDo.back().push_back(Emit(Op::Jump, s.pos));
            break;
        case Stmt::ExitFor:
            if (m_exitFor.empty()) CompileFail(Err::InvalidExit, s.pos);
            m_exitFor.back().push_back(Emit(Op::Jump, s.pos));
            break;
        default:
            // Leaving a procedure keeps Err: callers check it after the call.
            Emit(Op::Return, s.pos);
            break;
        }
        Boundary();
        break;
    case Stmt::OnErrorResumeNext:
        Emit(Op::OnErrorResume, s.pos);
        Boundary();
        break;
    case Stmt::OnErrorGoto0:
        Emit(Op::OnErrorGoto0, s.pos);
        Boundary();
        break;
    case Stmt::Erase: {
        if (s.target->kind != Expr::Name) CompileFail(Err::Syntax, s.pos);
        EmitRef(Lookup(s.target->name), s.pos);
        Emit(Op::Erase, s.pos);
        Boundary();
        break;
    }
    case Stmt::With: {
        const int slot = AllocHidden(1);
        CompileExpr(*s.value);
        Emit(Op::StoreL, s.pos, slot, 1);
        Boundary();
        m_with.push_back(slot);
        CompileBlock(s.body);
        m_with.pop_back();
        m_stmtPos = s.pos;
        Emit(Op::ClearL, s.pos, slot);
        Boundary();
        break;
    }
    }
}

void Compiler::CompileCallStatement(Expr& target) {
    if (target.kind == Expr::Name) {
        const Binding b = Lookup(target.name);
        if (b.kind == Binding::Global) {
            Emit(Op::CallG, target.pos, b.index, 0, b.fallback);
            return;
        }
        if (b.kind == Binding::MeMember) {
            Emit(Op::PushMe, target.pos);
            Emit(Op::GetMember, target.pos, Name(target.name), 0);
            return;
        }
    }
    CompileExpr(target);
}

// Stores the value on the stack into a variable binding.
void Compiler::StoreBinding(const Binding& b, const std::u16string& name, bool set, bool raw,
                            SourcePosition pos) {
    switch (b.kind) {
    case Binding::Local: Emit(set ? Op::SetL : Op::StoreL, pos, b.index, raw ? 1 : 0); break;
    case Binding::Field: Emit(set ? Op::SetF : Op::StoreF, pos, b.index, raw ? 1 : 0); break;
    case Binding::Outer: Emit(set ? Op::SetO : Op::StoreO, pos, b.index, raw ? 1 : 0); break;
    case Binding::Global:
        Emit(set ? Op::SetG : Op::StoreG, pos, b.index, raw ? 1 : 0, b.fallback);
        break;
    case Binding::Const: Emit(Op::ConstError, pos, Name(name)); break;
    case Binding::MeMember: {
        // value is on the stack: object must come first, so go through a hidden slot
        const int slot = AllocHidden(1);
        Emit(Op::StoreL, pos, slot, 1);
        Emit(Op::PushMe, pos);
        Emit(Op::LoadL, pos, slot);
        Emit(set ? Op::SetMember : Op::LetMember, pos, Name(name), 0);
        Emit(Op::ClearL, pos, slot);
        break;
    }
    }
}

void Compiler::CompileAssign(Stmt& s, bool set) {
    Expr& target = *s.target;
    if (target.kind == Expr::Me) {
        // Me cannot become another object; `Me = value` assigns its default property.
        if (set) CompileFail(Err::InvalidMe, target.pos);
        Emit(Op::PushMe, s.pos);
        CompileExpr(*s.value);
        Emit(Op::LetMember, s.pos, Name(u""), 0);
        return;
    }
    if (target.kind == Expr::Name) {
        const Binding b = Lookup(target.name);
        // x = x & a & b appends a and b in place (both evaluated before x changes).
        std::vector<Expr*> parts;
        Expr* v = s.value.get();
        while (v->kind == Expr::Binary && v->binop == BinOp::Concat) {
            parts.push_back(v->right.get());
            v = v->left.get();
        }
        // Globals appended to from procedures and class fields too: string builders live there.
        if (!set && !parts.empty() && parts.size() < 1000 && v->kind == Expr::Name &&
            Fold(v->name) == Fold(target.name) &&
            (b.kind == Binding::Local || b.kind == Binding::Field || b.kind == Binding::Global)) {
            for (auto it = parts.rbegin(); it != parts.rend(); ++it)
                CompileExpr(**it);
            const Op op = b.kind == Binding::Local   ? Op::ConcatL
                          : b.kind == Binding::Field ? Op::ConcatF
                                                     : Op::ConcatG;
            Emit(op, s.pos, b.index, static_cast<int>(parts.size()), b.fallback);
            return;
        }
        if (b.kind == Binding::MeMember) {
            Emit(Op::PushMe, s.pos);
            CompileExpr(*s.value);
            Emit(set ? Op::SetMember : Op::LetMember, s.pos, Name(target.name), 0);
            return;
        }
        CompileExpr(*s.value);
        StoreBinding(b, target.name, set, false, s.pos);
        return;
    }
    if (target.kind == Expr::Member) {
        PushObject(target);
        CompileExpr(*s.value);
        Emit(set ? Op::SetMember : Op::LetMember, s.pos, Name(target.name), 0, ObjectName(target));
        return;
    }
    if (target.kind == Expr::Call) {
        Expr& callee = *target.left;
        if (callee.kind == Expr::Name) {
            const Binding b = Lookup(callee.name);
            if (b.kind == Binding::MeMember) {
                Emit(Op::PushMe, s.pos);
                const int argc = CompileArgValues(target.args);
                CompileExpr(*s.value);
                Emit(set ? Op::SetMember : Op::LetMember, s.pos, Name(callee.name), argc);
                return;
            }
            if (b.kind == Binding::Const) CompileFail(Err::IllegalAssignment, s.pos);
            EmitRef(b, s.pos);
            const int argc = CompileArgValues(target.args);
            CompileExpr(*s.value);
            Emit(set ? Op::SetIndexed : Op::LetIndexed, s.pos, 0, argc);
            return;
        }
        if (callee.kind == Expr::Member) {
            PushObject(callee);
            const int argc = CompileArgValues(target.args);
            CompileExpr(*s.value);
            Emit(set ? Op::SetMember : Op::LetMember, s.pos, Name(callee.name), argc,
                 ObjectName(callee));
            return;
        }
        if (callee.kind == Expr::Call) {
            // a(0)(1) = v: the element of the inner array, then the outer subscripts.
            PushElementRef(callee);
            const int argc = CompileArgValues(target.args);
            CompileExpr(*s.value);
            Emit(set ? Op::SetIndexed : Op::LetIndexed, s.pos, 0, argc);
            return;
        }
    }
    CompileFail(Err::Syntax, s.pos);
}

// A reference to an element of a variable's array (nested subscripts too); any other callee
// gives its value, so an assignment into it changes a copy.
void Compiler::PushElementRef(Expr& call) {
    Expr& callee = *call.left;
    if (callee.kind == Expr::Call) {
        PushElementRef(callee);
    } else if (callee.kind == Expr::Name) {
        const Binding b = Lookup(callee.name);
        if (b.kind != Binding::Local && b.kind != Binding::Field && b.kind != Binding::Outer &&
            b.kind != Binding::Global) {
            CompileExpr(call);
            return;
        }
        EmitRef(b, call.pos);
    } else {
        CompileExpr(call);
        return;
    }
    const int argc = CompileArgValues(call.args);
    Emit(Op::RefIndexed, call.pos, 0, argc);
}

int Compiler::CompileArgValues(std::vector<ExprPtr>& args) {
    for (auto& a : args) {
        if (!a)
            PushConst(Value::Missing(), m_stmtPos);
        else
            CompileExpr(*a);
    }
    return static_cast<int>(args.size());
}

void Compiler::CompileIf(Stmt& s) {
    std::vector<int> toEnd;
    CompileExpr(*s.cond);
    int jf = Emit(Op::JumpIfFalse, s.pos);
    Boundary();
    CompileBlock(s.body);
    for (auto& clause : s.elseIfs) {
        m_stmtPos = s.pos;
        toEnd.push_back(Emit(Op::Jump, s.pos));
        Patch(jf, Here());
        // A failing condition is reported where its ElseIf starts, like any statement.
        m_stmtPos = clause.pos;
        CompileExpr(*clause.cond);
        jf = Emit(Op::JumpIfFalse, clause.pos);
        Boundary();
        CompileBlock(clause.body);
    }
    if (!s.elseBody.empty()) {
        toEnd.push_back(Emit(Op::Jump, s.pos));
        Patch(jf, Here());
        Boundary();
        CompileBlock(s.elseBody);
    } else {
        Patch(jf, Here());
    }
    for (int at : toEnd)
        Patch(at, Here());
    Boundary();
}

void Compiler::CompileSelect(Stmt& s) {
    const int slot = AllocHidden(1);
    CompileExpr(*s.value);
    Emit(Op::StoreL, s.pos, slot, 1);
    // A header that fails under On Error Resume Next skips the whole block: no clause runs.
    const int headerFrom = m_pendingFrom, headerEnd = Here();
    m_pendingFrom = headerEnd;
    const bool valueLiteral = IsLiteral(*s.value);
    std::vector<int> toEnd;
    for (auto& clause : s.cases) {
        m_stmtPos = clause.pos;
        if (clause.values.empty()) {
            CompileBlock(clause.body);
            toEnd.push_back(Emit(Op::Jump, clause.pos));
            continue;
        }
        std::vector<int> toBody;
        for (auto& v : clause.values) {
            Emit(Op::LoadL, clause.pos, slot);
            CompileExpr(*v);
            int flags = valueLiteral ? kLeftLiteral : 0;
            if (IsLiteral(*v)) flags |= kRightLiteral;
            Emit(Op::Eq, clause.pos, 0, flags);
            toBody.push_back(Emit(Op::JumpIfTrue, clause.pos));
        }
        const int skip = Emit(Op::Jump, clause.pos);
        for (int at : toBody)
            Patch(at, Here());
        Boundary();
        CompileBlock(clause.body);
        m_stmtPos = clause.pos;
        toEnd.push_back(Emit(Op::Jump, clause.pos));
        Patch(skip, Here());
    }
    for (int at : toEnd)
        Patch(at, Here());
    for (int i = headerFrom; i < headerEnd; ++i)
        m_proc->resume[static_cast<size_t>(i)] = Here();
    Emit(Op::ClearL, s.pos, slot);
    Boundary();
}

void Compiler::CompileFor(Stmt& s) {
    const int hidden = AllocHidden(2);
    const Binding counter = Lookup(s.target->name);
    if (counter.kind == Binding::Const || counter.kind == Binding::MeMember)
        CompileFail(Err::InvalidForVariable, s.target->pos);
    CompileExpr(*s.from);
    CompileExpr(*s.to);
    if (s.step)
        CompileExpr(*s.step);
    else
        PushConst(Value::Integer(1), s.pos);
    Emit(Op::ForPrep, s.pos, hidden);
    StoreBinding(counter, s.target->name, false, false, s.pos);
    LoadBinding(counter, s.pos);
    const int test = Emit(Op::ForTest, s.pos, hidden);
    const int toExit = Emit(Op::Jump, s.pos);
    const int headerFrom = m_pendingFrom;
    Boundary();
    const int headerTo = m_pendingFrom;
    const int top = Here();
    Patch(test, top);
    m_exitFor.emplace_back();
    CompileBlock(s.body);
    // Stepping the counter is the work of the Next line.
    const SourcePosition next = s.loopPos;
    m_stmtPos = next;
    if (counter.kind == Binding::Local) {
        Emit(Op::ForLoopL, next, counter.index, hidden, top);
    } else if (counter.kind == Binding::Global && counter.fallback < 0) {
        Emit(Op::ForLoopG, next, counter.index, hidden, top);
    } else {
        LoadBinding(counter, next);
        Emit(Op::ForIncr, next, hidden);
        StoreBinding(counter, s.target->name, false, false, next);
        LoadBinding(counter, next);
        Emit(Op::ForTest, next, hidden, 0, top);
    }
    Patch(toExit, Here());
    for (int at : m_exitFor.back())
        Patch(at, Here());
    m_exitFor.pop_back();
    // A header that fails under On Error Resume Next skips the loop, counter untouched.
    for (int i = headerFrom; i < headerTo; ++i)
        m_proc->resume[static_cast<size_t>(i)] = Here();
    Boundary();
}

void Compiler::LoadBinding(const Binding& b, SourcePosition pos) {
    switch (b.kind) {
    case Binding::Local: Emit(Op::LoadL, pos, b.index); break;
    case Binding::Field: Emit(Op::LoadF, pos, b.index); break;
    case Binding::Outer: Emit(Op::LoadO, pos, b.index); break;
    case Binding::Global: Emit(Op::LoadG, pos, b.index, 0, b.fallback); break;
    default: CompileFail(Err::Syntax, pos);
    }
}

void Compiler::CompileForEach(Stmt& s) {
    const int hidden = AllocHidden(2);
    const Binding item = Lookup(s.target->name);
    if (item.kind == Binding::Const || item.kind == Binding::MeMember)
        CompileFail(Err::InvalidForVariable, s.target->pos);
    CompileExpr(*s.value);
    const int init = Emit(Op::ForEachInit, s.pos, hidden);
    Boundary();
    const int top = Here();
    const int next = Emit(Op::ForEachNext, s.pos, hidden);
    StoreBinding(item, s.target->name, false, true, s.pos);
    Boundary();
    m_exitFor.emplace_back();
    CompileBlock(s.body);
    m_stmtPos = s.pos;
    Emit(Op::Jump, s.pos, 0, 0, top);
    const int exitAt = Here();
    Emit(Op::ClearL, s.pos, hidden);
    Emit(Op::ClearL, s.pos, hidden + 1);
    Patch(init, exitAt);
    Patch(next, exitAt);
    for (int at : m_exitFor.back())
        Patch(at, exitAt);
    m_exitFor.pop_back();
    Boundary();
}

void Compiler::CompileDo(Stmt& s) {
    const int top = Here();
    int condJump = -1;
    m_exitDo.emplace_back();
    if (s.cond && s.testAtTop) {
        CompileExpr(*s.cond);
        condJump = Emit(s.isUntil ? Op::JumpIfTrue : Op::JumpIfFalse, s.pos);
        Boundary();
    }
    CompileBlock(s.body);
    m_stmtPos = s.pos;
    if (s.cond && !s.testAtTop) {
        // The closing condition belongs to the Loop line.
        m_stmtPos = s.loopPos;
        CompileExpr(*s.cond);
        Emit(s.isUntil ? Op::JumpIfFalse : Op::JumpIfTrue, s.loopPos, 0, 0, top);
    } else {
        Emit(Op::Jump, s.pos, 0, 0, top);
    }
    if (condJump >= 0) Patch(condJump, Here());
    for (int at : m_exitDo.back())
        Patch(at, Here());
    m_exitDo.pop_back();
    Boundary();
}

} // namespace quillora::vbs::detail
