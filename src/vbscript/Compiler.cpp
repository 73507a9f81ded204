// The compiler: resolves names to slots (locals, fields, globals) and emits instructions.
#include "vbscript/Compiler.h"

#include "vbscript/Convert.h"
#include "vbscript/Operators.h"

#include <unordered_set>

namespace quillora::vbs {

namespace {

std::string Fold(const std::u16string& name) { return FoldedUtf8(name); }

[[noreturn]] void CompileFail(int number, SourcePosition pos) {
    ScriptError e(number, ErrorDescription(number), kCompileSource);
    e.SetCompilation(true);
    e.SetPosition(pos);
    throw e;
}

// Where a name lives, as the compiler resolved it.
struct Binding {
    enum Kind { Local, Field, MeMember, Outer, Const, Global } kind;
    int index = 0;    // slot, field, global
    int fallback = -1; // implicit local slot behind a global
    Value constant;
};

class Compiler {
public:
    Compiler(Engine& engine, Module& module, Frame* context)
        : m_engine(engine), m_module(module), m_context(context) {}

    void Program(ProgramAst& program) {
        m_module.optionExplicit = program.optionExplicit;
        auto main = NewProcedure(Procedure::Main, u"");
        main->localCount = 1; // slot 0 holds Eval's result
        main->localNames.push_back(u"");
        // Global declarations first: procedures and classes may be used before their text.
        for (auto& cls : program.classes) DeclareClass(*cls);
        for (auto& proc : program.procs) DeclareProcedure(*proc, nullptr);
        DeclareGlobals(program.body);
        for (size_t i = 0; i < program.procs.size(); ++i) CompileProcedure(*program.procs[i], m_declared[i], nullptr);
        for (size_t i = 0; i < program.classes.size(); ++i) CompileClass(*program.classes[i], m_module.classes[i].get());
        BeginProcedure(main, nullptr, nullptr);
        CompileBlock(program.body);
        Emit(Op::Return, {});
        EndProcedure();
    }

    void Expression(Expr& expr) {
        auto main = NewProcedure(Procedure::Main, u"");
        main->localCount = 1;
        main->localNames.push_back(u"");
        BeginProcedure(main, nullptr, nullptr);
        CompileExpr(expr);
        Emit(Op::StoreL, expr.pos, 0, 1);
        Emit(Op::Return, expr.pos);
        EndProcedure();
    }

private:
    // ---- procedures -----------------------------------------------------------------------

    Procedure* NewProcedure(Procedure::Kind kind, std::u16string name) {
        auto proc = std::make_unique<Procedure>();
        proc->kind = kind;
        proc->name = std::move(name);
        proc->module = &m_module;
        m_module.procedures.push_back(std::move(proc));
        return m_module.procedures.back().get();
    }

    static Procedure::Kind KindOf(ProcDecl::Kind k) {
        switch (k) {
        case ProcDecl::Sub: return Procedure::Sub;
        case ProcDecl::Function: return Procedure::Function;
        case ProcDecl::PropertyGet: return Procedure::PropertyGet;
        case ProcDecl::PropertyLet: return Procedure::PropertyLet;
        default: return Procedure::PropertySet;
        }
    }

