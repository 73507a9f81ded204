// Drawing the scene and routing pointer events to its elements.
#include "scene/PictureBox.h"

#include "core/Twips.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace quillora {
namespace {

// The classic pointer numbers as Qt shapes.
Qt::CursorShape ShapeOf(int pointer) {
    switch (pointer) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    case 15: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

int ButtonNumber(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return 0;
    }
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

PictureBox::~PictureBox() = default;

void PictureBox::SetFrameSize(int widthTwips, int heightTwips) {
    m_frameWidth = std::max(widthTwips, kTwipsPerPixel);
    m_frameHeight = std::max(heightTwips, kTwipsPerPixel);
    m_persistent = QImage();
    update();
}

QSize PictureBox::FramePixels() const {
    return QSize(TwipsToPixels(m_frameWidth), TwipsToPixels(m_frameHeight));
}

void PictureBox::SetBackColor(uint32_t colour) {
    m_backColor = colour;
    update();
}

void PictureBox::SetPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void PictureBox::Cls() {
    m_persistent = QImage();
    update();
}

void PictureBox::PaintPicture(const QImage& image, int x, int y) {
    if (m_persistent.isNull()) {
        m_persistent = QImage(FramePixels(), QImage::Format_ARGB32_Premultiplied);
        m_persistent.fill(Qt::transparent);
    }
    QPainter painter(&m_persistent);
    painter.drawImage(x, y, image);
    update();
}

SceneElement& PictureBox::Create(ElementKind kind, const std::string& name, int index,
                                 SceneElement* container) {
    m_owned.push_back(std::make_unique<SceneElement>(*this, kind, name, index));
    SceneElement& element = *m_owned.back();
    element.m_container = container;
    (container ? container->m_children : m_topLevel).push_back(&element);
    update();
    return element;
}

std::vector<SceneElement*>& PictureBox::SiblingsOf(SceneElement& element) {
    return element.m_container ? element.m_container->m_children : m_topLevel;
}

void PictureBox::Destroy(SceneElement& element) {
    while (!element.m_children.empty())
        Destroy(*element.m_children.back());
    auto& siblings = SiblingsOf(element);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &element), siblings.end());
    if (m_pressed == &element) m_pressed = nullptr;
    if (m_dragSource == &element) m_dragSource = nullptr;
    if (m_toolTipElement == &element) {
        m_toolTipElement = nullptr;
        QToolTip::hideText();
    }
    m_owned.erase(std::remove_if(m_owned.begin(), m_owned.end(),
                                 [&](const auto& owned) { return owned.get() == &element; }),
                  m_owned.end());
    update();
}

void PictureBox::ZOrder(SceneElement& element, int position) {
    auto& siblings = SiblingsOf(element);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &element), siblings.end());
    if (position == 0) {
        siblings.push_back(&element);
    } else {
        siblings.insert(siblings.begin(), &element);
    }
    update();
}

void PictureBox::SetContainer(SceneElement& element, SceneElement* container) {
    auto& siblings = SiblingsOf(element);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &element), siblings.end());
    element.m_container = container;
    (container ? container->m_children : m_topLevel).push_back(&element);
    update();
}

void PictureBox::ElementChanged() {
    HideToolTipIfStale();
    update();
}

void PictureBox::HideToolTipIfStale() {
    if (m_toolTipElement == nullptr) return;
    if (ElementAt(m_toolTipPixel) == m_toolTipElement && QToolTip::isVisible()) return;
    // The element left the pointer (an inventory bar that slid away, an item removed): its
    // name must not stay on screen over whatever is there now.
    m_toolTipElement = nullptr;
    QToolTip::hideText();
}

void PictureBox::RenderChildren(QPainter& painter, const std::vector<SceneElement*>& list) const {
    for (const SceneElement* element : list) {
        if (!element->Visible()) continue;
        element->Paint(painter);
        if (!element->m_children.empty()) {
            painter.save();
            painter.setClipRect(element->PixelRect(), Qt::IntersectClip);
            RenderChildren(painter, element->m_children);
            painter.restore();
        }
    }
}

void PictureBox::Render(QPainter& painter) const {
    const QRect frame(QPoint(0, 0), FramePixels());
    painter.save();
    painter.setClipRect(frame, Qt::IntersectClip);
    // Nothing under an opaque element that covers the whole frame can show: it is not drawn (a
    // transition's overlay is redrawn at the display's rate).
    auto first = m_topLevel.end();
    while (first != m_topLevel.begin()) {
        const SceneElement* element = *--first;
        if (element->Visible() && element->Opaque && element->PixelRect().contains(frame)) break;
    }
    if (first == m_topLevel.begin()) {
        painter.fillRect(frame, ColorFromNumber(m_backColor));
        if (!m_persistent.isNull()) painter.drawImage(0, 0, m_persistent);
        if (!m_picture.isNull()) painter.drawImage(0, 0, m_picture);
    }
    RenderChildren(painter, std::vector<SceneElement*>(first, m_topLevel.end()));
    painter.restore();
}

