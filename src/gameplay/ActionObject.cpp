// The game's Action object.
#include "gameplay/ActionObject.h"

namespace quillora {

VBScriptActionModule& Action() {
    static VBScriptActionModule action;
    return action;
}

} // namespace quillora
