// Feeds arbitrary bytes to the lexer, parser and compiler (as UTF-8 and as Windows-1252 text).
#include "vbscript/Compiler.h"
#include "vbscript/Convert.h"
#include "vbscript/Engine.h"
#include "vbscript/Parser.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quillora::vbs;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    static Engine* engine = new Engine; // global names accumulate; compiling never runs code
    const std::u16string text = FromUtf8(bytes);
    try {
        ProgramAst program = ParseProgram(text);
        CompileProgram(*engine, program, nullptr);
    } catch (const ScriptError& e) {
        if (!e.IsCompilation() && e.Number() != Err::OutOfMemory) __builtin_trap();
    }
    try {
        ExprPtr expr = ParseExpression(text);
        CompileExpression(*engine, *expr, nullptr);
    } catch (const ScriptError& e) {
        if (!e.IsCompilation() && e.Number() != Err::OutOfMemory) __builtin_trap();
    }
    return 0;
}
