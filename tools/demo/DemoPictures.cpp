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

namespace {

// The water of a scene's band: black where a pixel leans blue by more than `margin`.
QImage WaterMask(const QImage& picture, int x, int y, int w, int h, int margin) {
    const QImage scene = picture.convertToFormat(QImage::Format_RGB32);
    QImage mask(w, h, QImage::Format_RGB32);
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            const QColor c = scene.pixelColor(x + col, y + row);
            mask.setPixel(col, row,
                          c.blue() > c.red() + margin ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    return mask;
}

} // namespace

QImage ShoreWaterMask(int x, int y, int w, int h) {
    // The sea and its foam are the only blue-leaning pixels of the band.
    return WaterMask(ShoreScene(), x, y, w, h, 20);
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

QImage CoveScene() {
    QImage image = Canvas(640, 480, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Sky(p, 200, QColor(120, 170, 220), QColor(240, 210, 180));
    QLinearGradient sea(0, 190, 0, 260);
    sea.setColorAt(0, QColor(40, 100, 150));
    sea.setColorAt(1, QColor(60, 130, 160));
    p.fillRect(0, 190, 640, 70, sea);
    Lighthouse(p, 560, 200, 70);
    // Dark rocks all round, wet sand between them.
    p.fillRect(0, 250, 640, 230, QColor(200, 180, 140));
    p.setPen(Qt::NoPen);
    const QPointF rocks[] = {{30, 270}, {150, 240}, {300, 250}, {470, 260}, {610, 280},
                             {520, 420}, {90, 430}, {600, 400}};
    for (int i = 0; i < 8; ++i) {
        p.setBrush(QColor(92 + i * 4, 88 + i * 3, 84));
        p.drawEllipse(rocks[i], 60 + (i * 13) % 30, 26 + (i * 7) % 14);
    }
    // The pool, clear and blue, with weed at its edge.
    QRadialGradient pool(320, 345, 100);
    pool.setColorAt(0, QColor(70, 160, 190));
    pool.setColorAt(1, QColor(40, 110, 150));
    p.setBrush(pool);
    p.drawEllipse(QRectF(230, 300, 180, 90));
    p.setPen(QPen(QColor(60, 130, 70), 3));
    for (int i = 0; i < 7; ++i)
        p.drawLine(QPointF(250 + i * 22, 386 - (i % 2) * 6), QPointF(256 + i * 22, 372));
    p.setPen(QPen(QColor(120, 190, 220), 1));
    for (int i = 0; i < 5; ++i)
        p.drawLine(270 + i * 20, 320 + i * 11, 300 + i * 20, 320 + i * 11);
    // The carved stone.
    p.setPen(QPen(QColor(70, 66, 60), 2));
    p.setBrush(QColor(150, 146, 136));
    p.drawRoundedRect(QRectF(60, 250, 120, 90), 20, 20);
    p.setPen(QPen(QColor(80, 76, 70), 2));
    for (int line = 0; line < 3; ++line)
        p.drawLine(80, 275 + line * 18, 160 - line * 14, 275 + line * 18);
    return image;
}

QImage CoveWaterMask(int x, int y, int w, int h) {
    return WaterMask(CoveScene(), x, y, w, h, 40);
}

QImage Crab() {
    QImage image = Canvas(60, 40, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 40, 30), 3, Qt::SolidLine, Qt::RoundCap));
    for (int leg = 0; leg < 3; ++leg) {
        p.drawLine(QPointF(22, 26 + leg * 3), QPointF(8, 30 + leg * 4));
        p.drawLine(QPointF(38, 26 + leg * 3), QPointF(52, 30 + leg * 4));
    }
    p.drawLine(QPointF(20, 20), QPointF(10, 8));
    p.drawLine(QPointF(40, 20), QPointF(50, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 70, 50));
    p.drawEllipse(QRectF(16, 16, 28, 18));
    p.drawEllipse(QPointF(10, 7), 6, 5);
    p.drawEllipse(QPointF(50, 7), 6, 5);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(26, 18), 2, 2);
    p.drawEllipse(QPointF(34, 18), 2, 2);
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

QImage CottageOutside() {
    QImage image = Canvas(96, 80, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Whitewashed walls under a red roof, a lit window and a smoking chimney.
    p.fillRect(QRectF(10, 40, 76, 38), QColor(238, 234, 222));
    p.setPen(QPen(QColor(150, 140, 120), 1));
    p.drawRect(QRectF(10, 40, 76, 38));
    p.fillRect(QRectF(64, 14, 10, 22), QColor(120, 100, 90));
    QPainterPath roof;
    roof.moveTo(2, 42);
    roof.lineTo(48, 12);
    roof.lineTo(94, 42);
    roof.closeSubpath();
    p.fillPath(roof, QColor(170, 60, 46));
    p.fillRect(QRectF(20, 52, 16, 14), QColor(255, 214, 120));
    p.setPen(QPen(QColor(90, 60, 40), 2));
    p.drawRect(QRectF(20, 52, 16, 14));
    p.drawLine(QPointF(28, 52), QPointF(28, 66));
    p.fillRect(QRectF(52, 50, 18, 28), QColor(90, 60, 40));
    p.setPen(Qt::NoPen);
    for (int puff = 0; puff < 3; ++puff) {
        p.setBrush(QColor(220, 220, 225, 150 - puff * 40));
        p.drawEllipse(QPointF(72 + puff * 6, 9 - puff * 3), 4 + puff, 3 + puff);
    }
    return image;
}

QImage CottageInside() {
    QImage image = Canvas(640, 480, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Planked walls and a floor.
    for (int x = 0; x < 640; x += 40)
        p.fillRect(x, 0, 39, 360, QColor(118 + (x / 40 % 3) * 6, 84, 56));
    p.fillRect(0, 360, 640, 120, QColor(70, 50, 36));
    p.setPen(QPen(QColor(56, 40, 28), 2));
    for (int y = 380; y < 480; y += 24)
        p.drawLine(0, y, 640, y);
    // A window on the evening sea.
    QLinearGradient dusk(0, 70, 0, 190);
    dusk.setColorAt(0, QColor(60, 70, 130));
    dusk.setColorAt(0.6, QColor(230, 150, 110));
    dusk.setColorAt(0.61, QColor(40, 80, 120));
    dusk.setColorAt(1, QColor(30, 60, 100));
    p.fillRect(QRectF(100, 70, 150, 120), dusk);
    p.setPen(QPen(QColor(60, 40, 26), 8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(100, 70, 150, 120));
    p.drawLine(175, 70, 175, 190);
    p.drawLine(100, 130, 250, 130);
    // The door out to the shore, ajar on the evening light.
    p.fillRect(QRectF(8, 150, 56, 210), QColor(230, 170, 120));
    p.fillRect(QRectF(8, 150, 30, 210), QColor(86, 56, 34));
    p.setPen(QPen(QColor(50, 32, 20), 4));
    p.drawRect(QRectF(8, 150, 56, 210));
    // The fireplace and its glow.
    p.fillRect(QRectF(440, 150, 170, 210), QColor(120, 110, 104));
    p.fillRect(QRectF(470, 230, 110, 130), QColor(30, 20, 16));
    QRadialGradient fire(525, 340, 90);
    fire.setColorAt(0, QColor(255, 200, 80, 255));
    fire.setColorAt(0.3, QColor(240, 110, 30, 200));
    fire.setColorAt(1, QColor(240, 110, 30, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fire);
    p.drawEllipse(QPointF(525, 340), 90, 70);
    p.fillRect(QRectF(430, 140, 190, 14), QColor(96, 70, 48));
    // The old keeper in his chair: cap, white beard, navy jersey, pipe.
    p.setBrush(QColor(110, 60, 40));
    p.drawRoundedRect(QRectF(270, 180, 130, 180), 18, 18);
    p.setBrush(QColor(40, 50, 90));
    p.drawRoundedRect(QRectF(292, 218, 86, 110), 24, 24);
    p.setBrush(QColor(236, 196, 160));
    p.drawEllipse(QPointF(335, 196), 24, 26);
    p.setBrush(QColor(240, 240, 236));
    QPainterPath beard;
    beard.moveTo(312, 200);
    beard.quadTo(335, 252, 358, 200);
    beard.closeSubpath();
    p.drawPath(beard);
    p.setBrush(QColor(30, 36, 60));
    p.drawRoundedRect(QRectF(308, 166, 54, 16), 6, 6);
    p.fillRect(QRectF(304, 178, 62, 5), QColor(20, 24, 40));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(326, 194), 2, 2);
    p.drawEllipse(QPointF(344, 194), 2, 2);
    p.setPen(QPen(QColor(80, 50, 30), 3));
    p.drawLine(QPointF(346, 214), QPointF(372, 222));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 50, 30));
    p.drawRect(QRectF(368, 212, 8, 10));
    p.setBrush(QColor(40, 50, 90));
    p.drawRect(QRectF(300, 320, 26, 40));
    p.drawRect(QRectF(344, 320, 26, 40));
    // His sea chest.
    p.setBrush(QColor(130, 90, 50));
    p.drawRect(QRectF(90, 290, 120, 70));
    p.fillRect(QRectF(90, 300, 120, 6), QColor(200, 170, 80));
    return image;
}

QImage GalleryScene() {
    QImage image = Canvas(640, 480, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Night through the tall panes of the lantern, and the iron frame between them.
    Sky(p, 480, QColor(8, 10, 30), QColor(26, 34, 70));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        p.setBrush(QColor(255, 255, 240, 60 + (i * 41) % 150));
        p.drawEllipse(QPointF((i * 89) % 640, (i * 43) % 240), 1, 1);
    }
    p.fillRect(0, 300, 640, 180, QColor(14, 22, 44));
    p.setPen(QPen(QColor(36, 38, 46), 10));
    for (int x = 0; x <= 640; x += 128)
        p.drawLine(x, 0, x, 330);
    p.drawLine(0, 40, 640, 40);
    // The brass railing and the floor of the gallery.
    p.fillRect(0, 330, 640, 150, QColor(52, 48, 46));
    p.setPen(QPen(QColor(170, 130, 60), 5));
    p.drawLine(0, 330, 640, 330);
    // The great lens: a tall drum of glass rings on the burner's pedestal.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 96));
    p.drawRect(QRectF(290, 300, 60, 90));
    QLinearGradient glass(230, 0, 410, 0);
    glass.setColorAt(0, QColor(120, 150, 170, 200));
    glass.setColorAt(0.5, QColor(200, 225, 235, 220));
    glass.setColorAt(1, QColor(120, 150, 170, 200));
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(230, 90, 180, 210), 30, 30);
    p.setPen(QPen(QColor(90, 120, 140, 200), 2));
    for (int ring = 0; ring < 7; ++ring)
        p.drawLine(236, 110 + ring * 28, 404, 110 + ring * 28);
    p.setPen(QPen(QColor(150, 120, 50), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(230, 90, 180, 210), 30, 30);
    // The burner inside the lens (dark: no wick).
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 56, 50));
    p.drawRect(QRectF(300, 200, 40, 40));
    p.setBrush(QColor(150, 120, 50));
    p.drawRect(QRectF(296, 236, 48, 8));
    // The hatch down to the stairs.
    p.setBrush(QColor(20, 16, 14));
    p.drawRect(QRectF(40, 390, 130, 60));
    p.setPen(QPen(QColor(120, 90, 50), 4));
    for (int step = 0; step < 3; ++step)
        p.drawLine(52, 404 + step * 16, 158, 404 + step * 16);
    return image;
}

