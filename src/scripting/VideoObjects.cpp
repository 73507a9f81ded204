// LoopingVideo(i): the hotspot video elements with the members of the media player control.
#include "core/FileConfinement.h"
#include "core/PathLookup.h"
#include "core/Twips.h"
#include "game/GameScene.h"
#include "game/Videos.h"
#include "media/MediaError.h"
#include "media/MediaPlayer.h"
#include "project/ProjectPaths.h"
#include "scene/SceneElement.h"
#include "scripting/ControlArrayObject.h"
#include "scripting/ElementMembers.h"
#include "scripting/SceneObjects.h"
#include "scripting/ScriptWindow.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

void DefineMediaMembers(ControlElementObject& object, ScriptWindow& window) {
    const int index = object.Index();
    // The element must exist (error 340 otherwise); its player is made on first use.
    const auto player = [&object, &window, index]() -> MediaPlayer& {
        // The template 0 never plays: elements loaded later copy its drawing.
        if (index == 0) vbs::ThrowError(vbs::Err::InvalidCall);
        object.Element();
        MediaPlayer* found = window.Videos().HotspotPlayer(index);
        if (found == nullptr) ThrowMissingElement(index);
        return *found;
    };
    object.DefineProperty(
        "FileName", [player] { return Value::FromUtf8(player().FileName()); },
        [player, &object](Args, const Value& v) {
            MediaPlayer& p = player();
            const std::string path = ScriptMediaPath(vbs::ToUtf8(vbs::ToString(v)));
            try {
                p.SetFileName(path);
            } catch (const MediaError& error) {
                ThrowScriptMediaError(error, path);
            }
            if (p.AutoSize() && p.HasVideo()) {
                SceneElement& e = object.Element();
                e.Move(e.Left, e.Top, PixelsToTwips(p.NaturalSize().width()),
                       PixelsToTwips(p.NaturalSize().height()));
            }
        });
    object.DefineProperty(
        "CurrentPosition", [player] { return Value::Double(player().CurrentPosition()); },
        [player](Args, const Value& v) { player().SetCurrentPosition(vbs::ToDouble(v)); });
    object.DefineProperty(
        "Rate", [player] { return Value::Double(player().Rate()); },
        [player](Args, const Value& v) { player().SetRate(vbs::ToDouble(v)); });
    object.DefineProperty(
        "PlayCount", [player] { return Value::Long(player().PlayCount()); },
        [player](Args, const Value& v) { player().SetPlayCount(vbs::ToLong(v)); });
    object.DefineProperty("PlayState", [player] { return Value::Long(player().PlayState()); });
    object.DefineProperty(
        "Volume", [player] { return Value::Long(player().Volume()); },
        [player](Args, const Value& v) {
            const int32_t volume = vbs::ToLong(v);
            if (volume < -10000 || volume > 0) vbs::ThrowError(380, "Invalid property value");
            player().SetVolume(volume);
        });
    object.DefineProperty(
        "AutoSize", [player] { return Value::Boolean(player().AutoSize()); },
        [player](Args, const Value& v) { player().SetAutoSize(vbs::ToBool(v)); });
    object.DefineProperty("Duration", [player] { return Value::Double(player().Duration()); });
    object.DefineProperty("ImageSourceWidth",
                          [player] { return Value::Long(player().NaturalSize().width()); });
    object.DefineProperty("ImageSourceHeight",
                          [player] { return Value::Long(player().NaturalSize().height()); });
    // The player never draws buttons or panels over a video (the game sets these to False):
    // they read False and assignments change nothing.
    for (const char* panel : {"ShowControls", "ShowDisplay", "ShowStatusBar"}) {
        object.DefineProperty(
            panel,
            [player] {
                player();
                return Value::Boolean(false);
            },
            [player](Args, const Value& v) {
                player();
                (void)vbs::ToBool(v);
            });
    }
    object.DefineMember("Play", [player](Args) {
        MediaPlayer& p = player();
        try {
            p.Play();
        } catch (const MediaError& error) {
            ThrowScriptMediaError(error, "");
        }
        return Value();
    });
    object.DefineMember("Stop", [player](Args) {
        player().Stop();
        return Value();
    });
}

} // namespace

std::string ScriptMediaPath(const std::string& name) {
    const std::string& root = Paths().Root;
    if (name.empty()) return name;
    const bool absolute = name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':');
    if (!absolute) return root + name;
    const std::optional<std::string> real = PathLookup::Instance().Find(name);
    // Judged by folders, not text: "/games/x2/a.avi" is not inside "/games/x".
    FileConfinement gameFolder;
    gameFolder.Allow(root);
    if (real && gameFolder.Allows(*real)) return *real;
    vbs::ThrowError(vbs::Err::PermissionDenied);
}

[[noreturn]] void ThrowScriptMediaError(const MediaError& error, const std::string& path) {
    if (!path.empty() && !PathLookup::Instance().FileExists(path))
        vbs::ThrowError(vbs::Err::FileNotFound);
    vbs::ThrowError(vbs::Err::InvalidCall, error.what());
}

vbs::ObjectRef MakeLoopingVideoArray(ScriptWindow& window) {
    GameScene& scene = window.Scene();
    auto loader = std::make_shared<SceneArrayLoader>(scene.VideoPlayer);
    loader->BeforeUnload = [&window](int index) { window.Videos().RemoveHotspotVideo(index); };
    const auto members = [&window](ControlElementObject& object) {
        DefinePlacementMembers(object, object.ElementGetter(), window.Scene().Box);
        DefineMediaMembers(object, window);
    };
    return MakeControlArrayObject(scene.VideoPlayer, loader, members, u"MediaPlayer");
}

} // namespace quillora
