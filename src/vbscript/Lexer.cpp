// The lexer: comments, line continuations, literals, bracketed names and reserved words.
#include "vbscript/Lexer.h"

#include "vbscript/Convert.h"

#include <cmath>
#include <unordered_map>

namespace quillora::vbs {

namespace {

struct Keyword {
    const char* text;
    Tok kind;
};

const Keyword kKeywords[] = {
    {"and", Tok::KwAnd},
    {"byref", Tok::KwByRef},
    {"byval", Tok::KwByVal},
    {"call", Tok::KwCall},
    {"case", Tok::KwCase},
    {"class", Tok::KwClass},
    {"const", Tok::KwConst},
    {"dim", Tok::KwDim},
    {"do", Tok::KwDo},
    {"each", Tok::KwEach},
    {"else", Tok::KwElse},
    {"elseif", Tok::KwElseIf},
    {"empty", Tok::KwEmpty},
    {"end", Tok::KwEnd},
    {"eqv", Tok::KwEqv},
    {"exit", Tok::KwExit},
    {"false", Tok::KwFalse},
    {"for", Tok::KwFor},
    {"function", Tok::KwFunction},
    {"if", Tok::KwIf},
    {"imp", Tok::KwImp},
    {"in", Tok::KwIn},
    {"is", Tok::KwIs},
    {"loop", Tok::KwLoop},
    {"me", Tok::KwMe},
    {"mod", Tok::KwMod},
    {"new", Tok::KwNew},
    {"next", Tok::KwNext},
    {"not", Tok::KwNot},
    {"nothing", Tok::KwNothing},
    {"null", Tok::KwNull},
    {"on", Tok::KwOn},
    {"option", Tok::KwOption},
    {"or", Tok::KwOr},
    {"private", Tok::KwPrivate},
    {"public", Tok::KwPublic},
    {"redim", Tok::KwReDim},
    {"select", Tok::KwSelect},
    {"set", Tok::KwSet},
    {"sub", Tok::KwSub},
    {"then", Tok::KwThen},
    {"to", Tok::KwTo},
    {"true", Tok::KwTrue},
    {"until", Tok::KwUntil},
    {"wend", Tok::KwWend},
    {"while", Tok::KwWhile},
    {"with", Tok::KwWith},
    {"xor", Tok::KwXor},
};

const std::unordered_map<std::string, Tok>& KeywordMap() {
    static const auto map = [] {
        std::unordered_map<std::string, Tok> m;
        for (const auto& k : kKeywords)
            m.emplace(k.text, k.kind);
        return m;
    }();
    return map;
}

constexpr size_t kMaxNameLength = 255;

bool IsLetter(char16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c >= 0xC0 && c != 0xD7 && c != 0xF7 && c < 0x2000);
}
bool IsDigit(char16_t c) {
    return c >= '0' && c <= '9';
}
bool IsNameChar(char16_t c) {
    return IsLetter(c) || IsDigit(c) || c == '_';
}
bool IsBlank(char16_t c) {
    return c == ' ' || c == '\t' || c == 0xA0 || c == 0x0B || c == 0x0C || c == 0x1A;
}

} // namespace

class Lexer {
public:
    Lexer(std::u16string_view source, int firstLine) : m_src(source), m_line(firstLine) {}