    Procedure* DeclareProcedure(ProcDecl& decl, ClassDef* owner) {
        Procedure* proc = NewProcedure(KindOf(decl.kind), decl.name);
        proc->isPublic = decl.isPublic;
        proc->owner = owner;
        proc->paramCount = static_cast<int>(decl.params.size());
        for (const auto& p : decl.params) proc->byVal.push_back(p.byVal ? 1 : 0);
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

    void DeclareClass(ClassDecl& decl) {
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
            Procedure** slot = p->kind == ProcDecl::PropertyLet ? &m.let
                               : p->kind == ProcDecl::PropertySet ? &m.set
                                                                  : &m.get;
            if (*slot) CompileFail(Err::NameRedefined, p->pos);
            const bool first = !m.get && !m.let && !m.set;
            *slot = proc;
            m.isPublic = first ? p->isPublic : (m.isPublic || p->isPublic);
            if (p->isDefault) {
                const int idx = cls->memberIndex[f];
                if (cls->defaultMember >= 0 && cls->defaultMember != idx) CompileFail(Err::MultipleDefault, p->pos);
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
    void Declare(const std::u16string& name, SourcePosition pos) {
        auto [it, fresh] = m_declaredGlobals.emplace(Fold(name), pos);
        if (fresh) return;
        // The later of the two declarations is the one in error.
        const SourcePosition first = it->second;
        const bool later = pos.line > first.line || (pos.line == first.line && pos.column > first.column);
        CompileFail(Err::NameRedefined, later ? pos : first);
    }

    std::vector<int32_t> Bounds(const VarDecl& v) {
        std::vector<int32_t> bounds;
        try {
            for (const auto& d : v.dims) bounds.push_back(ToLong(d->value));
        } catch (const ScriptError&) {
            CompileFail(Err::ExpectedInteger, v.pos);
        }
        return bounds;
    }

    // Dim, Const and ReDim at top level declare globals, wherever the statement stands.
    void DeclareGlobals(Block& block) {
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
                for (auto& e : s->elseIfs) DeclareGlobals(e.second);
                DeclareGlobals(s->elseBody);
                break;
            case Stmt::Select:
                for (auto& c : s->cases) DeclareGlobals(c.body);
                break;
            case Stmt::For:
            case Stmt::ForEach:
            case Stmt::Do:
            case Stmt::While:
            case Stmt::With:
                DeclareGlobals(s->body);
                break;
            default:
                break;
            }
        }
    }

    Value FoldConstant(Expr& e) {
        try {
            return FoldConstantExpr(e);
        } catch (const ScriptError& error) {
            if (error.IsCompilation()) throw;
            CompileFail(Err::ExpectedLiteral, e.pos);
        }
    }
    Value FoldConstantExpr(Expr& e) {
        switch (e.kind) {
        case Expr::Literal:
            return e.value;
        case Expr::Paren:
            return FoldConstantExpr(*e.left);
        case Expr::Unary:
            return e.unop == UnOp::Neg ? Negate(FoldConstantExpr(*e.left)) : LogicalNot(FoldConstantExpr(*e.left));
        case Expr::Binary: {
            try {
                const Value l = FoldConstantExpr(*e.left), r = FoldConstantExpr(*e.right);
                switch (e.binop) {
                case BinOp::Add: return Add(l, r);
                case BinOp::Sub: return Subtract(l, r);
                case BinOp::Mul: return Multiply(l, r);
                case BinOp::Div: return Divide(l, r);
                case BinOp::Concat: return Concat(l, r);
                default: break;
                }
            } catch (const ScriptError&) {
            }
            CompileFail(Err::ExpectedLiteral, e.pos);
        }
        default:
            CompileFail(Err::ExpectedLiteral, e.pos);
        }
    }

    // Every name a procedure body declares (Dim, ReDim of an undeclared name, Const) and
    // every bare name it assigns (implicit locals).
    void CollectLocals(Block& block, std::vector<const VarDecl*>& dims,
                       std::vector<std::pair<std::u16string, Expr*>>& consts,
                       std::vector<std::u16string>& assigned) {
        for (auto& s : block) {
            switch (s->kind) {
            case Stmt::Dim:
                for (auto& d : s->decls) dims.push_back(&d);
                break;
            case Stmt::ReDim:
                for (auto& d : s->decls) assigned.push_back(d.name);
                break;
            case Stmt::Const:
                for (auto& [name, expr] : s->consts) consts.emplace_back(name, expr.get());
                break;
            case Stmt::Assign:
            case Stmt::SetAssign:
            case Stmt::For:
            case Stmt::ForEach:
                if (s->target->kind == Expr::Name) assigned.push_back(s->target->name);
                break;
            default:
                break;
            }
            CollectLocals(s->body, dims, consts, assigned);
            CollectLocals(s->elseBody, dims, consts, assigned);
            for (auto& e : s->elseIfs) CollectLocals(e.second, dims, consts, assigned);
            for (auto& c : s->cases) CollectLocals(c.body, dims, consts, assigned);
        }
    }

    void CompileProcedure(ProcDecl& decl, Procedure* proc, ClassDef* owner) {
        BeginProcedure(proc, owner, &decl);
        for (const auto& p : decl.params) AddLocal(p.name, decl.pos);
        proc->localNames.push_back(u""); // result slot
        ++proc->localCount;
        if (decl.kind == ProcDecl::Function || decl.kind == ProcDecl::PropertyGet) m_resultName = Fold(decl.name);
        std::vector<const VarDecl*> dims;
        std::vector<std::pair<std::u16string, Expr*>> consts;
        std::vector<std::u16string> assigned;
        CollectLocals(decl.body, dims, consts, assigned);
        for (auto& [name, expr] : consts) m_localConsts[Fold(name)] = FoldConstant(*expr);
        for (const VarDecl* d : dims) {
            if (m_locals.count(Fold(d->name))) CompileFail(Err::NameRedefined, d->pos);
            AddLocal(d->name, d->pos);
        }
        for (const auto& name : assigned) {
            const std::string f = Fold(name);
            if (m_locals.count(f) || m_localConsts.count(f) || f == m_resultName) continue;
            if (owner && owner->memberIndex.count(f)) continue;
            if (m_globalConsts.count(f) || m_implicit.count(f)) continue;
            if (m_module.optionExplicit) continue;
            const int slot = proc->localCount++;
            proc->localNames.push_back(name);
            m_implicit[f] = slot;
        }
        CompileBlock(decl.body);
        Emit(Op::Return, decl.pos);
        EndProcedure();
    }

    void CompileClass(ClassDecl& decl, ClassDef* cls) {
        size_t procIndex = 0;
        for (auto& p : decl.procs) {
            // Procedures were created in declaration order right after the class's earlier ones.
            Procedure* proc = FindClassProc(cls, p.get(), procIndex++);
            CompileProcedure(*p, proc, cls);
        }
    }
    Procedure* FindClassProc(ClassDef* cls, ProcDecl* decl, size_t) {
        const std::string f = Fold(decl->name);
        const ClassDef::Member& m = cls->members[static_cast<size_t>(cls->memberIndex[f])];
        if (decl->kind == ProcDecl::PropertyLet) return m.let;
        if (decl->kind == ProcDecl::PropertySet) return m.set;
        return m.get;
    }

    void BeginProcedure(Procedure* proc, ClassDef* owner, ProcDecl* decl) {
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
        if (!owner && m_context && m_context->proc) m_class = m_context->proc->owner;
    }
    void EndProcedure() {
        Boundary();
        if (m_proc->localCount > 60000) CompileFail(Err::OutOfMemory, m_stmtPos);
    }

    void AddLocal(const std::u16string& name, SourcePosition pos) {
        const std::string f = Fold(name);
        if (m_locals.count(f)) CompileFail(Err::NameRedefined, pos);
        m_locals[f] = m_proc->localCount++;
        m_proc->localNames.push_back(name);
    }
    int AllocHidden(int n) {
        const int slot = m_proc->localCount;
        m_proc->localCount += n;
        for (int i = 0; i < n; ++i) m_proc->localNames.push_back(u"");
        return slot;
    }

    // ---- emission -------------------------------------------------------------------------

    int Emit(Op op, SourcePosition, int a = 0, int b = 0, int c = -1) {
        Instr in;
        in.op = op;
        in.a = a;
        in.b = static_cast<uint16_t>(b);
        in.c = c;
        m_proc->code.push_back(in);
        m_proc->positions.push_back(m_stmtPos);
        m_proc->resume.push_back(-1);
        return static_cast<int>(m_proc->code.size()) - 1;
    }
    int Here() const { return static_cast<int>(m_proc->code.size()); }
    void Patch(int at, int target) { m_proc->code[static_cast<size_t>(at)].c = target; }
    // Instructions since the last boundary resume, after an error, at the current position.
    void Boundary() {
        const int here = Here();
        for (int i = m_pendingFrom; i < here; ++i) m_proc->resume[static_cast<size_t>(i)] = here;
        m_pendingFrom = here;
    }
    int Constant(Value v) {
        m_proc->constants.push_back(std::move(v));
        return static_cast<int>(m_proc->constants.size()) - 1;
    }
    int Name(const std::u16string& name) {
        const std::string f = Fold(name);
        auto it = m_nameIndex.find(f);
        if (it != m_nameIndex.end()) return it->second;
        m_module.names.push_back({name, f});
        const int idx = static_cast<int>(m_module.names.size()) - 1;
        m_nameIndex.emplace(f, idx);
        return idx;
    }
    void PushConst(Value v, SourcePosition pos) { Emit(Op::PushConst, pos, Constant(std::move(v))); }

    // ---- names ----------------------------------------------------------------------------

    Binding Lookup(const std::u16string& name) {
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
        if (m_context && m_context->proc && m_context->proc->kind != Procedure::Main) {
            const auto& names = m_context->proc->localNames;
            for (size_t i = 0; i < names.size(); ++i) {
                if (!names[i].empty() && Fold(names[i]) == f) {
                    b.kind = Binding::Outer;
                    b.index = static_cast<int>(i);
                    return b;
                }
            }
            // The function's own name reads its result inside Execute too.
            if (m_context->proc->kind == Procedure::Function || m_context->proc->kind == Procedure::PropertyGet) {
                if (Fold(m_context->proc->name) == f) {
                    b.kind = Binding::Outer;
                    b.index = m_context->proc->ResultSlot();
                    return b;
                }
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

    // ---- expressions ----------------------------------------------------------------------

    void CompileExpr(Expr& e) {
        switch (e.kind) {
        case Expr::Literal:
            PushConst(e.value, e.pos);
            return;
        case Expr::Paren:
            CompileExpr(*e.left);
            return;
        case Expr::Me:
            if (!m_class) CompileFail(Err::InvalidMe, e.pos);
            Emit(Op::PushMe, e.pos);
            return;
        case Expr::New:
            Emit(Op::NewObject, e.pos, m_engine.GlobalIndex(e.name));
            return;
        case Expr::Name:
            LoadName(e);
            return;
        case Expr::Member:
            PushObject(e);
            Emit(Op::GetMember, e.pos, Name(e.name), 0, ObjectName(e));
            return;
        case Expr::Call:
            CompileCall(e);
            return;
        case Expr::Unary:
            CompileExpr(*e.left);
            Emit(e.unop == UnOp::Neg ? Op::Neg : Op::Not, e.pos);
            return;
        case Expr::Binary:
            CompileBinary(e);
            return;
        }
    }

    void CompileBinary(Expr& e) {
        CompileExpr(*e.left);
        CompileExpr(*e.right);
        int flags = 0;
        if (IsLiteral(*e.left)) flags |= kLeftLiteral;
        if (IsLiteral(*e.right)) flags |= kRightLiteral;
        Op op = Op::Add;
        switch (e.binop) {
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
        Emit(op, e.pos, 0, flags);
    }
    static bool IsLiteral(const Expr& e) {
        return e.kind == Expr::Literal || (e.kind == Expr::Paren && IsLiteral(*e.left));
    }

    // The object of a member access: an expression, or the With object for `.name`.
    void PushObject(Expr& member) {
        if (member.left) {
            CompileExpr(*member.left);
        } else {
            if (m_with.empty()) CompileFail(Err::Syntax, member.pos);
            Emit(Op::LoadL, member.pos, m_with.back());
        }
    }

    // The name of a member access's object when it is a plain name, for error messages.
    int ObjectName(const Expr& member) {
        return member.left && member.left->kind == Expr::Name ? Name(member.left->name) : -1;
    }

    void LoadName(Expr& e) {
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

    int CompileArgs(std::vector<ExprPtr>& args) {
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
    void CompileArg(Expr& e) {
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
            if (!recursion && (b.kind == Binding::Local || b.kind == Binding::Field || b.kind == Binding::Outer)) {
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

    void EmitRef(const Binding& b, SourcePosition pos) {
        switch (b.kind) {
        case Binding::Local: Emit(Op::RefL, pos, b.index); break;
        case Binding::Field: Emit(Op::RefF, pos, b.index); break;
        case Binding::Outer: Emit(Op::RefO, pos, b.index); break;
        case Binding::Global: Emit(Op::RefG, pos, b.index, 0, b.fallback); break;
        default: CompileFail(Err::Syntax, pos);
        }
    }

    void CompileCall(Expr& e) {
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

    // ---- statements -----------------------------------------------------------------------

    void CompileBlock(Block& block) {
        for (auto& s : block) CompileStatement(*s);
    }

    void CompileStatement(Stmt& s) {
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
                for (auto& dim : d.dims) CompileExpr(*dim);
                Emit(Op::DimArray, d.pos, 0, static_cast<int>(d.dims.size()));
            }
            Boundary();
            break;
        case Stmt::ReDim:
            for (auto& d : s.decls) {
                Binding b = Lookup(d.name);
                if (b.kind == Binding::Const || b.kind == Binding::MeMember) CompileFail(Err::Syntax, d.pos);
                EmitRef(b, d.pos);
                for (auto& dim : d.dims) CompileExpr(*dim);
                Emit(Op::ReDim, d.pos, 0, static_cast<int>(d.dims.size()), s.preserve ? 1 : 0);
            }
            Boundary();
            break;
        case Stmt::Const:
        case Stmt::Nothing_:
            break;
        case Stmt::If:
            CompileIf(s);
            break;
        case Stmt::Select:
            CompileSelect(s);
            break;
        case Stmt::For:
            CompileFor(s);
            break;
        case Stmt::ForEach:
            CompileForEach(s);
            break;
        case Stmt::Do:
            CompileDo(s);
            break;
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
            for (int at : m_exitDo.back()) Patch(at, Here());
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
            Emit(Op::WithObject, s.pos);
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

    void CompileCallStatement(Expr& target) {
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
    void StoreBinding(const Binding& b, const std::u16string& name, bool set, bool raw, SourcePosition pos) {
        switch (b.kind) {
        case Binding::Local: Emit(set ? Op::SetL : Op::StoreL, pos, b.index, raw ? 1 : 0); break;
        case Binding::Field: Emit(set ? Op::SetF : Op::StoreF, pos, b.index, raw ? 1 : 0); break;
        case Binding::Outer: Emit(set ? Op::SetO : Op::StoreO, pos, b.index, raw ? 1 : 0); break;
        case Binding::Global: Emit(set ? Op::SetG : Op::StoreG, pos, b.index, raw ? 1 : 0, b.fallback); break;
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

    void CompileAssign(Stmt& s, bool set) {
        Expr& target = *s.target;
        if (target.kind == Expr::Name) {
            const Binding b = Lookup(target.name);
            // x = x & y appends in place.
            Expr& v = *s.value;
            if (!set && v.kind == Expr::Binary && v.binop == BinOp::Concat && v.left->kind == Expr::Name &&
                Fold(v.left->name) == Fold(target.name) &&
                (b.kind == Binding::Local || (b.kind == Binding::Global && b.fallback < 0))) {
                CompileExpr(*v.right);
                Emit(b.kind == Binding::Local ? Op::ConcatL : Op::ConcatG, s.pos, b.index);
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
                Emit(set ? Op::SetMember : Op::LetMember, s.pos, Name(callee.name), argc, ObjectName(callee));
                return;
            }
        }
        CompileFail(Err::Syntax, s.pos);
    }
    int CompileArgValues(std::vector<ExprPtr>& args) {
        for (auto& a : args) {
            if (!a) PushConst(Value::Missing(), m_stmtPos);
            else CompileExpr(*a);
        }
        return static_cast<int>(args.size());
    }

    void CompileIf(Stmt& s) {
        std::vector<int> toEnd;
        CompileExpr(*s.cond);
        int jf = Emit(Op::JumpIfFalse, s.pos);
        Boundary();
        CompileBlock(s.body);
        for (auto& [cond, body] : s.elseIfs) {
            m_stmtPos = s.pos;
            toEnd.push_back(Emit(Op::Jump, s.pos));
            Patch(jf, Here());
            m_stmtPos = cond->pos;
            CompileExpr(*cond);
            jf = Emit(Op::JumpIfFalse, cond->pos);
            Boundary();
            CompileBlock(body);
        }
        if (!s.elseBody.empty()) {
            toEnd.push_back(Emit(Op::Jump, s.pos));
            Patch(jf, Here());
            Boundary();
            CompileBlock(s.elseBody);
        } else {
            Patch(jf, Here());
        }
        for (int at : toEnd) Patch(at, Here());
        Boundary();
    }

    void CompileSelect(Stmt& s) {
        const int slot = AllocHidden(1);
        CompileExpr(*s.value);
        Emit(Op::StoreL, s.pos, slot, 1);
        Boundary();
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
            for (int at : toBody) Patch(at, Here());
            Boundary();
            CompileBlock(clause.body);
            m_stmtPos = clause.pos;
            toEnd.push_back(Emit(Op::Jump, clause.pos));
            Patch(skip, Here());
        }
        for (int at : toEnd) Patch(at, Here());
        Emit(Op::ClearL, s.pos, slot);
        Boundary();
    }

    void CompileFor(Stmt& s) {
        const int hidden = AllocHidden(2);
        const Binding counter = Lookup(s.target->name);
        if (counter.kind == Binding::Const || counter.kind == Binding::MeMember)
            CompileFail(Err::InvalidForVariable, s.target->pos);
        CompileExpr(*s.from);
        CompileExpr(*s.to);
        if (s.step) CompileExpr(*s.step);
        else PushConst(Value::Integer(1), s.pos);
        Emit(Op::ForPrep, s.pos, hidden);
        StoreBinding(counter, s.target->name, false, false, s.pos);
        LoadBinding(counter, s.pos);
        const int test = Emit(Op::ForTest, s.pos, hidden);
        const int toExit = Emit(Op::Jump, s.pos);
        Boundary();
        const int top = Here();
        Patch(test, top);
        m_exitFor.emplace_back();
        CompileBlock(s.body);
        m_stmtPos = s.pos;
        if (counter.kind == Binding::Local) {
            Emit(Op::ForLoopL, s.pos, counter.index, hidden, top);
        } else if (counter.kind == Binding::Global && counter.fallback < 0) {
            Emit(Op::ForLoopG, s.pos, counter.index, hidden, top);
        } else {
            LoadBinding(counter, s.pos);
            Emit(Op::ForIncr, s.pos, hidden);
            StoreBinding(counter, s.target->name, false, false, s.pos);
            LoadBinding(counter, s.pos);
            Emit(Op::ForTest, s.pos, hidden, 0, top);
        }
        Patch(toExit, Here());
        for (int at : m_exitFor.back()) Patch(at, Here());
        m_exitFor.pop_back();
        Boundary();
    }

    void LoadBinding(const Binding& b, SourcePosition pos) {
        switch (b.kind) {
        case Binding::Local: Emit(Op::LoadL, pos, b.index); break;
        case Binding::Field: Emit(Op::LoadF, pos, b.index); break;
        case Binding::Outer: Emit(Op::LoadO, pos, b.index); break;
        case Binding::Global: Emit(Op::LoadG, pos, b.index, 0, b.fallback); break;
        default: CompileFail(Err::Syntax, pos);
        }
    }

    void CompileForEach(Stmt& s) {
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
        for (int at : m_exitFor.back()) Patch(at, exitAt);
        m_exitFor.pop_back();
        Boundary();
    }

    void CompileDo(Stmt& s) {
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
            CompileExpr(*s.cond);
            Emit(s.isUntil ? Op::JumpIfFalse : Op::JumpIfTrue, s.pos, 0, 0, top);
        } else {
            Emit(Op::Jump, s.pos, 0, 0, top);
        }
        if (condJump >= 0) Patch(condJump, Here());
        for (int at : m_exitDo.back()) Patch(at, Here());
        m_exitDo.pop_back();
        Boundary();
    }

    Engine& m_engine;
    Module& m_module;
    Frame* m_context;
    Procedure* m_proc = nullptr;
    ClassDef* m_class = nullptr;
    ProcDecl* m_decl = nullptr;
    std::unordered_map<std::string, int> m_locals;
    std::unordered_map<std::string, Value> m_localConsts;
    std::unordered_map<std::string, Value> m_globalConsts;
    std::unordered_map<std::string, int> m_implicit;
    std::unordered_map<std::string, int> m_nameIndex;
    std::unordered_map<std::string, SourcePosition> m_declaredGlobals; // global names of this text
    std::string m_resultName;
    std::vector<Procedure*> m_declared;
    std::vector<int> m_with;
    std::vector<std::vector<int>> m_exitDo, m_exitFor;
    int m_pendingFrom = 0;
    SourcePosition m_stmtPos{1, 1};
};

} // namespace

std::shared_ptr<Module> CompileProgram(Engine& engine, ProgramAst& program, Frame* context) {
    auto module = std::make_shared<Module>();
    Compiler compiler(engine, *module, context);
    compiler.Program(program);
    return module;
}

std::shared_ptr<Module> CompileExpression(Engine& engine, Expr& expr, Frame* context) {
    auto module = std::make_shared<Module>();
    Compiler compiler(engine, *module, context);
    compiler.Expression(expr);
    return module;
}

} // namespace quillora::vbs
