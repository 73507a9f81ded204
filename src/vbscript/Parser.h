// The parser: a recursive-descent reader of VBScript tokens into the syntax tree.
#pragma once

#include "vbscript/Ast.h"
#include "vbscript/Lexer.h"

#include <string_view>

namespace quillora::vbs {

// Parses a whole text of statements, procedures and classes. Throws a compilation ScriptError
// with the position of the offending token.
// `firstLine` numbers the text's first line.
ProgramAst ParseProgram(std::u16string_view source, int firstLine = 1);

// Parses one expression (what Eval takes).
ExprPtr ParseExpression(std::u16string_view source);

} // namespace quillora::vbs