    // Reads the next token into `t` (a fresh Token); Tok::End at the end of the text, again on
    // every later call.
    void Next(Token& t) {
        while (true) {
            bool space = m_space, continued = false;
            m_space = false;
            // Blanks and line continuations.
            while (m_pos < m_src.size()) {
                const char16_t c = m_src[m_pos];
                if (IsBlank(c)) {
                    ++m_pos;
                    space = true;
                } else if (c == '_' && ContinuationAhead()) {
                    SkipContinuation();
                    space = true;
                    continued = true;
                } else {
                    break;
                }
            }
            t.line = m_line;
            t.column = static_cast<int>(m_pos - m_lineStart) + 1;
            t.spaceBefore = space;
            t.continued = continued;
            if (m_pos >= m_src.size()) {
                t.kind = Tok::End;
                return;
            }
            const char16_t c = m_src[m_pos];
            if (c == '\r' || c == '\n') {
                ++m_pos;
                if (c == '\r' && m_pos < m_src.size() && m_src[m_pos] == '\n') ++m_pos;
                NewLine();
                t.kind = Tok::NewLine;
                m_space = true;
            } else if (c == '\'') {
                SkipComment();
                m_space = space;
                continue;
            } else if (c == '"') {
                LexString(t);
            } else if (c == '#') {
                LexDate(t);
            } else if (c == '[') {
                LexBracketName(t);
            } else if (IsDigit(c) || (c == '.' && m_pos + 1 < m_src.size() &&
                                      IsDigit(m_src[m_pos + 1]) && !AfterOperand(t))) {
                LexNumber(t);
            } else if (c == '&' && StartsRadixLiteral()) {
                LexRadix(t);
            } else if (IsLetter(c)) {
                const size_t start = m_pos;
                while (m_pos < m_src.size() && IsNameChar(m_src[m_pos]))
                    ++m_pos;
                t.text = std::u16string(m_src.substr(start, m_pos - start));
                if (t.text.size() > kMaxNameLength) Fail(Err::IdentifierTooLong, t);
                const std::string folded = ToUtf8(LowerText(t.text));
                // `obj.Rem` names a member; elsewhere Rem starts a comment.
                const bool member = m_previous == Tok::Dot && !t.spaceBefore;
                if (folded == "rem" && !member) {
                    SkipComment();
                    m_space = space;
                    t.text.clear();
                    continue;
                }
                const auto& map = KeywordMap();
                const auto it = map.find(folded);
                t.kind = it != map.end() ? it->second : Tok::Name;
            } else {
                LexOperator(t);
            }
            m_previous = t.kind;
            m_hasPrevious = true;
            return;
        }
    }

private:
    [[noreturn]] void Fail(int number, const Token& at) {
        ScriptError e(number, ErrorDescription(number), kCompileSource);
        e.SetCompilation(true);
        e.SetPosition({at.line, at.column});
        throw e;
    }
    [[noreturn]] void FailHere(int number) {
        Token t;
        t.line = m_line;
        t.column = static_cast<int>(m_pos - m_lineStart) + 1;
        Fail(number, t);
    }

    void NewLine() {
        ++m_line;
        m_lineStart = m_pos;
    }

    // A '_' that ends the line (blanks may follow) joins the next line to this one.
    bool ContinuationAhead() const {
        size_t p = m_pos + 1;
        if (p < m_src.size() && IsNameChar(m_src[p])) return false;
        while (p < m_src.size() && IsBlank(m_src[p]))
            ++p;
        return p >= m_src.size() || m_src[p] == '\r' || m_src[p] == '\n';
    }
    void SkipContinuation() {
        ++m_pos;
        while (m_pos < m_src.size() && IsBlank(m_src[m_pos]))
            ++m_pos;
        if (m_pos < m_src.size()) {
            const char16_t c = m_src[m_pos++];
            if (c == '\r' && m_pos < m_src.size() && m_src[m_pos] == '\n') ++m_pos;
            NewLine();
        }
    }

    void SkipComment() {
        while (m_pos < m_src.size() && m_src[m_pos] != '\r' && m_src[m_pos] != '\n')
            ++m_pos;
    }

    bool AfterOperand(const Token& t) const {
        if (!m_hasPrevious || t.spaceBefore) return false;
        const Tok k = m_previous;
        return k == Tok::Name || k == Tok::RParen || k >= Tok::KwAnd;
    }

    void LexString(Token& t) {
        ++m_pos;
        std::u16string text;
        while (true) {
            if (m_pos >= m_src.size() || m_src[m_pos] == '\r' || m_src[m_pos] == '\n')
                FailHere(Err::UnterminatedString);
            const char16_t c = m_src[m_pos++];
            if (c == '"') {
                if (m_pos < m_src.size() && m_src[m_pos] == '"') {
                    text.push_back('"');
                    ++m_pos;
                    continue;
                }
                break;
            }
            text.push_back(c);
        }
        t.kind = Tok::Literal;
        t.literal = Value::Str(std::move(text));
    }

