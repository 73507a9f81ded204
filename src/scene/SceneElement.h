// One element of the frame scene: a picture, a label, a box or a custom-drawn surface, with the
// properties authors' games and scripts set on window controls. Positions are twips.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QPainter;

namespace quillora {

class PictureBox;

enum class ElementKind {
    Image,   // shows Picture; natural size or stretched to the element
    Label,   // shows Caption in its font; may size itself to the caption
    Box,     // a filled rectangle that holds other elements
    Surface, // drawn by its Painter (videos, animated pictures, effects)
};

// Mouse buttons and shift state as window controls report them.
namespace MouseButton {
inline constexpr int Left = 1, Right = 2, Middle = 4;
}

// A pointer event on an element: button, shift state, and the position in twips inside the
// element.
struct ElementMouse {
    int Button = 0;
    int Shift = 0;
    int X = 0;
    int Y = 0;
};

// Colours are 32-bit numbers with red in the lowest byte, then green, then blue.
QColor ColorFromNumber(uint32_t number);
uint32_t NumberFromColor(const QColor& colour);

class SceneElement {
public:
    SceneElement(PictureBox& owner, ElementKind kind, std::string name, int index);

    ElementKind Kind() const { return m_kind; }
    const std::string& Name() const { return m_name; }
    int Index() const { return m_index; }

    // Geometry in twips, relative to the container.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    void Move(int left, int top) {
        Left = left, Top = top;
        Changed();
    }
    void Move(int left, int top, int width, int height);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);

    // Picture of an Image (and background picture of a Box). Setting a picture on an Image that
    // is not stretched gives the element the picture's size.
    const QImage& Picture() const { return m_picture; }
    void SetPicture(const QImage& picture, const std::string& file = "");
    const std::string& PictureFile() const { return m_pictureFile; }
    bool Stretch = false;

    // Label text and font.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    std::string FontName = "MS Sans Serif";
    double FontSize = 8.25; // points
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    // Re-measures an auto-sized label after its font properties were changed.
    void FontChanged();
    bool AutoSize = false;
    bool WordWrap = false;
    int Alignment = 0; // 0 left, 1 right, 2 centre

    uint32_t ForeColor = 0x000000;
    uint32_t BackColor = 0xC0C0C0;
    // BackStyle: false draws nothing behind a label. A visible opaque element that covers the
    // whole frame hides everything under it.
    bool Opaque = false;

    // Pointer: 0 the container's, 1 arrow, 99 MouseIcon, other numbers the classic shapes.
    int MousePointer = 0;
    QCursor MouseIcon;
    bool HasMouseIcon = false;

    std::string Tag;
    std::string ToolTipText;
    // A disabled element takes no pointer events: presses go to what lies under it.
    bool Enabled = true;
    int WhatsThisHelpID = 0;

    // Custom drawing of a Surface, in frame pixels (rectangle = the element's).
    std::function<void(QPainter&, const QRect&)> Painter;

    // Handlers; x and y of the event are twips inside the element.
    std::function<void(const ElementMouse&)> OnMouseDown;
    std::function<void(const ElementMouse&)> OnMouseMove;
    std::function<void(const ElementMouse&)> OnMouseUp;
    std::function<void()> OnClick;
    // A dragged element was dropped here, at x, y twips inside this element.
    std::function<void(SceneElement& source, int x, int y)> OnDragDrop;

    // Container (nullptr: the picture box itself).
    SceneElement* Container() const { return m_container; }

    // Copies the settings of a template element (not its handlers' identity, name or index).
    void CopySettingsFrom(const SceneElement& other);

    // The rectangle in frame pixels, taking containers into account.
    QRect PixelRect() const;
    // The font in frame pixels (96 pixels to the inch).
    QFont PixelFont() const;

    void Paint(QPainter& painter) const;
    // Asks the picture box to redraw.
    void Changed();

private:
    friend class PictureBox;
    void MeasureCaption();

    PictureBox& m_owner;
    ElementKind m_kind;
    std::string m_name;
    int m_index;
    bool m_visible = true;
    QImage m_picture;
    std::string m_pictureFile;
    std::string m_caption;
    SceneElement* m_container = nullptr;
    std::vector<SceneElement*> m_children;
};

} // namespace quillora