QImage PictureBox::Capture() const {
    QImage image(FramePixels(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Render(painter);
    return image;
}

void PictureBox::SetDisplay(QSize screen, bool sharp) {
    m_screen = screen;
    m_sharp = sharp;
    update();
}

namespace {

// The scale from screen pixels to widget pixels: the screen fits the widget; sharp scaling
// keeps whole factors where the screen is not larger than the widget.
double FitScale(const QSizeF& screen, const QSizeF& widget, bool sharp) {
    const double scale =
        std::min(widget.width() / screen.width(), widget.height() / screen.height());
    return sharp && scale >= 1 ? std::floor(scale) : scale;
}

} // namespace

QRectF PictureBox::ScreenRectInWidget() const {
    const QSizeF screen = m_screen.isEmpty() ? QSizeF(FramePixels()) : QSizeF(m_screen);
    const QSizeF shown = screen * FitScale(screen, size(), m_sharp);
    return QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

QRectF PictureBox::FrameRectInWidget() const {
    const QSize frame = FramePixels();
    const QSize screen = m_screen.isEmpty() ? frame : m_screen;
    const double scale = FitScale(QSizeF(screen), size(), m_sharp);
    // Placed in the screen as the game window centres its frame area: the left edge may be
    // off the screen, the top edge never.
    const int left = screen.width() / 2 - frame.width() / 2;
    const int top = std::max(0, screen.height() / 2 - frame.height() / 2);
    return QRectF(ScreenRectInWidget().topLeft() + QPointF(left, top) * scale,
                  QSizeF(frame) * scale);
}

QPointF PictureBox::WidgetToFrame(const QPointF& widgetPos) const {
    const QRectF rect = FrameRectInWidget();
    const double scale = rect.width() / FramePixels().width();
    return (widgetPos - rect.topLeft()) / scale;
}

QPointF PictureBox::FrameToWidget(const QPointF& framePos) const {
    const QRectF rect = FrameRectInWidget();
    const double scale = rect.width() / FramePixels().width();
    return rect.topLeft() + framePos * scale;
}

bool PictureBox::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    // The element under the pointer shows its tooltip text (an inventory item its name), for as
    // long as the pointer stays on it.
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPointF frame = WidgetToFrame(help->pos());
    const QPoint pixel(static_cast<int>(std::floor(frame.x())),
                       static_cast<int>(std::floor(frame.y())));
    SceneElement* element = ElementAt(pixel);
    if (element != nullptr && !element->ToolTipText.empty() && m_dragSource == nullptr) {
        const QRectF area(FrameToWidget(element->PixelRect().topLeft()),
                          FrameToWidget(element->PixelRect().bottomRight() + QPoint(1, 1)));
        QToolTip::showText(help->globalPos(), QString::fromStdString(element->ToolTipText), this,
                           area.toAlignedRect());
        m_toolTipElement = element;
        m_toolTipPixel = pixel;
    } else {
        m_toolTipElement = nullptr;
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRectF target = FrameRectInWidget();
    painter.setClipRect(ScreenRectInWidget());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !m_sharp);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / FramePixels().width(), target.height() / FramePixels().height());
    Render(painter);
    if (PaintOver) PaintOver(painter, FramePixels());
}

SceneElement* PictureBox::HitTest(const std::vector<SceneElement*>& list,
                                  const QPoint& framePixel) const {
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        SceneElement* element = *it;
        if (!element->Visible() || !element->Enabled) continue;
        const QRect rect = element->PixelRect();
        if (!rect.contains(framePixel)) continue;
        if (SceneElement* child = HitTest(element->m_children, framePixel)) return child;
        return element;
    }
    return nullptr;
}

SceneElement* PictureBox::ElementAt(const QPoint& framePixel) const {
    if (!QRect(QPoint(0, 0), FramePixels()).contains(framePixel)) return nullptr;
    return HitTest(m_topLevel, framePixel);
}

