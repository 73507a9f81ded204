// The syntax tree the parser builds and the compiler walks.
#pragma once

#include "vbscript/Errors.h"
#include "vbscript/Value.h"

#include <memory>
#include <string>
#include <vector>

namespace quillora::vbs {

enum class BinOp : uint8_t {
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    Pow,
    Concat,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
};
enum class UnOp : uint8_t { Neg, Not };

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
    enum Kind : uint8_t {
        Literal, // value
        Name,    // name
        Member,  // left.name (left null: the object of the enclosing With)
        Call,    // left(args): a call or an index; `parens` tells whether parentheses were written
        Unary,   // unop left
        Binary,  // left binop right
        New,     // New name
        Me,
        Paren, // (left): passes by value
    } kind;
    SourcePosition pos;
    Value value;
    std::u16string name; // as written
    BinOp binop = BinOp::Add;
    UnOp unop = UnOp::Neg;
    bool parens = false;
    ExprPtr left, right;
    std::vector<ExprPtr> args; // a null entry is an omitted argument

    Expr() = default;
    Expr(const Expr&) = delete;
    Expr& operator=(const Expr&) = delete;
    // A long operator chain nests down its left side: unlink it in a loop, not by recursion.
    ~Expr() {
        while (left && left->left) {
            ExprPtr next = std::move(left->left);
            left = std::move(next);
        }
    }
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

// One name of a Dim, ReDim, Public or Private statement.
struct VarDecl {
    std::u16string name;
    SourcePosition pos;
    bool isArray = false;      // written with parentheses
    std::vector<ExprPtr> dims; // bounds (Dim: integer literals; ReDim: expressions)
};

struct ElseIfClause {
    ExprPtr cond;
    Block body;
    SourcePosition pos; // of the ElseIf keyword
};

struct CaseClause {
    std::vector<ExprPtr> values; // empty: Case Else
    Block body;
    SourcePosition pos;
};

struct Stmt {
    enum Kind : uint8_t {
        CallStmt,  // expr: a call (target with args)
        Assign,    // target = value
        SetAssign, // Set target = value
        Dim,       // decls (local or global)
        ReDim,     // decls, preserve
        Const,     // consts
        If,        // cond, body, elseIfs, elseBody
        Select,    // value, cases
        For,       // var, from, to, step, body
        ForEach,   // var, value(collection), body
        Do,        // cond (may be null), testAtTop, isUntil, body
        While,     // cond, body
        Exit,      // exitKind
        OnErrorResumeNext,
        OnErrorGoto0,
        Erase,    // target
        With,     // value, body
        Nothing_, // no-op (Stop, Option Explicit already handled)
    } kind;
    SourcePosition pos;
    SourcePosition loopPos; // Do, For: the Loop or Next keyword, where the loop is closed
    ExprPtr target, value, cond, from, to, step;
    std::vector<VarDecl> decls;
    bool preserve = false;
    std::vector<std::pair<std::u16string, ExprPtr>> consts;
    Block body, elseBody;
    std::vector<ElseIfClause> elseIfs;
    std::vector<CaseClause> cases;
    bool testAtTop = true, isUntil = false;
    enum ExitKind : uint8_t {
        ExitDo,
        ExitFor,
        ExitSub,
        ExitFunction,
        ExitProperty
    } exitKind = ExitDo;
    bool isPublic = false; // for class-level and global Dim/Public/Private
};

struct Param {
    std::u16string name;
    bool byVal = false;
    bool isArray = false; // written as name()
};

struct ProcDecl {
    enum Kind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet } kind = Sub;
    std::u16string name;
    SourcePosition pos;
    std::vector<Param> params;
    Block body;
    bool isPublic = true;
    bool isDefault = false;
};

struct ClassDecl {
    std::u16string name;
    SourcePosition pos;
    std::vector<VarDecl> fields;
    std::vector<bool> fieldPublic;
    std::vector<std::unique_ptr<ProcDecl>> procs;
};

// One compilation unit: top-level code with its procedures and classes in source order.
struct ProgramAst {
    bool optionExplicit = false;
    Block body;
    std::vector<std::unique_ptr<ProcDecl>> procs;
    std::vector<std::unique_ptr<ClassDecl>> classes;
};

} // namespace quillora::vbs
