// The effects library's wave, mask and clock, row by row on 32-bit pixels.
#include "effects/WaveEffects.h"

#include "core/Clock.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillora {
namespace {

constexpr uint32_t kOpaque = 0xFF000000;

// A w × h rectangle at (dx, dy) of one image and (sx, sy) of another, cut to what lies inside
// both.
struct Span {
    int dx, dy, sx, sy, w, h;
};

Span Clip(const QImage& dest, int dx, int dy, const QImage& src, int sx, int sy, int w, int h) {
    Span s{dx, dy, sx, sy, w, h};
    const int left = std::max({0, -s.dx, -s.sx});
    const int top = std::max({0, -s.dy, -s.sy});
    s.dx += left, s.sx += left, s.w -= left;
    s.dy += top, s.sy += top, s.h -= top;
    s.w = std::min({s.w, dest.width() - s.dx, src.width() - s.sx});
    s.h = std::min({s.h, dest.height() - s.dy, src.height() - s.sy});
    if (s.w < 0) s.w = 0;
    if (s.h < 0) s.h = 0;
    return s;
}

// Two pixels blended with weight (0..256) of the second, each channel rounded.
inline uint32_t Lerp(uint32_t a, uint32_t b, uint32_t weight) {
    const uint32_t keep = 256 - weight;
    const uint32_t rb = ((a & 0x00FF00FF) * keep + (b & 0x00FF00FF) * weight + 0x00800080) >> 8;
    const uint32_t g = ((a & 0x0000FF00) * keep + (b & 0x0000FF00) * weight + 0x00008000) >> 8;
    return (rb & 0x00FF00FF) | (g & 0x0000FF00) | kOpaque;
}

} // namespace

int32_t EffectClock::ZarnTime(int mode) {
    const double now = TheClock().SecondsSinceMidnight();
    if (mode == 1) {
        m_start = now;
        return 0;
    }
    return static_cast<int32_t>(std::lround(ElapsedSeconds(m_start, now) * 1000));
}

void ZarnWave(QImage& dest, int dx, int dy, int w, int h, const QImage& src, int sx, int sy,
              int strength, int divisor, float phase, double wavelength, double perspective) {
    const Span s = Clip(dest, dx, dy, src, sx, sy, w, h);
    if (s.w <= 0 || s.h <= 0) return;
    const double amplitude = static_cast<double>(strength) / (divisor != 0 ? divisor : 1);
    const double rowAngle = wavelength != 0 ? 2 * std::numbers::pi / wavelength : 0;
    for (int y = 0; y < s.h; ++y) {
        const double depth = 1 + perspective * y / std::max(1, h);
        double shift = amplitude * depth * std::sin(rowAngle * y + phase);
        // Shifts wider than the row read its edge pixels only.
        shift = std::clamp(shift, -static_cast<double>(s.w), static_cast<double>(s.w));
        const double whole = std::floor(shift);
        const int offset = static_cast<int>(whole);
        const auto weight = static_cast<uint32_t>(std::lround((shift - whole) * 256));
        const auto* in = reinterpret_cast<const uint32_t*>(src.constScanLine(s.sy + y)) + s.sx;
        auto* out = reinterpret_cast<uint32_t*>(dest.scanLine(s.dy + y)) + s.dx;
        const int last = s.w - 1;
        for (int x = 0; x < s.w; ++x) {
            const int a = std::clamp(x + offset, 0, last);
            const int b = std::clamp(x + offset + 1, 0, last);
            out[x] = Lerp(in[a], in[b], weight);
        }
    }
}

void ZarnFastMask(QImage& dest, int dx, int dy, int w, int h, const QImage& src, int sx, int sy,
                  const QImage& mask, int mx, int my, int) {
    const Span s = Clip(dest, dx, dy, src, sx, sy, w, h);
    // Then against the mask, whose rectangle starts where the source's does.
    const Span m = Clip(dest, s.dx, s.dy, mask, mx + s.dx - dx, my + s.dy - dy, s.w, s.h);
    const int srcX = s.sx + m.dx - s.dx;
    const int srcY = s.sy + m.dy - s.dy;
    for (int y = 0; y < m.h; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(dest.scanLine(m.dy + y)) + m.dx;
        const auto* in = reinterpret_cast<const uint32_t*>(src.constScanLine(srcY + y)) + srcX;
        const auto* cover = reinterpret_cast<const uint32_t*>(mask.constScanLine(m.sy + y)) + m.sx;
        for (int x = 0; x < m.w; ++x)
            out[x] = ((out[x] | cover[x]) & in[x]) | kOpaque;
    }
}

void MergePaintMask(QImage& dest, const QImage& mask) {
    const int w = std::min(dest.width(), mask.width());
    const int h = std::min(dest.height(), mask.height());
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(dest.scanLine(y));
        const auto* cover = reinterpret_cast<const uint32_t*>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x)
            out[x] = (out[x] | ~cover[x]) | kOpaque;
    }
}

} // namespace quillora
