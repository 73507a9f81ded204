// Window-control members over scene elements: placement, captions and fonts, boxes, pictures.
#include "scripting/ElementMembers.h"

#include "scene/PictureBox.h"
#include "scene/SceneElement.h"
#include "scripting/PictureObject.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

#include <cmath>

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

constexpr double kMaxFontSize = 2048;


std::string TextValue(const Value& value) {
    return vbs::ToUtf8(vbs::ToString(value));
}

Value ColourValue(uint32_t colour) {
    return Value::Long(static_cast<int32_t>(colour));
}

uint32_t ColourFrom(const Value& value) {
    return static_cast<uint32_t>(vbs::ToLong(value));
}

// A Boolean property of an element that repaints (or re-measures) when it changes.
void DefineFlag(vbs::HostObject& object, std::string_view name, const ElementGetter& element,
                bool SceneElement::*field, bool remeasure) {
    object.DefineProperty(
        name, [element, field] { return Value::Boolean(element().*field); },
        [element, field, remeasure](Args, const Value& v) {
            SceneElement& e = element();
            e.*field = vbs::ToBool(v);
            if (remeasure) {
                e.FontChanged();
            } else {
                e.Changed();
            }
        });
}

// The font members, shared by the label's Font... properties and its Font object.
void DefineFontMembers(vbs::HostObject& object, const ElementGetter& element,
                       std::string_view prefix, std::string_view strikeName) {
    const std::string p(prefix);
    object.DefineProperty(
        p + "Name", [element] { return Value::FromUtf8(element().FontName); },
        [element](Args, const Value& v) {
            std::string name = TextValue(v);
            if (name.empty() || name.size() > 255) ThrowInvalidPropertyValue();
            SceneElement& e = element();
            e.FontName = std::move(name);
            e.FontChanged();
        });
    object.DefineProperty(
        p + "Size", [element] { return Value::Double(element().FontSize); },
        [element](Args, const Value& v) {
            const double size = vbs::ToDouble(v);
            if (!(size > 0) || size > kMaxFontSize) ThrowInvalidPropertyValue();
            SceneElement& e = element();
            e.FontSize = size;
            e.FontChanged();
        });
    DefineFlag(object, p + "Bold", element, &SceneElement::FontBold, true);
    DefineFlag(object, p + "Italic", element, &SceneElement::FontItalic, true);
    DefineFlag(object, p + "Underline", element, &SceneElement::FontUnderline, true);
    DefineFlag(object, p + std::string(strikeName), element, &SceneElement::FontStrikethru, true);
}

} // namespace

int TwipsValue(const Value& value, int min) {
    const double twips = std::round(vbs::ToDouble(value));
    if (!(twips >= min && twips <= kMaxTwips)) ThrowInvalidPropertyValue();
    return static_cast<int>(twips);
}

