// Loading and removing the hotspot elements of a frame.
#include "game/Hotspots.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/ValueListReader.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/GameState.h"
#include "project/ErrorMessages.h"
#include "project/MediaPath.h"
#include "project/ProjectPaths.h"
#include "scene/Pictures.h"

#include <cmath>

namespace quillora {
namespace {

// Reads a section statement by statement: a failing statement is skipped and the first failure
// is kept to be reported once.
class SectionReader {
public:
    SectionReader(ValueListReader& in, bool stopEverything)
        : m_in(in), m_stopEverything(stopEverything) {}

    template <class Statement> void Do(Statement statement) {
        try {
            statement();
        } catch (const ClassicError& error) {
            if (m_failure.empty()) {
                m_failure = DescriptionAndDetail(error);
                m_failureLine = m_in.LastValueLine();
            }
            if (error.Code() == ErrorCode::InputPastEndOfFile) m_atEnd = true;
        }
    }
    void Skip(int count) {
        for (int i = 0; i < count && !m_atEnd; ++i)
            Do([&] { m_in.Skip(); });
    }
    void SkipList() {
        int16_t count = 0;
        Do([&] { count = m_in.ReadInt16(); });
        Skip(count);
    }
    ValueListReader& In() { return m_in; }
    // The game stops everything: missing pictures are not reported.
    bool StopEverything() const { return m_stopEverything; }
    const std::string& Failure() const { return m_failure; }
    int FailureLine() const { return m_failureLine; }
    void Fail(const std::string& description) {
        if (m_failure.empty()) m_failure = description;
    }

private:
    ValueListReader& m_in;
    bool m_stopEverything;
    std::string m_failure;
    int m_failureLine = 0;
    bool m_atEnd = false;
};

HotspotSection ReadSection(SectionReader& r) {
    ValueListReader& in = r.In();
    HotspotSection s;
    r.Skip(1);
    r.Do([&] { s.Number = in.ReadInt16(); });
    r.Skip(8);
    r.Do([&] { s.Left = in.ReadDouble(); });
    r.Do([&] { s.Top = in.ReadDouble(); });
    r.Do([&] { s.Width = in.ReadDouble(); });
    r.Do([&] { s.Height = in.ReadDouble(); });
    r.Do([&] { s.Animated = in.ReadDouble(); });
    r.Do([&] { s.HasPicture = in.ReadBool(); });
    r.Do([&] { s.PictureFile = in.ReadString(); });
    r.Do([&] { s.StretchValue = in.ReadDouble(); });
    r.Do([&] { s.PointerFile = in.ReadString(); });
    r.Skip(1); // the conditions flag; the visibility pass applies the lists
    r.SkipList();
    r.SkipList();
    if (!in.IsEndOfSection()) {
        r.Do([&] { s.Speed = in.ReadDouble(); });
        if (!in.IsEndOfSection()) {
            r.Do([&] { s.Video = in.ReadBool(); });
            r.Do([&] { s.VideoFile = in.ReadString(); });
            r.Do([&] { s.VideoSized = in.ReadDouble(); });
            r.Do([&] { s.VideoVolume = in.ReadDouble(); });
            r.Skip(2);
            r.Do([&] { s.Rate = in.ReadDouble(); });
            r.Do([&] { s.PlayCount = in.ReadDouble(); });
            r.Skip(2);
        }
    }
    r.Do([&] { SkipToSectionEnd(in); });
    return s;
}

bool IsDefaultPointer(const std::string& name) {
    return name.empty() || EqualsNoCase(name, "default");
}

void ApplyPointer(SectionReader& r, SceneElement& element, const std::string& file,
                  const HotspotHooks& hooks) {
    if (IsDefaultPointer(file)) {
        if (hooks.ApplyDefaultPointer) hooks.ApplyDefaultPointer(element);
        return;
    }
    r.Do([&] {
        const std::string path = ResolveMediaPath(Paths().Icons + file, r.StopEverything());
        if (!PathLookup::Instance().FileExists(path)) return;
        element.MouseIcon = LoadPointer(path);
        element.HasMouseIcon = true;
        element.MousePointer = 99;
    });
}

void MakeAnimatedHotspot(SectionReader& r, GameScene& scene, const HotspotSection& s, int i,
                         const HotspotHooks& hooks) {
    SceneElement* area = nullptr;
    r.Do([&] { area = &scene.Area.Load(i); });
    if (area == nullptr) return;
    area->SetPicture(QImage());
    area->Move(0, 0, 15, 15);
    AreaRect rect{};
    r.Do([&] { rect = HotspotElementRect(s.Left, s.Top, s.Width, s.Height); });
    r.Do([&] {
        const int speed = ToInt16(s.Speed);
        const std::string file =
            ResolveMediaPath(Paths().Areas + s.PictureFile, r.StopEverything());
        area->WhatsThisHelpID = hooks.AniGifNewWithIndex
                                    ? hooks.AniGifNewWithIndex(i, file, rect.Left, rect.Top, speed)
                                    : 0;
    });
    if (SceneElement* box = scene.AniGifBox.Item(i); box != nullptr && i > 0) {
        ApplyPointer(r, *box, s.PointerFile, hooks);
    }
}

void MakePlainHotspot(SectionReader& r, GameScene& scene, const HotspotSection& s, int i,
                      const HotspotHooks& hooks) {
    SceneElement* area = nullptr;
    r.Do([&] { area = &scene.Area.Load(i); });
    if (area == nullptr) return;
    if (hooks.WireHotspot) hooks.WireHotspot(*area, i);
    r.Do([&] {
        const AreaRect rect = HotspotElementRect(s.Left, s.Top, s.Width, s.Height);
        area->Move(rect.Left, rect.Top, rect.Width, rect.Height);
    });
    area->Stretch = s.StretchValue == 1;
    if (s.HasPicture) {
        r.Do([&] {
            const std::string file =
                ResolveMediaPath(Paths().Areas + s.PictureFile, r.StopEverything());
            area->SetPicture(LoadPictureIfPresent(file), file);
        });
    } else {
        area->SetPicture(QImage());
    }
    ApplyPointer(r, *area, s.PointerFile, hooks);
    if (s.Video) {
        r.Do([&] {
            if (hooks.PlayHotspotVideo) {
                hooks.PlayHotspotVideo(i, Paths().Frames + s.VideoFile, s.VideoSized != 0, s.Rate,
                                       ToInt32(s.PlayCount), s.VideoVolume);
            }
        });
        area->WhatsThisHelpID = -1;
    }
    scene.Box.ZOrder(*area);
}

} // namespace

HotspotSection ReadHotspotSection(ValueListReader& in, SectionFailure& failure) {
    SectionReader reader(in, true);
    HotspotSection section = ReadSection(reader);
    failure.Description = reader.Failure();
    failure.Line = reader.FailureLine();
    return section;
}

AreaRect HotspotElementRect(double left, double top, double width, double height) {
    AreaRect rect;
    rect.Left = ToInt32(left + 30);
    rect.Top = ToInt32(top + 30);
    rect.Width = std::max(1, ToInt32(width - 60));
    rect.Height = std::max(1, ToInt32(height - 60));
    return rect;
}

void SkipToSectionEnd(ValueListReader& in) {
    // A section with more values than expected is read up to its separator, so the next
    // section starts in step.
    while (!in.AtEnd()) {
        if (in.ReadRaw().bytes == kSectionSeparator) return;
    }
}

std::string HotspotFilePath(const std::string& frameName) {
    const std::string base = Paths().FramesData + frameName;
    if (PathLookup::Instance().FileExists(base + ".mr2")) return base + ".mr2";
    if (PathLookup::Instance().FileExists(base + ".fm2")) return base + ".fm2";
    return "";
}

void LoadAreas(GameScene& scene, GameSession& session, const HotspotHooks& hooks) {
    GameState& state = session.State;
    const std::string path = HotspotFilePath(session.CurrentFrame.Name);
    if (path.empty()) return;
    state.MergedHotspotIndex = 1;
    ValueListReader in("");
    try {
        in = ValueListReader::Open(path);
    } catch (const ClassicError& error) {
        if (!session.Flags.StopEverything)
            ShowCommonError(" Unable to load hotspot #1. ", DescriptionAndDetail(error));
        return;
    }
    for (int i = 1; !in.AtEnd(); ++i) {
        if (session.Flags.StopEverything) return;
        SectionReader reader(in, session.Flags.StopEverything);
        const HotspotSection section = ReadSection(reader);
        if (section.Number == 1 && i != 1 && state.MergedHotspotIndex == 1) {
            state.MergedHotspotIndex = static_cast<int16_t>(i);
        }
        if (section.Animated != 0 && section.HasPicture) {
            MakeAnimatedHotspot(reader, scene, section, i, hooks);
        } else {
            MakePlainHotspot(reader, scene, section, i, hooks);
        }
        if (!reader.Failure().empty() && !session.Flags.StopEverything) {
            ShowCommonError(" Unable to load hotspot #" + std::to_string(i) + ". ",
                            reader.Failure());
        }
    }
}

void ResetFrameAreas(GameScene& scene) {
    scene.Area.UnloadAll();
    scene.VideoPlayer.UnloadAll();
    for (const auto& [index, gif] : scene.AniGif.Elements()) {
        if (SceneElement* box = scene.AniGifBox.Item(index)) box->SetVisible(false);
    }
    scene.AniGif.UnloadAll();
    scene.AniGifBox.UnloadAll();
}

} // namespace quillora
