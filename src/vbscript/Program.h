// Compiled code: the instruction set, procedures, classes and modules the virtual machine runs.
#pragma once

#include "vbscript/Errors.h"
#include "vbscript/Object.h"
#include "vbscript/Value.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillora::vbs {

class Engine;
struct Module;

// Operand conventions: a = slot / global / constant / name index; b = argument count or a
// second slot; c = a jump target or an implicit-local fallback slot (-1: none).
enum class Op : uint8_t {
    Nop,
    PushConst,
    Pop,
    PushMe,
    // Variables: L = local slot, G = global, F = field of Me, O = local of the frame that called
    // Execute/Eval. Load pushes the value; Store assigns (Let); Set assigns an object; Ref pushes
    // a reference for a by-reference argument; Call indexes or calls with b arguments.
    LoadL,
    StoreL,
    SetL,
    RefL,
    CallL,
    LoadL2,     // pushes locals a and c
    StoreLoadL, // stores into local a (Let) and leaves its new value on the stack
    LoadG,
    StoreG,
    SetG,
    RefG,
    CallG,
    LoadF,
    StoreF,
    SetF,
    RefF,
    CallF,
    LoadO,
    StoreO,
    SetO,
    RefO,
    CallO,
    ConcatL,
    ConcatF,
    ConcatG, // x = x & value, appending in place (c: ConcatG's implicit local)
    GetMember,
    LetMember,
    SetMember, // a = name index, b = argc; stack: object, args[, value]
    CallValue, // stack: callee value, args (b)
    LetIndexed,
    SetIndexed,
    RefIndexed,  // stack: reference, args (b)[, value]
    RefIndexedG, // global a(args): an element reference, else a call
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    Pow,
    Neg,
    Concat,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is, // b = literal flags
    Not,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    Jump,
    JumpIfFalse,
    JumpIfTrue,
    ForPrep,     // stack: start, end, step -> start; end and step kept in hidden slots a, a+1
    ForIncr,     // stack: counter -> counter + step (hidden slot a)
    ForTest,     // pops counter; jumps to c while it has not passed the end (hidden slot a)
    ForLoopL,    // local a += step; jump to c while in range (hidden slot b)
    ForLoopG,    // global a likewise
    ForEachInit, // pops the collection into hidden slots a, a+1; jumps to c when empty
    ForEachNext, // pushes the next item, or clears the hidden slots and jumps to c
    ClearL,      // empties local a
    OnErrorResume,
    OnErrorGoto0,
    Return,
    NewObject,  // a = global index of the class
    DimArray,   // stack: reference, bounds (b); creates a fixed array
    ReDim,      // stack: reference, bounds (b); c = 1 to preserve
    Erase,      // stack: reference
    ConstError, // assignment to a constant: error 501 naming constant a
};

struct Instr {
    Op op;
    uint16_t b = 0;
    int32_t a = 0;
    int32_t c = -1;
};

// A member name used by compiled code: as written and folded for lookups.
struct MemberName {
    std::u16string text;
    std::string folded;
};

struct ClassDef;

struct Procedure {
    enum Kind : uint8_t { Main, Sub, Function, PropertyGet, PropertyLet, PropertySet };
    Kind kind = Main;
    std::u16string name;
    bool isPublic = true;
    int paramCount = 0;
    std::vector<uint8_t> byVal;
    int localCount = 0; // parameters, the result slot, declared and hidden locals
    int maxStack = -1;  // deepest use of the value stack, worked out on the first call
    std::vector<std::u16string> localNames; // by slot (hidden slots are empty)
    std::vector<Instr> code;
    std::vector<SourcePosition> positions; // per instruction
    std::vector<int32_t> resume;           // per instruction: where On Error Resume Next goes on
    std::vector<Value> constants;
    ClassDef* owner = nullptr;
    Module* module = nullptr;
    int ResultSlot() const { return paramCount; }
};

// A script class: fields and members by folded name. Member ids seen by Invoke are index + 1,
// id 0 being the default member.
struct ClassDef {
    std::u16string name;
    struct Member {
        std::u16string name;
        bool isPublic = true;
        int field = -1;           // a variable member
        Procedure* get = nullptr; // Function, Sub or Property Get
        Procedure* let = nullptr;
        Procedure* set = nullptr;
    };
    std::vector<Member> members;
    std::unordered_map<std::string, int> memberIndex;
    std::vector<std::u16string> fieldNames;
    std::vector<std::vector<int32_t>> fieldBounds; // fixed array bounds, empty for scalars
    std::vector<uint8_t> fieldIsArray;
    int defaultMember = -1;
    Procedure* initialize = nullptr;
    Procedure* terminate = nullptr;
    Engine* engine = nullptr; // null once the engine is gone
    Module* module = nullptr;
};

// One compiled text: what AddCode, ExecuteGlobal or Execute compiled.
struct Module {
    std::u16string source;
    std::vector<size_t> lineStarts;
    int firstLine = 1; // the number of the source's first line
    bool optionExplicit = false;
    bool declarationsOnly = false; // no statements outside procedures and classes
    std::vector<std::unique_ptr<Procedure>> procedures; // [0] is the top-level code
    std::vector<std::unique_ptr<ClassDef>> classes;
    std::vector<MemberName> names;
    // What the module declares at global level, defined when it is loaded.
    struct GlobalDecl {
        int global;
        enum Kind : uint8_t { Variable, Const, Procedure, Class } kind;
        Value constant;
        struct Procedure* proc = nullptr;
        ClassDef* cls = nullptr;
        std::vector<int32_t> bounds; // fixed array variable
        bool isArray = false;
        bool ifUndefined = false; // ReDim: declares the name only where nothing else has
    };
    std::vector<GlobalDecl> globals;
    std::vector<Procedure*> publicProcedures; // in source order, for Procedures()

    std::string LineText(int line) const;
};

} // namespace quillora::vbs
