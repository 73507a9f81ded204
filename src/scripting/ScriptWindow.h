// What scripts reach of the game window beyond the game's rules: its scene, bars, menus and timers.
#pragma once

#include <string>

namespace quillora {

class GameHost;
class GameScene;
class GameVideos;
class Inventory;
class MessageBar;

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
    // While a script waits for a program it started: the window takes no input and the
    // automatic jump rests. Returns whether the jump was armed, for EndProgramWait.
    virtual bool BeginProgramWait() = 0;
    // The window takes input again and the jump is re-armed when it was.
    virtual void EndProgramWait(bool autoJumpArmed) = 0;
};

} // namespace quillora
