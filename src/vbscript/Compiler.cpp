// The compiler: declarations, name resolution (locals, fields, globals) and expressions.
#include "vbscript/Compiler.h"

#include "vbscript/CompilerImpl.h"
#include "vbscript/Operators.h"
#include "vbscript/Parser.h"

namespace quillora::vbs {

namespace detail {

Procedure* Compiler::NewProcedure(Procedure::Kind kind, std::u16string name) {
    auto proc = std::make_unique<Procedure>();
    proc->kind = kind;
    proc->name = std::move(name);
    proc->module = &m_module;
    m_module.procedures.push_back(std::move(proc));
    return m_module.procedures.back().get();
}

Procedure::Kind Compiler::KindOf(ProcDecl::Kind k) {
    switch (k) {
    case ProcDecl::Sub: return Procedure::Sub;
    case ProcDecl::Function: return Procedure::Function;
    case ProcDecl::PropertyGet: return Procedure::PropertyGet;
    case ProcDecl::PropertyLet: return Procedure::PropertyLet;
    default: return Procedure::PropertySet;
    }
}

Procedure* Compiler::DeclareProcedure(ProcDecl& decl, ClassDef* owner) {
    Procedure* proc = NewProcedure(KindOf(decl.kind), decl.name);
    proc->isPublic = decl.isPublic;
    proc->owner = owner;
    proc->paramCount = static_cast<int>(decl.params.size());
    for (const auto& p : decl.params)
        proc->byVal.push_back(p.byVal ? 1 : 0);
    if (!owner) {
        Declare(decl.name, decl.pos);
        Module::GlobalDecl g;
        g.global = m_engine.GlobalIndex(decl.name);
        g.kind = Module::GlobalDecl::Procedure;
        g.proc = proc;
        m_module.globals.push_back(std::move(g));
        m_module.publicProcedures.push_back(proc);
        m_declared.push_back(proc);
    }
    return proc;
}

void Compiler::DeclareClass(ClassDecl& decl) {
    auto cls = std::make_unique<ClassDef>();
    cls->name = decl.name;
    cls->engine = &m_engine;
    cls->module = &m_module;
    auto memberOf = [&](const std::u16string& name) -> ClassDef::Member& {
        const std::string f = Fold(name);
        auto it = cls->memberIndex.find(f);
        if (it != cls->memberIndex.end()) return cls->members[static_cast<size_t>(it->second)];
        cls->memberIndex.emplace(f, static_cast<int>(cls->members.size()));
        cls->members.push_back({});
        cls->members.back().name = name;
        return cls->members.back();
    };
    for (size_t i = 0; i < decl.fields.size(); ++i) {
        const VarDecl& v = decl.fields[i];
        if (cls->memberIndex.count(Fold(v.name))) CompileFail(Err::NameRedefined, v.pos);
        ClassDef::Member& m = memberOf(v.name);
        m.field = static_cast<int>(cls->fieldNames.size());
        m.isPublic = decl.fieldPublic[i];
        cls->fieldNames.push_back(v.name);
        cls->fieldBounds.push_back(Bounds(v));
        cls->fieldIsArray.push_back(v.isArray ? 1 : 0);
    }
    for (auto& p : decl.procs) {
        Procedure* proc = DeclareProcedure(*p, cls.get());
        const std::string f = Fold(p->name);
        if (f == "class_initialize" || f == "class_terminate") {
            if (!p->params.empty()) CompileFail(Err::InitNoArgs, p->pos);
            (f == "class_initialize" ? cls->initialize : cls->terminate) = proc;
        }
        ClassDef::Member& m = memberOf(p->name);
        if (m.field >= 0) CompileFail(Err::NameRedefined, p->pos);
        Procedure** slot = p->kind == ProcDecl::PropertyLet   ? &m.let
                           : p->kind == ProcDecl::PropertySet ? &m.set
                                                              : &m.get;
        if (*slot) CompileFail(Err::NameRedefined, p->pos);
        const bool first = !m.get && !m.let && !m.set;
        *slot = proc;
        // Let and Set take the Get's arguments and then the value.
        for (Procedure* setter : {m.let, m.set})
            if (m.get && setter && setter->paramCount != m.get->paramCount + 1)
                CompileFail(Err::InconsistentArgs, p->pos);
        m.isPublic = first ? p->isPublic : (m.isPublic || p->isPublic);
        if (p->isDefault) {
            const int idx = cls->memberIndex[f];
            if (cls->defaultMember >= 0 && cls->defaultMember != idx)
                CompileFail(Err::MultipleDefault, p->pos);
            cls->defaultMember = idx;
        }
    }
    Declare(decl.name, decl.pos);
    Module::GlobalDecl g;
    g.global = m_engine.GlobalIndex(decl.name);
    g.kind = Module::GlobalDecl::Class;
    g.cls = cls.get();
    m_module.globals.push_back(std::move(g));
    m_module.classes.push_back(std::move(cls));
}

// A name may be declared once at global level in one text ("Name redefined" otherwise).
void Compiler::Declare(const std::u16string& name, SourcePosition pos) {
    auto [it, fresh] = m_declaredGlobals.emplace(Fold(name), pos);
    if (fresh) return;
    // The later of the two declarations is the one in error.
    const SourcePosition first = it->second;
    const bool later =
        pos.line > first.line || (pos.line == first.line && pos.column > first.column);
    CompileFail(Err::NameRedefined, later ? pos : first);
}

std::vector<int32_t> Compiler::Bounds(const VarDecl& v) {
    std::vector<int32_t> bounds;
    try {
        for (const auto& d : v.dims)
            bounds.push_back(ToLong(d->value));
    } catch (const ScriptError&) {
        CompileFail(Err::ExpectedInteger, v.pos);
    }
    return bounds;
}

// Dim, Const and ReDim at top level declare globals, wherever the statement stands.
void Compiler::DeclareGlobals(Block& block) {
    for (auto& s : block) {
        switch (s->kind) {
        case Stmt::Dim:
            for (auto& d : s->decls) {
                Declare(d.name, d.pos);
                Module::GlobalDecl g;
                g.global = m_engine.GlobalIndex(d.name);
                g.kind = Module::GlobalDecl::Variable;
                g.isArray = d.isArray;
                if (g.isArray) g.bounds = Bounds(d);
                m_module.globals.push_back(std::move(g));
            }
            break;
        case Stmt::ReDim:
            // ReDim declares a name that nothing else has declared, as Dim would.
            for (auto& d : s->decls) {
                if (m_declaredGlobals.count(Fold(d.name))) continue;
                Module::GlobalDecl g;
                g.global = m_engine.GlobalIndex(d.name);
                g.kind = Module::GlobalDecl::Variable;
                g.ifUndefined = true;
                m_module.globals.push_back(std::move(g));
            }
            break;
        case Stmt::Const:
            for (auto& [name, expr] : s->consts) {
                Declare(name, s->pos);
                Value v = FoldConstant(*expr);
                m_globalConsts[Fold(name)] = v;
                Module::GlobalDecl g;
                g.global = m_engine.GlobalIndex(name);
                g.kind = Module::GlobalDecl::Const;
                g.constant = v;
                m_module.globals.push_back(std::move(g));
            }
            break;
        case Stmt::If:
            DeclareGlobals(s->body);
            for (auto& e : s->elseIfs)
                DeclareGlobals(e.body);
            DeclareGlobals(s->elseBody);
            break;
        case Stmt::Select:
            for (auto& c : s->cases)
                DeclareGlobals(c.body);
            break;
        case Stmt::For:
        case Stmt::ForEach:
        case Stmt::Do:
        case Stmt::While:
        case Stmt::With: DeclareGlobals(s->body); break;
        default: break;
        }
    }
}

Value Compiler::FoldConstant(Expr& e) {
    try {
        return FoldConstantExpr(e);
    } catch (const ScriptError& error) {
        if (error.IsCompilation()) throw;
        CompileFail(Err::ExpectedLiteral, e.pos);
    }
}

Value Compiler::FoldConstantExpr(Expr& e) {
    switch (e.kind) {
    case Expr::Literal: return e.value;
    case Expr::Paren: return FoldConstantExpr(*e.left);
    case Expr::Unary:
        return e.unop == UnOp::Neg ? Negate(FoldConstantExpr(*e.left))
                                   : LogicalNot(FoldConstantExpr(*e.left));
    default: CompileFail(Err::ExpectedLiteral, e.pos);
    }
}

// Every name a procedure body declares (Dim, ReDim of an undeclared name, Const) and
// every bare name it assigns (implicit locals).
void Compiler::CollectLocals(Block& block, std::vector<const VarDecl*>& dims,
                             std::vector<std::pair<std::u16string, Expr*>>& consts,
                             std::vector<std::u16string>& assigned,
                             std::vector<std::u16string>& redims) {
    for (auto& s : block) {
        switch (s->kind) {
        case Stmt::Dim:
            for (auto& d : s->decls)
                dims.push_back(&d);
            break;
        case Stmt::ReDim:
            for (auto& d : s->decls)
                redims.push_back(d.name);
            break;
        case Stmt::Const:
            for (auto& [name, expr] : s->consts)
                consts.emplace_back(name, expr.get());
            break;
        case Stmt::Assign:
        case Stmt::SetAssign:
        case Stmt::For:
        case Stmt::ForEach:
            if (s->target->kind == Expr::Name) assigned.push_back(s->target->name);
            break;
        default: break;
        }
        CollectLocals(s->body, dims, consts, assigned, redims);
        CollectLocals(s->elseBody, dims, consts, assigned, redims);
        for (auto& e : s->elseIfs)
            CollectLocals(e.body, dims, consts, assigned, redims);
        for (auto& c : s->cases)
            CollectLocals(c.body, dims, consts, assigned, redims);
    }
}

// Execute inside a procedure: a name its code assigns without declaring it is that activation's
// own (Engine::ScopeToActivation), unless the name stands for something already.
void Compiler::DeclareAssigned(Block& body) {
    if (!InContext() || m_context->proc->kind == Procedure::Main) return;
    std::vector<const VarDecl*> dims;
    std::vector<std::pair<std::u16string, Expr*>> consts;
    std::vector<std::u16string> assigned, redims;
    CollectLocals(body, dims, consts, assigned, redims);
    std::unordered_map<std::string, bool> seen;
    for (const auto& name : assigned) {
        const std::string f = Fold(name);
        if (m_declaredGlobals.count(f) || !seen.emplace(f, true).second) continue;
        if (Lookup(name).kind != Binding::Global) continue;
        Module::GlobalDecl g;
        g.global = m_engine.GlobalIndex(name);
        g.kind = Module::GlobalDecl::Variable;
        g.ifUndefined = true;
        m_module.globals.push_back(std::move(g));
    }
}

void Compiler::CompileProcedure(ProcDecl& decl, Procedure* proc, ClassDef* owner) {
    BeginProcedure(proc, owner, &decl);
    for (const auto& p : decl.params)
        AddLocal(p.name, decl.pos);
    proc->localNames.push_back(u""); // result slot
    ++proc->localCount;
    if (decl.kind == ProcDecl::Function || decl.kind == ProcDecl::PropertyGet)
        m_resultName = Fold(decl.name);
    std::vector<const VarDecl*> dims;
    std::vector<std::pair<std::u16string, Expr*>> consts;
    std::vector<std::u16string> assigned, redims;
    CollectLocals(decl.body, dims, consts, assigned, redims);
    for (auto& [name, expr] : consts)
        m_localConsts[Fold(name)] = FoldConstant(*expr);
    for (const VarDecl* d : dims) {
        if (m_locals.count(Fold(d->name))) CompileFail(Err::NameRedefined, d->pos);
        AddLocal(d->name, d->pos);
    }
    // ReDim declares even under Option Explicit; a plain assignment does not.
    const size_t declaring = redims.size();
    redims.insert(redims.end(), assigned.begin(), assigned.end());
    for (size_t i = 0; i < redims.size(); ++i) {
        const std::u16string& name = redims[i];
        const std::string f = Fold(name);
        if (m_locals.count(f) || m_localConsts.count(f) || f == m_resultName) continue;
        if (owner && owner->memberIndex.count(f)) continue;
        if (m_globalConsts.count(f) || m_implicit.count(f)) continue;
        if (m_module.optionExplicit && i >= declaring) continue;
        const int slot = proc->localCount++;
        proc->localNames.push_back(name);
        m_implicit[f] = slot;
    }
    CompileBlock(decl.body);
    Emit(Op::Return, decl.pos);
    EndProcedure();
}

void Compiler::CompileClass(ClassDecl& decl, ClassDef* cls) {
    size_t procIndex = 0;
    for (auto& p : decl.procs) {
        // Procedures were created in declaration order right after the class's earlier ones.
        Procedure* proc = FindClassProc(cls, p.get(), procIndex++);
        CompileProcedure(*p, proc, cls);
    }
}

Procedure* Compiler::FindClassProc(ClassDef* cls, ProcDecl* decl, size_t) {
    const std::string f = Fold(decl->name);
    const ClassDef::Member& m = cls->members[static_cast<size_t>(cls->memberIndex[f])];
    if (decl->kind == ProcDecl::PropertyLet) return m.let;
    if (decl->kind == ProcDecl::PropertySet) return m.set;
    return m.get;
}

void Compiler::BeginProcedure(Procedure* proc, ClassDef* owner, ProcDecl* decl) {
    m_proc = proc;
    m_class = owner;
    m_decl = decl;
    m_locals.clear();
    m_localConsts.clear();
    m_implicit.clear();
    m_resultName.clear();
    m_pendingFrom = 0;
    m_with.clear();
    m_exitDo.clear();
    m_exitFor.clear();
    m_stmtPos = decl ? decl->pos : SourcePosition{1, 1};
    if (!owner && InContext()) m_class = m_context->proc->owner;
}

// Only the top-level statements of Execute's text run in its caller's scope: a procedure the
// text declares does not inherit that scope and sees the globals.
bool Compiler::InContext() const {
    return m_context && m_context->proc && m_proc && m_proc->kind == Procedure::Main;
}

void Compiler::EndProcedure() {
    Boundary();
    if (m_proc->localCount > 60000) CompileFail(Err::OutOfMemory, m_stmtPos);
}

void Compiler::AddLocal(const std::u16string& name, SourcePosition pos) {
    const std::string f = Fold(name);
    if (m_locals.count(f)) CompileFail(Err::NameRedefined, pos);
    m_locals[f] = m_proc->localCount++;
    m_proc->localNames.push_back(name);
}

int Compiler::AllocHidden(int n) {
    const int slot = m_proc->localCount;
    m_proc->localCount += n;
    for (int i = 0; i < n; ++i)
        m_proc->localNames.push_back(u"");
    return slot;
}

Binding Compiler::Lookup(const std::u16string& name) {
    const std::string f = Fold(name);
    Binding b{};
    if (auto it = m_localConsts.find(f); it != m_localConsts.end()) {
        b.kind = Binding::Const;
        b.constant = it->second;
        return b;
    }
    if (!m_resultName.empty() && f == m_resultName) {
        b.kind = Binding::Local;
        b.index = m_proc->ResultSlot();
        return b;
    }
    if (auto it = m_locals.find(f); it != m_locals.end()) {
        b.kind = Binding::Local;
        b.index = it->second;
        return b;
    }
    // Inside Execute, the caller's locals and result come before its class's members, as
    // they do in the caller's own code.
    if (InContext() && m_context->proc->kind != Procedure::Main) {
        const auto& names = m_context->proc->localNames;
        for (size_t i = 0; i < names.size(); ++i) {
            if (!names[i].empty() && Fold(names[i]) == f) {
                b.kind = Binding::Outer;
                b.index = static_cast<int>(i);
                return b;
            }
        }
        // The function's own name reads its result inside Execute too.
        if (m_context->proc->kind == Procedure::Function ||
            m_context->proc->kind == Procedure::PropertyGet) {
            if (Fold(m_context->proc->name) == f) {
                b.kind = Binding::Outer;
                b.index = m_context->proc->ResultSlot();
                return b;
            }
        }
    }
    if (m_class) {
        if (auto it = m_class->memberIndex.find(f); it != m_class->memberIndex.end()) {
            const ClassDef::Member& m = m_class->members[static_cast<size_t>(it->second)];
            if (m.field >= 0) {
                b.kind = Binding::Field;
                b.index = m.field;
            } else {
                b.kind = Binding::MeMember;
            }
            return b;
        }
    }
    if (auto it = m_globalConsts.find(f); it != m_globalConsts.end()) {
        b.kind = Binding::Const;
        b.constant = it->second;
        return b;
    }
    b.kind = Binding::Global;
    b.index = m_engine.GlobalIndex(name);
    if (auto it = m_implicit.find(f); it != m_implicit.end()) b.fallback = it->second;
    return b;
}

void Compiler::CompileExpr(Expr& e) {
    switch (e.kind) {
    case Expr::Literal: PushConst(e.value, e.pos); return;
    case Expr::Paren: CompileExpr(*e.left); return;
    case Expr::Me: Emit(Op::PushMe, e.pos); return;
    case Expr::New: Emit(Op::NewObject, e.pos, m_engine.GlobalIndex(e.name)); return;
    case Expr::Name: LoadName(e); return;
    case Expr::Member:
        PushObject(e);
        Emit(Op::GetMember, e.pos, Name(e.name), 0, ObjectName(e));
        return;
    case Expr::Call: CompileCall(e); return;
    case Expr::Unary:
        CompileExpr(*e.left);
        Emit(e.unop == UnOp::Neg ? Op::Neg : Op::Not, e.pos);
        return;
    case Expr::Binary: CompileBinary(e); return;
    }
}

void Compiler::CompileBinary(Expr& e) {
    // `a + b + c ...` nests down its left side: walk that spine in a loop, so that a flat
    // expression of any length compiles without deep recursion.
    std::vector<Expr*> spine;
    Expr* leftmost = &e;
    while (leftmost->kind == Expr::Binary) {
        spine.push_back(leftmost);
        leftmost = leftmost->left.get();
    }
    CompileExpr(*leftmost);
    for (auto it = spine.rbegin(); it != spine.rend(); ++it) {
        Expr& b = **it;
        CompileExpr(*b.right);
        int flags = 0;
        if (IsLiteral(*b.left)) flags |= kLeftLiteral;
        if (IsLiteral(*b.right)) flags |= kRightLiteral;
        Op op = Op::Add;
        switch (b.binop) {
        case BinOp::Add: op = Op::Add; break;
        case BinOp::Sub: op = Op::Sub; break;
        case BinOp::Mul: op = Op::Mul; break;
        case BinOp::Div: op = Op::Div; break;
        case BinOp::IntDiv: op = Op::IntDiv; break;
        case BinOp::Mod: op = Op::Mod; break;
        case BinOp::Pow: op = Op::Pow; break;
        case BinOp::Concat: op = Op::Concat; break;
        case BinOp::Eq: op = Op::Eq; break;
        case BinOp::Ne: op = Op::Ne; break;
        case BinOp::Lt: op = Op::Lt; break;
        case BinOp::Gt: op = Op::Gt; break;
        case BinOp::Le: op = Op::Le; break;
        case BinOp::Ge: op = Op::Ge; break;
        case BinOp::Is: op = Op::Is; break;
        case BinOp::And: op = Op::And; break;
        case BinOp::Or: op = Op::Or; break;
        case BinOp::Xor: op = Op::Xor; break;
        case BinOp::Eqv: op = Op::Eqv; break;
        case BinOp::Imp: op = Op::Imp; break;
        }
        Emit(op, b.pos, 0, flags);
    }
}

bool Compiler::IsLiteral(const Expr& e) {
    return e.kind == Expr::Literal || (e.kind == Expr::Paren && IsLiteral(*e.left));
}

// The object of a member access: an expression, or the With object for `.name`.
void Compiler::PushObject(Expr& member) {
    if (member.left) {
        CompileExpr(*member.left);
    } else {
        // Outside With there is no object: the access fails when it runs.
        if (m_with.empty())
            PushConst(Value(), member.pos);
        else
            Emit(Op::LoadL, member.pos, m_with.back());
    }
}

// The name of a member access's object when it is a plain name, for error messages.
int Compiler::ObjectName(const Expr& member) {
    return member.left && member.left->kind == Expr::Name ? Name(member.left->name) : -1;
}

void Compiler::LoadName(Expr& e) {
    const Binding b = Lookup(e.name);
    switch (b.kind) {
    case Binding::Local: Emit(Op::LoadL, e.pos, b.index); break;
    case Binding::Field: Emit(Op::LoadF, e.pos, b.index); break;
    case Binding::Outer: Emit(Op::LoadO, e.pos, b.index); break;
    case Binding::Const: PushConst(b.constant, e.pos); break;
    case Binding::Global: Emit(Op::LoadG, e.pos, b.index, 0, b.fallback); break;
    case Binding::MeMember:
        Emit(Op::PushMe, e.pos);
        Emit(Op::GetMember, e.pos, Name(e.name), 0);
        break;
    }
}

int Compiler::CompileArgs(std::vector<ExprPtr>& args) {
    if (args.size() > 1000) CompileFail(Err::OutOfMemory, m_stmtPos);
    for (auto& a : args) {
        if (!a) {
            PushConst(Value::Missing(), m_stmtPos);
        } else {
            CompileArg(*a);
        }
    }
    return static_cast<int>(args.size());
}

// An argument: a variable (or an element of one) goes by reference.
void Compiler::CompileArg(Expr& e) {
    if (e.kind == Expr::Name) {
        const Binding b = Lookup(e.name);
        switch (b.kind) {
        case Binding::Local: Emit(Op::RefL, e.pos, b.index); return;
        case Binding::Field: Emit(Op::RefF, e.pos, b.index); return;
        case Binding::Outer: Emit(Op::RefO, e.pos, b.index); return;
        case Binding::Global: Emit(Op::RefG, e.pos, b.index, 0, b.fallback); return;
        default: break;
        }
    } else if (e.kind == Expr::Call && e.left->kind == Expr::Name && e.parens) {
        const Binding b = Lookup(e.left->name);
        const bool recursion = !m_resultName.empty() && Fold(e.left->name) == m_resultName;
        if (!recursion &&
            (b.kind == Binding::Local || b.kind == Binding::Field || b.kind == Binding::Outer)) {
            EmitRef(b, e.pos);
            const int argc = CompileArgs(e.args);
            Emit(Op::RefIndexed, e.pos, 0, argc);
            return;
        }
        if (!recursion && b.kind == Binding::Global) {
            // An element of a global array goes by reference; anything else is a call.
            const int argc = CompileArgs(e.args);
            Emit(Op::RefIndexedG, e.pos, b.index, argc, b.fallback);
            return;
        }
    }
    CompileExpr(e);
}

void Compiler::EmitRef(const Binding& b, SourcePosition pos) {
    switch (b.kind) {
    case Binding::Local: Emit(Op::RefL, pos, b.index); break;
    case Binding::Field: Emit(Op::RefF, pos, b.index); break;
    case Binding::Outer: Emit(Op::RefO, pos, b.index); break;
    case Binding::Global: Emit(Op::RefG, pos, b.index, 0, b.fallback); break;
    default: CompileFail(Err::Syntax, pos);
    }
}

void Compiler::CompileCall(Expr& e) {
    Expr& callee = *e.left;
    if (callee.kind == Expr::Name) {
        Binding b = Lookup(callee.name);
        const bool recursion = !m_resultName.empty() && Fold(callee.name) == m_resultName;
        if (recursion) {
            // Name(args) inside a function calls it again.
            if (m_class && m_class->memberIndex.count(m_resultName)) {
                b.kind = Binding::MeMember;
            } else {
                b.kind = Binding::Global;
                b.index = m_engine.GlobalIndex(callee.name);
                b.fallback = -1;
            }
        }
        switch (b.kind) {
        case Binding::MeMember: {
            Emit(Op::PushMe, e.pos);
            const int argc = CompileArgs(e.args);
            Emit(Op::GetMember, e.pos, Name(callee.name), argc);
            return;
        }
        case Binding::Const: {
            PushConst(b.constant, e.pos);
            const int argc = CompileArgs(e.args);
            Emit(Op::CallValue, e.pos, 0, argc);
            return;
        }
        default: {
            const int argc = CompileArgs(e.args);
            const Op op = b.kind == Binding::Local   ? Op::CallL
                          : b.kind == Binding::Field ? Op::CallF
                          : b.kind == Binding::Outer ? Op::CallO
                                                     : Op::CallG;
            Emit(op, e.pos, b.index, argc, b.fallback);
            return;
        }
        }
    }
    if (callee.kind == Expr::Member) {
        PushObject(callee);
        const int argc = CompileArgs(e.args);
        Emit(Op::GetMember, e.pos, Name(callee.name), argc, ObjectName(callee));
        return;
    }
    CompileExpr(callee);
    const int argc = CompileArgs(e.args);
    Emit(Op::CallValue, e.pos, 0, argc);
}

} // namespace detail

std::shared_ptr<Module> CompileProgram(Engine& engine, ProgramAst& program, Frame* context) {
    auto module = std::make_shared<Module>();
    detail::Compiler compiler(engine, *module, context);
    compiler.Program(program);
    return module;
}

namespace {

// Whether a statement declares a global name, itself or in a block it contains.
bool DeclaresNames(const Stmt& s) {
    auto any = [](const Block& block) {
        for (const auto& inner : block)
            if (DeclaresNames(*inner)) return true;
        return false;
    };
    switch (s.kind) {
    case Stmt::Dim:
    case Stmt::ReDim:
    case Stmt::Const: return true;
    case Stmt::If:
        for (const auto& e : s.elseIfs)
            if (any(e.body)) return true;
        return any(s.body) || any(s.elseBody);
    case Stmt::Select:
        for (const auto& c : s.cases)
            if (any(c.body)) return true;
        return false;
    default: return any(s.body);
    }
}

} // namespace

std::shared_ptr<Module> CompileProgramText(Engine& engine, std::u16string_view source,
                                           int firstLine, bool inheritExplicit,
                                           bool& declarationsOnly) {
    // The first reading keeps procedures, classes and what declares global names; the second
    // compiles each top-level statement as it is read and lets its tree go.
    Block declarations;
    bool statements = false;
    ProgramAst program = ParseProgramStatements(
        source, firstLine,
        [&](StmtPtr s) {
            statements = true;
            if (DeclaresNames(*s)) declarations.push_back(std::move(s));
        },
        true);
    program.optionExplicit |= inheritExplicit;
    auto module = std::make_shared<Module>();
    detail::Compiler compiler(engine, *module, nullptr);
    compiler.BeginProgram(program, declarations);
    declarations.clear();
    ParseProgramStatements(
        source, firstLine, [&](StmtPtr s) { compiler.ProgramStatement(*s); }, false);
    compiler.EndProgram();
    declarationsOnly = !statements;
    return module;
}

std::shared_ptr<Module> CompileExpression(Engine& engine, Expr& expr, Frame* context) {
    auto module = std::make_shared<Module>();
    detail::Compiler compiler(engine, *module, context);
    compiler.Expression(expr);
    return module;
}

} // namespace quillora::vbs
