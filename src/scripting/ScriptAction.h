// The Action object as scripts see it: the request members the game carries out after a script,
// and the methods that act at once.
#pragma once

#include "vbscript/Object.h"

#include <span>
#include <string>

namespace quillora {

struct GameSession;
class ScriptWindow;

// What the Action object's methods reach.
struct ActionScope {
    GameSession& Session;
    ScriptWindow& Window;
};

// The Action object of one game window (one per window, kept for its life).
vbs::ObjectRef MakeScriptAction(GameSession& session, ScriptWindow& window);

// The member groups, each defined in its own file.
// The seven state members, the requests, the game-state queries and the inventory methods.
void DefineActionRequestMembers(vbs::HostObject& action, const ActionScope& scope);

// Argument helpers shared by the groups: a call with fewer than `count` arguments fails with
// "Wrong number of arguments or invalid property assignment" (450).
void RequireArgs(std::span<vbs::Value> args, size_t count);
std::string TextArg(std::span<vbs::Value> args, size_t index);
int16_t IntegerArg(std::span<vbs::Value> args, size_t index);
double DoubleArg(std::span<vbs::Value> args, size_t index);
bool BoolArg(std::span<vbs::Value> args, size_t index);

} // namespace quillora
