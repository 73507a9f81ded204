// The Action object as scripts see it: the request members the game carries out after a script,
// and the methods that act at once.
#pragma once

#include "vbscript/Object.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace quillora {

struct GameSession;
class ScriptHost;
class ScriptWindow;

// What the Action object's methods reach.
struct ActionScope {
    GameSession& Session;
    ScriptWindow& Window;
    // Timed events, permissions, components and the directory search of this game.
    ScriptHost& Host;
};

// The state of Dir-style searches (Action.DDir): a search started by one script goes on in the
// next.
struct DirectorySearch {
    bool Started = false;
    std::vector<std::string> Names;
    size_t Next = 0;
};

// The Action object of one game window (one per window, kept for its life).
vbs::ObjectRef MakeScriptAction(const ActionScope& scope);

// The member groups, each defined in its own file.
// The seven state members, the requests, the game-state queries and the inventory methods.
void DefineActionRequestMembers(vbs::HostObject& action, const ActionScope& scope);
// LoadAPicture, LoadGraphicFile, CreateObject, DeleteObject and ChangeDefaultCursor.
void DefineActionObjectMembers(vbs::HostObject& action, const ActionScope& scope);
// E-mail, web addresses, files and programs, saved parameters, INI files, directory searches,
// timed events.
void DefineActionServiceMembers(vbs::HostObject& action, const ActionScope& scope);
// The additional components.
void DefineActionComponentMembers(vbs::HostObject& action, const ActionScope& scope);

// Runs an immediate method's body under its standard error box: a failure shows the common
// error box (through `report`, given the failure's description) and the script goes on; the
// time-out still ends the script.
void Reporting(const std::function<void()>& body,
               const std::function<void(const std::string& description)>& report);
// The same with the usual box: the method's own text, then the failure's description.
void Reporting(const std::string& literal, const std::function<void()>& body);

// Argument helpers shared by the groups: a call with fewer than `count` arguments fails with
// "Wrong number of arguments or invalid property assignment" (450).
void RequireArgs(std::span<vbs::Value> args, size_t count);
std::string TextArg(std::span<vbs::Value> args, size_t index);
int16_t IntegerArg(std::span<vbs::Value> args, size_t index);
double DoubleArg(std::span<vbs::Value> args, size_t index);
bool BoolArg(std::span<vbs::Value> args, size_t index);

} // namespace quillora
