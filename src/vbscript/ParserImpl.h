// The parser's internals: the Parser class shared by the statement and expression files.
#pragma once

#include "vbscript/Ast.h"
#include "vbscript/Lexer.h"

#include <functional>
#include <string>
#include <vector>

namespace quillora::vbs::detail {

constexpr int kMaxNesting = 400;
constexpr int kMaxExprDepth = 3000;

class Parser {
public:
    Parser(std::u16string_view source, int firstLine) : m_source(source, firstLine) {}

    // program := { separator } { (option | declaration | statement) separators }
    ProgramAst Program() {
        ProgramAst program;
        m_program = &program;
        SkipSeparators();
        bool first = true;
        while (!At(Tok::End)) {
            if (At(Tok::KwOption)) {
                // Option Explicit comes before any other statement of the script.
                if (!first) Fail(Err::MustBeFirst);
                Next();
                if (!AtName("explicit")) Fail(Err::ExpectedIdentifier);
                Next();
                program.optionExplicit = true;
            } else {
                first = false;
                if (!TopLevelDeclaration(program)) program.body.push_back(Statement());
            }
            EndOfStatement();
            ForgetConsumedTokens();
            if (m_sink) {
                for (StmtPtr& s : program.body)
                    m_sink(std::move(s));
                program.body.clear();
                if (!m_keepDeclarations) {
                    program.procs.clear();
                    program.classes.clear();
                }
            }
        }
        return program;
    }

    // Hands top-level statements to `sink` as they are read (see ParseProgramStatements).
    void StreamStatements(const std::function<void(StmtPtr)>* sink, bool keepDeclarations) {
        m_sink = sink ? *sink : nullptr;
        m_keepDeclarations = keepDeclarations;
    }

    // expression-text := expr End
    ExprPtr WholeExpression() {
        while (At(Tok::NewLine))
            Next();
        ExprPtr e = Expression();
        while (At(Tok::NewLine))
            Next();
        if (!At(Tok::End)) Fail(Err::ExpectedEndOfStatement);
        return e;
    }

private:
    // ---- token helpers ------------------------------------------------------------------
    // Tokens are read as the parser reaches them; m_toks holds those from m_base on (the
    // current top-level statement and what was looked ahead), so a long script never has
    // all its tokens in memory at once. Reading more may move them: hold no reference to a
    // token across a call that looks further ahead.
    [[gnu::always_inline]] const Token& TokenAt(size_t position) const {
        const size_t i = position - m_base;
        if (i < m_toks.size()) [[likely]]
            return m_toks[i];
        return ReadTokensUpTo(position);
    }
    [[gnu::noinline]] const Token& ReadTokensUpTo(size_t position) const {
        while (position - m_base >= m_toks.size() &&
               (m_toks.empty() || m_toks.back().kind != Tok::End)) {
            if (m_toks.size() >= kMaxTokens) FailAt(Err::OutOfMemory, {m_toks.back().line, 1});
            m_source.Next(m_toks.emplace_back());
        }
        return m_toks[std::min(position - m_base, m_toks.size() - 1)];
    }
    const Token& Cur() const { return TokenAt(m_pos); }
    const Token& Peek(size_t n = 1) const { return TokenAt(m_pos + n); }
    void ForgetConsumedTokens() {
        // Only once the consumed tokens are at least as many as those kept, so that tokens
        // read far ahead (a block If tried and retried) are not moved again and again.
        const size_t consumed = m_pos - m_base;
        if (consumed < m_toks.size() - consumed) return;
        m_toks.erase(m_toks.begin(), m_toks.begin() + static_cast<long>(consumed));
        m_base = m_pos;
    }
    bool At(Tok kind) const { return Cur().kind == kind; }
    bool AtName(const char* lowerName) const {
        return At(Tok::Name) && ToUtf8(LowerText(Cur().text)) == lowerName;
    }
    void Next() {
        if (Cur().kind != Tok::End) ++m_pos;
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
    // A block's End may follow its last statement on the same line (`x = 1 End Sub`).
    bool AtEndOfStatement() const {
        return At(Tok::NewLine) || At(Tok::Colon) || At(Tok::End) ||
               (m_singleLineIf > 0 && At(Tok::KwElse)) || (m_depth > 1 && At(Tok::KwEnd));
    }
    void EndOfStatement() {
        if (At(Tok::End) || ((m_depth > 0 || m_inClass) && At(Tok::KwEnd))) return;
        if (!At(Tok::NewLine) && !At(Tok::Colon)) Fail(Err::ExpectedEndOfStatement);
        SkipSeparators();
    }
    void SkipSeparators() {
        while (At(Tok::NewLine) || At(Tok::Colon))
            Next();
    }
    // A block statement's header ends its line or is followed by ':'.
    void EndOfHeader() {
        if (!At(Tok::NewLine) && !At(Tok::Colon) && !At(Tok::End))
            Fail(Err::ExpectedEndOfStatement);
    }
    bool AtStatementStart() const {
        switch (Cur().kind) {
        case Tok::Name:
        case Tok::Dot:
        case Tok::KwMe:
        case Tok::KwDim:
        case Tok::KwReDim:
        case Tok::KwConst:
        case Tok::KwIf:
        case Tok::KwSelect:
        case Tok::KwFor:
        case Tok::KwDo:
        case Tok::KwWhile:
        case Tok::KwExit:
        case Tok::KwOn:
        case Tok::KwWith:
        case Tok::KwSet:
        case Tok::KwCall: return true;
        default: return false;
        }
    }
    // After a closing parenthesis the body may start on the header's line (`Sub f() x = 1`).
    void EndOfParenthesisedHeader() {
        if (m_pos == m_base || TokenAt(m_pos - 1).kind != Tok::RParen) EndOfHeader();
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
            if (++p.m_depth > kMaxNesting) {
                --p.m_depth; // no destructor runs for a guard that throws
                p.Fail(Err::OutOfMemory);
            }
        }
        ~DepthGuard() { --p.m_depth; }
    };

