// Drawing the player's icon with QPainter, so the window and the installed picture match.
#include "app/PlayerIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quillora {

QImage DrawPlayerIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 256-unit square whatever the size.
    painter.scale(size / 256.0, size / 256.0);

    QPainterPath tile;
    tile.addRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    painter.setClipPath(tile);
    QLinearGradient sky(0, 8, 0, 160);
    sky.setColorAt(0, QColor(0x1d, 0x2b, 0x64));
    sky.setColorAt(0.7, QColor(0xc0, 0x58, 0x7e));
    sky.setColorAt(1, QColor(0xf6, 0xb2, 0x6b));
    painter.fillRect(QRectF(0, 0, 256, 160), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xd2, 0x7a));
    painter.drawEllipse(QPointF(128, 160), 34, 34);
    QLinearGradient sea(0, 160, 0, 256);
    sea.setColorAt(0, QColor(0x1f, 0x5f, 0x7a));
    sea.setColorAt(1, QColor(0x0d, 0x2f, 0x40));
    painter.fillRect(QRectF(0, 160, 256, 96), sea);
    // Two lines of swell.
    QPen wave(QColor(0x7f, 0xc4, 0xd8), 6, Qt::SolidLine, Qt::RoundCap);
    for (const auto& [y, left] : {std::pair{192.0, 28.0}, std::pair{218.0, 52.0}}) {
        QPainterPath swell(QPointF(left, y));
        for (double x = left; x < 220; x += 48) {
            swell.quadTo(QPointF(x + 12, y - 9), QPointF(x + 24, y));
            swell.quadTo(QPointF(x + 36, y + 9), QPointF(x + 48, y));
        }
        painter.setPen(wave);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(swell);
        wave.setWidthF(4.5);
    }
    painter.setClipping(false);

    // The quill: a white vane with its shaft, and the nib.
    const QColor ink(0x2a, 0x2f, 0x45);
    QPainterPath vane(QPointF(206, 34));
    vane.cubicTo(QPointF(150, 44), QPointF(104, 88), QPointF(82, 150));
    vane.lineTo(QPointF(74, 176));
    vane.lineTo(QPointF(96, 160));
    vane.cubicTo(QPointF(150, 140), QPointF(196, 96), QPointF(206, 34));
    QLinearGradient feather(80, 40, 200, 170);
    feather.setColorAt(0, Qt::white);
    feather.setColorAt(1, QColor(0xd9, 0xe4, 0xf2));
    painter.setBrush(feather);
    painter.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(vane);
    painter.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(200, 42), QPointF(86, 166));
    painter.setPen(QPen(ink, 7, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(80, 168), QPointF(60, 204));
    painter.end();
    return image;
}

QIcon PlayerIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(DrawPlayerIcon(size)));
    return icon;
}

} // namespace quillora
