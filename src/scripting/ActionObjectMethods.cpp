// The Action object's picture, control-array and pointer methods: LoadAPicture,
// LoadGraphicFile, CreateObject, DeleteObject and ChangeDefaultCursor.
#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "game/GameSession.h"
#include "project/ErrorMessages.h"
#include "project/MediaPath.h"
#include "project/ProjectPaths.h"
#include "scene/Pictures.h"
#include "scripting/ControlArrayElements.h"
#include "scripting/PictureObject.h"
#include "scripting/ScriptAction.h"
#include "scripting/ScriptWindow.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

#include <functional>

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

// The file a picture method opens: the folder plus the name, through the media lookup; empty
// when no file is there (the lookup has warned).
std::string FoundMedia(const std::string& folder, const std::string& name,
                       const GameSession& session, std::string& path) {
    path = ResolveMediaPath(folder + name, session.Flags.StopEverything);
    return PathLookup::Instance().FileExists(path) ? path : std::string();
}

// Gives `control` a picture through its Picture property, as `Set control.Picture = p` does.
void SetControlPicture(const Value& given, QImage picture) {
    const Value& control = given.Deref();
    if (!control.IsObject()) vbs::ThrowError(vbs::Err::ObjectRequired);
    if (control.IsNothing()) vbs::ThrowError(vbs::Err::ObjectNotSet);
    vbs::Object* object = control.AsObject();
    const int member = object->FindMember("picture");
    if (member == vbs::kNoMember) vbs::ThrowError(vbs::Err::NoSuchMember);
    Value args[] = {Value::Obj(MakePictureObject(std::move(picture)).Get())};
    object->Invoke(member, vbs::InvokeKind::Set, args);
}

// The element a CreateObject or DeleteObject argument names; "Type mismatch" for anything else.
ControlElementName& ElementArg(Args args) {
    RequireArgs(args, 1);
    const Value& value = args[0].Deref();
    ControlElementName* element = value.IsObject() ? NamedElement(value.AsObject()) : nullptr;
    if (element == nullptr) vbs::ThrowError(vbs::Err::TypeMismatch);
    return *element;
}

std::string PictureBoxText(const std::string& intro, const std::string& path) {
    return intro + "\r\n" + path + "'.\r\n\r\n";
}

} // namespace

void DefineActionObjectMembers(vbs::HostObject& action, const ActionScope& scope) {
    GameSession& session = scope.Session;
    ScriptWindow& window = scope.Window;
    action.DefineMember("LoadAPicture", [&session](Args args) {
        RequireArgs(args, 2);
        const std::string name = TextArg(args, 1);
        std::string path;
        Reporting(
            [&] {
                if (name.empty()) {
                    SetControlPicture(args[0], QImage());
                    return;
                }
                const std::string file = FoundMedia(Paths().Areas, name, session, path);
                if (file.empty()) return;
                SetControlPicture(args[0], LoadPicture(file));
            },
            [&path](const std::string& description) {
                ShowCommonError(PictureBoxText(" Error loading the following picture:'", path),
                                description);
            });
        return Value();
    });
    action.DefineMember("LoadGraphicFile", [&session](Args args) {
        const std::string name = TextArg(args, 0);
        if (name.empty()) return Value::Obj(MakePictureObject(QImage()).Get());
        std::string path;
        Value result = Value::Nothing();
        Reporting(
            [&] {
                const std::string file = FoundMedia(Paths().Areas, name, session, path);
                if (!file.empty()) result = Value::Obj(MakePictureObject(LoadPicture(file)).Get());
            },
            [&path](const std::string& description) {
                ShowCommonError(PictureBoxText(" Error loading the following graphic file:'", path),
                                description);
            });
        return result;
    });
    action.DefineMember("CreateObject", [](Args args) {
        ControlElementName& element = ElementArg(args);
        Reporting(" Error creating the object. ",
                  [&element] { element.Array().LoadElement(element.Index()); });
        return Value();
    });
    action.DefineMember("DeleteObject", [](Args args) {
        ControlElementName& element = ElementArg(args);
        Reporting(" Error deleting the object. ",
                  [&element] { element.Array().UnloadElement(element.Index()); });
        return Value();
    });
    action.DefineMember("ChangeDefaultCursor", [&session, &window](Args args) {
        const std::string name = TextArg(args, 0);
        Reporting(" Unable to change the default cursor. ", [&] {
            if (!name.empty() && !EqualsNoCase(name, "default")) {
                std::string path;
                if (FoundMedia(Paths().Icons, name, session, path).empty()) return;
            }
            window.ChangeDefaultPointer(name);
        });
        return Value();
    });
}

} // namespace quillora