    // ---- declarations (Parser.cpp)
    bool TopLevelDeclaration(ProgramAst& program);
    std::unique_ptr<ClassDecl> ClassDeclaration();
    std::unique_ptr<ProcDecl> Procedure(bool isPublic, bool isDefault);
    void VarList(std::vector<VarDecl>& decls, bool redim);

    // ---- statements (Parser.cpp)
    Block BlockUntil(std::initializer_list<Tok> closers);
    Block BlockUntilEnd();
    StmtPtr NewStmt(Stmt::Kind kind);
    StmtPtr Statement();
    StmtPtr ConstStatement();
    static const Expr* NonLiteralPart(const Expr& e);
    StmtPtr SimpleStatement();
    void ArgumentList(std::vector<ExprPtr>& args);
    StmtPtr IfStatement();
    StmtPtr SingleLineIf(StmtPtr s);
    StmtPtr BlockIf(StmtPtr s);
    Block InlineStatements();
    StmtPtr SelectStatement();
    StmtPtr ForStatement();
    void LoopBody(Stmt& s, char kind);
    StmtPtr DoStatement();
    StmtPtr WhileStatement();
    StmtPtr ExitStatement();
    StmtPtr OnErrorStatement();
    StmtPtr WithStatement();

    // ---- expressions (ParserExpressions.cpp)
    ExprPtr MakeExpr(Expr::Kind kind);
    ExprPtr MakeName(std::u16string name);
    ExprPtr MakeBinary(BinOp op, ExprPtr l, ExprPtr r, SourcePosition pos);
    ExprPtr Expression();
    ExprPtr ImpExpr();
    ExprPtr EqvExpr();
    ExprPtr XorExpr();
    ExprPtr OrExpr();
    ExprPtr AndExpr();
    ExprPtr NotExpr();
    ExprPtr CompareExpr();
    ExprPtr ConcatExpr();
    ExprPtr AdditiveExpr();
    ExprPtr ModExpr();
    ExprPtr IntDivExpr();
    ExprPtr MulExpr();
    ExprPtr UnaryExpr();
    ExprPtr PowerExpr();
    ExprPtr Primary();
    ExprPtr ParenExpr();
    ExprPtr Chain(bool statement, size_t* lastParen = nullptr, size_t stopAt = 0);
    ExprPtr Suffixes(ExprPtr e, size_t* lastParen, size_t stopAt);

    static constexpr size_t kMaxTokens = 8'000'000; // in one top-level statement
    mutable TokenSource m_source;
    mutable std::vector<Token> m_toks;
    size_t m_base = 0; // the position of m_toks[0]
    size_t m_pos = 0;
    int m_depth = 0;
    int m_chain = 0;
    size_t m_spacedParen = 0; // the first `name (` of a statement's chain
    int m_singleLineIf = 0;
    // Tokens read again after block Ifs failed and were parsed as one-line ones; bounded so
    // that retries cannot multiply the work.
    size_t m_retriedTokens = 0;
    static constexpr size_t kMaxRetriedTokens = 2'000'000;
    int m_ifAttempts = 0; // block attempts in progress, nested
    static constexpr int kMaxIfAttempts = 8;
    bool m_inProc = false;
    bool m_inClass = false;
    ProcDecl::Kind m_procKind = ProcDecl::Sub;
    std::vector<char> m_loops;
    ProgramAst* m_program = nullptr;
    std::function<void(StmtPtr)> m_sink;
    bool m_keepDeclarations = true;
};

} // namespace quillora::vbs::detail
