// Drawing the stock logo pictures.
#include "ui/StockLogos.h"

#include <QPainter>

namespace quillora {

QPixmap StockLogo(int index) {
    struct Colours {
        QColor back;
        QColor mark;
    };
    static const Colours kColours[] = {
        {QColor(32, 64, 160), QColor(255, 255, 255)},
        {QColor(255, 255, 255), QColor(32, 64, 160)},
        {QColor(176, 120, 24), QColor(255, 248, 220)},
        {QColor(40, 40, 40), QColor(240, 200, 80)},
    };
    const Colours& c = kColours[index & 3];
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(c.back);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    // A quill-like "Q": a ring with a slanted tail.
    painter.setPen(QPen(c.mark, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(3.5, 3, 8, 8.5));
    painter.drawLine(QPointF(9, 9.5), QPointF(13, 13.5));
    return pixmap;
}

} // namespace quillora
