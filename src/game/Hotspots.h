// The hotspots of a frame: reading the hotspot file and creating the hotspot elements.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillora {

struct GameScene;
struct GameSession;
class SceneElement;
class ValueListReader;

// What the hotspot loader needs from the game: the pointer and media set-up of elements, and the
// handlers that make an element a hotspot.
struct HotspotHooks {
    // Gives an element the project's default pointer.
    std::function<void(SceneElement&)> ApplyDefaultPointer;
    // Creates the animated picture of hotspot index at left, top twips; returns the index used
    // (0 when nothing was created).
    std::function<int(int index, const std::string& file, int left, int top, int speed)>
        AniGifNewWithIndex;
    // Sets up the video player of hotspot index (not started).
    std::function<void(int index, const std::string& file, bool stretched, double rate,
                       int playCount, double volume)>
        PlayHotspotVideo;
    // Wires a new hotspot element's pointer events.
    std::function<void(SceneElement&, int index)> WireHotspot;
};

// The values of one hotspot section that the game uses.
struct HotspotSection {
    int16_t Number = 0;
    double Left = 0, Top = 0, Width = 0, Height = 0;
    double Animated = 0;
    bool HasPicture = false;
    std::string PictureFile; // in Areas
    double StretchValue = 0;
    std::string PointerFile; // in Icons; "" or "default": the project's pointer
    double Speed = 0;
    bool Video = false;
    std::string VideoFile; // in Frames
    double VideoSized = 0;
    double VideoVolume = 0;
    double Rate = 0;
    double PlayCount = 0;
};

// The first failure of a section read value by value: its description with the place, and the
// file's line ("" and 0 without a failure).
struct SectionFailure {
    std::string Description;
    int Line = 0;
};

// Reads one section up to and including its separator as the loader does: a value that cannot
// be read is skipped (its slot keeps its default) and the first failure is kept.
HotspotSection ReadHotspotSection(ValueListReader& in, SectionFailure& failure);

// The path of a frame's hotspot file: FramesData/<frame>.mr2 when it exists, else
// .fm2; empty when the frame has neither.
std::string HotspotFilePath(const std::string& frameName);

// Builds the hotspot elements of the current frame, all hidden. A damaged section shows
// " Unable to load hotspot #N. " once and the other hotspots still load.
void LoadAreas(GameScene& scene, GameSession& session, const HotspotHooks& hooks);

// Removes every hotspot element, video player and animated picture above the templates.
void ResetFrameAreas(GameScene& scene);

// Element rectangle (twips) of a hotspot from the file's rectangle: 30 twips inside on every
// side, at least 1 twip wide and high. Throws "Overflow" for values beyond 32-bit twips.
struct AreaRect {
    int Left, Top, Width, Height;
};
AreaRect HotspotElementRect(double left, double top, double width, double height);

// Reads the rest of a section up to and including its separator.
void SkipToSectionEnd(ValueListReader& in);

} // namespace quillora
