// The plain data of a game in progress: variables, hidden hotspots, history, inventory items,
// click position, and how they are written to and read from a saved game.
#pragma once

#include "game/Variables.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillora {

class ValueListReader;
class ValueListWriter;

inline constexpr size_t kMaxFramesHistory = 20;

struct GameState {
    ProjectVariables Vars;
    // Visited frame names, oldest first, the current frame last.
    std::vector<std::string> FramesHistory;
    // The names of the inventory items in bar order (the bar draws them).
    std::vector<std::string> InventoryItems;
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

// The save seam. Each writer puts a count and then the entries, one value per line, in the order
// and form a saved game keeps them; each reader reads what its writer wrote and throws
// ClassicError on a damaged or short file. Counts read are never trusted: entries are read one by
// one until the count is reached or the file ends.
void WriteVariables(const VariablesCollection& variables, ValueListWriter& out);
VariablesCollection ReadVariables(ValueListReader& in);
void WriteVariantVariables(const VariantCollection& variables, ValueListWriter& out);
VariantCollection ReadVariantVariables(ValueListReader& in);
// A list of names (inventory items, history), counted with a 16-bit integer.
void WriteNames(const std::vector<std::string>& names, ValueListWriter& out);
std::vector<std::string> ReadNames(ValueListReader& in);

// The whole state as a saved game lists it: integer variables, hidden hotspots, inventory items,
// history, then (after the saved game's informational lines) the variant variables.
void WriteState(const GameState& state, ValueListWriter& out);
// Reads what WriteState wrote into a new state.
GameState ReadState(ValueListReader& in);

} // namespace quillora
