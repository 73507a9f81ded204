// Drawing the new frame of a transition from its parts, as the classic player printed it.
#include "effects/FrameCapture.h"

#include "core/Twips.h"
#include "scene/ControlArray.h"
#include "scene/PictureBox.h"

#include <QFontMetrics>
#include <QPainter>

namespace quillora {
namespace {

// A rectangle in twips as whole pixels, truncated.
QRect TruncatedPixels(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

void PrintLabel(QPainter& painter, const SceneElement& label) {
    const QFont font = label.PixelFont();
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(ColorFromNumber(label.ForeColor));
    const int x = label.Left / kTwipsPerPixel;
    int y = label.Top / kTwipsPerPixel;
    for (const std::string& line : PrintedLines(label.Caption())) {
        painter.drawText(x, y + metrics.ascent(), QString::fromStdString(line));
        y += metrics.height();
    }
}

} // namespace

std::vector<std::string> PrintedLines(const std::string& caption) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t cr = caption.find('\r', start);
        lines.push_back(
            caption.substr(start, cr == std::string::npos ? std::string::npos : cr - start));
        if (cr == std::string::npos || cr + 2 >= caption.size()) break;
        start = cr + 2;
    }
    return lines;
}

QImage CaptureCurrentFrame(const FrameParts& parts) {
    const PictureBox& box = parts.Box;
    QImage frame(box.FramePixels(), QImage::Format_RGB32);
    if (frame.isNull()) return frame;
    frame.fill(ColorFromNumber(box.BackColor()));
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The background: the colour, the painted tiles, the picture.
    if (!box.PaintedLayer().isNull()) painter.drawImage(0, 0, box.PaintedLayer());
    if (!box.Picture().isNull()) painter.drawImage(0, 0, box.Picture());
    // The water lies on the background, under the labels and the hotspots standing in it, as the
    // scene shows it.
    const SceneElement* ripple = parts.Ripple;
    if (ripple != nullptr && ripple->Visible() && parts.RippleImage != nullptr &&
        !parts.RippleImage->isNull()) {
        painter.drawImage(TruncatedPixels(ripple->Left, ripple->Top, ripple->Width, ripple->Height),
                          *parts.RippleImage);
    }

    for (const auto& [index, label] : parts.Text.Elements())
        PrintLabel(painter, *label);
    for (const auto& [index, area] : parts.Area.Elements()) {
        if (area->WhatsThisHelpID > 0 || area->Picture().isNull() || !area->Visible()) continue;
        painter.drawImage(TruncatedPixels(area->Left, area->Top, area->Width, area->Height),
                          area->Picture());
    }
    for (const auto& [index, area] : parts.Area.Elements()) {
        if (area->WhatsThisHelpID <= 0) continue;
        const SceneElement* gifBox = parts.AniGifBox.Item(area->WhatsThisHelpID);
        if (gifBox == nullptr || !gifBox->Visible() || !parts.AnimatedStill) continue;
        const QImage still = parts.AnimatedStill(area->WhatsThisHelpID);
        if (!still.isNull())
            painter.drawImage(gifBox->Left / kTwipsPerPixel, gifBox->Top / kTwipsPerPixel, still);
    }
    return frame;
}

} // namespace quillora
