// Drawing the demo game's pictures.
#include "DemoPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace quillora::demo {
namespace {

QImage Canvas(int width, int height, bool transparent) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(transparent ? Qt::transparent : Qt::black);
    return image;
}

void Sky(QPainter& p, int horizon, QColor top, QColor bottom) {
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, top);
    sky.setColorAt(1, bottom);
    p.fillRect(0, 0, 640, horizon, sky);
}

void Lighthouse(QPainter& p, double x, double base, double height) {
    QPainterPath tower;
    tower.moveTo(x - 34, base);
    tower.lineTo(x - 22, base - height);
    tower.lineTo(x + 22, base - height);
    tower.lineTo(x + 34, base);
    tower.closeSubpath();
    p.fillPath(tower, QColor(236, 232, 222));
    p.save();
    p.setClipPath(tower);
    for (int band = 0; band < 4; ++band) {
        p.fillRect(QRectF(x - 40, base - height + 30 + band * height / 4.2, 80, height / 9),
                   QColor(178, 44, 40));
    }
    p.restore();
    p.fillRect(QRectF(x - 26, base - height - 34, 52, 34), QColor(60, 64, 70));
    QRadialGradient glow(x, base - height - 17, 60);
    glow.setColorAt(0, QColor(255, 236, 150, 220));
    glow.setColorAt(1, QColor(255, 236, 150, 0));
    p.setBrush(glow);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(x, base - height - 17), 60, 60);
    p.fillRect(QRectF(x - 30, base - height - 40, 60, 6), QColor(40, 40, 44));
}

} // namespace

QImage TitleCard() {
    QImage image = Canvas(640, 480, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Sky(p, 480, QColor(12, 18, 48), QColor(58, 44, 92));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const int x = (i * 97) % 640, y = (i * 53) % 300;
        p.setBrush(QColor(255, 255, 240, 80 + (i * 37) % 160));
        p.drawEllipse(QPointF(x, y), 1.2, 1.2);
    }
    p.fillRect(0, 380, 640, 100, QColor(16, 30, 60));
    Lighthouse(p, 500, 390, 200);
    return image;
}

