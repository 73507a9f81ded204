// Frame transitions and rippling water (drawing arrives later).
#include "effects/Transitions.h"

namespace quillora {

void TransitionStep1(int) {}
void TransitionStep2(int, double) {}
bool TransitionRunning() {
    return false;
}
bool TransitionSurfaceShown() {
    return false;
}
void LoadWaveEffectIfAny(const char*) {}
bool WaveEffectActive() {
    return false;
}
void StopRipplingWater() {}

} // namespace quillora
