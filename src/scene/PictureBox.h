// The frame area: one widget that draws the scene's elements and routes the pointer to them.
#pragma once

#include "scene/SceneElement.h"

#include <QWidget>

class QPainter;

#include <functional>
#include <memory>
#include <vector>

namespace quillora {

// The scene is laid out in frame pixels (model positions in twips); the widget scales it to
// whatever size it has, keeping the aspect ratio, and maps the pointer back exactly. The widget
// may stand for a screen of another size (a virtual display mode): that screen is scaled to fit,
// and the frame sits in it as the game window centres it. A press goes to the topmost visible
// element under the pointer; with none, to the box itself; outside the frame or the screen (the
// black borders) to OnOutsideMouseDown.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // Size of the frame area in twips.
    void SetFrameSize(int widthTwips, int heightTwips);
    int FrameWidth() const { return m_frameWidth; }
    int FrameHeight() const { return m_frameHeight; }
    QSize FramePixels() const;

    // The box's own background: colour, picture at 0,0, and a persistent layer that drawing
    // calls paint into (cleared by Cls).
    uint32_t BackColor() const { return m_backColor; }
    void SetBackColor(uint32_t colour);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }
    void Cls();
    // The persistent layer (painted tiles), empty after Cls.
    const QImage& PaintedLayer() const { return m_persistent; }
    // Paints an image into the persistent layer at x, y frame pixels.
    void PaintPicture(const QImage& image, int x, int y);

    // Creates an element (owned by the box), hidden when visible is false, at the front of its
    // container. Elements are destroyed by Destroy or with the box.
    SceneElement& Create(ElementKind kind, const std::string& name, int index,
                         SceneElement* container = nullptr);
    void Destroy(SceneElement& element);
    // Brings an element to the front (position 0) or sends it to the back (1) of its container.
    void ZOrder(SceneElement& element, int position = 0);
    void SetContainer(SceneElement& element, SceneElement* container);
    // Top-level elements, back to front.
    const std::vector<SceneElement*>& Elements() const { return m_topLevel; }

    // Draws the whole scene in frame pixels.
    void Render(QPainter& painter) const;
    // The scene as the player sees it, at frame size.
    QImage Capture() const;
    // The screen the widget stands for, in pixels (empty: the frame's own size, so the frame
    // fills the widget), and whether scaling is sharp (whole-number factors, nearest-neighbour
    // pixels) or smooth.
    void SetDisplay(QSize screen, bool sharp);
    bool SharpScaling() const { return m_sharp; }

    // Mapping between widget positions and frame pixels.
    QRectF FrameRectInWidget() const;
    // Where the screen the widget stands for lies in the widget; outside it shows black.
    QRectF ScreenRectInWidget() const;
    QPointF WidgetToFrame(const QPointF& widgetPos) const;
    QPointF FrameToWidget(const QPointF& framePos) const;
    // The topmost visible element at a frame pixel, or nullptr.
    SceneElement* ElementAt(const QPoint& framePixel) const;

    // Pointer of the box itself (0 arrow/system default, 99 MouseIcon).
    int MousePointer = 0;
    QCursor MouseIcon;
    bool HasMouseIcon = false;
    // A pointer for the whole screen that wins over every element's (0 = none).
    void SetScreenPointer(int pointer, const QCursor& icon = QCursor());
    int ScreenPointer() const { return m_screenPointer; }

    // Drawn over the scene on the screen only, in frame pixels (never part of Capture): signs
    // about the player rather than the game, such as the pause.
    std::function<void(QPainter&, QSize framePixels)> PaintOver;

    // Handlers of the box itself (no element under the pointer); x, y twips in the frame.
    std::function<void(const ElementMouse&)> OnMouseDown;
    std::function<void(const ElementMouse&)> OnMouseMove;
    std::function<void(const ElementMouse&)> OnOutsideMouseDown;

    // Manual drag: the pointer shows icon until the button is released; the element under the
    // pointer then gets OnDragDrop with the source.
    void BeginDrag(SceneElement& source, const QCursor& icon);
    bool IsDragging() const { return m_dragSource != nullptr; }

    // Called by elements when they change. A tooltip whose element moved away from under it,
    // was hidden or is gone is hidden too.
    void ElementChanged();
    // The element whose tooltip shows, or nullptr.
    const SceneElement* ToolTipElement() const { return m_toolTipElement; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RenderChildren(QPainter& painter, const std::vector<SceneElement*>& list) const;
    SceneElement* HitTest(const std::vector<SceneElement*>& list, const QPoint& framePixel) const;
    std::vector<SceneElement*>& SiblingsOf(SceneElement& element);
    void UpdateCursor(SceneElement* under);
    void HideToolTipIfStale();
    ElementMouse EventFor(const QMouseEvent* event, const SceneElement* element, int button) const;

    int m_frameWidth = 9600;
    int m_frameHeight = 7200;
    uint32_t m_backColor = 0;
    QImage m_picture;
    QImage m_persistent;
    std::vector<std::unique_ptr<SceneElement>> m_owned;
    std::vector<SceneElement*> m_topLevel;
    SceneElement* m_pressed = nullptr;
    int m_pressedButton = 0;
    SceneElement* m_dragSource = nullptr;
    int m_screenPointer = 0;
    QCursor m_screenIcon;
    SceneElement* m_toolTipElement = nullptr;
    QPoint m_toolTipPixel; // where the pointer was when the tooltip came, in frame pixels
    QSize m_screen;
    bool m_sharp = false;
};

// The button number (1 left, 2 right, 4 middle) and shift state (1 shift, 2 ctrl, 4 alt).
int ButtonNumber(Qt::MouseButton button);
int ShiftState(Qt::KeyboardModifiers modifiers);

} // namespace quillora
