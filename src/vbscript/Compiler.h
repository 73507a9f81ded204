// The compiler: turns a syntax tree into procedures of stack-machine instructions.
#pragma once

#include "vbscript/Ast.h"
#include "vbscript/Engine.h"

#include <memory>

namespace quillora::vbs {

// Compiles a parsed text into a module. Global names are interned in the engine's global
// table; `context` (may be null) is the frame whose locals the code may use (Execute).
std::shared_ptr<Module> CompileProgram(Engine& engine, ProgramAst& program, Frame* context);

// Compiles one expression into a module whose top-level code leaves its value in slot 0.
std::shared_ptr<Module> CompileExpression(Engine& engine, Expr& expr, Frame* context);

} // namespace quillora::vbs
