// The virtual machine's support: assignment, arrays, calls and the global-name slow paths.
#pragma once

#include "vbscript/Engine.h"

namespace quillora::vbs {

// Creates a new array for ReDim [Preserve] in `target` (error 10 when it is fixed or locked).
void DoReDim(Value& target, std::span<Value> boundValues, bool preserve);
// Erase: clears a fixed array, frees a dynamic one.
void DoErase(Value& target);
std::vector<int32_t> BoundsFrom(std::span<Value> values);

// Globals outside the fast paths: named objects' members, implicit variables, built-ins.
class Vm {
public:
    static Value LoadGlobal(Engine& e, Frame& f, int a, int c);
    static void StoreGlobal(Engine& e, Frame& f, int a, int c, Value v, bool set, bool raw);
    static Value RefGlobal(Engine& e, Frame& f, int a, int c);
    static Value CallGlobal(Engine& e, Frame& f, int a, int argc, int c);
};

} // namespace quillora::vbs
