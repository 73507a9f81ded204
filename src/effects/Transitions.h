// Frame transitions and the rippling-water effect.
#pragma once

namespace quillora {

// Transitions are not drawn yet: frame changes that ask for one change at once.
void TransitionStep1(int transitionNumber);
void TransitionStep2(int transitionNumber, double durationSeconds);
bool TransitionRunning();
// Whether the transition surface is on screen (videos coming into view wait for it to go).
bool TransitionSurfaceShown();

// Rippling water is not drawn yet: no frame has an active water area.
void LoadWaveEffectIfAny(const char* frameName);
bool WaveEffectActive();
void StopRipplingWater();

} // namespace quillora
