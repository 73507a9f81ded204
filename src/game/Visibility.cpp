// The hotspot visibility pass.
#include "game/Visibility.h"

#include "core/ClassicError.h"
#include "core/ValueListReader.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/GameState.h"
#include "game/Hotspots.h"
#include "project/ErrorMessages.h"
#include "services/Wait.h"

namespace quillora {
namespace {

// Reads a list of variable names and tells whether every one has the wanted value (or does
// not exist); stops reading at the first that fails.
bool ListPasses(ValueListReader& in, const GameState& state, int16_t wanted) {
    const int16_t count = in.ReadInt16();
    for (int16_t k = 0; k < count; ++k) {
        const int16_t value = GetVariableValue(state.Vars, in.ReadString());
        if (value != wanted && value != -32000) return false;
    }
    return true;
}

bool SectionVisible(ValueListReader& in, const GameSession& session, int i) {
    const GameState& state = session.State;
    for (int v = 1; v <= 10; ++v)
        in.Skip();
    const std::string& frame = session.CurrentFrame.Name;
    for (const auto& entry : state.Vars.Disappear) {
        if (entry->Name == frame && entry->Value == i) return false;
    }
    for (int v = 11; v <= 19; ++v)
        in.Skip();
    if (in.ReadDouble() == 0) return true;
    return ListPasses(in, state, 1) && ListPasses(in, state, 0);
}

void ApplyVisibility(GameScene& scene, int i, bool visible, const VisibilityHooks& hooks) {
    SceneElement* area = scene.Area.Item(i);
    if (area == nullptr || i == 0) return;
    area->SetVisible(visible);
    const int link = area->WhatsThisHelpID;
    if (link > 0) {
        SceneElement* box = scene.AniGifBox.Item(link);
        if (box == nullptr) return;
        if (box->Visible() && !visible && hooks.AnimatedPicture) {
            hooks.AnimatedPicture(link, false);
            DoEvents();
        } else if (!box->Visible() && visible && hooks.AnimatedPicture) {
            hooks.AnimatedPicture(link, true);
            DoEvents();
        }
        box->SetVisible(visible);
    } else if (link == -1) {
        SceneElement* video = scene.VideoPlayer.Item(i);
        if (video == nullptr || !hooks.HotspotVideo) return;
        if (video->Visible() != visible) hooks.HotspotVideo(i, visible);
    }
}

} // namespace

void ShowOrNotShowAreas(GameScene& scene, GameSession& session, const VisibilityHooks& hooks) {
    const std::string path = HotspotFilePath(session.CurrentFrame.Name);
    if (path.empty()) return;
    try {
        ValueListReader in = ValueListReader::Open(path);
        for (int i = 1; !in.AtEnd() && !session.Flags.StopEverything; ++i) {
            const bool visible = SectionVisible(in, session, i);
            if (in.IsEndOfSection()) {
                if (!in.AtEnd()) in.Skip();
            } else {
                SkipToSectionEnd(in);
            }
            ApplyVisibility(scene, i, visible, hooks);
        }
    } catch (const ClassicError& error) {
        if (!session.Flags.StopEverything)
            ShowCommonError(" Unable to set hotspots visibility. ", error.Description());
    }
}

} // namespace quillora
