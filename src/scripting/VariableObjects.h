// The project's variables as scripts see them: one object per variable whose default member is
// its value, so a script reads and assigns the variable by its bare name.
#pragma once

#include "core/ListValue.h"
#include "game/Variables.h"
#include "vbscript/Object.h"

namespace quillora {

// An integer variable: assigning a value outside -32768..32767 fails with "Overflow" (6).
vbs::ObjectRef MakeVariableObject(std::shared_ptr<ClassVariable> variable);
// A variant variable: it holds what a saved game can keep (no objects, no arrays: 13).
vbs::ObjectRef MakeVariantVariableObject(std::shared_ptr<ClassVariableVariant> variable);

// Conversions between the values variant variables keep and the script engine's values.
vbs::Value ToScriptValue(const ListValue& value);
ListValue FromScriptValue(const vbs::Value& value);

} // namespace quillora
