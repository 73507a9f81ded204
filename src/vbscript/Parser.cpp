// The parser: statements, declarations and expressions by recursive descent, one function a rule.
#include "vbscript/Parser.h"

#include "core/Cp1252.h"
#include "vbscript/Convert.h"
#include "vbscript/Operators.h"

namespace quillora::vbs {

namespace {

constexpr int kMaxNesting = 400;
constexpr int kMaxExprDepth = 3000;

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : m_toks(std::move(tokens)) {}

    // program := { separator } { (option | declaration | statement) separators }
    ProgramAst Program() {
        ProgramAst program;
        m_program = &program;
        SkipSeparators();
        while (!At(Tok::End)) {
            if (At(Tok::KwOption)) {
                Next();
                if (!AtName("explicit")) Fail(Err::ExpectedIdentifier);
                Next();
                program.optionExplicit = true;
            } else if (!TopLevelDeclaration(program)) {
                program.body.push_back(Statement());
            }
            EndOfStatement();
        }
        return program;
    }

    // expression-text := expr End
    ExprPtr WholeExpression() {
        while (At(Tok::NewLine)) Next();
        ExprPtr e = Expression();
        while (At(Tok::NewLine)) Next();
        if (!At(Tok::End)) Fail(Err::ExpectedEndOfStatement);
        return e;
    }

private:
    // ---- token helpers ------------------------------------------------------------------
    const Token& Cur() const { return m_toks[m_pos]; }
    const Token& Peek(size_t n = 1) const {
        return m_toks[std::min(m_pos + n, m_toks.size() - 1)];
    }
    bool At(Tok kind) const { return Cur().kind == kind; }
    bool AtName(const char* lowerName) const {
        return At(Tok::Name) && ToUtf8(LowerText(Cur().text)) == lowerName;
    }
    void Next() {
        if (m_pos + 1 < m_toks.size()) ++m_pos;
    }
    SourcePosition Pos() const { return {Cur().line, Cur().column}; }
    [[noreturn]] void Fail(int number) const { FailAt(number, Pos()); }
    [[noreturn]] static void FailAt(int number, SourcePosition pos) {
        ScriptError e(number, ErrorDescription(number), kCompileSource);
        e.SetCompilation(true);
        e.SetPosition(pos);
        throw e;
    }
    void Expect(Tok kind, int error) {
        if (!At(kind)) Fail(error);
        Next();
    }
    bool AtEndOfStatement() const {
        return At(Tok::NewLine) || At(Tok::Colon) || At(Tok::End) || (m_singleLineIf > 0 && At(Tok::KwElse));
    }
    void EndOfStatement() {
        if (At(Tok::End)) return;
        if (!At(Tok::NewLine) && !At(Tok::Colon)) Fail(Err::ExpectedEndOfStatement);
        SkipSeparators();
    }
    void SkipSeparators() {
        while (At(Tok::NewLine) || At(Tok::Colon)) Next();
    }
    void ExpectNewLineBlock() {
        if (!At(Tok::NewLine) && !At(Tok::Colon)) Fail(Err::ExpectedEndOfStatement);
        SkipSeparators();
    }
    // name := Name (reserved words are refused)
    std::u16string Identifier() {
        if (!At(Tok::Name)) Fail(Err::ExpectedIdentifier);
        std::u16string n = Cur().text;
        Next();
        return n;
    }
    // member-name := Name | any reserved word (after a dot)
    std::u16string MemberName() {
        if (At(Tok::Name) || Cur().kind >= Tok::KwAnd) {
            std::u16string n = Cur().text;
            Next();
            return n;
        }
        Fail(Err::ExpectedIdentifier);
    }
    struct DepthGuard {
        Parser& p;
        explicit DepthGuard(Parser& parser) : p(parser) {
            if (++p.m_depth > kMaxNesting) p.Fail(Err::OutOfMemory);
        }
        ~DepthGuard() { --p.m_depth; }
    };