QImage ShoreScene() {
    QImage image = Canvas(640, 480, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Sky(p, 260, QColor(110, 170, 225), QColor(230, 214, 190));
    QLinearGradient sea(0, 250, 0, 330);
    sea.setColorAt(0, QColor(40, 110, 160));
    sea.setColorAt(1, QColor(70, 150, 170));
    p.fillRect(0, 250, 640, 80, sea);
    // Glints on the swell: short light strokes that the rippling water sets moving.
    unsigned seed = 7;
    for (int y = 254; y < 326; y += 3) {
        for (int n = 0; n < 9; ++n) {
            seed = seed * 1103515245 + 12345;
            const int x = static_cast<int>((seed >> 8) % 640);
            const int length = 6 + static_cast<int>((seed >> 20) % 18);
            p.setPen(QPen(QColor(150, 205, 235, 90 + (y - 250)), 1));
            p.drawLine(x, y, x + length, y);
        }
    }
    QPainterPath beach;
    beach.moveTo(0, 320);
    beach.cubicTo(200, 300, 420, 340, 640, 310);
    beach.lineTo(640, 480);
    beach.lineTo(0, 480);
    p.fillPath(beach, QColor(222, 198, 150));
    p.setPen(QPen(QColor(255, 255, 255, 150), 2));
    for (int i = 0; i < 6; ++i)
        p.drawLine(30 + i * 100, 300 + (i % 2) * 6, 80 + i * 100, 300 + (i % 2) * 6);
    Lighthouse(p, 470, 330, 230);
    return image;
}

QImage ShoreWaterMask(int x, int y, int w, int h) {
    const QImage scene = ShoreScene().convertToFormat(QImage::Format_RGB32);
    QImage mask(w, h, QImage::Format_RGB32);
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            // The sea and its foam are the only blue-leaning pixels of the band.
            const QColor c = scene.pixelColor(x + col, y + row);
            mask.setPixel(col, row, c.blue() > c.red() + 20 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    return mask;
}

QImage LighthouseInside() {
    QImage image = Canvas(640, 480, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 0, 640, 480, QColor(58, 50, 44));
    for (int row = 0; row < 12; ++row) {
        for (int col = 0; col < 10; ++col) {
            p.fillRect(col * 64 + (row % 2) * 32, row * 40, 60, 36,
                       QColor(84 + (row * col) % 20, 72, 62));
        }
    }
    p.setPen(QPen(QColor(30, 26, 22), 6));
    for (int step = 0; step < 9; ++step)
        p.drawLine(380 + step * 20, 440 - step * 40, 460 + step * 20, 440 - step * 40);
    QRadialGradient lamp(150, 160, 130);
    lamp.setColorAt(0, QColor(255, 220, 140, 150));
    lamp.setColorAt(1, QColor(255, 220, 140, 0));
    p.fillRect(0, 0, 640, 480, lamp);
    return image;
}

QImage LighthouseDoor(bool open) {
    QImage image = Canvas(40, 60, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arch;
    arch.moveTo(0, 60);
    arch.lineTo(0, 20);
    arch.arcTo(0, 0, 40, 40, 180, -180);
    arch.lineTo(40, 60);
    arch.closeSubpath();
    p.fillPath(arch, open ? QColor(24, 20, 18) : QColor(110, 70, 40));
    if (!open) {
        p.setPen(QPen(QColor(70, 44, 24), 2));
        for (int x = 10; x < 40; x += 10)
            p.drawLine(x, 6, x, 60);
        p.setBrush(QColor(210, 180, 60));
        p.drawEllipse(QPointF(31, 36), 3, 3);
    }
    return image;
}

QImage Seagull() {
    QImage image = Canvas(64, 40, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(245, 245, 245));
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.drawEllipse(QRectF(18, 16, 30, 16));
    QPainterPath wing;
    wing.moveTo(24, 20);
    wing.quadTo(10, 2, 0, 8);
    wing.quadTo(16, 14, 30, 22);
    p.drawPath(wing);
    p.setBrush(QColor(240, 180, 40));
    p.drawPolygon(QPolygonF({QPointF(48, 22), QPointF(60, 24), QPointF(48, 27)}));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(43, 21), 1.5, 1.5);
    return image;
}

QImage Boat() {
    // Cut from the shore scene where the boat lies, as authors cut hotspot pictures from their
    // backgrounds: the picture is opaque and still blends in.
    QImage image = ShoreScene().copy(80, 280, 120, 60);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hull;
    hull.moveTo(0, 30);
    hull.lineTo(120, 30);
    hull.lineTo(100, 58);
    hull.lineTo(18, 58);
    hull.closeSubpath();
    p.fillPath(hull, QColor(150, 60, 40));
    p.fillRect(QRectF(0, 30, 120, 5), QColor(230, 220, 200));
    p.setPen(QPen(QColor(80, 50, 30), 3));
    p.drawLine(60, 30, 60, 0);
    return image;
}

QImage LampFlare() {
    QImage image = Canvas(52, 38, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient flare(26, 19, 26);
    flare.setColorAt(0, QColor(255, 255, 235, 255));
    flare.setColorAt(0.35, QColor(255, 240, 160, 220));
    flare.setColorAt(1, QColor(255, 220, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(flare);
    p.drawEllipse(QRectF(0, 0, 52, 38));
    return image;
}

QImage Shell(int size) {
    const double scale = 0.6 + 0.2 * size; // 0.8, 1.0, 1.2
    QImage image = Canvas(72, 64, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(36, 58);
    p.scale(scale, scale);
    const QColor tone = size == 1   ? QColor(250, 200, 190)
                        : size == 2 ? QColor(244, 222, 170)
                                    : QColor(236, 170, 120);
    QPainterPath fan;
    fan.moveTo(0, 0);
    fan.lineTo(-26, -30);
    fan.quadTo(0, -60, 26, -30);
    fan.closeSubpath();
    p.setPen(QPen(tone.darker(150), 1.5));
    p.setBrush(tone);
    p.drawPath(fan);
    for (int rib = -2; rib <= 2; ++rib)
        p.drawLine(QPointF(0, 0), QPointF(rib * 10, -40 + std::abs(rib) * 3));
    p.drawRect(QRectF(-7, -4, 14, 6));
    return image;
}

QImage RopeIcon() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(180, 140, 80), 3));
    for (int r = 4; r <= 12; r += 4)
        p.drawEllipse(QPointF(16, 16), r, r * 0.8);
    p.setPen(QPen(QColor(120, 90, 50), 1));
    p.drawEllipse(QPointF(16, 16), 13, 10.5);
    return image;
}

QImage HookIcon() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 160), 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath hook;
    hook.moveTo(18, 3);
    hook.lineTo(18, 20);
    hook.arcTo(QRectF(8, 14, 12, 12), 0, -220);
    p.drawPath(hook);
    p.drawEllipse(QPointF(18, 4), 2, 2);
    return image;
}

QImage GrappleIcon() {
    QImage image = RopeIcon();
    QPainter p(&image);
    p.drawImage(QRectF(10, 4, 22, 22), HookIcon());
    return image;
}

QImage KeyIcon() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 160, 40), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(9, 16), 6, 6);
    p.drawLine(QPointF(15, 16), QPointF(29, 16));
    p.drawLine(QPointF(25, 16), QPointF(25, 22));
    p.drawLine(QPointF(29, 16), QPointF(29, 21));
    return image;
}

