// The hotspot visibility pass.
#include "game/Visibility.h"

#include "core/ClassicError.h"
#include "core/PathLookup.h"
#include "core/ValueListReader.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/GameState.h"
#include "game/Hotspots.h"
#include "project/ErrorMessages.h"
#include "services/Wait.h"

#include <sys/stat.h>

#include <ctime>
#include <optional>

namespace quillora {
namespace {

// The frame's hotspot file as last read, kept while the file on disk stays the same: the pass
// runs after every script with consequences, and timed events run scripts many times a second.
// A file changed within seconds of its reading is read again each time, since a change within
// the file system's time resolution would not show in its time stamp.
struct ReadHotspotFile {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    bool settled = false; // last changed well before it was read
    std::optional<ValueListReader> reader;
};

bool SameFile(const ReadHotspotFile& kept, const std::string& path, const struct stat& now) {
    return kept.reader && kept.settled && kept.path == path && kept.device == now.st_dev &&
           kept.inode == now.st_ino && kept.size == now.st_size &&
           kept.modified.tv_sec == now.st_mtim.tv_sec &&
           kept.modified.tv_nsec == now.st_mtim.tv_nsec;
}

ValueListReader OpenHotspotFile(const std::string& path) {
    static ReadHotspotFile kept;
    struct stat now {};
    const std::optional<std::string> actual = PathLookup::Instance().Find(path);
    if (!actual || ::stat(actual->c_str(), &now) != 0 || !S_ISREG(now.st_mode)) {
        kept.reader.reset();
        return ValueListReader::Open(path); // gives the missing or odd file its message
    }
    if (!SameFile(kept, path, now)) {
        kept.reader.reset();
        ValueListReader fresh = ValueListReader::Open(path);
        const bool settled = now.st_mtim.tv_sec + 2 < ::time(nullptr);
        kept = {path, now.st_dev, now.st_ino, now.st_size, now.st_mtim, settled, fresh};
        return fresh;
    }
    return *kept.reader;
}

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

// The frame's element arrays as they stand; the pass handles window events while it runs, and
// what those events do (an automatic jump, a queued click) may open another frame.
struct SceneStamp {
    explicit SceneStamp(const GameScene& scene)
        : area(scene.Area.Changes()), box(scene.AniGifBox.Changes()),
          video(scene.VideoPlayer.Changes()) {}
    bool operator==(const SceneStamp&) const = default;
    unsigned long long area, box, video;
};

} // namespace

// Shows or hides hotspot i with its media. Returns false when window events handled on the
// way changed the frame's elements: nothing held before may be used then, and the rest of the
// hotspot file belongs to a frame that is gone.
bool ApplyHotspotVisibility(GameScene& scene, int i, bool visible, const VisibilityHooks& hooks) {
    SceneElement* area = scene.Area.Item(i);
    if (area == nullptr || i == 0) return true;
    area->SetVisible(visible);
    const int link = area->WhatsThisHelpID;
    if (link > 0) {
        SceneElement* box = scene.AniGifBox.Item(link);
        if (box == nullptr) return true;
        if (box->Visible() != visible && hooks.AnimatedPicture) {
            const SceneStamp before(scene);
            hooks.AnimatedPicture(link, visible);
            DoEvents();
            if (!(SceneStamp(scene) == before)) return false;
        }
        box->SetVisible(visible);
    } else if (link == -1) {
        SceneElement* video = scene.VideoPlayer.Item(i);
        if (video == nullptr || !hooks.HotspotVideo) return true;
        if (video->Visible() != visible) hooks.HotspotVideo(i, visible);
    }
    return true;
}

void ShowOrNotShowAreas(GameScene& scene, GameSession& session, const VisibilityHooks& hooks) {
    const std::string path = HotspotFilePath(session.CurrentFrame.Name);
    if (path.empty()) return;
    try {
        ValueListReader in = OpenHotspotFile(path);
        for (int i = 1; !in.AtEnd() && !session.Flags.StopEverything; ++i) {
            const bool visible = SectionVisible(in, session, i);
            if (in.IsEndOfSection()) {
                if (!in.AtEnd()) in.Skip();
            } else {
                SkipToSectionEnd(in);
            }
            if (!ApplyHotspotVisibility(scene, i, visible, hooks)) return;
        }
    } catch (const ClassicError& error) {
        if (!session.Flags.StopEverything)
            ShowCommonError(" Unable to set hotspots visibility. ", DescriptionAndDetail(error));
    }
}

} // namespace quillora