    void LexDate(Token& t) {
        const size_t start = ++m_pos;
        while (m_pos < m_src.size() && m_src[m_pos] != '#' && m_src[m_pos] != '\r' &&
               m_src[m_pos] != '\n')
            ++m_pos;
        if (m_pos >= m_src.size() || m_src[m_pos] != '#') Fail(Err::Syntax, t);
        double serial = 0;
        if (!ParseDate(m_src.substr(start, m_pos - start), serial)) Fail(Err::Syntax, t);
        ++m_pos;
        t.kind = Tok::Literal;
        t.literal = Value::Date(serial);
    }

    void LexBracketName(Token& t) {
        const size_t start = ++m_pos;
        while (m_pos < m_src.size() && m_src[m_pos] != ']' && m_src[m_pos] != '\r' &&
               m_src[m_pos] != '\n')
            ++m_pos;
        if (m_pos >= m_src.size() || m_src[m_pos] != ']') Fail(Err::ExpectedRBracket, t);
        t.text = std::u16string(m_src.substr(start, m_pos - start));
        if (t.text.size() > kMaxNameLength) Fail(Err::IdentifierTooLong, t);
        ++m_pos;
        t.kind = Tok::Name;
    }

    void LexNumber(Token& t) {
        const size_t start = m_pos;
        bool isFloat = false;
        while (m_pos < m_src.size() && IsDigit(m_src[m_pos]))
            ++m_pos;
        if (m_pos < m_src.size() && m_src[m_pos] == '.') {
            isFloat = true;
            ++m_pos;
            while (m_pos < m_src.size() && IsDigit(m_src[m_pos]))
                ++m_pos;
        }
        if (m_pos < m_src.size() && (m_src[m_pos] == 'e' || m_src[m_pos] == 'E')) {
            size_t p = m_pos + 1;
            if (p < m_src.size() && (m_src[p] == '+' || m_src[p] == '-')) ++p;
            if (p < m_src.size() && IsDigit(m_src[p])) {
                isFloat = true;
                m_pos = p;
                while (m_pos < m_src.size() && IsDigit(m_src[m_pos]))
                    ++m_pos;
            } else {
                FailHere(Err::InvalidNumber);
            }
        }
        std::string text;
        for (size_t i = start; i < m_pos; ++i)
            text.push_back(static_cast<char>(m_src[i]));
        const double d = std::strtod(text.c_str(), nullptr);
        if (std::isinf(d)) Fail(Err::InvalidNumber, t);
        t.kind = Tok::Literal;
        if (!isFloat && d <= 32767) {
            t.literal = Value::Integer(static_cast<int16_t>(d));
        } else if (!isFloat && d <= 2147483647.0) {
            t.literal = Value::Long(static_cast<int32_t>(d));
        } else {
            t.literal = Value::Double(d);
        }
    }

    // `&H1F` is a number, but `"x" &hi` concatenates the variable hi: a radix prefix counts
    // only when a digit of its base follows.
    bool StartsRadixLiteral() const {
        if (m_pos + 1 >= m_src.size()) return false;
        const char16_t c = FoldChar(m_src[m_pos + 1]);
        if (IsDigit(c)) return true;
        if (m_pos + 2 >= m_src.size() || (c != 'h' && c != 'o')) return false;
        const char16_t d = FoldChar(m_src[m_pos + 2]);
        return c == 'h' ? IsDigit(d) || (d >= 'a' && d <= 'f') : d >= '0' && d <= '7';
    }

