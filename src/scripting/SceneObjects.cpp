// Hotspots, texts, the message bar and the window as scripts see them.
#include "scripting/SceneObjects.h"

#include "core/Twips.h"
#include "game/GameScene.h"
#include "scene/SceneElement.h"
#include "scripting/ControlArrayObject.h"
#include "scripting/ElementMembers.h"
#include "scripting/PictureObject.h"
#include "scripting/ScriptHost.h"
#include "scripting/ScriptWindow.h"
#include "scripting/SystemObjects.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

#include <QWidget>

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

vbs::ObjectRef MakeHotspotArray(ScriptWindow& window) {
    GameScene& scene = window.Scene();
    auto loader = std::make_shared<SceneArrayLoader>(scene.Area);
    loader->AfterLoad = [&window](SceneElement& area, int index) {
        window.WireLoadedHotspot(area, index);
    };
    const auto members = [&window](ControlElementObject& object) {
        const int index = object.Index();
        DefinePlacementMembers(object, object.ElementGetter(), window.Scene().Box,
                               [&window, index](SceneElement&, bool visible) {
                                   window.SetHotspotVisible(index, visible);
                               });
        DefinePictureMembers(object, object.ElementGetter());
    };
    return MakeControlArrayObject(scene.Area, loader, members, u"Image");
}

vbs::ObjectRef MakeTextArray(ScriptWindow& window) {
    GameScene& scene = window.Scene();
    const auto members = [&window](ControlElementObject& object) {
        DefinePlacementMembers(object, object.ElementGetter(), window.Scene().Box);
        DefineLabelMembers(object, object.ElementGetter());
    };
    return MakeControlArrayObject(scene.Text, std::make_shared<SceneArrayLoader>(scene.Text),
                                  members, u"Label");
}

// An array the game alone loads and unloads (animated pictures, inventory items): scripts may
// move, show and hide its elements but not create or destroy them.
vbs::ObjectRef MakeFixedArray(ScriptWindow& window, ControlArray& array, bool pictures) {
    const auto members = [&window, pictures](ControlElementObject& object) {
        DefinePlacementMembers(object, object.ElementGetter(), window.Scene().Box);
        if (pictures) DefinePictureMembers(object, object.ElementGetter());
    };
    return MakeControlArrayObject(array, std::make_shared<SceneArrayLoader>(array, true), members,
                                  pictures ? u"Image" : u"Object");
}

vbs::ObjectRef MakeElementObject(ScriptWindow& window, SceneElement& element,
                                 std::u16string typeName) {
    auto* object = new vbs::HostObject(std::move(typeName));
    vbs::ObjectRef keep(object);
    const ElementGetter get = [&element]() -> SceneElement& { return element; };
    DefinePlacementMembers(*object, get, window.Scene().Box);
    switch (element.Kind()) {
    case ElementKind::Label: DefineLabelMembers(*object, get); break;
    case ElementKind::Box:
        DefineBoxMembers(*object, get);
        DefinePictureMembers(*object, get);
        break;
    case ElementKind::Image: DefinePictureMembers(*object, get); break;
    case ElementKind::Surface: break;
    }
    object->DefineProperty("Name", [&element] { return Value::FromUtf8(element.Name()); });
    return keep;
}

// The frame container PictureBox: its own picture, colour and size.
vbs::ObjectRef MakePictureBoxObject(ScriptWindow& window) {
    auto* object = new vbs::HostObject(u"PictureBox");
    vbs::ObjectRef keep(object);
    PictureBox& box = window.Scene().Box;
    const auto setPicture = [&box](Args, const Value& v) { box.SetPicture(PictureFromValue(v)); };
    object->DefineProperty(
        "Picture", [&box] { return Value::Obj(MakePictureObject(box.Picture()).Get()); },
        setPicture, setPicture);
    object->DefineProperty(
        "BackColor", [&box] { return Value::Long(static_cast<int32_t>(box.BackColor())); },
        [&box](Args, const Value& v) { box.SetBackColor(static_cast<uint32_t>(vbs::ToLong(v))); });
    object->DefineProperty(
        "Visible", [&box] { return Value::Boolean(box.isVisible()); },
        [&box](Args, const Value& v) { box.setVisible(vbs::ToBool(v)); });
    const auto frameWidth = [&box] { return Value::Long(box.FrameWidth()); };
    const auto frameHeight = [&box] { return Value::Long(box.FrameHeight()); };
    object->DefineProperty("Width", frameWidth);
    object->DefineProperty("ScaleWidth", frameWidth);
    object->DefineProperty("Height", frameHeight);
    object->DefineProperty("ScaleHeight", frameHeight);
    object->DefineMember("Cls", [&box](Args) {
        box.Cls();
        return Value();
    });
    object->DefineProperty("Name", [] { return Value::FromUtf8("PictureBox"); });
    return keep;
}

} // namespace

