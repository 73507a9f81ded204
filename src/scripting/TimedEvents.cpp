// Timed events (scheduling arrives with the script engine).
#include "scripting/TimedEvents.h"

namespace quillora {

void ResetTimedEvents() {}
void StartTimedEvents() {}
void PauseTimedEvents() {}

} // namespace quillora
