// Frame transitions (the classic TransitionsModule): the old frame photographed from the scene,
// the new one drawn from its parts, and a cross-fade or slide between them, one step per
// displayed frame, driving the audio fades as it goes.
#pragma once

#include <QImage>

#include <functional>
#include <memory>
#include <string>

namespace quillora {

class DisplayPacer;
class PictureBox;
class SceneElement;

// Transition numbers 0 and 1 cross-fade; 2 to 5 slide, the new frame entering at the left,
// right, top and bottom edge. Other numbers give no animation.
inline constexpr int kTransitionCount = 5;
// The name of transition n: "Alphablending", "Slide Left", "Slide Right", "Slide Up",
// "Slide Down"; "" for 0 and for numbers outside 1..5.
const char* TransitionName(int n);
bool IsAnimatedTransition(int n);

// Draws step g (0..1) of transition n into `target`, which must have the frames' size: the
// cross-fade blends `newFrame` over `oldFrame` with the constant alpha g × 255 rounded to a byte;
// a slide shows the strip of both frames moved by g of a frame. Frames are Format_RGB32 of one
// size; g outside 0..1 is clamped.
void RenderTransitionStep(int n, double g, const QImage& oldFrame, const QImage& newFrame,
                          QImage& target);

// What the module needs of the game: the photograph of the frame, the audio fades, the report.
struct TransitionHooks {
    // The frame area as the player sees it, without the inventory (frame size, RGB32).
    std::function<QImage()> CaptureActualFrame;
    // Moves the audio fades to a fraction of their way; 1 or more finishes them.
    std::function<void(double)> AudioFadeStep;
    // Shows the standard error report with the routine's literal and the error's description.
    std::function<void(const std::string&, const std::string&)> ReportError;
};

class FrameTransitions {
public:
    // Creates the overlay (the classic picWhere) in `box`, hidden, in front of everything when
    // shown. `abortRequested` (not owned, outliving this) is the game's flag that presses and
    // Esc raise.
    FrameTransitions(PictureBox& box, bool& abortRequested, TransitionHooks hooks);
    ~FrameTransitions();
    FrameTransitions(const FrameTransitions&) = delete;
    FrameTransitions& operator=(const FrameTransitions&) = delete;

    // The first half, before the new frame is built (callers have checked that transitions are
    // on): photographs the old frame; a cross-fade shows it still over the frame area while the
    // new one is built beneath.
    void CaptureOldFrame(int n);
    // The animation from the captured frame to `newFrame` over `durationSeconds`; ends when the
    // time is up, on a press or Esc (the abort flag) or on an error, and finishes every audio
    // fade in every case. Numbers outside 0..5 and durations not above 0 animate nothing.
    void RunTransition(int n, double durationSeconds, const QImage& newFrame);
    // Hides the overlay and releases the pictures (after the animation, or when the frame
    // opening that captured the old frame was abandoned).
    void Release();

    bool TransitionRunning() const { return m_depth > 0; }
    // Whether the overlay covers the frame area.
    bool SurfaceShown() const;
    SceneElement& Overlay() { return m_overlay; }
    // The game reset: the rendering error may be reported again.
    void ResetErrorShown() { m_errorShown = false; }
    // Replaces the display pacing (tests pace by the clock alone).
    void SetPacer(std::unique_ptr<DisplayPacer> pacer);

private:
    void Animate(int n, double durationSeconds, const QImage& newFrame);
    void ShowOverlay();

    PictureBox& m_box;
    bool& m_abortRequested;
    TransitionHooks m_hooks;
    SceneElement& m_overlay;
    std::unique_ptr<DisplayPacer> m_pacer;
    QImage m_oldFrame;
    QImage m_shown;
    // Animations in progress: a frame opened by a timer during one may run its own inside it.
    int m_depth = 0;
    bool m_errorShown = false; // TransitionErrorShown
};

} // namespace quillora