QImage LensSalt() {
    QImage image = Canvas(180, 210, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    unsigned seed = 11;
    for (int i = 0; i < 70; ++i) {
        seed = seed * 1103515245 + 12345;
        const double x = 16 + (seed >> 8) % 148;
        const double y = 14 + (seed >> 16) % 182;
        p.setBrush(QColor(236, 236, 226, 120 + static_cast<int>((seed >> 4) % 90)));
        p.drawEllipse(QPointF(x, y), 6 + (seed >> 12) % 12, 4 + (seed >> 20) % 8);
    }
    return image;
}

QImage WickInBurner() {
    QImage image = Canvas(40, 40, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(6, 28, 28, 12), QColor(150, 120, 50));
    p.fillRect(QRectF(14, 8, 12, 22), QColor(236, 230, 210));
    p.setPen(QPen(QColor(40, 36, 30), 2));
    p.drawLine(QPointF(20, 8), QPointF(20, 4));
    return image;
}

QImage WickIcon() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(236, 230, 210), 5, Qt::SolidLine, Qt::RoundCap));
    QPainterPath coil;
    coil.moveTo(6, 26);
    coil.cubicTo(6, 10, 26, 22, 26, 6);
    p.drawPath(coil);
    p.setPen(QPen(QColor(40, 36, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(QPointF(26, 5));
    return image;
}

namespace {

// A pointer's outline: dark edge under a light fill, so it shows on sand and on night skies.
void Outlined(QPainter& p, const QPainterPath& shape, QColor fill) {
    p.setPen(QPen(QColor(20, 20, 30), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(shape);
}

} // namespace

QImage HandPointer() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(11, 2, 6, 16), 3, 3); // the pointing finger
    hand.addRoundedRect(QRectF(17, 9, 5, 10), 2.5, 2.5);
    hand.addRoundedRect(QRectF(22, 10, 5, 10), 2.5, 2.5);
    hand.addRoundedRect(QRectF(5, 14, 7, 5), 2.5, 2.5); // the thumb
    hand.addRoundedRect(QRectF(9, 15, 19, 15), 5, 5);
    Outlined(p, hand.simplified(), QColor(255, 236, 210));
    return image;
}

QImage WalkPointer() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(16, 1);
    arrow.lineTo(30, 15);
    arrow.lineTo(21, 15);
    arrow.lineTo(21, 30);
    arrow.lineTo(11, 30);
    arrow.lineTo(11, 15);
    arrow.lineTo(2, 15);
    arrow.closeSubpath();
    Outlined(p, arrow, QColor(120, 220, 140));
    return image;
}

QImage TalkPointer() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addEllipse(QRectF(2, 3, 28, 20));
    QPainterPath tail;
    tail.moveTo(8, 19);
    tail.lineTo(5, 30);
    tail.lineTo(16, 21);
    tail.closeSubpath();
    Outlined(p, bubble.united(tail), QColor(255, 255, 255));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 30));
    for (int dot = 0; dot < 3; ++dot)
        p.drawEllipse(QPointF(10 + dot * 6, 13), 1.8, 1.8);
    return image;
}

QImage LookPointer() {
    QImage image = Canvas(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 30), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(29, 29));
    p.setPen(QPen(QColor(170, 120, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    QPainterPath lens;
    lens.addEllipse(QPointF(13, 13), 10, 10);
    Outlined(p, lens, QColor(200, 230, 250, 200));
    return image;
}

} // namespace quillora::demo
