// The game state and its history.
#include "game/GameState.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/ValueListReader.h"
#include "core/ValueListWriter.h"

namespace quillora {

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

namespace {

// A count, then each variable's name and value, one value a line.
template <class Collection>
void WriteCollection(const Collection& variables, ValueListWriter& out) {
    out.WriteValue(int32_t{variables.Count()});
    for (const auto& variable : variables) {
        out.WriteValue(variable->Name);
        out.WriteValue(ListValue(variable->Value));
    }
}

template <class Collection, class ReadValue>
Collection ReadCollection(ValueListReader& in, ReadValue readValue) {
    Collection variables;
    const int32_t count = in.ReadInt32();
    for (int32_t i = 0; i < count; ++i) {
        std::string name = in.ReadString();
        variables.Add(name, readValue());
    }
    return variables;
}

} // namespace

void WriteVariables(const VariablesCollection& variables, ValueListWriter& out) {
    WriteCollection(variables, out);
}

VariablesCollection ReadVariables(ValueListReader& in) {
    return ReadCollection<VariablesCollection>(in, [&] { return in.ReadInt16(); });
}

void WriteVariantVariables(const VariantCollection& variables, ValueListWriter& out) {
    WriteCollection(variables, out);
}

VariantCollection ReadVariantVariables(ValueListReader& in) {
    return ReadCollection<VariantCollection>(in, [&] { return in.ReadVariant(); });
}

void WriteNames(const std::vector<std::string>& names, ValueListWriter& out) {
    out.WriteValue(int32_t{ToInt16(static_cast<double>(names.size()))});
    for (const std::string& name : names)
        out.WriteValue(name);
}

std::vector<std::string> ReadNames(ValueListReader& in) {
    std::vector<std::string> names;
    const int16_t count = in.ReadInt16();
    for (int16_t i = 0; i < count; ++i)
        names.push_back(in.ReadString());
    return names;
}

void WriteState(const GameState& state, ValueListWriter& out) {
    WriteVariables(state.Vars.Variables, out);
    WriteVariables(state.Vars.Disappear, out);
    WriteNames(state.InventoryItems, out);
    WriteNames(state.FramesHistory, out);
    WriteVariantVariables(state.Vars.VariablesVariant, out);
}

GameState ReadState(ValueListReader& in) {
    GameState state;
    state.Vars.Variables = ReadVariables(in);
    state.Vars.Disappear = ReadVariables(in);
    state.InventoryItems = ReadNames(in);
    state.FramesHistory = ReadNames(in);
    state.Vars.VariablesVariant = ReadVariantVariables(in);
    return state;
}

} // namespace quillora