ElementMouse PictureBox::EventFor(const QMouseEvent* event, const SceneElement* element,
                                  int button) const {
    const QPointF frame = WidgetToFrame(event->position());
    ElementMouse mouse;
    mouse.Button = button;
    mouse.Shift = ShiftState(event->modifiers());
    mouse.X = static_cast<int>(frame.x() * kTwipsPerPixel);
    mouse.Y = static_cast<int>(frame.y() * kTwipsPerPixel);
    if (element != nullptr) {
        const QRect rect = element->PixelRect();
        mouse.X -= PixelsToTwips(rect.x());
        mouse.Y -= PixelsToTwips(rect.y());
    }
    return mouse;
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const int button = ButtonNumber(event->button());
    const QPointF frame = WidgetToFrame(event->position());
    const QPoint pixel(static_cast<int>(std::floor(frame.x())),
                       static_cast<int>(std::floor(frame.y())));
    if (!QRect(QPoint(0, 0), FramePixels()).contains(pixel) ||
        !ScreenRectInWidget().contains(event->position())) {
        if (auto handler = OnOutsideMouseDown) handler(EventFor(event, nullptr, button));
        return;
    }
    SceneElement* element = ElementAt(pixel);
    m_pressed = element;
    m_pressedButton = button;
    // Handlers are copied before the call: a handler may destroy its own element (a click
    // that opens another frame).
    if (element != nullptr) {
        if (auto handler = element->OnMouseDown) handler(EventFor(event, element, button));
    } else if (auto handler = OnMouseDown) {
        handler(EventFor(event, nullptr, button));
    }
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    // While an element is dragged, moves go to no element, as with the window system's drags.
    if (m_dragSource != nullptr) return;
    const QPointF frame = WidgetToFrame(event->position());
    const QPoint pixel(static_cast<int>(std::floor(frame.x())),
                       static_cast<int>(std::floor(frame.y())));
    // While a button is held the pressed element keeps getting the moves.
    SceneElement* element =
        m_pressed && event->buttons() != Qt::NoButton ? m_pressed : ElementAt(pixel);
    UpdateCursor(element);
    const int buttons = event->buttons() & Qt::LeftButton    ? 1
                        : event->buttons() & Qt::RightButton ? 2
                                                             : 0;
    if (element != nullptr) {
        if (auto handler = element->OnMouseMove) handler(EventFor(event, element, buttons));
    } else if (auto handler = OnMouseMove;
               handler && QRect(QPoint(0, 0), FramePixels()).contains(pixel)) {
        handler(EventFor(event, nullptr, buttons));
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const int button = ButtonNumber(event->button());
    const QPointF frame = WidgetToFrame(event->position());
    const QPoint pixel(static_cast<int>(std::floor(frame.x())),
                       static_cast<int>(std::floor(frame.y())));
    if (m_dragSource != nullptr) {
        SceneElement* source = m_dragSource;
        m_dragSource = nullptr;
        m_pressed = nullptr;
        QGuiApplication::restoreOverrideCursor();
        SceneElement* target = ElementAt(pixel);
        if (target != nullptr && target != source && target->OnDragDrop) {
            const ElementMouse at = EventFor(event, target, button);
            auto handler = target->OnDragDrop;
            handler(*source, at.X, at.Y);
        }
        return;
    }
    SceneElement* pressed = m_pressed;
    if (pressed == nullptr || button != m_pressedButton) {
        m_pressed = nullptr;
        return;
    }
    if (auto handler = pressed->OnMouseUp) handler(EventFor(event, pressed, button));
    // Destroy clears m_pressed, so a handler that removed the element is noticed here.
    if (m_pressed == pressed && ElementAt(pixel) == pressed && pressed->OnClick) {
        auto handler = pressed->OnClick;
        handler();
    }
    m_pressed = nullptr;
}

void PictureBox::UpdateCursor(SceneElement* under) {
    if (m_screenPointer != 0) return;
    for (SceneElement* e = under; e != nullptr; e = e->Container()) {
        if (e->MousePointer == 99 && e->HasMouseIcon) {
            setCursor(e->MouseIcon);
            return;
        }
        if (e->MousePointer != 0) {
            setCursor(ShapeOf(e->MousePointer));
            return;
        }
    }
    if (MousePointer == 99 && HasMouseIcon) {
        setCursor(MouseIcon);
    } else {
        setCursor(ShapeOf(MousePointer));
    }
}

void PictureBox::SetScreenPointer(int pointer, const QCursor& icon) {
    if (m_screenPointer != 0) QGuiApplication::restoreOverrideCursor();
    m_screenPointer = pointer;
    m_screenIcon = icon;
    if (pointer == 99) {
        QGuiApplication::setOverrideCursor(icon);
    } else if (pointer != 0) {
        QGuiApplication::setOverrideCursor(ShapeOf(pointer));
    }
}

void PictureBox::BeginDrag(SceneElement& source, const QCursor& icon) {
    m_dragSource = &source;
    if (m_toolTipElement != nullptr) {
        m_toolTipElement = nullptr;
        QToolTip::hideText();
    }
    QGuiApplication::setOverrideCursor(icon);
}

} // namespace quillora