WindowObject::WindowObject(ScriptWindow& window) : HostObject(u"Game") {
    QWidget& widget = window.Widget();
    DefineProperty(
        "Caption", [&widget] { return Value::Str(widget.windowTitle().toStdU16String()); },
        [&widget](Args, const Value& v) {
            widget.setWindowTitle(QString::fromStdU16String(vbs::ToString(v)));
        });
    DefineProperty("Left", [&widget] { return Value::Long(PixelsToTwips(widget.x())); });
    DefineProperty("Top", [&widget] { return Value::Long(PixelsToTwips(widget.y())); });
    DefineProperty(
        "Width", [&widget] { return Value::Long(PixelsToTwips(widget.frameGeometry().width())); });
    DefineProperty("Height", [&widget] {
        return Value::Long(PixelsToTwips(widget.frameGeometry().height()));
    });
    DefineProperty("ScaleWidth", [&widget] { return Value::Long(PixelsToTwips(widget.width())); });
    DefineProperty("ScaleHeight",
                   [&widget] { return Value::Long(PixelsToTwips(widget.height())); });
    DefineProperty("Name", [] { return Value::FromUtf8("Game"); });
}

void WindowObject::AddControl(std::string_view name, vbs::ObjectRef control) {
    DefineProperty(name, [control] { return Value::Obj(control.Get()); });
}

void WindowObject::AddControl(std::string_view name, std::function<vbs::ObjectRef()> find) {
    DefineProperty(name, [find = std::move(find)] {
        const vbs::ObjectRef control = find();
        if (!control) vbs::ThrowError(vbs::Err::NoSuchMember);
        return Value::Obj(control.Get());
    });
}

SceneObjects MakeSceneObjects(ScriptWindow& window) {
    GameScene& scene = window.Scene();
    SceneObjects objects;
    objects.Hotspot = MakeHotspotArray(window);
    objects.Text = MakeTextArray(window);
    objects.LoopingVideo = MakeLoopingVideoArray(window);
    objects.Message = MakeElementObject(window, scene.LabelMessageBox, u"Label");
    objects.FrameMessage = MakeElementObject(window, scene.FrameMessageBox, u"Frame");
    objects.Window = vbs::Ref<WindowObject>(new WindowObject(window));
    WindowObject& controls = *objects.Window;
    controls.AddControl("Area", objects.Hotspot);
    controls.AddControl("Text", objects.Text);
    controls.AddControl("VideoPlayer", objects.LoopingVideo);
    controls.AddControl("LabelMessageBox", objects.Message);
    controls.AddControl("FrameMessageBox", objects.FrameMessage);
    controls.AddControl("PictureBox", MakePictureBoxObject(window));
    controls.AddControl("AniGifBox", MakeFixedArray(window, scene.AniGifBox, false));
    controls.AddControl("AniGif", MakeFixedArray(window, scene.AniGif, false));
    controls.AddControl("PickedObject", MakeFixedArray(window, scene.PickedObject, true));
    controls.AddControl("BackImage", MakeElementObject(window, scene.BackImage, u"Image"));
    controls.AddControl("Inventory1", MakeElementObject(window, scene.Inventory1, u"PictureBox"));
    controls.AddControl("Inventory2", MakeElementObject(window, scene.Inventory2, u"Image"));
    controls.AddControl("Inventory_Background",
                        MakeElementObject(window, scene.Inventory_Background, u"Image"));
    return objects;
}

vbs::Ref<WindowObject> RegisterScriptObjects(ScriptHost& host, ScriptWindow& window) {
    SceneObjects objects = MakeSceneObjects(window);
    host.RegisterFixedObject("Hotspot", objects.Hotspot);
    host.RegisterFixedObject("Text", objects.Text);
    host.RegisterFixedObject("LoopingVideo", objects.LoopingVideo);
    host.RegisterFixedObject("ScreenObject", MakeScreenObject(window));
    host.RegisterFixedObject("AppObject", MakeAppObject());
    host.RegisterFixedObject("PrintersObject", MakePrintersObject());
    host.RegisterFixedObject("ClipboardObject", MakeClipboardObject());
    host.RegisterFixedObject("MessageObject", objects.Message);
    host.RegisterFixedObject("FrameMessageObject", objects.FrameMessage);
    host.RegisterFixedObject("WindowObject", vbs::ObjectRef(objects.Window.Get()), true);
    return objects.Window;
}

} // namespace quillora
