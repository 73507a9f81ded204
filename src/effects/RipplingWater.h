// The rippling-water effect of a frame (the classic module state and TimerRipplingWater): a
// rectangle of the background picture that ripples under a mask, redrawn every 30 ms.
#pragma once

#include "effects/WaveEffects.h"

#include <QImage>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>

namespace quillora {

class PictureBox;
class SceneElement;
class ValueListReader;

// The effect file (<frame>.rwe): values 1 to 6 ignored, then the rectangle in frame pixels, the
// strength and speed, and the optional reverse flag.
struct WaterEffectSettings {
    int16_t Left = 0, Top = 0, Width = 0, Height = 0;
    int16_t WaveStrength = 0;
    int16_t WaveSpeed = 0;
    bool WaveReverse = false;
};
// Throws ClassicError on a damaged file, and "Invalid property value" for a negative size.
WaterEffectSettings ReadWaterEffect(ValueListReader& in);

// The wave's phase at effect-clock count t (milliseconds):
// d × ((speed + 2) / 10)⁴ / 300 × t, d = −1 when reversed; single precision as the library takes
// it.
float WavePhase(int16_t waveSpeed, bool reverse, int32_t t);

struct WaterHooks {
    // Shows the standard error report with the routine's literal and the error's description.
    std::function<void(const std::string&, const std::string&)> ReportError;
    // After each drawn tick: the game window's own pointer goes back to the default.
    std::function<void()> TickDrawn;
};

class RipplingWater {
public:
    static constexpr int kTickMilliseconds = 30;
    // Waits of the stopping callers end after this long even when a tick has not finished.
    static constexpr double kStopWaitSeconds = 5;

    // Creates the water element (the classic PicRipplingWater) in `box`, hidden, behind every
    // other element. `stopEverything` (not owned, outliving this) is the game's flag.
    RipplingWater(PictureBox& box, const bool& stopEverything, WaterHooks hooks);
    ~RipplingWater();
    RipplingWater(const RipplingWater&) = delete;
    RipplingWater& operator=(const RipplingWater&) = delete;

    // Sets up the effect when both files exist (the mask may be unreadable: then the whole
    // rectangle is water): reads the settings, copies the rectangle of the frame's background,
    // draws the first picture and shows it. The timer is not started. The part of the rectangle
    // outside the frame is left out; a rectangle with nothing inside the frame gives no effect.
    void LoadWaveEffectIfAny(const std::string& effectFile, const std::string& maskFile);
    // Restarts the effect clock and the 30 ms timer, when an effect is set up.
    void Start();
    // Stops the timer, waits (handling window events, at most 5 s) for a tick in progress to
    // finish, then ends the effect and hides it.
    void Stop();
    // Stops the timer only (the game is unloading, a cut-scene covers the frame).
    void StopTimer() { m_timer.stop(); }
    // Starts the timer again after StopTimer, when an effect is set up.
    void Resume() {
        if (m_active && !m_timer.isActive()) m_timer.start();
    }
    // One timer tick: the next picture of the animation.
    void Tick();

    bool WaveEffectActive() const { return m_active; }
    bool TimerEnabled() const { return m_timer.isActive(); }
    bool RippleTickDone() const { return m_tickDone; }
    const WaterEffectSettings& Settings() const { return m_settings; }
    SceneElement& Element() { return m_element; }
    // The picture shown, as transitions draw it into the new frame.
    const QImage& CurrentImage() const { return m_rippling; }
    EffectClock& Clock() { return m_clock; }

private:
    void DrawFrame();

    PictureBox& m_box;
    const bool& m_stopEverything;
    WaterHooks m_hooks;
    SceneElement& m_element;
    QTimer m_timer;
    EffectClock m_clock;
    WaterEffectSettings m_settings;
    QImage m_rippling; // the visible result
    QImage m_original; // the untouched pixels, the wave's source
    QImage m_mask;
    QImage m_masked; // original OR NOT mask
    bool m_active = false;
    bool m_tickDone = true;
};

} // namespace quillora
