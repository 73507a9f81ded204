// The game's Action object.
#include "game/ActionObject.h"

namespace quillora {

VBScriptActionModule& Action() {
    static VBScriptActionModule action;
    return action;
}

} // namespace quillora
