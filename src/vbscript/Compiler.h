// The compiler: turns a syntax tree into procedures of stack-machine instructions.
#pragma once

#include "vbscript/Ast.h"
#include "vbscript/Engine.h"

#include <memory>
#include <string_view>

namespace quillora::vbs {

// Compiles a parsed text into a module. Global names are interned in the engine's global
// table; `context` (may be null) is the frame whose locals the code may use (Execute).
std::shared_ptr<Module> CompileProgram(Engine& engine, ProgramAst& program, Frame* context);

// Reads and compiles a long global text (AddCode, ExecuteGlobal) without holding its whole
// syntax tree: memory stays close to what the compiled code needs. `declarationsOnly` tells
// whether the text had no top-level statements.
std::shared_ptr<Module> CompileProgramText(Engine& engine, std::u16string_view source,
                                           int firstLine, bool inheritExplicit,
                                           bool& declarationsOnly);

// Compiles one expression into a module whose top-level code leaves its value in slot 0.
std::shared_ptr<Module> CompileExpression(Engine& engine, Expr& expr, Frame* context);

} // namespace quillora::vbs
