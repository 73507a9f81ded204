// The parser's expressions: operators by precedence, primaries and member chains.
#include "core/Cp1252.h"
#include "vbscript/Convert.h"
#include "vbscript/Operators.h"
#include "vbscript/ParserImpl.h"

namespace quillora::vbs::detail {

ExprPtr Parser::MakeExpr(Expr::Kind kind) {
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->pos = Pos();
    return e;
}

ExprPtr Parser::MakeName(std::u16string name) {
    auto e = MakeExpr(Expr::Name);
    e->name = std::move(name);
    return e;
}

ExprPtr Parser::MakeBinary(BinOp op, ExprPtr l, ExprPtr r, SourcePosition pos) {
    auto e = std::make_unique<Expr>();
    e->kind = Expr::Binary;
    e->pos = pos;
    e->binop = op;
    e->left = std::move(l);
    e->right = std::move(r);
    return e;
}

// expression := imp
ExprPtr Parser::Expression() {
    DepthGuard guard(*this);
    // The depth of enclosing chains still counts; it is restored on the way out, errors too.
    struct Restore {
        int& chain;
        int value;
        ~Restore() { chain = value; }
    } restore{m_chain, m_chain};
    ExprPtr e = ImpExpr();
    return e;
}

// imp := eqv { Imp eqv }
ExprPtr Parser::ImpExpr() {
    ExprPtr e = EqvExpr();
    while (At(Tok::KwImp)) {
        auto pos = Pos();
        Next();
        e = MakeBinary(BinOp::Imp, std::move(e), EqvExpr(), pos);
    }
    return e;
}

// eqv := xor { Eqv xor }
ExprPtr Parser::EqvExpr() {
    ExprPtr e = XorExpr();
    while (At(Tok::KwEqv)) {
        auto pos = Pos();
        Next();
        e = MakeBinary(BinOp::Eqv, std::move(e), XorExpr(), pos);
    }
    return e;
}

// xor := or { Xor or }
ExprPtr Parser::XorExpr() {
    ExprPtr e = OrExpr();
    while (At(Tok::KwXor)) {
        auto pos = Pos();
        Next();
        e = MakeBinary(BinOp::Xor, std::move(e), OrExpr(), pos);
    }
    return e;
}

// or := and { Or and }
ExprPtr Parser::OrExpr() {
    ExprPtr e = AndExpr();
    while (At(Tok::KwOr)) {
        auto pos = Pos();
        Next();
        e = MakeBinary(BinOp::Or, std::move(e), AndExpr(), pos);
    }
    return e;
}

// and := not { And not }
ExprPtr Parser::AndExpr() {
    ExprPtr e = NotExpr();
    while (At(Tok::KwAnd)) {
        auto pos = Pos();
        Next();
        e = MakeBinary(BinOp::And, std::move(e), NotExpr(), pos);
    }
    return e;
}

// not := Not not | compare
ExprPtr Parser::NotExpr() {
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
ExprPtr Parser::CompareExpr() {
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
ExprPtr Parser::ConcatExpr() {
    ExprPtr e = AdditiveExpr();
    while (At(Tok::Amp)) {
        auto pos = Pos();
        Next();
        e = MakeBinary(BinOp::Concat, std::move(e), AdditiveExpr(), pos);
    }
    return e;
}

// additive := mod { (+ | -) mod }
ExprPtr Parser::AdditiveExpr() {
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
ExprPtr Parser::ModExpr() {
    ExprPtr e = IntDivExpr();
    while (At(Tok::KwMod)) {
        auto pos = Pos();
        Next();
        e = MakeBinary(BinOp::Mod, std::move(e), IntDivExpr(), pos);
    }
    return e;
}

// intdiv := multiplicative { \ multiplicative }
ExprPtr Parser::IntDivExpr() {
    ExprPtr e = MulExpr();
    while (At(Tok::Backslash)) {
        auto pos = Pos();
        Next();
        e = MakeBinary(BinOp::IntDiv, std::move(e), MulExpr(), pos);
    }
    return e;
}

// multiplicative := power { (* | /) power }
ExprPtr Parser::MulExpr() {
    ExprPtr e = PowerExpr();
    while (At(Tok::Star) || At(Tok::Slash)) {
        const BinOp op = At(Tok::Star) ? BinOp::Mul : BinOp::Div;
        auto pos = Pos();
        Next();
        e = MakeBinary(op, std::move(e), PowerExpr(), pos);
    }
    return e;
}

// power := unary { ^ unary }   (a sign binds tighter than ^: -3 ^ 2 is 9)
ExprPtr Parser::PowerExpr() {
    ExprPtr e = UnaryExpr();
    while (At(Tok::Caret)) {
        auto pos = Pos();
        Next();
        e = MakeBinary(BinOp::Pow, std::move(e), UnaryExpr(), pos);
    }
    return e;
}

// unary := (- | +) unary | primary
ExprPtr Parser::UnaryExpr() {
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
    return Primary();
}

// primary := literal | True | False | Empty | Null | Nothing | New name | ( expression )
//          | chain
ExprPtr Parser::Primary() {
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
    case Tok::LParen: return Suffixes(ParenExpr(), nullptr, 0);
    case Tok::KwNot: return NotExpr(); // an operand of a tighter operator: `a <> Not b`
    case Tok::Name:
    case Tok::Dot:
    case Tok::KwMe: return Chain(false);
    default: Fail(Err::ExpectedExpression);
    }
}

// paren := ( expression )
ExprPtr Parser::ParenExpr() {
    auto e = MakeExpr(Expr::Paren);
    Next();
    e->left = Expression();
    Expect(Tok::RParen, Err::ExpectedRParen);
    return e;
}

// chain := (name | Me | . name | paren) { . name | ( arguments ) }
// Suffixes stop before the token at `stopAt` (0: none).
ExprPtr Parser::Chain(bool statement, size_t* lastParen, size_t stopAt) {
    ExprPtr e;
    if (At(Tok::LParen)) {
        e = ParenExpr(); // `Call (o).m`
    } else if (At(Tok::KwMe)) {
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
    return Suffixes(std::move(e), lastParen, stopAt);
}

ExprPtr Parser::Suffixes(ExprPtr e, size_t* lastParen, size_t stopAt) {
    // Each suffix nests the tree one level deeper, as a binary operator does.
    const int saved = m_chain;
    struct Restore {
        int& chain;
        int value;
        ~Restore() { chain = value; }
    } restore{m_chain, saved};
    while (m_pos != stopAt) {
        if ((At(Tok::Dot) || At(Tok::LParen)) && ++m_chain > kMaxExprDepth) Fail(Err::OutOfMemory);
        // `Echo .b` with a space before the dot starts a With member, unless the space is a
        // line continuation.
        if (At(Tok::Dot) && (!Cur().spaceBefore || Cur().continued)) {
            auto m = MakeExpr(Expr::Member);
            Next();
            m->name = MemberName();
            m->left = std::move(e);
            e = std::move(m);
            if (lastParen) *lastParen = 0;
        } else if (At(Tok::LParen)) {
            DepthGuard guard(*this);
            if (lastParen) {
                if (!m_spacedParen && Cur().spaceBefore) m_spacedParen = m_pos;
                *lastParen = m_pos;
            }
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
            // `(f)(x)` calls f with x, as f(x) does.
            if (e->kind == Expr::Paren && e->left->kind == Expr::Name) e = std::move(e->left);
            c->left = std::move(e);
            e = std::move(c);
        } else {
            return e;
        }
    }
    return e;
}

} // namespace quillora::vbs::detail
