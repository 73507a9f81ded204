// The parser: a recursive-descent reader of VBScript tokens into the syntax tree.
#pragma once

#include "vbscript/Ast.h"
#include "vbscript/Lexer.h"

#include <functional>
#include <string_view>

namespace quillora::vbs {

// Parses a whole text of statements, procedures and classes. Throws a compilation ScriptError
// with the position of the offending token.
// `firstLine` numbers the text's first line.
ProgramAst ParseProgram(std::u16string_view source, int firstLine = 1);

// Parses like ParseProgram but hands each top-level statement to `sink` as soon as it is read
// instead of keeping it in the result's body; with `keepDeclarations` false, procedures and
// classes are dropped too. A long script is thus read without holding its whole tree.
ProgramAst ParseProgramStatements(std::u16string_view source, int firstLine,
                                  const std::function<void(StmtPtr)>& sink, bool keepDeclarations);

// Parses one expression (what Eval takes).
ExprPtr ParseExpression(std::u16string_view source);

} // namespace quillora::vbs
