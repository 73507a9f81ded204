// What scripts reach of the game window beyond the game's rules: its scene, bars, menus and timers.
#pragma once

#include <string>

class QWidget;

namespace quillora {

class GameHost;
struct GameScene;
class GameVideos;
class Inventory;
class MessageBar;
class SceneElement;

// Implemented by the game window; the script host and the objects scripts see reach the window
// only through this.
class ScriptWindow {
public:
    virtual ~ScriptWindow() = default;
    virtual GameHost& Host() = 0;
    virtual GameScene& Scene() = 0;
    virtual MessageBar& Messages() = 0;
    virtual Inventory& Items() = 0;
    virtual GameVideos& Videos() = 0;
    // The options menu's checks: true when transitions (effects) are on.
    virtual bool TransitionsEnabled() const = 0;
    virtual bool EffectsEnabled() const = 0;
    virtual void EnableOrDisableTransitions() = 0;
    virtual void EnableOrDisableEffects() = 0;
    // Stops the game at once: frame hidden, media, timers and timed events stopped, menus shown.
    virtual void StopEverything() = 0;

    // The window itself (caption and size for WindowObject).
    virtual QWidget& Widget() = 0;
    // Shows or hides hotspot index with its animated picture or video, as the visibility pass
    // does, so a hotspot a script hides keeps its media in step.
    virtual void SetHotspotVisible(int index, bool visible) = 0;
    // Gives a hotspot element that a script loaded the handlers of the frame's hotspots.
    virtual void WireLoadedHotspot(SceneElement& area, int index) = 0;
    // Makes `file` (in Icons; empty or "default": the system pointer) the project's default
    // pointer and applies it again: to the screen areas, and to every hotspot and animated
    // picture that showed the previous default (those with a pointer of their own keep it).
    virtual void ChangeDefaultPointer(const std::string& file) = 0;
    // While a script waits for a program it started: the window takes no input and the
    // automatic jump rests. Returns whether the jump was armed, for EndProgramWait.
    virtual bool BeginProgramWait() = 0;
    // The window takes input again and the jump is re-armed when it was.
    virtual void EndProgramWait(bool autoJumpArmed) = 0;
};

} // namespace quillora