    // &Hxx (hexadecimal) and &Oxx or &xx (octal).
    void LexRadix(Token& t) {
        ++m_pos;
        int base = 8;
        if (m_src[m_pos] == 'h' || m_src[m_pos] == 'H') {
            base = 16;
            ++m_pos;
        } else if (m_src[m_pos] == 'o' || m_src[m_pos] == 'O') {
            ++m_pos;
        }
        uint64_t v = 0;
        bool any = false;
        while (m_pos < m_src.size()) {
            const char16_t c = FoldChar(m_src[m_pos]);
            int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
            if (digit >= base) break;
            v = v * base + digit;
            if (v > 0xFFFFFFFFull) FailHere(Err::InvalidNumber);
            any = true;
            ++m_pos;
        }
        if (!any) FailHere(Err::Syntax);
        bool asLong = false;
        if (m_pos < m_src.size() && m_src[m_pos] == '&') { // trailing Long type character
            ++m_pos;
            asLong = true;
        }
        t.kind = Tok::Literal;
        // The digits are a 32-bit pattern; like a decimal literal, the value is an Integer
        // when it fits one (&H7FFF, &HFFFFFFFF) and a Long otherwise (&H8000 is 32768).
        const int32_t value = static_cast<int32_t>(static_cast<uint32_t>(v));
        if (!asLong && value >= -32768 && value <= 32767) {
            t.literal = Value::Integer(static_cast<int16_t>(value));
        } else {
            t.literal = Value::Long(value);
        }
    }

    void LexOperator(Token& t) {
        const char16_t c = m_src[m_pos++];
        const char16_t next = m_pos < m_src.size() ? m_src[m_pos] : 0;
        switch (c) {
        case '(': t.kind = Tok::LParen; break;
        case ')': t.kind = Tok::RParen; break;
        case ',': t.kind = Tok::Comma; break;
        case '.': t.kind = Tok::Dot; break;
        case ':': t.kind = Tok::Colon; break;
        case '+': t.kind = Tok::Plus; break;
        case '-': t.kind = Tok::Minus; break;
        case '*': t.kind = Tok::Star; break;
        case '/': t.kind = Tok::Slash; break;
        case '\\': t.kind = Tok::Backslash; break;
        case '^': t.kind = Tok::Caret; break;
        case '&': t.kind = Tok::Amp; break;
        case '=':
            if (next == '<') {
                ++m_pos;
                t.kind = Tok::Le;
            } else if (next == '>') {
                ++m_pos;
                t.kind = Tok::Ge;
            } else
                t.kind = Tok::Eq;
            break;
        case '<':
            if (next == '>') {
                ++m_pos;
                t.kind = Tok::Ne;
            } else if (next == '=') {
                ++m_pos;
                t.kind = Tok::Le;
            } else
                t.kind = Tok::Lt;
            break;
        case '>':
            if (next == '=') {
                ++m_pos;
                t.kind = Tok::Ge;
            } else if (next == '<') {
                ++m_pos;
                t.kind = Tok::Ne;
            } else
                t.kind = Tok::Gt;
            break;
        default: Fail(Err::InvalidCharacter, t);
        }
    }

    std::u16string_view m_src;
    size_t m_pos = 0;
    size_t m_lineStart = 0;
    int m_line = 1;
    bool m_space = true; // blanks, a line start or a comment come before the next token
    Tok m_previous = Tok::End;
    bool m_hasPrevious = false;
};

TokenSource::TokenSource(std::u16string_view source, int firstLine)
    : m_lexer(std::make_unique<Lexer>(source, firstLine)) {}
TokenSource::~TokenSource() = default;
void TokenSource::Next(Token& token) {
    m_lexer->Next(token);
}

std::vector<Token> Tokenize(std::u16string_view source, int firstLine) {
    TokenSource lexer(source, firstLine);
    std::vector<Token> tokens;
    do {
        lexer.Next(tokens.emplace_back());
    } while (tokens.back().kind != Tok::End);
    return tokens;
}

const char* TokenText(Tok kind) {
    switch (kind) {
    case Tok::End: return "end of script";
    case Tok::NewLine: return "end of line";
    case Tok::Colon: return ":";
    case Tok::Name: return "identifier";
    case Tok::Literal: return "literal";
    case Tok::LParen: return "(";
    case Tok::RParen: return ")";
    case Tok::Comma: return ",";
    case Tok::Dot: return ".";
    default: break;
    }
    for (const auto& k : kKeywords)
        if (k.kind == kind) return k.text;
    return "operator";
}

} // namespace quillora::vbs
