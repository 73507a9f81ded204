// The game state and its history.
#include "game/GameState.h"

#include "core/Cp1252.h"
#include "core/ValueListReader.h"

namespace quillora {

GameState& State() {
    static GameState state;
    return state;
}

void FramesHistoryAdd(GameState& state, const std::string& frameName) {
    auto& history = state.FramesHistory;
    if (!history.empty() && history.back() == frameName) return;
    history.push_back(frameName);
    while (history.size() > kMaxFramesHistory)
        history.erase(history.begin());
}

bool IsLastVisitedFrame(const std::string& target) {
    return EqualsNoCase(target, "[last visited frame]");
}

std::string TakeLastVisitedFrame(GameState& state) {
    auto& history = state.FramesHistory;
    if (history.size() < 2) return "";
    history.pop_back();
    return history.back();
}

void SaveClickPos(GameState& state, double leftTwips, double topTwips) {
    state.LastClickX = ToInt16(leftTwips / 15.0);
    state.LastClickY = ToInt16(topTwips / 15.0);
}

} // namespace quillora
