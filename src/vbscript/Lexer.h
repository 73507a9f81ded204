// The lexer: turns VBScript source text into tokens (names, keywords, literals, operators).
#pragma once

#include "vbscript/Errors.h"
#include "vbscript/Value.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillora::vbs {

enum class Tok : uint8_t {
    End,     // end of the text
    NewLine, // end of a line
    Colon,   // statement separator
    Name,    // identifier (also [bracketed names])
    Literal, // number, string or date literal
    // punctuation and operators
    LParen,
    RParen,
    Comma,
    Dot,
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Amp,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    // reserved words
    KwAnd,
    KwByRef,
    KwByVal,
    KwCall,
    KwCase,
    KwClass,
    KwConst,
    KwDim,
    KwDo,
    KwEach,
    KwElse,
    KwElseIf,
    KwEmpty,
    KwEnd,
    KwEqv,
    KwExit,
    KwFalse,
    KwFor,
    KwFunction,
    KwIf,
    KwImp,
    KwIn,
    KwIs,
    KwLoop,
    KwMe,
    KwMod,
    KwNew,
    KwNext,
    KwNot,
    KwNothing,
    KwNull,
    KwOn,
    KwOption,
    KwOr,
    KwPrivate,
    KwPublic,
    KwReDim,
    KwSelect,
    KwSet,
    KwSub,
    KwThen,
    KwTo,
    KwTrue,
    KwUntil,
    KwWend,
    KwWhile,
    KwWith,
    KwXor,
};

struct Token {
    Tok kind = Tok::End;
    int line = 0;
    int column = 0;
    bool spaceBefore = false; // whitespace separates it from the previous token
    bool continued = false;   // a line continuation separates it from the previous token
    std::u16string text;      // the name as written, or the keyword's text
    Value literal;            // for Tok::Literal
};

class Lexer;

// Hands out the tokens of a text one at a time, so that only those the parser still needs are
// kept. Errors are thrown as Tokenize describes, when the faulty token is reached. The text is
// read where it lies and must outlive the source, so a temporary string is refused.
class TokenSource {
public:
    TokenSource(std::u16string_view source, int firstLine = 1);
    TokenSource(std::u16string&& source, int firstLine = 1) = delete;
    ~TokenSource();
    TokenSource(const TokenSource&) = delete;
    TokenSource& operator=(const TokenSource&) = delete;
    // Reads the next token into `token` (a fresh Token); Tok::End at the end, again on every
    // later call.
    void Next(Token& token);

private:
    std::unique_ptr<Lexer> m_lexer;
};

// Tokenises a whole text. Throws a compilation ScriptError (1032 invalid character, 1033
// unterminated string, 1031 invalid number, 1030 identifier too long...) with its position.
// `firstLine` numbers the first line (a text that continues another one starts further down).
std::vector<Token> Tokenize(std::u16string_view source, int firstLine = 1);

// The display text of a token kind, for messages.
const char* TokenText(Tok kind);

} // namespace quillora::vbs
