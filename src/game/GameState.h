// The plain data of a game in progress: variables, hidden hotspots, history, click position.
#pragma once

#include "game/Variables.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillora {

inline constexpr size_t kMaxFramesHistory = 20;

struct GameState {
    ProjectVariables Vars;
    // Visited frame names, oldest first, the current frame last.
    std::vector<std::string> FramesHistory;
    int16_t MergedHotspotIndex = 1;
    int16_t MergedTextIndex = 1;
    // Last click position in frame pixels.
    int16_t LastClickX = 0;
    int16_t LastClickY = 0;
    // 0 until the first frame opens after a reset; then 1, or 2 when scripts may reach the window.
    int AllowControlsReferences = 0;
    // The pause before a one-time video starts: hotspot clicks are ignored meanwhile.
    bool VideoWaitActive = false;
};

// The process-wide game state.
GameState& State();

// Appends a frame to the history unless it is already the last entry (compared exactly); keeps
// the last 20.
void FramesHistoryAdd(GameState& state, const std::string& frameName);

// True when target names the last visited frame ("[last visited frame]", any case).
bool IsLastVisitedFrame(const std::string& target);
// Goes back one step: drops the current frame from the history and returns the frame before it;
// empty (history unchanged) when the history holds fewer than 2 entries.
std::string TakeLastVisitedFrame(GameState& state);

// Stores a click position given in twips as pixels (nearest integer).
void SaveClickPos(GameState& state, double leftTwips, double topTwips);

} // namespace quillora
