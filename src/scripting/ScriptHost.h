// Running authors' script code: the frame and start-up scripts, and the debug prompt.
#pragma once

#include <string>

namespace quillora {

struct GameSession;

// Runs script code; true when it failed. The script engine is not connected to the game yet:
// nothing runs and no failure is reported.
bool ExecuteVBScript(GameSession& session, const std::string& text, bool resetLastClickPosition);

// Runs the project's start-up script when the project asks for it (after ResetModule).
void ExecuteOnLoadVBScript(GameSession& session);

} // namespace quillora
