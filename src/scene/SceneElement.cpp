// Scene elements: their properties, measuring and drawing.
#include "scene/SceneElement.h"

#include "core/Twips.h"
#include "scene/PictureBox.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillora {

QColor ColorFromNumber(uint32_t number) {
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

uint32_t NumberFromColor(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
           (static_cast<uint32_t>(colour.blue()) << 16);
}

SceneElement::SceneElement(PictureBox& owner, ElementKind kind, std::string name, int index)
    : m_owner(owner), m_kind(kind), m_name(std::move(name)), m_index(index) {}

void SceneElement::Move(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
    Changed();
}

void SceneElement::SetVisible(bool visible) {
    if (m_visible == visible) return;
    m_visible = visible;
    Changed();
}

void SceneElement::SetPicture(const QImage& picture, const std::string& file) {
    m_picture = picture;
    m_pictureFile = file;
    if (m_kind == ElementKind::Image && !Stretch && !picture.isNull()) {
        Width = PixelsToTwips(picture.width());
        Height = PixelsToTwips(picture.height());
    }
    Changed();
}

void SceneElement::SetCaption(const std::string& caption) {
    m_caption = caption;
    MeasureCaption();
    Changed();
}

void SceneElement::FontChanged() {
    MeasureCaption();
    Changed();
}

QFont SceneElement::PixelFont() const {
    QFont font(QString::fromStdString(FontName));
    // Sizes from damaged files are kept within what can be drawn.
    const double pixels = std::clamp(FontSize * 96.0 / 72.0, 1.0, 2000.0);
    font.setPixelSize(static_cast<int>(std::lround(pixels)));
    font.setBold(FontBold);
    font.setItalic(FontItalic);
    font.setUnderline(FontUnderline);
    font.setStrikeOut(FontStrikethru);
    return font;
}

void SceneElement::MeasureCaption() {
    if (m_kind != ElementKind::Label || !AutoSize) return;
    const QFontMetricsF metrics(PixelFont());
    const QString text = QString::fromStdString(m_caption);
    QRectF bounds;
    if (WordWrap && Width > 0) {
        bounds =
            metrics.boundingRect(QRectF(0, 0, TwipsToPixels(Width), 1e6), Qt::TextWordWrap, text);
    } else {
        bounds = metrics.boundingRect(QRectF(0, 0, 1e6, 1e6), 0, text);
    }
    const int oldWidth = Width;
    Width = PixelsToTwips(static_cast<int>(std::ceil(bounds.width())));
    Height =
        PixelsToTwips(static_cast<int>(std::ceil(std::max(bounds.height(), metrics.height()))));
    // A centred label keeps its centre when it sizes itself; a right-aligned one its right edge.
    if (Alignment == 2) Left += (oldWidth - Width) / 2;
    if (Alignment == 1) Left += oldWidth - Width;
}

void SceneElement::CopySettingsFrom(const SceneElement& other) {
    Left = other.Left;
    Top = other.Top;
    Width = other.Width;
    Height = other.Height;
    m_picture = other.m_picture;
    m_pictureFile = other.m_pictureFile;
    Stretch = other.Stretch;
    m_caption = other.m_caption;
    FontName = other.FontName;
    FontSize = other.FontSize;
    FontBold = other.FontBold;
    FontItalic = other.FontItalic;
    FontUnderline = other.FontUnderline;
    FontStrikethru = other.FontStrikethru;
    AutoSize = other.AutoSize;
    WordWrap = other.WordWrap;
    Alignment = other.Alignment;
    ForeColor = other.ForeColor;
    BackColor = other.BackColor;
    Opaque = other.Opaque;
    MousePointer = other.MousePointer;
    MouseIcon = other.MouseIcon;
    HasMouseIcon = other.HasMouseIcon;
    Tag = other.Tag;
    ToolTipText = other.ToolTipText;
    Enabled = other.Enabled;
    WhatsThisHelpID = other.WhatsThisHelpID;
    Painter = other.Painter;
    OnMouseDown = other.OnMouseDown;
    OnMouseMove = other.OnMouseMove;
    OnMouseUp = other.OnMouseUp;
    OnClick = other.OnClick;
    OnDragDrop = other.OnDragDrop;
}

QRect SceneElement::PixelRect() const {
    int x = TwipsToPixels(Left);
    int y = TwipsToPixels(Top);
    for (const SceneElement* c = m_container; c != nullptr; c = c->m_container) {
        x += TwipsToPixels(c->Left);
        y += TwipsToPixels(c->Top);
    }
    return QRect(x, y, TwipsToPixels(Width), TwipsToPixels(Height));
}

void SceneElement::Paint(QPainter& painter) const {
    const QRect rect = PixelRect();
    switch (m_kind) {
    case ElementKind::Image:
        if (m_picture.isNull()) break;
        if (Stretch) {
            painter.drawImage(rect, m_picture);
        } else {
            painter.drawImage(rect.topLeft(), m_picture,
                              QRect(0, 0, std::min(rect.width(), m_picture.width()),
                                    std::min(rect.height(), m_picture.height())));
        }
        break;
    case ElementKind::Label: {
        if (Opaque) painter.fillRect(rect, ColorFromNumber(BackColor));
        painter.setFont(PixelFont());
        painter.setPen(ColorFromNumber(ForeColor));
        int flags = Alignment == 2   ? Qt::AlignHCenter
                    : Alignment == 1 ? Qt::AlignRight
                                     : Qt::AlignLeft;
        if (WordWrap) flags |= Qt::TextWordWrap;
        painter.drawText(rect, flags | Qt::AlignTop, QString::fromStdString(m_caption));
        break;
    }
    case ElementKind::Box:
        if (Opaque) painter.fillRect(rect, ColorFromNumber(BackColor));
        if (!m_picture.isNull()) painter.drawImage(rect.topLeft(), m_picture);
        break;
    case ElementKind::Surface:
        if (Painter) Painter(painter, rect);
        break;
    }
}

void SceneElement::Changed() {
    m_owner.ElementChanged();
}

} // namespace quillora
