// Running script code (the engine arrives later).
#include "scripting/ScriptHost.h"

#include "game/ActionObject.h"
#include "game/GameState.h"
#include "project/ProjectInfo.h"
#include "project/RunState.h"

namespace quillora {

bool ExecuteVBScript(const std::string& /*text*/, bool resetLastClickPosition) {
    if (Flags().StopEverything) return false;
    if (resetLastClickPosition) {
        State().LastClickX = 0;
        State().LastClickY = 0;
    }
    return false;
}

void ExecuteOnLoadVBScript() {
    Action().ResetModule();
    if (!Project().StartupScript.empty() && Project().RunStartupScript) {
        ExecuteVBScript(Project().StartupScript, true);
    }
}

void LoadProjectProcedures() {}

} // namespace quillora
