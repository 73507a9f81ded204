// The project's settings, read once at start-up from Config/General.
#pragma once

#include <cstdint>
#include <string>

namespace quillora {

struct ProjectInfo {
    std::string ProjectName = "None";
    std::string AdventureName;
    std::string StartFrame;
    std::string Version;
    int16_t FrameWidth = 0;  // pixels
    int16_t FrameHeight = 0; // pixels
    std::string Author;
    std::string Email;
    std::string Homepage;
    int16_t ResolutionOption = 0; // 1 = offer to change the display resolution
    std::string SchemeName;
    bool DisableLoad = false;
    bool DisableSave = false;
    int32_t InventorySpacingX = 10; // pixels
    int32_t InventorySpacingY = 10; // pixels
    bool UseInventory = true;
    bool InventoryAnimateShow = true;
    bool InventoryAnimateHide = true;
    bool HideInventory2 = true;
    bool PopupInventoryOnAdd = true;
    bool UseInventoryBackground = false;
    std::string InventoryBackground1 = "DEFAULT";
    std::string InventoryBackground2 = "DEFAULT";
    int16_t Resolution = 0; // 0 = 640x480, 1 = 800x600, 2 = 1024x768
    std::string DefaultCursor = "DEFAULT";
    bool WindowedMode = false;
    bool SkipWelcome = false;
    bool HideLogo = false;
    bool HideTransitionsOption = false;
    bool HideEffectsOption = false;
    bool RemoveMenuBar = false;
    bool RunStartupScript = false;
    std::string StartupScript;
    bool RunFrameScript = false;
    std::string FrameScript;
};

// The largest frame width or height, in pixels, a project may ask for (an 8K display's width).
inline constexpr int kMaxFrameSide = 8192;

// The process-wide record.
ProjectInfo& Project();

// Fills Project() from Paths().Config + "General", starting from the defaults. Optional groups
// are read only while the file goes on. On a read failure the fields read so far stay, the
// rest keep their defaults, and the failure's description is returned; empty on success.
// A frame side above kMaxFrameSide is refused with a message naming the size, and the frame
// becomes 640 x 480. `detail`, when given, receives the failure's place for authors (the file,
// line, field's name, what was expected) after a blank line, as boxes add it.
std::string LoadProjectInfo(std::string* detail = nullptr);

} // namespace quillora