QImage PearlIcon() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sheen(13, 12, 14);
    sheen.setColorAt(0, QColor(255, 255, 255));
    sheen.setColorAt(0.6, QColor(226, 222, 236));
    sheen.setColorAt(1, QColor(170, 160, 190));
    p.setPen(QPen(QColor(120, 110, 140), 1));
    p.setBrush(sheen);
    p.drawEllipse(QPointF(16, 16), 11, 11);
    return image;
}

QImage RopeInBoat() {
    QImage image = Canvas(36, 16, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(190, 150, 90), 3));
    p.drawEllipse(QRectF(3, 3, 30, 10));
    p.drawEllipse(QRectF(9, 5, 18, 6));
    return image;
}

QImage LampLit() {
    QImage image = Canvas(640, 480, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Sky(p, 480, QColor(10, 14, 40), QColor(30, 40, 80));
    p.fillRect(0, 360, 640, 120, QColor(12, 24, 52));
    QRadialGradient beam(320, 200, 300);
    beam.setColorAt(0, QColor(255, 240, 170, 230));
    beam.setColorAt(1, QColor(255, 240, 170, 0));
    p.setBrush(beam);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(320, 200), QPointF(0, 80), QPointF(0, 300)}));
    p.drawPolygon(QPolygonF({QPointF(320, 200), QPointF(640, 60), QPointF(640, 320)}));
    Lighthouse(p, 320, 370, 170);
    return image;
}

QImage SandTile() {
    QImage image = Canvas(32, 32, false);
    QPainter p(&image);
    p.fillRect(0, 0, 32, 32, QColor(214, 190, 140));
    for (int i = 0; i < 40; ++i) {
        p.fillRect((i * 13) % 32, (i * 7) % 32, 1, 1, QColor(170 + i % 40, 150, 110));
    }
    return image;
}

QImage QuillPointer() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath feather;
    feather.moveTo(1, 1);
    feather.quadTo(8, 24, 30, 30);
    feather.quadTo(20, 10, 1, 1);
    p.fillPath(feather, QColor(250, 248, 236));
    p.setPen(QPen(QColor(40, 40, 60), 1.2));
    p.drawPath(feather);
    p.drawLine(QPointF(1, 1), QPointF(24, 26));
    return image;
}

QImage WelcomeButton(const QString& caption) {
    QImage image = Canvas(168, 30, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient brass(0, 0, 0, 30);
    brass.setColorAt(0, QColor(226, 190, 112));
    brass.setColorAt(1, QColor(150, 108, 44));
    p.fillRect(image.rect(), QColor(18, 30, 52));
    p.setPen(QPen(QColor(92, 62, 20), 2));
    p.setBrush(brass);
    p.drawRoundedRect(QRectF(1, 1, 166, 28), 8, 8);
    QFont font("Liberation Serif", 13, QFont::Bold);
    font.setPixelSize(17);
    p.setFont(font);
    p.setPen(QColor(40, 24, 6));
    p.drawText(image.rect(), Qt::AlignCenter, caption);
    return image;
}

QImage WelcomeTile() {
    QImage image = Canvas(40, 24, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(18, 30, 52));
    // A swell that joins its neighbours left and right.
    QPainterPath wave;
    wave.moveTo(0, 16);
    wave.cubicTo(10, 10, 30, 22, 40, 16);
    p.setPen(QPen(QColor(36, 62, 98), 2));
    p.drawPath(wave);
    p.setPen(QColor(60, 92, 130));
    p.drawPoint(8, 5);
    return image;
}

} // namespace quillora::demo
