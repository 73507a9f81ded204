// The screen, application, printers and clipboard objects.
#include "scripting/SystemObjects.h"

#include "core/Twips.h"
#include "game/GameScene.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "project/Resolutions.h"
#include "scene/PictureBox.h"
#include "scripting/PictureObject.h"
#include "scripting/ScriptWindow.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <memory>

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

constexpr int kTextFormat = 1; // vbCFText
constexpr int kPictureIndex = 99;

QClipboard* Clipboard() {
    return QGuiApplication::instance() != nullptr ? QGuiApplication::clipboard() : nullptr;
}

// The clipboard format of a call (vbCFText when left out); only text is carried.
int FormatArg(Args args, size_t index) {
    if (args.size() <= index || args[index].Deref().IsMissing()) return kTextFormat;
    return vbs::ToInteger(args[index]);
}

} // namespace

vbs::ObjectRef MakeScreenObject(ScriptWindow& window) {
    auto* screen = new vbs::HostObject(u"Screen");
    vbs::ObjectRef keep(screen);
    PictureBox& box = window.Scene().Box;
    auto icon = std::make_shared<QCursor>();
    auto hasIcon = std::make_shared<bool>(false);
    screen->DefineProperty("Width", [] { return Value::Long(PixelsToTwips(GetScreenWidth())); });
    screen->DefineProperty("Height", [] { return Value::Long(PixelsToTwips(GetScreenHeight())); });
    screen->DefineProperty("TwipsPerPixelX", [] { return Value::Long(kTwipsPerPixel); });
    screen->DefineProperty("TwipsPerPixelY", [] { return Value::Long(kTwipsPerPixel); });
    screen->DefineProperty(
        "MousePointer",
        [&box] { return Value::Integer(static_cast<int16_t>(box.ScreenPointer())); },
        [&box, icon, hasIcon](Args, const Value& v) {
            const int16_t pointer = vbs::ToInteger(v);
            if (pointer < 0 || (pointer > 15 && pointer != kPictureIndex))
                vbs::ThrowError(380, "Invalid property value");
            // A custom pointer without an icon shows the normal pointer, as the system does.
            if (pointer == kPictureIndex && !*hasIcon) {
                box.SetScreenPointer(0);
                return;
            }
            box.SetScreenPointer(pointer, *icon);
        });
    const auto setIcon = [&box, icon, hasIcon](Args, const Value& v) {
        *hasIcon = PointerFromValue(v, *icon);
        if (box.ScreenPointer() == kPictureIndex) box.SetScreenPointer(0);
    };
    screen->DefineProperty(
        "MouseIcon",
        [icon, hasIcon] {
            return Value::Obj(
                MakePictureObject(*hasIcon ? icon->pixmap().toImage() : QImage()).Get());
        },
        setIcon, setIcon);
    return keep;
}

vbs::ObjectRef MakeAppObject() {
    auto* app = new vbs::HostObject(u"App");
    vbs::ObjectRef keep(app);
    app->DefineProperty("Path", [] {
        std::string path = Paths().Root;
        while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
            path.pop_back();
        return Value::FromUtf8(path);
    });
    app->DefineProperty("Title", [] {
        const ProjectInfo& info = Project();
        return Value::FromUtf8(info.AdventureName.empty() ? info.ProjectName : info.AdventureName);
    });
    app->DefineProperty("EXEName", [] {
        const QString file = QCoreApplication::instance() != nullptr
                                 ? QCoreApplication::applicationFilePath()
                                 : QString();
        const QString name = QFileInfo(file).completeBaseName();
        return Value::Str(name.isEmpty() ? u"quillora-run" : name.toStdU16String());
    });
    app->DefineProperty("Major", [] { return Value::Integer(3); });
    app->DefineProperty("Minor", [] { return Value::Integer(4); });
    app->DefineProperty("Revision", [] { return Value::Integer(3); });
    app->DefineProperty("PrevInstance", [] { return Value::Boolean(false); });
    return keep;
}

vbs::ObjectRef MakePrintersObject() {
    auto* printers = new vbs::HostObject(u"Printers");
    vbs::ObjectRef keep(printers);
    const auto none = [](Args) -> Value { vbs::ThrowError(vbs::Err::OutOfRange); };
    printers->DefineMember("", none);
    printers->DefineMember("Item", none);
    printers->DefineProperty("Count", [] { return Value::Integer(0); });
    printers->DefineItems([] { return std::vector<Value>(); });
    return keep;
}

vbs::ObjectRef MakeClipboardObject() {
    auto* clipboard = new vbs::HostObject(u"Clipboard");
    vbs::ObjectRef keep(clipboard);
    clipboard->DefineMember("GetText", [](Args args) {
        QClipboard* board = Clipboard();
        if (board == nullptr || FormatArg(args, 0) != kTextFormat) return Value::Str(u"");
        return Value::Str(board->text().toStdU16String());
    });
    clipboard->DefineMember("SetText", [](Args args) {
        if (args.empty()) vbs::ThrowError(vbs::Err::WrongArgCount);
        const std::u16string text = vbs::ToString(args[0]);
        if (FormatArg(args, 1) != kTextFormat) vbs::ThrowError(vbs::Err::InvalidCall);
        if (QClipboard* board = Clipboard()) board->setText(QString::fromStdU16String(text));
        return Value();
    });
    clipboard->DefineMember("Clear", [](Args) {
        if (QClipboard* board = Clipboard()) board->clear();
        return Value();
    });
    clipboard->DefineMember("GetFormat", [](Args args) {
        QClipboard* board = Clipboard();
        const bool text = board != nullptr && !board->text().isEmpty();
        return Value::Boolean(FormatArg(args, 0) == kTextFormat && text);
    });
    return keep;
}

} // namespace quillora
