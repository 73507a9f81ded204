// Our own effects library (the classic ZarnCBmp3 functions) on image pixels: the effect clock,
// the wave and the mask.
#pragma once

#include <QImage>

#include <cstdint>

namespace quillora {

// The effect clock (ZarnTime): counts milliseconds on the clock service since its last restart.
class EffectClock {
public:
    // Mode 1 restarts the count and returns 0; mode 0 returns the count.
    int32_t ZarnTime(int mode);

private:
    double m_start = 0;
};

// Draws into dest's rectangle (dx, dy, w, h) a wave-distorted copy of src's rectangle at (sx, sy):
// every row is moved sideways by strength / divisor pixels × sin(2π × row / wavelength + phase),
// the shift growing by `perspective` × row / h towards the bottom, with sub-pixel shifts blended
// between neighbours and reads kept inside the row. Rectangles are clipped to both images.
// Images are Format_RGB32.
void ZarnWave(QImage& dest, int dx, int dy, int w, int h, const QImage& src, int sx, int sy,
              int strength, int divisor, float phase, double wavelength, double perspective);

// Puts back under the mask: every pixel of dest's rectangle becomes (dest OR mask) AND src, so
// where the mask is black (water) dest keeps its pixel and where it is white dest takes src's,
// which the caller prepared as original OR NOT mask. The last argument is unused (0).
void ZarnFastMask(QImage& dest, int dx, int dy, int w, int h, const QImage& src, int sx, int sy,
                  const QImage& mask, int mx, int my, int flags);

// The merge-paint of the mask over a copy (raster operation BB0226): dest = dest OR NOT mask,
// pixel by pixel over the common size. Water (black in the mask) turns white.
void MergePaintMask(QImage& dest, const QImage& mask);

} // namespace quillora
