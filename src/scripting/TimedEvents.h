// Timed events that scripts schedule.
#pragma once

namespace quillora {

// Scripts cannot schedule timed events yet: these keep the game's calls in place.
void ResetTimedEvents();
void StartTimedEvents();
void PauseTimedEvents();

} // namespace quillora
