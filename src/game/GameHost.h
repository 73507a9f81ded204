// What the game's rules ask of the game window: frame changes, menus, messages, scripts.
#pragma once

#include <string>

namespace quillora {

// Implemented by the game window; actions, consequences and the inventory reach the window
// only through this.
class GameHost {
public:
    virtual ~GameHost() = default;
    virtual void OpenFrame(std::string frameName, bool withTransition, int transNumber,
                           double transitionDuration) = 0;
    // Photographs the frame before OpenFrame with a transition replaces it.
    virtual void TransitionStep1(int transNumber) = 0;
    virtual void ShowOrNotShowAreas() = 0;
    virtual void HideMenus() = 0;
    // A right press: shows the menu bar, or hides it when no drop-down is open.
    virtual void ToggleMenusByRightPress() = 0;
    virtual void DisplayTextMessage(const std::string& text, bool inBar, bool noTimer) = 0;
    virtual void StartUnloading() = 0;
    virtual void ShowLoadGameWindow(bool timerGuard) = 0;
    virtual void ShowSaveGameWindow() = 0;
    virtual void SetScreenPointerArrow() = 0;
    virtual void SetScreenPointerDefault() = 0;
    // Runs script code; true when it failed.
    virtual bool ExecuteVBScript(const std::string& code, bool resetLastClickPosition) = 0;
    virtual void StartTimedEvents() = 0;
    virtual bool IsOneTimeVideoPlaying() = 0;
};

} // namespace quillora
