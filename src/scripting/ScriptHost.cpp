// Running script code (the engine arrives later).
#include "scripting/ScriptHost.h"

#include "game/GameSession.h"
#include "project/ProjectInfo.h"

namespace quillora {

bool ExecuteVBScript(GameSession& session, const std::string& /*text*/,
                     bool resetLastClickPosition) {
    if (session.Flags.StopEverything) return false;
    if (resetLastClickPosition) {
        session.State.LastClickX = 0;
        session.State.LastClickY = 0;
    }
    return false;
}

void ExecuteOnLoadVBScript(GameSession& session) {
    session.Action.ResetModule();
    if (!Project().StartupScript.empty() && Project().RunStartupScript) {
        ExecuteVBScript(session, Project().StartupScript, true);
    }
}

} // namespace quillora
