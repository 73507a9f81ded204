// The frame scene's controls as scripts see them, and the window object that names them all.
#pragma once

#include "vbscript/Object.h"

#include <functional>
#include <string>

namespace quillora {

class MediaError;
class ScriptHost;
class ScriptWindow;

// The window as scripts see it (WindowObject): Caption, Width, Height, ScaleWidth, ScaleHeight
// (twips), Left, Top, and its controls by name. Other parts of the player add their own
// controls by name (the timer array, for one).
class WindowObject : public vbs::HostObject {
public:
    explicit WindowObject(ScriptWindow& window);
    // Makes `control` reachable as WindowObject.<name> (WindowObject.<name>(i) for an array);
    // a name added again replaces the earlier control.
    void AddControl(std::string_view name, vbs::ObjectRef control);
    // A control that may go while the window lives (an added component): `find` gives it, or
    // Nothing once it has gone, when a script then gets "Object doesn't support this property
    // or method" as for any unknown name.
    void AddControl(std::string_view name, std::function<vbs::ObjectRef()> find);
};

// The named objects of one game window, built once with the window.
struct SceneObjects {
    vbs::ObjectRef Hotspot;        // the hotspot array Area
    vbs::ObjectRef Text;           // the text array Text
    vbs::ObjectRef LoopingVideo;   // the hotspot video array VideoPlayer
    vbs::ObjectRef Message;        // the message label LabelMessageBox
    vbs::ObjectRef FrameMessage;   // the message bar FrameMessageBox
    vbs::Ref<WindowObject> Window; // the window, holding the above under their control names
};
SceneObjects MakeSceneObjects(ScriptWindow& window);

// Builds the named objects of a game window and registers them with its script host in the
// order scripts expect: Hotspot, Text, LoopingVideo, ScreenObject, AppObject, PrintersObject,
// ClipboardObject, MessageObject, FrameMessageObject, then WindowObject (only while controls
// may be referenced). Returns the window object, to which others add their controls.
vbs::Ref<WindowObject> RegisterScriptObjects(ScriptHost& host, ScriptWindow& window);

// The path a script's media file name opens: a name with no folder, or a relative one, is taken
// in the game's folder; a full path is used only inside the game's folder, so scripts cannot play
// files from elsewhere (the path lookup keeps "..\" inside as well); error 70 otherwise.
std::string ScriptMediaPath(const std::string& name);
// A media failure as the script sees it: "File not found" (53) for a missing file (`path`, when
// given), else an invalid call (5) with the player's description.
[[noreturn]] void ThrowScriptMediaError(const MediaError& error, const std::string& path);

// The media player members of a hotspot video element, over the game's video players.
vbs::ObjectRef MakeLoopingVideoArray(ScriptWindow& window);

} // namespace quillora
