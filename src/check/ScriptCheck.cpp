// Compiling script texts and finding the frames they name.
#include "check/ScriptCheck.h"

#include "vbscript/Compiler.h"
#include "vbscript/Convert.h"
#include "vbscript/Lexer.h"
#include "vbscript/ScriptControl.h"

namespace quillora {

ScriptChecker::ScriptChecker() : m_control(std::make_unique<vbs::ScriptControl>()) {}

ScriptChecker::~ScriptChecker() = default;

std::optional<ScriptProblem> ScriptChecker::Compile(const std::string& text) {
    // Each text starts from an empty scope, so a Sub defined by two scripts is no redefinition.
    m_control->Reset();
    try {
        bool declarationsOnly = false;
        vbs::CompileProgramText(m_control->GetEngine(), vbs::FromUtf8(text), 1, false,
                                declarationsOnly);
    } catch (const vbs::ScriptError& error) {
        ScriptProblem problem;
        problem.Message = error.Message();
        problem.Line = error.Position().line;
        problem.Column = error.Position().column;
        return problem;
    } catch (const std::exception& error) {
        return ScriptProblem{error.what(), 0, 0};
    }
    return std::nullopt;
}

std::vector<NamedFrame> FramesNamedInScript(const std::string& text) {
    std::vector<NamedFrame> names;
    std::vector<vbs::Token> tokens;
    const std::u16string source16 = vbs::FromUtf8(text); // the token source keeps a view of it
    try {
        vbs::TokenSource source(source16);
        while (true) {
            vbs::Token token;
            source.Next(token);
            if (token.kind == vbs::Tok::End) break;
            tokens.push_back(std::move(token));
        }
    } catch (const vbs::ScriptError&) {
        // The tokens before the fault still name frames; the compiler reports the fault.
    }
    for (size_t i = 0; i < tokens.size(); ++i) {
        const vbs::Token& name = tokens[i];
        if (name.kind != vbs::Tok::Name || vbs::FoldedUtf8(name.text) != "gotoframe") continue;
        // A member of another object (Foo.GoToFrame) is someone else's method.
        if (i > 0 && tokens[i - 1].kind == vbs::Tok::Dot && i >= 2 &&
            (tokens[i - 2].kind != vbs::Tok::Name ||
             vbs::FoldedUtf8(tokens[i - 2].text) != "action"))
            continue;
        size_t next = i + 1;
        if (next < tokens.size() && tokens[next].kind == vbs::Tok::LParen) ++next;
        if (next >= tokens.size() || tokens[next].kind != vbs::Tok::Literal ||
            !tokens[next].literal.IsString())
            continue;
        // Only a whole literal argument names the frame ("Hall" & n does not).
        const size_t after = next + 1;
        if (after < tokens.size() && tokens[after].kind != vbs::Tok::Comma &&
            tokens[after].kind != vbs::Tok::RParen && tokens[after].kind != vbs::Tok::NewLine &&
            tokens[after].kind != vbs::Tok::Colon)
            continue;
        names.push_back({vbs::ToUtf8(tokens[next].literal.AsString()), tokens[next].line});
    }
    return names;
}

} // namespace quillora