void DefinePlacementMembers(vbs::HostObject& object, ElementGetter element, PictureBox& box,
                            std::function<void(SceneElement&, bool)> setVisible) {
    const auto geometry = [&object, element](std::string_view name, int SceneElement::*field,
                                             int min) {
        object.DefineProperty(
            name, [element, field] { return Value::Long(element().*field); },
            [element, field, min](Args, const Value& v) {
                const int twips = TwipsValue(v, min);
                SceneElement& e = element();
                int left = e.Left, top = e.Top, width = e.Width, height = e.Height;
                if (field == &SceneElement::Left) left = twips;
                if (field == &SceneElement::Top) top = twips;
                if (field == &SceneElement::Width) width = twips;
                if (field == &SceneElement::Height) height = twips;
                e.Move(left, top, width, height);
            });
    };
    geometry("Left", &SceneElement::Left, -kMaxTwips);
    geometry("Top", &SceneElement::Top, -kMaxTwips);
    geometry("Width", &SceneElement::Width, 0);
    geometry("Height", &SceneElement::Height, 0);
    object.DefineMember("Move", [element](Args args) {
        if (args.empty() || args.size() > 4) vbs::ThrowError(vbs::Err::WrongArgCount);
        SceneElement& e = element();
        int values[4] = {e.Left, e.Top, e.Width, e.Height};
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i].Deref().IsMissing()) continue;
            values[i] = TwipsValue(args[i], i < 2 ? -kMaxTwips : 0);
        }
        e.Move(values[0], values[1], values[2], values[3]);
        return Value();
    });
    object.DefineProperty(
        "Visible", [element] { return Value::Boolean(element().Visible()); },
        [element, setVisible](Args, const Value& v) {
            const bool visible = vbs::ToBool(v);
            SceneElement& e = element();
            if (setVisible) {
                setVisible(e, visible);
            } else {
                e.SetVisible(visible);
            }
        });
    object.DefineMember("ZOrder", [element, &box](Args args) {
        const int position = args.empty() ? 0 : vbs::ToInteger(args[0]);
        if (position != 0 && position != 1) ThrowInvalidPropertyValue();
        box.ZOrder(element(), position);
        return Value();
    });
    object.DefineProperty(
        "Enabled", [element] { return Value::Boolean(element().Enabled); },
        [element](Args, const Value& v) { element().Enabled = vbs::ToBool(v); });
    object.DefineProperty(
        "Tag", [element] { return Value::FromUtf8(element().Tag); },
        [element](Args, const Value& v) { element().Tag = TextValue(v); });
    object.DefineProperty(
        "ToolTipText", [element] { return Value::FromUtf8(element().ToolTipText); },
        [element](Args, const Value& v) { element().ToolTipText = TextValue(v); });
    object.DefineProperty(
        "MousePointer", [element] { return Value::Integer(element().MousePointer); },
        [element](Args, const Value& v) {
            const int16_t pointer = vbs::ToInteger(v);
            if (pointer < 0 || (pointer > 15 && pointer != 99)) ThrowInvalidPropertyValue();
            element().MousePointer = pointer;
        });
    const auto setIcon = [element](Args, const Value& v) {
        QCursor pointer;
        const bool has = PointerFromValue(v, pointer);
        SceneElement& e = element();
        e.HasMouseIcon = has;
        e.MouseIcon = pointer;
    };
    object.DefineProperty(
        "MouseIcon",
        [element] {
            const SceneElement& e = element();
            if (!e.HasMouseIcon) return Value::Obj(MakePictureObject(QImage()).Get());
            return Value::Obj(MakePictureObject(e.MouseIcon.pixmap().toImage()).Get());
        },
        setIcon, setIcon);
}

void DefineLabelMembers(vbs::HostObject& object, ElementGetter element) {
    object.DefineProperty(
        "Caption", [element] { return Value::FromUtf8(element().Caption()); },
        [element](Args, const Value& v) { element().SetCaption(TextValue(v)); });
    object.DefineProperty(
        "ForeColor", [element] { return ColourValue(element().ForeColor); },
        [element](Args, const Value& v) {
            SceneElement& e = element();
            e.ForeColor = ColourFrom(v);
            e.Changed();
        });
    DefineBoxMembers(object, element);
    object.DefineProperty(
        "Alignment", [element] { return Value::Integer(element().Alignment); },
        [element](Args, const Value& v) {
            const int16_t alignment = vbs::ToInteger(v);
            if (alignment < 0 || alignment > 2) ThrowInvalidPropertyValue();
            SceneElement& e = element();
            e.Alignment = alignment;
            e.Changed();
        });
    DefineFlag(object, "AutoSize", element, &SceneElement::AutoSize, true);
    DefineFlag(object, "WordWrap", element, &SceneElement::WordWrap, true);
    DefineFontMembers(object, element, "Font", "Strikethru");
    object.DefineProperty("Font", [element] {
        auto* font = new vbs::HostObject(u"Font");
        vbs::ObjectRef keep(font);
        DefineFontMembers(*font, element, "", "Strikethrough");
        return Value::Obj(font);
    });
}

void DefineBoxMembers(vbs::HostObject& object, ElementGetter element) {
    object.DefineProperty(
        "BackColor", [element] { return ColourValue(element().BackColor); },
        [element](Args, const Value& v) {
            SceneElement& e = element();
            e.BackColor = ColourFrom(v);
            e.Changed();
        });
    object.DefineProperty(
        "BackStyle", [element] { return Value::Integer(element().Opaque ? 1 : 0); },
        [element](Args, const Value& v) {
            const int16_t style = vbs::ToInteger(v);
            if (style != 0 && style != 1) ThrowInvalidPropertyValue();
            SceneElement& e = element();
            e.Opaque = style == 1;
            e.Changed();
        });
}

void DefinePictureMembers(vbs::HostObject& object, ElementGetter element) {
    const auto setPicture = [element](Args, const Value& v) {
        const QImage picture = PictureFromValue(v);
        element().SetPicture(picture);
    };
    object.DefineProperty(
        "Picture", [element] { return Value::Obj(MakePictureObject(element().Picture()).Get()); },
        setPicture, setPicture);
    DefineFlag(object, "Stretch", element, &SceneElement::Stretch, false);
}

[[noreturn]] void ThrowInvalidPropertyValue() {
    vbs::ThrowError(380, "Invalid property value");
}

} // namespace quillora
