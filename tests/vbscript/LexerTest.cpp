// Lexer corners that scripts cannot observe directly: token kinds, literal types, positions.
#include "vbscript/Lexer.h"
#include "vbscript/Convert.h"
#include "vbscript/Parser.h"

#include <gtest/gtest.h>

namespace {

using namespace quillora::vbs;

std::vector<Tok> Kinds(const std::vector<Token>& tokens) {
    std::vector<Tok> kinds;
    for (const Token& t : tokens)
        kinds.push_back(t.kind);
    return kinds;
}

TEST(Lexer, NumberLiteralsAndRadixLiteralsTakeTheSmallestTypeOfTheirValue) {
    const auto t = Tokenize(u"32767 32768 &HFFFF &H10000 &O777 1.5E3 .5");
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[0].literal.GetType(), Type::Integer);
    EXPECT_EQ(t[1].literal.GetType(), Type::Long);
    EXPECT_EQ(t[2].literal.GetType(), Type::Long);
    EXPECT_EQ(t[2].literal.AsInt(), 65535);
    EXPECT_EQ(t[3].literal.GetType(), Type::Long);
    EXPECT_EQ(t[3].literal.AsInt(), 65536);
    EXPECT_EQ(t[4].literal.AsInt(), 511);
    EXPECT_EQ(t[5].literal.GetType(), Type::Double);
    EXPECT_DOUBLE_EQ(t[5].literal.AsDouble(), 1500);
    EXPECT_DOUBLE_EQ(t[6].literal.AsDouble(), 0.5);
}

TEST(Lexer, ContinuationJoinsLinesAndCommentsVanish) {
    const auto t = Tokenize(u"a = 1 + _\r\n  2 ' note\r\nRem whole line\nb");
    EXPECT_EQ(Kinds(t), (std::vector<Tok>{Tok::Name, Tok::Eq, Tok::Literal, Tok::Plus, Tok::Literal,
                                          Tok::NewLine, Tok::NewLine, Tok::Name, Tok::End}));
    EXPECT_EQ(t[4].line, 2);
    EXPECT_EQ(t[7].line, 4);
}

TEST(Lexer, KeywordsAreCaseInsensitiveAndBracketsMakeNames) {
    const auto t = Tokenize(u"IF x tHeN [if] [a b]");
    EXPECT_EQ(t[0].kind, Tok::KwIf);
    EXPECT_EQ(t[2].kind, Tok::KwThen);
    EXPECT_EQ(t[3].kind, Tok::Name);
    EXPECT_EQ(t[3].text, u"if");
    EXPECT_EQ(t[4].text, u"a b");
}

TEST(Lexer, DotBeforeDigitIsANumberOnlyWhenNotAMemberAccess) {
    const auto member = Tokenize(u"a.b(1).c");
    EXPECT_EQ(Kinds(member),
              (std::vector<Tok>{Tok::Name, Tok::Dot, Tok::Name, Tok::LParen, Tok::Literal,
                                Tok::RParen, Tok::Dot, Tok::Name, Tok::End}));
    const auto number = Tokenize(u"x = .25");
    EXPECT_EQ(number[2].kind, Tok::Literal);
}

TEST(Lexer, ErrorsCarryNumberAndPosition) {
    try {
        Tokenize(u"x = 1\ny = \"open");
        FAIL() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.Number(), 1033);
        EXPECT_TRUE(e.IsCompilation());
        EXPECT_EQ(e.Position().line, 2);
    }
    try {
        Tokenize(u"x = 1 $ 2");
        FAIL() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.Number(), 1032);
        EXPECT_EQ(e.Position().column, 7);
    }
}

TEST(Lexer, DateLiteralsParseToSerials) {
    const auto t = Tokenize(u"#1/2/2003 6:00 PM#");
    ASSERT_EQ(t[0].literal.GetType(), Type::Date);
    EXPECT_DOUBLE_EQ(t[0].literal.AsDouble(), 37623.75);
}

} // namespace

namespace {

using namespace quillora::vbs;

// Inputs that must end in a compilation error rather than exhaust the native stack.
TEST(Parser, ManyEmptyOneLineIfsParseOneByOne) {
    // Each `If c Then :` first looks for an End If; with none anywhere the retries must stay
    // bounded and every line ends up a one-line If of its own.
    std::u16string text;
    for (int i = 0; i < 20000; ++i)
        text += u"If c Then :\n";
    text += u"x = 1\n";
    const ProgramAst program = ParseProgram(text);
    ASSERT_EQ(program.body.size(), 20001u);
    EXPECT_EQ(program.body[0]->kind, Stmt::If);
    EXPECT_TRUE(program.body[0]->body.empty());
    EXPECT_EQ(program.body[20000]->kind, Stmt::Assign);
}

TEST(Parser, PathologicalNestingFailsCleanly) {
    auto fails = [](const std::u16string& text) {
        try {
            ParseProgram(text);
            return false;
        } catch (const ScriptError& e) {
            return e.IsCompilation();
        }
    };
    EXPECT_TRUE(fails(u"x = " + std::u16string(100000, u'(') + u"1"));
    EXPECT_TRUE(fails(u"x = " + std::u16string(100000, u'-') + u"1"));
    std::u16string ifs;
    for (int i = 0; i < 5000; ++i)
        ifs += u"If x Then\n";
    EXPECT_TRUE(fails(ifs));
    std::u16string members = u"x = a";
    for (int i = 0; i < 100000; ++i)
        members += u"(1)";
    EXPECT_TRUE(fails(members));
    // Long but flat inputs are fine, a flat expression of any length included.
    std::u16string flat;
    for (int i = 0; i < 20000; ++i)
        flat += u"x = x + 1\n";
    EXPECT_NO_THROW(ParseProgram(flat));
    std::u16string chain = u"x = 1";
    for (int i = 0; i < 200000; ++i)
        chain += u" + 1";
    EXPECT_NO_THROW(ParseProgram(chain));
}

} // namespace
