// The parser: declarations and statements by recursive descent, one function a rule.
#include "vbscript/Parser.h"

#include "core/Cp1252.h"
#include "vbscript/Convert.h"
#include "vbscript/ParserImpl.h"

namespace quillora::vbs {

namespace detail {

// top-declaration := [Public [Default] | Private] (sub | function | property | vars | const)
//                  | sub | function | class
bool Parser::TopLevelDeclaration(ProgramAst& program) {
    if (At(Tok::KwClass)) {
        program.classes.push_back(ClassDeclaration());
        return true;
    }
    if (At(Tok::KwSub) || At(Tok::KwFunction)) {
        program.procs.push_back(Procedure(true, false));
        return true;
    }
    if (AtName("property")) Fail(Err::InsideClass);
    if (At(Tok::KwPublic) || At(Tok::KwPrivate)) {
        const bool isPublic = At(Tok::KwPublic);
        const Token after = Peek();
        if (after.kind == Tok::KwSub || after.kind == Tok::KwFunction ||
            (after.kind == Tok::Name && EqualsNoCase(ToUtf8(after.text), "default"))) {
            Next();
            bool isDefault = false;
            if (AtName("default")) {
                Fail(Err::InsideClass);
            }
            program.procs.push_back(Procedure(isPublic, isDefault));
            return true;
        }
        if (after.kind == Tok::Name && EqualsNoCase(ToUtf8(after.text), "property")) {
            Next();
            Fail(Err::InsideClass);
        }
        if (after.kind == Tok::KwConst) {
            Next();
            program.body.push_back(ConstStatement());
            return true;
        }
        Next();
        auto s = std::make_unique<Stmt>();
        s->kind = Stmt::Dim;
        s->pos = Pos();
        s->isPublic = isPublic;
        VarList(s->decls, false);
        program.body.push_back(std::move(s));
        return true;
    }
    return false;
}

// class := Class name NL { member } End Class
// member := (Public | Private | Dim) vars | [Public [Default] | Private] procedure
std::unique_ptr<ClassDecl> Parser::ClassDeclaration() {
    auto cls = std::make_unique<ClassDecl>();
    cls->pos = Pos();
    Next();
    cls->name = Identifier();
    // A member may follow the name on the same line: `Class K Public v End Class`.
    if (!At(Tok::KwPublic) && !At(Tok::KwPrivate) && !At(Tok::KwDim) && !At(Tok::KwSub) &&
        !At(Tok::KwFunction))
        ExpectNewLineBlock();
    m_inClass = true;
    while (!At(Tok::KwEnd)) {
        if (At(Tok::End)) Fail(Err::ExpectedEnd);
        bool isPublic = true, isDefault = false, scoped = false;
        if (At(Tok::KwPublic) || At(Tok::KwPrivate)) {
            isPublic = At(Tok::KwPublic);
            scoped = true;
            Next();
            if (AtName("default")) {
                if (!isPublic) Fail(Err::DefaultPublic);
                isDefault = true;
                Next();
                if (!At(Tok::KwSub) && !At(Tok::KwFunction) && !AtName("property"))
                    Fail(Err::DefaultOnlyOn);
            }
        } else if (AtName("default")) {
            Fail(Err::DefaultPublic); // Default alone: it needs Public before it
        }
        if (At(Tok::KwSub) || At(Tok::KwFunction) || AtName("property")) {
            cls->procs.push_back(Procedure(isPublic, isDefault));
            if (isDefault && cls->procs.back()->kind != ProcDecl::PropertyGet &&
                cls->procs.back()->kind != ProcDecl::Function &&
                cls->procs.back()->kind != ProcDecl::Sub)
                FailAt(Err::DefaultGetOnly, cls->procs.back()->pos);
        } else if (At(Tok::KwDim) || scoped) {
            if (At(Tok::KwDim)) Next();
            std::vector<VarDecl> decls;
            VarList(decls, false);
            for (auto& d : decls) {
                cls->fields.push_back(std::move(d));
                cls->fieldPublic.push_back(isPublic);
            }
        } else {
            Fail(Err::ExpectedStatement);
        }
        EndOfStatement();
    }
    m_inClass = false;
    Next();
    if (!At(Tok::KwClass)) Fail(Err::ExpectedClass);
    Next();
    return cls;
}

// procedure := (Sub | Function | Property (Get | Let | Set)) name [params] NL body
//              End (Sub | Function | Property)
std::unique_ptr<ProcDecl> Parser::Procedure(bool isPublic, bool isDefault) {
    auto proc = std::make_unique<ProcDecl>();
    proc->isPublic = isPublic;
    proc->isDefault = isDefault;
    proc->pos = Pos();
    Tok endKind = Cur().kind;
    if (At(Tok::KwSub)) {
        proc->kind = ProcDecl::Sub;
    } else if (At(Tok::KwFunction)) {
        proc->kind = ProcDecl::Function;
    } else {
        Next();
        if (AtName("get"))
            proc->kind = ProcDecl::PropertyGet;
        else if (AtName("let"))
            proc->kind = ProcDecl::PropertyLet;
        else if (At(Tok::KwSet))
            proc->kind = ProcDecl::PropertySet;
        else
            Fail(Err::ExpectedLetSetGet);
        endKind = Tok::Name;
    }
    Next();
    proc->name = Identifier();
    if (At(Tok::LParen)) {
        Next();
        while (!At(Tok::RParen)) {
            Param p;
            if (At(Tok::KwByVal)) {
                p.byVal = true;
                Next();
            } else if (At(Tok::KwByRef)) {
                Next();
            }
            p.name = Identifier();
            if (At(Tok::LParen)) {
                Next();
                Expect(Tok::RParen, Err::ExpectedRParen);
                p.isArray = true;
            }
            proc->params.push_back(std::move(p));
            if (!At(Tok::Comma)) break;
            Next();
        }
        Expect(Tok::RParen, Err::ExpectedRParen);
    }
    if ((proc->kind == ProcDecl::PropertyLet || proc->kind == ProcDecl::PropertySet) &&
        proc->params.empty())
        Fail(Err::LetNeedsArg);
    EndOfParenthesisedHeader();
    m_procKind = proc->kind;
    m_inProc = true;
    m_loops.clear();
    proc->body = BlockUntilEnd();
    m_inProc = false;
    // End Sub / End Function / End Property
    Next();
    if (endKind == Tok::KwSub && !At(Tok::KwSub)) Fail(Err::ExpectedSub);
    if (endKind == Tok::KwFunction && !At(Tok::KwFunction)) Fail(Err::ExpectedFunction);
    if (endKind == Tok::Name && !AtName("property")) Fail(Err::ExpectedProperty);
    Next();
    return proc;
}

// vars := var { , var }    var := name [ ( [bounds] ) ]
void Parser::VarList(std::vector<VarDecl>& decls, bool redim) {
    while (true) {
        VarDecl d;
        d.pos = Pos();
        d.name = Identifier();
        if (At(Tok::LParen)) {
            Next();
            d.isArray = true;
            if (!At(Tok::RParen)) {
                while (true) {
                    if (redim) {
                        d.dims.push_back(Expression());
                    } else {
                        if (!At(Tok::Literal) || !IsNumericValue(Cur().literal) ||
                            Cur().literal.IsString())
                            Fail(Err::ExpectedInteger);
                        auto e = MakeExpr(Expr::Literal);
                        e->value = Cur().literal;
                        Next();
                        d.dims.push_back(std::move(e));
                    }
                    if (!At(Tok::Comma)) break;
                    Next();
                }
            }
            Expect(Tok::RParen, Err::ExpectedRParen);
        } else if (redim) {
            Fail(Err::ExpectedLParen);
        }
        decls.push_back(std::move(d));
        if (!At(Tok::Comma)) break;
        Next();
    }
}

// block := { statement separators } up to a closing keyword
Block Parser::BlockUntil(std::initializer_list<Tok> closers) {
    DepthGuard guard(*this);
    Block block;
    SkipSeparators();
    while (true) {
        if (At(Tok::End)) return block;
        for (Tok t : closers)
            if (At(t)) return block;
        block.push_back(Statement());
        EndOfStatement();
    }
}

Block Parser::BlockUntilEnd() {
    Block b = BlockUntil({Tok::KwEnd});
    if (!At(Tok::KwEnd)) Fail(Err::ExpectedEnd);
    return b;
}

StmtPtr Parser::NewStmt(Stmt::Kind kind) {
    auto s = std::make_unique<Stmt>();
    s->kind = kind;
    s->pos = Pos();
    return s;
}

// statement := dim | redim | const | if | select | for | do | while | exit | on-error
//            | erase | with | set | call | assignment | call-statement
StmtPtr Parser::Statement() {
    DepthGuard guard(*this);
    switch (Cur().kind) {
    case Tok::KwDim: {
        auto s = NewStmt(Stmt::Dim);
        Next();
        VarList(s->decls, false);
        return s;
    }
    case Tok::KwReDim: {
        auto s = NewStmt(Stmt::ReDim);
        Next();
        if (AtName("preserve")) {
            s->preserve = true;
            Next();
        }
        VarList(s->decls, true);
        return s;
    }
    case Tok::KwConst: return ConstStatement();
    case Tok::KwPublic:
    case Tok::KwPrivate:
        if (m_inProc) Fail(Err::ExpectedStatement);
        {
            auto s = NewStmt(Stmt::Dim);
            s->isPublic = At(Tok::KwPublic);
            Next();
            if (At(Tok::KwConst)) return ConstStatement();
            VarList(s->decls, false);
            return s;
        }
    case Tok::KwIf: return IfStatement();
    case Tok::KwSelect: return SelectStatement();
    case Tok::KwFor: return ForStatement();
    case Tok::KwDo: return DoStatement();
    case Tok::KwWhile: return WhileStatement();
    case Tok::KwExit: return ExitStatement();
    case Tok::KwOn: return OnErrorStatement();
    case Tok::KwWith: return WithStatement();
    case Tok::KwSet: {
        auto s = NewStmt(Stmt::SetAssign);
        Next();
        s->target = Chain(true);
        Expect(Tok::Eq, Err::ExpectedEquals);
        s->value = Expression();
        return s;
    }
    case Tok::KwCall: {
        auto s = NewStmt(Stmt::CallStmt);
        Next();
        s->target = Chain(true);
        return s;
    }
    case Tok::KwSub:
    case Tok::KwFunction:
    case Tok::KwClass: Fail(Err::Syntax);
    case Tok::KwNext: Fail(Err::UnexpectedNext);
    case Tok::KwLoop: Fail(Err::LoopWithoutDo);
    case Tok::KwOption: Fail(Err::MustBeFirst);
    case Tok::Name:
        if (AtName("erase")) {
            auto s = NewStmt(Stmt::Erase);
            Next();
            s->target = Chain(true);
            return s;
        }
        if (AtName("stop") &&
            (Peek().kind == Tok::NewLine || Peek().kind == Tok::Colon || Peek().kind == Tok::End)) {
            auto s = NewStmt(Stmt::Nothing_);
            Next();
            return s;
        }
        if (AtName("let") && (Peek().kind == Tok::Name || Peek().kind == Tok::Dot)) Next();
        if (AtName("property")) Fail(Err::InsideClass);
        return SimpleStatement();
    case Tok::Dot:
    case Tok::KwMe: return SimpleStatement();
    default: Fail(Err::ExpectedStatement);
    }
}

// const := Const name = literal-expression { , name = literal-expression }
StmtPtr Parser::ConstStatement() {
    auto s = NewStmt(Stmt::Const);
    Next();
    while (true) {
        std::u16string name = Identifier();
        Expect(Tok::Eq, Err::ExpectedEquals);
        ExprPtr value = Expression();
        if (const Expr* bad = NonLiteralPart(*value)) FailAt(Err::ExpectedLiteral, bad->pos);
        s->consts.emplace_back(std::move(name), std::move(value));
        if (!At(Tok::Comma)) break;
        Next();
    }
    return s;
}

// A constant is a single literal, perhaps negated: no names, no operators between values.
// Gives the first part that breaks this, where the error is reported.
const Expr* Parser::NonLiteralPart(const Expr& e) {
    switch (e.kind) {
    case Expr::Literal: return nullptr;
    case Expr::Paren:
    case Expr::Unary: return NonLiteralPart(*e.left);
    case Expr::Binary: {
        const Expr* left = NonLiteralPart(*e.left);
        return left ? left : &e;
    }
    default: return &e;
    }
}

// assignment := chain = expression
// call-statement := chain [ argument { , argument } ]
StmtPtr Parser::SimpleStatement() {
    const SourcePosition pos = Pos();
    const size_t start = m_pos;
    size_t lastParen = 0;
    m_spacedParen = 0;
    ExprPtr lhs = Chain(true, &lastParen);
    const size_t spacedParen = m_spacedParen;
    if (At(Tok::Eq)) {
        auto s = std::make_unique<Stmt>();
        s->kind = Stmt::Assign;
        s->pos = pos;
        Next();
        s->target = std::move(lhs);
        s->value = Expression();
        return s;
    }
    auto s = std::make_unique<Stmt>();
    s->kind = Stmt::CallStmt;
    s->pos = pos;
    if (spacedParen && spacedParen != lastParen) {
        // `Echo (f)(4)` and `Echo (a).b`: the spaced parenthesis opens the first argument.
        m_pos = start;
        auto call = MakeExpr(Expr::Call);
        call->left = Chain(true, nullptr, spacedParen);
        call->pos = call->left->pos;
        ArgumentList(call->args);
        s->target = std::move(call);
        return s;
    }
    if (AtEndOfStatement()) {
        if (lhs->kind == Expr::Call && lhs->parens) {
            if (lhs->args.size() > 1) FailAt(Err::ParenthesesInSubCall, pos);
            if (lhs->args.size() == 1 && lhs->args[0]) {
                // `Foo (x)`: the one argument is a parenthesised expression, passed by value.
                auto paren = MakeExpr(Expr::Paren);
                paren->pos = lhs->args[0]->pos;
                paren->left = std::move(lhs->args[0]);
                lhs->args[0] = std::move(paren);
            }
            lhs->parens = false;
        }
        s->target = std::move(lhs);
        return s;
    }
    // Arguments without parentheses; a trailing parenthesised group starts the first one.
    ExprPtr callee;
    if (lhs->kind == Expr::Call && lhs->parens && lastParen) {
        m_pos = lastParen;
        callee = std::move(lhs->left);
    } else {
        callee = std::move(lhs);
    }
    auto call = MakeExpr(Expr::Call);
    call->pos = callee->pos;
    call->left = std::move(callee);
    ArgumentList(call->args);
    s->target = std::move(call);
    return s;
}

// arguments := [expression] { , [expression] }
void Parser::ArgumentList(std::vector<ExprPtr>& args) {
    while (true) {
        if (At(Tok::Comma)) {
            args.push_back(nullptr);
        } else {
            args.push_back(Expression());
        }
        if (!At(Tok::Comma)) break;
        Next();
        if (AtEndOfStatement()) {
            args.push_back(nullptr);
            break;
        }
    }
}

// if := If expression Then (NL block {ElseIf expression Then block} [Else block] End If
//                          | statements [Else statements])
StmtPtr Parser::IfStatement() {
    const size_t start = m_pos;
    auto s = NewStmt(Stmt::If);
    Next();
    s->cond = Expression();
    Expect(Tok::KwThen, Err::ExpectedThen);
    if (!At(Tok::NewLine) && !At(Tok::Colon) && !At(Tok::End)) return SingleLineIf(std::move(s));
    if (!At(Tok::Colon)) return BlockIf(std::move(s));
    // After `Then :` a statement on the same line makes a one-line If (`If c Then : x = 1`).
    size_t after = m_pos;
    while (TokenAt(after).kind == Tok::Colon)
        ++after;
    const Tok next = TokenAt(after).kind;
    if ((next != Tok::NewLine && next != Tok::End) || m_retriedTokens > kMaxRetriedTokens ||
        m_ifAttempts >= kMaxIfAttempts)
        return SingleLineIf(std::move(s));
    // With nothing after the colon it is a block when an End If closes it, else an empty
    // one-line If.
    const int singleLineIf = m_singleLineIf;
    const std::vector<char> loops = m_loops;
    ++m_ifAttempts;
    try {
        StmtPtr block = BlockIf(std::move(s));
        --m_ifAttempts;
        return block;
    } catch (const ScriptError&) {
        --m_ifAttempts;
        m_retriedTokens += m_pos - start;
        m_pos = start;
        m_singleLineIf = singleLineIf;
        m_loops = loops;
    }
    s = NewStmt(Stmt::If);
    Next();
    s->cond = Expression();
    Next();
    return SingleLineIf(std::move(s));
}

StmtPtr Parser::SingleLineIf(StmtPtr s) {
    ++m_singleLineIf;
    s->body = InlineStatements();
    if (At(Tok::KwElse)) {
        Next();
        s->elseBody = InlineStatements();
    }
    --m_singleLineIf;
    if (At(Tok::KwEnd) && Peek().kind == Tok::KwIf) {
        Next();
        Next();
    }
    return s;
}

StmtPtr Parser::BlockIf(StmtPtr s) {
    s->body = BlockUntil({Tok::KwElseIf, Tok::KwElse, Tok::KwEnd});
    while (At(Tok::KwElseIf)) {
        ElseIfClause clause;
        clause.pos = Pos();
        Next();
        clause.cond = Expression();
        Expect(Tok::KwThen, Err::ExpectedThen);
        clause.body = BlockUntil({Tok::KwElseIf, Tok::KwElse, Tok::KwEnd});
        s->elseIfs.push_back(std::move(clause));
    }
    if (At(Tok::KwElse)) {
        Next();
        s->elseBody = BlockUntil({Tok::KwEnd});
    }
    if (!At(Tok::KwEnd)) Fail(Err::ExpectedEnd);
    Next();
    Expect(Tok::KwIf, Err::ExpectedIf);
    return s;
}

// statements := statement { : statement } (up to the end of the line or Else)
Block Parser::InlineStatements() {
    Block block;
    while (true) {
        if (At(Tok::NewLine) || At(Tok::End) || At(Tok::KwElse)) break;
        if (At(Tok::Colon)) {
            Next();
            continue;
        }
        if (At(Tok::KwEnd) && Peek().kind == Tok::KwIf) break;
        block.push_back(Statement());
        if (!At(Tok::Colon) && !At(Tok::NewLine) && !At(Tok::End) && !At(Tok::KwElse) &&
            !(At(Tok::KwEnd) && Peek().kind == Tok::KwIf))
            Fail(Err::ExpectedEndOfStatement);
    }
    return block;
}

// select := Select Case expression NL { Case (Else | expression {, expression}) block }
//           End Select
StmtPtr Parser::SelectStatement() {
    auto s = NewStmt(Stmt::Select);
    Next();
    Expect(Tok::KwCase, Err::ExpectedCase);
    s->value = Expression();
    ExpectNewLineBlock();
    bool sawElse = false;
    while (At(Tok::KwCase)) {
        if (sawElse) Fail(Err::ExpectedEnd);
        CaseClause clause;
        clause.pos = Pos();
        Next();
        if (At(Tok::KwElse)) {
            Next();
            sawElse = true;
        } else {
            while (true) {
                clause.values.push_back(Expression());
                if (!At(Tok::Comma)) break;
                Next();
            }
        }
        // A statement may follow the label directly: `Case 1 x = 2`.
        if (!At(Tok::NewLine) && !At(Tok::Colon) && !AtStatementStart())
            Fail(Err::ExpectedEndOfStatement);
        clause.body = BlockUntil({Tok::KwCase, Tok::KwEnd});
        s->cases.push_back(std::move(clause));
    }
    if (!At(Tok::KwEnd)) Fail(Err::ExpectedEnd);
    Next();
    Expect(Tok::KwSelect, Err::ExpectedSelect);
    return s;
}

// for := For name = expression To expression [Step expression] NL block Next
//      | For Each name In expression NL block Next
StmtPtr Parser::ForStatement() {
    const SourcePosition pos = Pos();
    Next();
    if (At(Tok::KwEach)) {
        auto s = std::make_unique<Stmt>();
        s->kind = Stmt::ForEach;
        s->pos = pos;
        Next();
        s->target = MakeName(Identifier());
        Expect(Tok::KwIn, Err::ExpectedIn);
        s->value = Expression();
        LoopBody(*s, 'F');
        return s;
    }
    auto s = std::make_unique<Stmt>();
    s->kind = Stmt::For;
    s->pos = pos;
    if (!At(Tok::Name)) Fail(Err::InvalidForVariable);
    s->target = MakeName(Identifier());
    Expect(Tok::Eq, Err::ExpectedEquals);
    s->from = Expression();
    Expect(Tok::KwTo, Err::ExpectedTo);
    s->to = Expression();
    if (AtName("step")) {
        Next();
        s->step = Expression();
    }
    LoopBody(*s, 'F');
    return s;
}

void Parser::LoopBody(Stmt& s, char kind) {
    EndOfHeader();
    m_loops.push_back(kind);
    s.body = BlockUntil({Tok::KwNext});
    m_loops.pop_back();
    if (!At(Tok::KwNext)) Fail(Err::ExpectedNext);
    s.loopPos = Pos();
    Next();
}

// do := Do [(While | Until) expression] NL block Loop [(While | Until) expression]
StmtPtr Parser::DoStatement() {
    auto s = NewStmt(Stmt::Do);
    Next();
    if (At(Tok::KwWhile) || At(Tok::KwUntil)) {
        s->isUntil = At(Tok::KwUntil);
        Next();
        s->cond = Expression();
        EndOfHeader();
    } else if (!At(Tok::NewLine) && !At(Tok::Colon)) {
        Fail(Err::ExpectedWhileUntilEnd);
    }
    m_loops.push_back('D');
    s->body = BlockUntil({Tok::KwLoop});
    m_loops.pop_back();
    if (!At(Tok::KwLoop)) Fail(Err::ExpectedLoop);
    s->loopPos = Pos();
    Next();
    if (At(Tok::KwWhile) || At(Tok::KwUntil)) {
        if (s->cond) Fail(Err::ExpectedEndOfStatement);
        s->testAtTop = false;
        s->isUntil = At(Tok::KwUntil);
        Next();
        s->cond = Expression();
    }
    return s;
}

// while := While expression NL block Wend
StmtPtr Parser::WhileStatement() {
    auto s = NewStmt(Stmt::While);
    Next();
    s->cond = Expression();
    EndOfHeader();
    m_loops.push_back('W');
    s->body = BlockUntil({Tok::KwWend});
    m_loops.pop_back();
    if (!At(Tok::KwWend)) Fail(Err::ExpectedWend);
    Next();
    return s;
}

// exit := Exit (Do | For | Sub | Function | Property)
StmtPtr Parser::ExitStatement() {
    auto s = NewStmt(Stmt::Exit);
    Next();
    auto inLoop = [&](char k) {
        for (char c : m_loops)
            if (c == k) return true;
        return false;
    };
    if (At(Tok::KwDo)) {
        if (!inLoop('D')) Fail(Err::InvalidExit);
        s->exitKind = Stmt::ExitDo;
    } else if (At(Tok::KwFor)) {
        if (!inLoop('F')) Fail(Err::InvalidExit);
        s->exitKind = Stmt::ExitFor;
    } else if (At(Tok::KwSub)) {
        if (!m_inProc || m_procKind != ProcDecl::Sub) Fail(Err::InvalidExit);
        s->exitKind = Stmt::ExitSub;
    } else if (At(Tok::KwFunction)) {
        if (!m_inProc || m_procKind != ProcDecl::Function) Fail(Err::InvalidExit);
        s->exitKind = Stmt::ExitFunction;
    } else if (AtName("property")) {
        if (!m_inProc || m_procKind < ProcDecl::PropertyGet) Fail(Err::InvalidExit);
        s->exitKind = Stmt::ExitProperty;
    } else {
        Fail(Err::Syntax);
    }
    Next();
    return s;
}

// on-error := On Error (Resume Next | GoTo 0)
StmtPtr Parser::OnErrorStatement() {
    auto s = NewStmt(Stmt::OnErrorResumeNext);
    Next();
    if (!AtName("error")) Fail(Err::Syntax);
    Next();
    if (AtName("resume")) {
        Next();
        if (!At(Tok::KwNext)) Fail(Err::Syntax);
        Next();
        return s;
    }
    if (AtName("goto")) {
        Next();
        if (!At(Tok::Literal) || Cur().literal.GetType() != Type::Integer ||
            Cur().literal.AsInt() != 0)
            Fail(Err::Syntax);
        Next();
        s->kind = Stmt::OnErrorGoto0;
        return s;
    }
    Fail(Err::Syntax);
}

// with := With expression NL block End With
StmtPtr Parser::WithStatement() {
    auto s = NewStmt(Stmt::With);
    Next();
    s->value = Expression();
    EndOfHeader();
    s->body = BlockUntilEnd();
    Next();
    Expect(Tok::KwWith, Err::ExpectedWith);
    return s;
}

} // namespace detail

ProgramAst ParseProgram(std::u16string_view source, int firstLine) {
    detail::Parser parser(source, firstLine);
    return parser.Program();
}

ProgramAst ParseProgramStatements(std::u16string_view source, int firstLine,
                                  const std::function<void(StmtPtr)>& sink, bool keepDeclarations) {
    detail::Parser parser(source, firstLine);
    parser.StreamStatements(&sink, keepDeclarations);
    return parser.Program();
}

ExprPtr ParseExpression(std::u16string_view source) {
    detail::Parser parser(source, 1);
    return parser.WholeExpression();
}

} // namespace quillora::vbs
