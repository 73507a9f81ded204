// Setting up, animating and stopping the rippling water of a frame.
#include "effects/RipplingWater.h"

#include "core/ClassicError.h"
#include "core/PathLookup.h"
#include "core/Twips.h"
#include "core/ValueListReader.h"
#include "scene/PictureBox.h"
#include "scene/Pictures.h"
#include "services/Wait.h"

#include <QPainter>

#include <cmath>

namespace quillora {
namespace {

// The constants the classic player passed to the wave: the strength divisor, the wave length in
// rows and no perspective.
constexpr int kStrengthDivisor = 4;
constexpr double kWaveLength = 90.0;
constexpr double kPerspective = 0.0;

} // namespace

WaterEffectSettings ReadWaterEffect(ValueListReader& in) {
    WaterEffectSettings s;
    for (int i = 0; i < 6; ++i)
        in.Skip();
    s.Left = in.ReadInt16();
    s.Top = in.ReadInt16();
    s.Width = in.ReadInt16();
    s.Height = in.ReadInt16();
    s.WaveStrength = in.ReadInt16();
    s.WaveSpeed = in.ReadInt16();
    if (!in.AtEnd()) s.WaveReverse = in.ReadBool();
    if (s.Width < 0 || s.Height < 0)
        throw ClassicError(ErrorCode::InvalidProcedureCall, "Invalid property value");
    return s;
}

float WavePhase(int16_t waveSpeed, bool reverse, int32_t t) {
    const double d = reverse ? -1 : 1;
    return static_cast<float>(d * std::pow((waveSpeed + 2) / 10.0, 4) / 300 * t);
}

RipplingWater::RipplingWater(PictureBox& box, const bool& stopEverything, WaterHooks hooks)
    : m_box(box), m_stopEverything(stopEverything), m_hooks(std::move(hooks)),
      m_element(box.Create(ElementKind::Surface, "PicRipplingWater", 0)) {
    // Over the background picture, under the hotspots that stand in the water.
    m_box.ZOrder(m_element, 1);
    m_element.SetVisible(false);
    m_element.Painter = [this](QPainter& painter, const QRect& rect) {
        if (!m_rippling.isNull()) painter.drawImage(rect.topLeft(), m_rippling);
    };
    m_timer.setInterval(kTickMilliseconds);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
}

RipplingWater::~RipplingWater() = default;

void RipplingWater::LoadWaveEffectIfAny(const std::string& effectFile,
                                        const std::string& maskFile) {
    m_active = false;
    m_settings.WaveReverse = false;
    if (!PathLookup::Instance().FileExists(effectFile) ||
        !PathLookup::Instance().FileExists(maskFile)) {
        return;
    }
    try {
        ValueListReader in = ValueListReader::Open(effectFile);
        m_settings = ReadWaterEffect(in);
        const QRect wanted(m_settings.Left, m_settings.Top, m_settings.Width, m_settings.Height);
        const QRect rect = wanted.intersected(QRect(QPoint(0, 0), m_box.FramePixels()));
        if (rect.isEmpty()) return; // nothing of it would show
        m_element.Move(PixelsToTwips(rect.x()), PixelsToTwips(rect.y()),
                       PixelsToTwips(rect.width()), PixelsToTwips(rect.height()));

        // Black is water: a mask that cannot be read leaves the whole rectangle water.
        m_mask = QImage(rect.size(), QImage::Format_RGB32);
        m_original = QImage(rect.size(), QImage::Format_RGB32);
        if (m_mask.isNull() || m_original.isNull()) throw ClassicError(ErrorCode::OutOfMemory);
        m_mask.fill(Qt::black);
        try {
            const QImage mask = LoadPicture(maskFile);
            QPainter painter(&m_mask);
            painter.drawImage(wanted.topLeft() - rect.topLeft(), mask);
        } catch (const ClassicError&) {
        }

        // The frame's own background under the rectangle, without any element.
        m_original.fill(ColorFromNumber(m_box.BackColor()));
        QPainter painter(&m_original);
        painter.translate(-rect.topLeft());
        if (!m_box.PaintedLayer().isNull()) painter.drawImage(0, 0, m_box.PaintedLayer());
        if (!m_box.Picture().isNull()) painter.drawImage(0, 0, m_box.Picture());
        painter.end();
        m_rippling = m_original.copy();
        m_masked = m_original.copy();
        MergePaintMask(m_masked, m_mask);

        m_clock.ZarnTime(1);
        DrawFrame();
        m_active = true;
        m_element.SetVisible(true);
        m_element.Changed();
    } catch (const ClassicError& error) {
        m_timer.stop();
        if (!m_stopEverything && m_hooks.ReportError)
            m_hooks.ReportError(" Error initializing the Rippling Water effect. ",
                                DescriptionAndDetail(error));
    }
}

void RipplingWater::Start() {
    if (!m_active) return;
    m_clock.ZarnTime(1);
    m_timer.start();
}

void RipplingWater::DrawFrame() {
    const int w = m_rippling.width();
    const int h = m_rippling.height();
    const float phase =
        WavePhase(m_settings.WaveSpeed, m_settings.WaveReverse, m_clock.ZarnTime(0));
    ZarnWave(m_rippling, 0, 0, w, h, m_original, 0, 0, m_settings.WaveStrength, kStrengthDivisor,
             phase, kWaveLength, kPerspective);
    ZarnFastMask(m_rippling, 0, 0, w, h, m_masked, 0, 0, m_mask, 0, 0, 0);
}

void RipplingWater::Tick() {
    if (m_stopEverything) {
        m_timer.stop();
        return;
    }
    if (m_timer.isActive() && m_active) {
        m_tickDone = false;
        DrawFrame();
        m_element.Changed();
        // Hooks may handle window events; a stop asked meanwhile waits for this tick.
        if (m_hooks.TickDrawn) m_hooks.TickDrawn();
    }
    if (!m_active) m_timer.stop();
    m_tickDone = true;
}

void RipplingWater::Stop() {
    if (m_timer.isActive()) {
        m_timer.stop();
        if (!m_tickDone) WaitSeconds(kStopWaitSeconds, [this] { return m_tickDone; });
    }
    m_active = false;
    m_element.SetVisible(false);
}

} // namespace quillora