    // ---- declarations -------------------------------------------------------------------

    // top-declaration := [Public [Default] | Private] (sub | function | property | vars | const)
    //                  | sub | function | class
    bool TopLevelDeclaration(ProgramAst& program) {
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
            const Token& after = Peek();
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
    std::unique_ptr<ClassDecl> ClassDeclaration() {
        auto cls = std::make_unique<ClassDecl>();
        cls->pos = Pos();
        Next();
        cls->name = Identifier();
        ExpectNewLineBlock();
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
            }
            if (At(Tok::KwSub) || At(Tok::KwFunction) || AtName("property")) {
                cls->procs.push_back(Procedure(isPublic, isDefault));
                if (isDefault && cls->procs.back()->kind != ProcDecl::PropertyGet &&
                    cls->procs.back()->kind != ProcDecl::Function && cls->procs.back()->kind != ProcDecl::Sub)
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
        Next();
        if (!At(Tok::KwClass)) Fail(Err::ExpectedClass);
        Next();
        return cls;
    }

    // procedure := (Sub | Function | Property (Get | Let | Set)) name [params] NL body
    //              End (Sub | Function | Property)
    std::unique_ptr<ProcDecl> Procedure(bool isPublic, bool isDefault) {
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
            if (AtName("get")) proc->kind = ProcDecl::PropertyGet;
            else if (AtName("let")) proc->kind = ProcDecl::PropertyLet;
            else if (At(Tok::KwSet)) proc->kind = ProcDecl::PropertySet;
            else Fail(Err::ExpectedLetSetGet);
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
    void VarList(std::vector<VarDecl>& decls, bool redim) {
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

    // ---- statements ---------------------------------------------------------------------

    // block := { statement separators } up to a closing keyword
    Block BlockUntil(std::initializer_list<Tok> closers) {
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
    Block BlockUntilEnd() {
        Block b = BlockUntil({Tok::KwEnd});
        if (!At(Tok::KwEnd)) Fail(Err::ExpectedEnd);
        return b;
    }

    StmtPtr NewStmt(Stmt::Kind kind) {
        auto s = std::make_unique<Stmt>();
        s->kind = kind;
        s->pos = Pos();
        return s;
    }

    // statement := dim | redim | const | if | select | for | do | while | exit | on-error
    //            | erase | with | set | call | assignment | call-statement
    StmtPtr Statement() {
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
        case Tok::KwConst:
            return ConstStatement();
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
        case Tok::KwIf:
            return IfStatement();
        case Tok::KwSelect:
            return SelectStatement();
        case Tok::KwFor:
            return ForStatement();
        case Tok::KwDo:
            return DoStatement();
        case Tok::KwWhile:
            return WhileStatement();
        case Tok::KwExit:
            return ExitStatement();
        case Tok::KwOn:
            return OnErrorStatement();
        case Tok::KwWith:
            return WithStatement();
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
        case Tok::KwClass:
            Fail(Err::Syntax);
        case Tok::KwNext:
            Fail(Err::UnexpectedNext);
        case Tok::KwLoop:
            Fail(Err::LoopWithoutDo);
        case Tok::KwOption:
            Fail(Err::MustBeFirst);
        case Tok::Name:
            if (AtName("erase")) {
                auto s = NewStmt(Stmt::Erase);
                Next();
                s->target = Chain(true);
                return s;
            }
            if (AtName("stop") && (Peek().kind == Tok::NewLine || Peek().kind == Tok::Colon || Peek().kind == Tok::End)) {
                auto s = NewStmt(Stmt::Nothing_);
                Next();
                return s;
            }
            if (AtName("let") && (Peek().kind == Tok::Name || Peek().kind == Tok::Dot)) Next();
            if (AtName("property")) Fail(Err::InsideClass);
            return SimpleStatement();
        case Tok::Dot:
        case Tok::KwMe:
            return SimpleStatement();
        default:
            Fail(Err::ExpectedStatement);
        }
    }

    // const := Const name = literal-expression { , name = literal-expression }
    StmtPtr ConstStatement() {
        auto s = NewStmt(Stmt::Const);
        Next();
        while (true) {
            std::u16string name = Identifier();
            Expect(Tok::Eq, Err::ExpectedEquals);
            ExprPtr value = Expression();
            if (!IsConstantExpr(*value)) FailAt(Err::ExpectedLiteral, value->pos);
            s->consts.emplace_back(std::move(name), std::move(value));
            if (!At(Tok::Comma)) break;
            Next();
        }
        return s;
    }
    static bool IsConstantExpr(const Expr& e) {
        if (e.kind == Expr::Literal) return true;
        if (e.kind == Expr::Paren) return IsConstantExpr(*e.left);
        if (e.kind == Expr::Unary) return IsConstantExpr(*e.left);
        if (e.kind == Expr::Binary) return IsConstantExpr(*e.left) && IsConstantExpr(*e.right);
        return false;
    }

    // assignment := chain = expression
    // call-statement := chain [ argument { , argument } ]
    StmtPtr SimpleStatement() {
        const SourcePosition pos = Pos();
        size_t lastParen = 0;
        ExprPtr lhs = Chain(true, &lastParen);
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
    void ArgumentList(std::vector<ExprPtr>& args) {
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
    StmtPtr IfStatement() {
        auto s = NewStmt(Stmt::If);
        Next();
        s->cond = Expression();
        Expect(Tok::KwThen, Err::ExpectedThen);
        if (!At(Tok::NewLine) && !At(Tok::Colon) && !At(Tok::End)) {
            // Single-line form.
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
        s->body = BlockUntil({Tok::KwElseIf, Tok::KwElse, Tok::KwEnd});
        while (At(Tok::KwElseIf)) {
            Next();
            ExprPtr cond = Expression();
            Expect(Tok::KwThen, Err::ExpectedThen);
            Block body = BlockUntil({Tok::KwElseIf, Tok::KwElse, Tok::KwEnd});
            s->elseIfs.emplace_back(std::move(cond), std::move(body));
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
    Block InlineStatements() {
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
    StmtPtr SelectStatement() {
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
            if (!At(Tok::NewLine) && !At(Tok::Colon)) Fail(Err::ExpectedEndOfStatement);
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
    StmtPtr ForStatement() {
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
    void LoopBody(Stmt& s, char kind) {
        m_loops.push_back(kind);
        s.body = BlockUntil({Tok::KwNext});
        m_loops.pop_back();
        if (!At(Tok::KwNext)) Fail(Err::ExpectedNext);
        Next();
    }

    // do := Do [(While | Until) expression] NL block Loop [(While | Until) expression]
    StmtPtr DoStatement() {
        auto s = NewStmt(Stmt::Do);
        Next();
        if (At(Tok::KwWhile) || At(Tok::KwUntil)) {
            s->isUntil = At(Tok::KwUntil);
            Next();
            s->cond = Expression();
        } else if (!At(Tok::NewLine) && !At(Tok::Colon)) {
            Fail(Err::ExpectedWhileUntilEnd);
        }
        m_loops.push_back('D');
        s->body = BlockUntil({Tok::KwLoop});
        m_loops.pop_back();
        if (!At(Tok::KwLoop)) Fail(Err::ExpectedLoop);
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
    StmtPtr WhileStatement() {
        auto s = NewStmt(Stmt::While);
        Next();
        s->cond = Expression();
        m_loops.push_back('W');
        s->body = BlockUntil({Tok::KwWend});
        m_loops.pop_back();
        if (!At(Tok::KwWend)) Fail(Err::ExpectedWend);
        Next();
        return s;
    }

    // exit := Exit (Do | For | Sub | Function | Property)
    StmtPtr ExitStatement() {
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
    StmtPtr OnErrorStatement() {
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
            if (!At(Tok::Literal) || Cur().literal.GetType() != Type::Integer || Cur().literal.AsInt() != 0)
                Fail(Err::Syntax);
            Next();
            s->kind = Stmt::OnErrorGoto0;
            return s;
        }
        Fail(Err::Syntax);
    }

    // with := With expression NL block End With
    StmtPtr WithStatement() {
        auto s = NewStmt(Stmt::With);
        Next();
        s->value = Expression();
        s->body = BlockUntilEnd();
        Next();
        Expect(Tok::KwWith, Err::ExpectedWith);
        return s;
    }

    // ---- expressions --------------------------------------------------------------------

    ExprPtr MakeExpr(Expr::Kind kind) {
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->pos = Pos();
        return e;
    }
    ExprPtr MakeName(std::u16string name) {
        auto e = MakeExpr(Expr::Name);
        e->name = std::move(name);
        return e;
    }
    ExprPtr MakeBinary(BinOp op, ExprPtr l, ExprPtr r, SourcePosition pos) {
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Binary;
        e->pos = pos;
        e->binop = op;
        e->left = std::move(l);
        e->right = std::move(r);
        if (++m_chain > kMaxExprDepth) FailAt(Err::OutOfMemory, pos);
        return e;
    }

    // expression := imp
    ExprPtr Expression() {
        DepthGuard guard(*this);
        const int saved = m_chain; // depth of enclosing chains still counts
        ExprPtr e = ImpExpr();
        m_chain = saved;
        return e;
    }
    // imp := eqv { Imp eqv }
    ExprPtr ImpExpr() {
        ExprPtr e = EqvExpr();
        while (At(Tok::KwImp)) {
            auto pos = Pos();
            Next();
            e = MakeBinary(BinOp::Imp, std::move(e), EqvExpr(), pos);
        }
        return e;
    }
    // eqv := xor { Eqv xor }
    ExprPtr EqvExpr() {
        ExprPtr e = XorExpr();
        while (At(Tok::KwEqv)) {
            auto pos = Pos();
            Next();
            e = MakeBinary(BinOp::Eqv, std::move(e), XorExpr(), pos);
        }
        return e;
    }
    // xor := or { Xor or }
    ExprPtr XorExpr() {
        ExprPtr e = OrExpr();
        while (At(Tok::KwXor)) {
            auto pos = Pos();
            Next();
            e = MakeBinary(BinOp::Xor, std::move(e), OrExpr(), pos);
        }
        return e;
    }
    // or := and { Or and }
    ExprPtr OrExpr() {
        ExprPtr e = AndExpr();
        while (At(Tok::KwOr)) {
            auto pos = Pos();
            Next();
            e = MakeBinary(BinOp::Or, std::move(e), AndExpr(), pos);
        }
        return e;
    }
    // and := not { And not }
    ExprPtr AndExpr() {
        ExprPtr e = NotExpr();
        while (At(Tok::KwAnd)) {
            auto pos = Pos();
            Next();
            e = MakeBinary(BinOp::And, std::move(e), NotExpr(), pos);
        }
        return e;
    }
    // not := Not not | compare
    ExprPtr NotExpr() {
        if (At(Tok::KwNot)) {
            DepthGuard guard(*this);
            auto e = MakeExpr(Expr::Unary);
            e->unop = UnOp::Not;
            Next();
            e->left = NotExpr();
            return e;
        }
        return CompareExpr();
    }
    // compare := concat { (= | <> | < | > | <= | >= | Is) concat }
    ExprPtr CompareExpr() {
        ExprPtr e = ConcatExpr();
        while (true) {
            BinOp op;
            switch (Cur().kind) {
            case Tok::Eq: op = BinOp::Eq; break;
            case Tok::Ne: op = BinOp::Ne; break;
            case Tok::Lt: op = BinOp::Lt; break;
            case Tok::Gt: op = BinOp::Gt; break;
            case Tok::Le: op = BinOp::Le; break;
            case Tok::Ge: op = BinOp::Ge; break;
            case Tok::KwIs: op = BinOp::Is; break;
            default: return e;
            }
            auto pos = Pos();
            Next();
            e = MakeBinary(op, std::move(e), ConcatExpr(), pos);
        }
    }
    // concat := additive { & additive }
    ExprPtr ConcatExpr() {
        ExprPtr e = AdditiveExpr();
        while (At(Tok::Amp)) {
            auto pos = Pos();
            Next();
            e = MakeBinary(BinOp::Concat, std::move(e), AdditiveExpr(), pos);
        }
        return e;
    }
    // additive := mod { (+ | -) mod }
    ExprPtr AdditiveExpr() {
        ExprPtr e = ModExpr();
        while (At(Tok::Plus) || At(Tok::Minus)) {
            const BinOp op = At(Tok::Plus) ? BinOp::Add : BinOp::Sub;
            auto pos = Pos();
            Next();
            e = MakeBinary(op, std::move(e), ModExpr(), pos);
        }
        return e;
    }
    // mod := intdiv { Mod intdiv }
    ExprPtr ModExpr() {
        ExprPtr e = IntDivExpr();
        while (At(Tok::KwMod)) {
            auto pos = Pos();
            Next();
            e = MakeBinary(BinOp::Mod, std::move(e), IntDivExpr(), pos);
        }
        return e;
    }
    // intdiv := multiplicative { \ multiplicative }
    ExprPtr IntDivExpr() {
        ExprPtr e = MulExpr();
        while (At(Tok::Backslash)) {
            auto pos = Pos();
            Next();
            e = MakeBinary(BinOp::IntDiv, std::move(e), MulExpr(), pos);
        }
        return e;
    }
    // multiplicative := unary { (* | /) unary }
    ExprPtr MulExpr() {
        ExprPtr e = UnaryExpr();
        while (At(Tok::Star) || At(Tok::Slash)) {
            const BinOp op = At(Tok::Star) ? BinOp::Mul : BinOp::Div;
            auto pos = Pos();
            Next();
            e = MakeBinary(op, std::move(e), UnaryExpr(), pos);
        }
        return e;
    }
    // unary := (- | +) unary | power
    ExprPtr UnaryExpr() {
        if (At(Tok::Minus) || At(Tok::Plus)) {
            DepthGuard guard(*this);
            const bool negate = At(Tok::Minus);
            auto pos = Pos();
            Next();
            ExprPtr operand = UnaryExpr();
            if (!negate) return operand;
            if (operand->kind == Expr::Literal && operand->value.IsNumericType() &&
                operand->value.GetType() != Type::Boolean && operand->value.GetType() != Type::Date) {
                operand->value = Negate(operand->value);
                operand->pos = pos;
                return operand;
            }
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Unary;
            e->pos = pos;
            e->unop = UnOp::Neg;
            e->left = std::move(operand);
            return e;
        }
        return PowerExpr();
    }
    // power := primary { ^ [- | +] primary }
    ExprPtr PowerExpr() {
        ExprPtr e = Primary();
        while (At(Tok::Caret)) {
            auto pos = Pos();
            Next();
            ExprPtr right;
            if (At(Tok::Minus) || At(Tok::Plus)) {
                DepthGuard guard(*this);
                const bool negate = At(Tok::Minus);
                auto upos = Pos();
                Next();
                right = Primary();
                if (negate) {
                    auto u = std::make_unique<Expr>();
                    u->kind = Expr::Unary;
                    u->pos = upos;
                    u->unop = UnOp::Neg;
                    u->left = std::move(right);
                    right = std::move(u);
                }
            } else {
                right = Primary();
            }
            e = MakeBinary(BinOp::Pow, std::move(e), std::move(right), pos);
        }
        return e;
    }
    // primary := literal | True | False | Empty | Null | Nothing | New name | ( expression )
    //          | chain
    ExprPtr Primary() {
        DepthGuard guard(*this);
        switch (Cur().kind) {
        case Tok::Literal: {
            auto e = MakeExpr(Expr::Literal);
            e->value = Cur().literal;
            Next();
            return e;
        }
        case Tok::KwTrue:
        case Tok::KwFalse: {
            auto e = MakeExpr(Expr::Literal);
            e->value = Value::Boolean(At(Tok::KwTrue));
            Next();
            return e;
        }
        case Tok::KwEmpty: {
            auto e = MakeExpr(Expr::Literal);
            Next();
            return e;
        }
        case Tok::KwNull: {
            auto e = MakeExpr(Expr::Literal);
            e->value = Value::Null();
            Next();
            return e;
        }
        case Tok::KwNothing: {
            auto e = MakeExpr(Expr::Literal);
            e->value = Value::Nothing();
            Next();
            return e;
        }
        case Tok::KwNew: {
            auto e = MakeExpr(Expr::New);
            Next();
            e->name = Identifier();
            return e;
        }
        case Tok::LParen: {
            auto e = MakeExpr(Expr::Paren);
            Next();
            e->left = Expression();
            Expect(Tok::RParen, Err::ExpectedRParen);
            return e;
        }
        case Tok::Name:
        case Tok::Dot:
        case Tok::KwMe:
            return Chain(false);
        default:
            Fail(Err::ExpectedExpression);
        }
    }

    // chain := (name | Me | . name) { . name | ( arguments ) }
    ExprPtr Chain(bool statement, size_t* lastParen = nullptr) {
        ExprPtr e;
        if (At(Tok::KwMe)) {
            if (!m_inProc && m_program) {
                // Me outside a class procedure is refused when used.
            }
            e = MakeExpr(Expr::Me);
            Next();
        } else if (At(Tok::Dot)) {
            e = MakeExpr(Expr::Member);
            Next();
            e->name = MemberName();
        } else if (At(Tok::Name)) {
            e = MakeExpr(Expr::Name);
            e->name = Cur().text;
            Next();
        } else {
            Fail(statement ? Err::ExpectedStatement : Err::ExpectedExpression);
        }
        while (true) {
            if (At(Tok::Dot) && !Cur().spaceBefore) {
                // `Echo .b` with a space before the dot starts a With member instead.
                auto m = MakeExpr(Expr::Member);
                Next();
                m->name = MemberName();
                m->left = std::move(e);
                e = std::move(m);
                if (lastParen) *lastParen = 0;
            } else if (At(Tok::LParen)) {
                DepthGuard guard(*this);
                if (lastParen) *lastParen = m_pos;
                auto c = MakeExpr(Expr::Call);
                c->parens = true;
                Next();
                if (!At(Tok::RParen)) {
                    while (true) {
                        if (At(Tok::Comma) || At(Tok::RParen)) {
                            c->args.push_back(nullptr);
                        } else {
                            c->args.push_back(Expression());
                        }
                        if (!At(Tok::Comma)) break;
                        Next();
                    }
                }
                Expect(Tok::RParen, Err::ExpectedRParen);
                c->left = std::move(e);
                e = std::move(c);
            } else {
                return e;
            }
        }
    }

    std::vector<Token> m_toks;
    size_t m_pos = 0;
    int m_depth = 0;
    int m_chain = 0;
    int m_singleLineIf = 0;
    bool m_inProc = false;
    ProcDecl::Kind m_procKind = ProcDecl::Sub;
    std::vector<char> m_loops;
    ProgramAst* m_program = nullptr;
};

} // namespace

ProgramAst ParseProgram(std::u16string_view source, int firstLine) {
    Parser parser(Tokenize(source, firstLine));
    return parser.Program();
}

ExprPtr ParseExpression(std::u16string_view source) {
    Parser parser(Tokenize(source));
    return parser.WholeExpression();
}

} // namespace quillora::vbs
