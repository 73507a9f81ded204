// The game's Action object.
#include "scripting/ActionObject.h"

namespace quillora {

VBScriptActionModule& Action() {
    static VBScriptActionModule action;
    return action;
}

} // namespace quillora
