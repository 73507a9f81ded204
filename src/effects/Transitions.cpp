// Frame transitions: the steps' drawing, the paced animation loop and its overlay.
#include "effects/Transitions.h"

#include "core/ClassicError.h"
#include "core/Clock.h"
#include "effects/DisplayPacer.h"
#include "scene/PictureBox.h"
#include "services/Wait.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quillora {
namespace {

constexpr const char* kNames[kTransitionCount] = {"Alphablending", "Slide Left", "Slide Right",
                                                  "Slide Up", "Slide Down"};

const char* const kRenderingError =
    " Error rendering the full-screen alphablending transitions. Make sure that the file "
    "'Msimg32.dll' is in your Windows\\System directory. This message will not reappear until "
    "you restart the program. ";

// Two 8-bit lanes (bits 0-7 and 16-23) each holding a sum of products up to 255 × 255, divided
// by 255 and rounded.
inline uint32_t DivideLanesBy255(uint32_t lanes) {
    lanes += 0x00800080;
    return ((lanes + ((lanes >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
}

// The constant-alpha source-over blend of the system's alpha blending: each channel becomes
// (source × a + destination × (255 − a)) / 255, rounded.
void BlendRows(const QImage& source, const QImage& destination, int alpha, QImage& target) {
    const uint32_t a = static_cast<uint32_t>(alpha);
    const uint32_t inverse = 255 - a;
    const int width = target.width();
    for (int y = 0; y < target.height(); ++y) {
        const auto* s = reinterpret_cast<const uint32_t*>(source.constScanLine(y));
        const auto* d = reinterpret_cast<const uint32_t*>(destination.constScanLine(y));
        auto* out = reinterpret_cast<uint32_t*>(target.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const uint32_t rb = (s[x] & 0x00FF00FF) * a + (d[x] & 0x00FF00FF) * inverse;
            const uint32_t ag =
                ((s[x] >> 8) & 0x00FF00FF) * a + ((d[x] >> 8) & 0x00FF00FF) * inverse;
            out[x] = DivideLanesBy255(rb) | (DivideLanesBy255(ag) << 8);
        }
    }
}

QImage AsRgb32(const QImage& image) {
    return image.format() == QImage::Format_RGB32 ? image
                                                  : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

const char* TransitionName(int n) {
    return n >= 1 && n <= kTransitionCount ? kNames[n - 1] : "";
}

bool IsAnimatedTransition(int n) {
    return n >= 0 && n <= kTransitionCount;
}

void RenderTransitionStep(int n, double g, const QImage& oldFrame, const QImage& newFrame,
                          QImage& target) {
    g = std::clamp(g, 0.0, 1.0);
    const int w = target.width();
    const int h = target.height();
    if (n == 0 || n == 1) {
        BlendRows(newFrame, oldFrame, static_cast<int>(std::lround(g * 255)), target);
        return;
    }
    // The strip of two frames, placed as the classic code moved its picture boxes.
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    switch (n) {
    case 2: { // [new, old] moving right
        const int left = static_cast<int>(std::lround((g - 1) * w));
        painter.drawImage(left, 0, newFrame);
        painter.drawImage(left + w, 0, oldFrame);
        break;
    }
    case 3: { // [old, new] moving left
        const int left = static_cast<int>(std::lround(-g * w));
        painter.drawImage(left, 0, oldFrame);
        painter.drawImage(left + w, 0, newFrame);
        break;
    }
    case 4: { // new above old, moving down
        const int top = static_cast<int>(std::lround((g - 1) * h));
        painter.drawImage(0, top, newFrame);
        painter.drawImage(0, top + h, oldFrame);
        break;
    }
    case 5: { // old above new, moving up
        const int top = static_cast<int>(std::lround(-g * h));
        painter.drawImage(0, top, oldFrame);
        painter.drawImage(0, top + h, newFrame);
        break;
    }
    default: painter.drawImage(0, 0, newFrame); break;
    }
}

FrameTransitions::FrameTransitions(PictureBox& box, bool& abortRequested, TransitionHooks hooks)
    : m_box(box), m_abortRequested(abortRequested), m_hooks(std::move(hooks)),
      m_overlay(box.Create(ElementKind::Surface, "picWhere", 0)),
      m_pacer(std::make_unique<DisplayPacer>()) {
    m_overlay.SetVisible(false);
    m_overlay.Opaque = true; // it hides the whole frame: the scene beneath is not drawn
    m_overlay.Painter = [this](QPainter& painter, const QRect& rect) {
        if (!m_shown.isNull()) painter.drawImage(rect.topLeft(), m_shown);
    };
}

FrameTransitions::~FrameTransitions() = default;

void FrameTransitions::SetPacer(std::unique_ptr<DisplayPacer> pacer) {
    m_pacer = std::move(pacer);
}

bool FrameTransitions::SurfaceShown() const {
    return m_overlay.Visible();
}

void FrameTransitions::ShowOverlay() {
    m_overlay.Move(0, 0, m_box.FrameWidth(), m_box.FrameHeight());
    m_box.ZOrder(m_overlay);
    m_overlay.SetVisible(true);
}

void FrameTransitions::CaptureOldFrame(int n) {
    if (m_depth > 0) return; // a frame opened during an animation keeps that animation's pictures
    try {
        m_oldFrame = m_hooks.CaptureActualFrame ? AsRgb32(m_hooks.CaptureActualFrame()) : QImage();
        if (n == 0 || n == 1) {
            m_shown = m_oldFrame;
            ShowOverlay();
        }
    } catch (const std::exception&) {
        // A failed photograph only costs the animation: the step ends quietly.
        m_oldFrame = QImage();
    }
}

void FrameTransitions::RunTransition(int n, double durationSeconds, const QImage& newFrame) {
    if (IsAnimatedTransition(n) && durationSeconds > 0) {
        try {
            Animate(n, durationSeconds, newFrame);
        } catch (const std::exception& error) {
            if (!m_errorShown && m_hooks.ReportError) {
                m_errorShown = true;
                const auto* classic = dynamic_cast<const ClassicError*>(&error);
                m_hooks.ReportError(kRenderingError,
                                    classic != nullptr
                                        ? classic->Description()
                                        : ClassicDescription(ErrorCode::OutOfMemory));
            }
        }
    }
    // Also after an error: a fade left half done would stay stalled until the next click.
    if (m_depth == 0) m_overlay.SetVisible(false);
    if (m_hooks.AudioFadeStep) m_hooks.AudioFadeStep(1);
}

void FrameTransitions::Animate(int n, double durationSeconds, const QImage& newFrameIn) {
    const QSize size = m_box.FramePixels();
    if (newFrameIn.isNull()) throw ClassicError(ErrorCode::OutOfMemory);
    const QImage newFrame = AsRgb32(newFrameIn);
    // Without a photograph of the old frame (or one of another size) the new frame just appears.
    if (m_oldFrame.size() != size || newFrame.size() != size) return;
    m_shown = QImage(size, QImage::Format_RGB32);
    if (m_shown.isNull()) throw ClassicError(ErrorCode::OutOfMemory);
    m_abortRequested = false;
    ShowOverlay();
    const QImage oldFrame = m_oldFrame;

    const WaitScope waiting;
    struct Running {
        FrameTransitions& module;
        ~Running() {
            module.m_pacer->End();
            --module.m_depth;
        }
    } running{*this};
    ++m_depth;
    m_pacer->Begin(&m_box);
    const bool fadeFirst = n == 0 || n == 1;
    const double start = TheClock().SecondsSinceMidnight();
    for (;;) {
        double elapsed = TheClock().SecondsSinceMidnight() - start;
        // A clock passing midnight ends the animation as if its time had run out.
        const bool over = elapsed < 0 || elapsed > durationSeconds;
        if (elapsed < 0) elapsed = durationSeconds;
        const double f = elapsed / durationSeconds;
        RenderTransitionStep(n, over ? 1.0 : f, oldFrame, newFrame, m_shown);
        m_overlay.Changed();
        if (fadeFirst && m_hooks.AudioFadeStep) m_hooks.AudioFadeStep(f);
        m_pacer->WaitForNextFrame([this] { return m_abortRequested; });
        if (!fadeFirst && m_hooks.AudioFadeStep) m_hooks.AudioFadeStep(f);
        if (m_abortRequested) {
            m_abortRequested = false;
            break;
        }
        if (over) break;
    }
}

void FrameTransitions::Release() {
    if (m_depth > 0) return;
    m_overlay.SetVisible(false);
    m_oldFrame = QImage();
    m_shown = QImage();
}

} // namespace quillora
