// The compiler's internals: the Compiler class shared by the declaration/expression and statement
// files.
#pragma once

#include "vbscript/Ast.h"
#include "vbscript/Convert.h"
#include "vbscript/Engine.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace quillora::vbs::detail {

inline std::string Fold(const std::u16string& name) {
    return FoldedUtf8(name);
}

[[noreturn]] inline void CompileFail(int number, SourcePosition pos) {
    ScriptError e(number, ErrorDescription(number), kCompileSource);
    e.SetCompilation(true);
    e.SetPosition(pos);
    throw e;
}

// Where a name lives, as the compiler resolved it.
struct Binding {
    enum Kind { Local, Field, MeMember, Outer, Const, Global } kind;
    int index = 0;     // slot, field, global
    int fallback = -1; // implicit local slot behind a global
    Value constant;
};

class Compiler {
public:
    Compiler(Engine& engine, Module& module, Frame* context)
        : m_engine(engine), m_module(module), m_context(context) {}

    void Program(ProgramAst& program) {
        BeginProgram(program, program.body);
        if (!program.optionExplicit) DeclareAssigned(program.body);
        CompileBlock(program.body);
        EndProgram();
    }

    // A program compiled statement by statement: the declarations (procedures, classes and the
    // top-level Dim, ReDim and Const statements) first, then each top-level statement.
    void BeginProgram(ProgramAst& program, Block& declarations) {
        m_module.optionExplicit = program.optionExplicit;
        auto main = NewProcedure(Procedure::Main, u"");
        main->localCount = 1; // slot 0 holds Eval's result
        main->localNames.push_back(u"");
        // Global declarations first: procedures and classes may be used before their text.
        for (auto& cls : program.classes)
            DeclareClass(*cls);
        for (auto& proc : program.procs)
            DeclareProcedure(*proc, nullptr);
        DeclareGlobals(declarations);
        for (size_t i = 0; i < program.procs.size(); ++i)
            CompileProcedure(*program.procs[i], m_declared[i], nullptr);
        for (size_t i = 0; i < program.classes.size(); ++i)
            CompileClass(*program.classes[i], m_module.classes[i].get());
        BeginProcedure(main, nullptr, nullptr);
    }
    void ProgramStatement(Stmt& s) { CompileStatement(s); }
    void EndProgram() {
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
    // ---- procedures and declarations (Compiler.cpp)
    Procedure* NewProcedure(Procedure::Kind kind, std::u16string name);
    static Procedure::Kind KindOf(ProcDecl::Kind k);
    Procedure* DeclareProcedure(ProcDecl& decl, ClassDef* owner);
    void DeclareClass(ClassDecl& decl);
    void Declare(const std::u16string& name, SourcePosition pos);
    std::vector<int32_t> Bounds(const VarDecl& v);
    void DeclareGlobals(Block& block);
    Value FoldConstant(Expr& e);
    Value FoldConstantExpr(Expr& e);
    void DeclareAssigned(Block& body);
    void CollectLocals(Block& block, std::vector<const VarDecl*>& dims,
                       std::vector<std::pair<std::u16string, Expr*>>& consts,
                       std::vector<std::u16string>& assigned, std::vector<std::u16string>& redims);
    void CompileProcedure(ProcDecl& decl, Procedure* proc, ClassDef* owner);
    void CompileClass(ClassDecl& decl, ClassDef* cls);
    Procedure* FindClassProc(ClassDef* cls, ProcDecl* decl, size_t);
    void BeginProcedure(Procedure* proc, ClassDef* owner, ProcDecl* decl);
    void EndProcedure();
    void AddLocal(const std::u16string& name, SourcePosition pos);
    int AllocHidden(int n);
    bool InContext() const;

    // ---- emission -------------------------------------------------------------------------

    int Emit(Op op, SourcePosition, int a = 0, int b = 0, int c = -1) {
        // Two common pairs run as one instruction, unless a jump lands between them.
        auto& code = m_proc->code;
        if (op == Op::LoadL && !code.empty() && static_cast<int>(code.size()) != m_barrier) {
            Instr& prev = code.back();
            if (prev.op == Op::LoadL) {
                prev.op = Op::LoadL2;
                prev.c = a;
                return static_cast<int>(code.size()) - 1;
            }
            if (prev.op == Op::StoreL && prev.b == 0 && prev.a == a) {
                prev.op = Op::StoreLoadL;
                return static_cast<int>(code.size()) - 1;
            }
        }
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
    // The next instruction's index; it may become a jump target, so nothing merges into it.
    int Here() const {
        m_barrier = static_cast<int>(m_proc->code.size());
        return m_barrier;
    }
    void Patch(int at, int target) { m_proc->code[static_cast<size_t>(at)].c = target; }
    // Instructions since the last boundary resume, after an error, at the current position.
    void Boundary() {
        const int here = Here();
        for (int i = m_pendingFrom; i < here; ++i)
            m_proc->resume[static_cast<size_t>(i)] = here;
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
    void PushConst(Value v, SourcePosition pos) {
        Emit(Op::PushConst, pos, Constant(std::move(v)));
    }

    // ---- names (Compiler.cpp)
    Binding Lookup(const std::u16string& name);

    // ---- expressions (Compiler.cpp)
    void CompileExpr(Expr& e);
    void CompileBinary(Expr& e);
    static bool IsLiteral(const Expr& e);
    void PushObject(Expr& member);
    void PushElementRef(Expr& call);
    int ObjectName(const Expr& member);
    void LoadName(Expr& e);
    int CompileArgs(std::vector<ExprPtr>& args);
    void CompileArg(Expr& e);
    void EmitRef(const Binding& b, SourcePosition pos);
    void CompileCall(Expr& e);

    // ---- statements (CompilerStatements.cpp)
    void CompileBlock(Block& block);
    void CompileStatement(Stmt& s);
    void CompileCallStatement(Expr& target);
    void StoreBinding(const Binding& b, const std::u16string& name, bool set, bool raw,
                      SourcePosition pos);
    void CompileAssign(Stmt& s, bool set);
    int CompileArgValues(std::vector<ExprPtr>& args);
    void CompileIf(Stmt& s);
    void CompileSelect(Stmt& s);
    void CompileFor(Stmt& s);
    void LoadBinding(const Binding& b, SourcePosition pos);
    void CompileForEach(Stmt& s);
    void CompileDo(Stmt& s);

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
    mutable int m_barrier = -1;
    SourcePosition m_stmtPos{1, 1};
};

} // namespace quillora::vbs::detail
