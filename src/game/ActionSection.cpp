// Reading one section of a frame's action files.
#include "game/ActionSection.h"

#include "core/ValueListReader.h"

namespace quillora {
namespace {

// A list of variable names (its count, then the names), each set by change when switched on.
void ReadVariableList(ValueListReader& in, bool apply, ActionEffects& effects, int16_t change) {
    const int16_t count = in.ReadInt16();
    for (int16_t i = 0; i < count; ++i) {
        const std::string name = in.ReadString();
        if (apply && !name.empty()) effects.ChangeVariable(name, change);
    }
}

} // namespace

ActionValues ReadActionSection(ValueListReader& in, ActionEffects& effects) {
    ActionValues v;
    const int16_t changeSwitch = in.ReadInt16();
    const std::string variable = in.ReadString();
    const bool setZero = in.ReadBool();
    const bool setOne = in.ReadBool();
    const bool toggle = in.ReadBool();
    if (!variable.empty() && changeSwitch != 0) {
        if (setZero) effects.ChangeVariable(variable, 0);
        if (setOne) effects.ChangeVariable(variable, 1);
        if (toggle) effects.ChangeVariable(variable, -1);
    }
    v.ShowMessage = in.ReadBool();
    v.Message = in.ReadString();
    in.Skip();
    in.Skip();
    if (in.ReadBool()) effects.HideHotspotOrUseItem();
    if (in.ReadBool()) {
        v.EndGame = true;
        return v;
    }
    v.GoToFrame = in.ReadInt16();
    v.FrameName = in.ReadString();
    v.FrameNameLine = in.LastValueLine();
    if (in.IsEndOfSection()) return v;
    v.StopHotspotSound = in.ReadInt16();
    if (v.StopHotspotSound != 0) effects.StopHotspotSound();
    v.StopAllSounds = in.ReadInt16();
    if (v.StopAllSounds != 0) effects.StopAllSounds();
    v.PlayMovie = in.ReadInt16();
    v.MovieFile = in.ReadString();
    v.MovieAtOrigin = in.ReadBool();
    v.MovieAtPosition = in.ReadBool();
    v.MovieLeft = in.ReadInt32();
    v.MovieTop = in.ReadInt32();
    v.MovieWidth = in.ReadInt32();
    v.MovieHeight = in.ReadInt32();
    if (in.IsEndOfSection()) return v;
    v.StopSecondSound = in.ReadBool();
    v.PlayHotspotSound = in.ReadBool();
    v.HotspotSound = in.ReadString();
    v.PlaySecondSound = in.ReadBool();
    v.SecondSound = in.ReadString();
    if (in.IsEndOfSection()) return v;
    for (int i = 39; i <= 41; ++i)
        in.Skip();
    v.GoBack = in.ReadBool();
    if (in.IsEndOfSection()) return v;
    for (int i = 43; i <= 45; ++i)
        in.Skip();
    v.MessageInBar = in.ReadBool();
    if (in.IsEndOfSection()) return v;
    for (int i = 47; i <= 49; ++i)
        in.Skip();
    const bool listsOn = in.ReadInt16() != 0;
    ReadVariableList(in, listsOn, effects, 0);
    ReadVariableList(in, listsOn, effects, 1);
    ReadVariableList(in, listsOn, effects, -1);
    if (in.IsEndOfSection()) return v;
    v.LoopHotspotSound = in.ReadBool();
    if (in.IsEndOfSection()) return v;
    v.UseTransition = in.ReadInt16();
    v.TransitionMilliseconds = in.ReadDouble();
    if (in.IsEndOfSection()) return v;
    v.RunScript = in.ReadBool();
    v.Script = DecodeBars(in.ReadString());
    v.ScriptLine = in.LastValueLine();
    if (in.IsEndOfSection()) return v;
    v.TransitionNumber = in.ReadInt16();
    if (in.IsEndOfSection()) return v;
    for (int i = 60; i <= 65; ++i)
        in.Skip();
    effects.SetFadeDuration(in.ReadDouble() / 1000.0);
    in.Skip();
    ReadChannelRows(in, ChannelRowSource::Action, effects.Channels());
    if (in.IsEndOfSection()) return v;
    const bool addItem = in.ReadBool();
    const std::string item = in.ReadString();
    if (addItem) effects.AddItem(item);
    return v;
}

} // namespace quillora
