// One section of a frame's action files (.fm3, .mr3, .fm0): reading its values and the effects
// the file order puts before the rest of the section.
#pragma once

#include "game/SoundChannels.h"

#include <cstdint>
#include <string>

namespace quillora {

class ValueListReader;

// The values of an action section that matter once it has been read.
struct ActionValues {
    bool EndGame = false; // the action quits the game: nothing after that value is read
    bool ShowMessage = false;
    std::string Message;
    int16_t GoToFrame = 0;
    std::string FrameName;
    int FrameNameLine = 0; // the file's line of FrameName, for authors' messages
    int16_t StopAllSounds = 0;
    int16_t StopHotspotSound = 0;
    int16_t PlayMovie = 0;
    std::string MovieFile;
    bool MovieAtOrigin = false;
    bool MovieAtPosition = false;
    int32_t MovieLeft = 0, MovieTop = 0, MovieWidth = 0, MovieHeight = 0;
    bool StopSecondSound = false;
    bool PlayHotspotSound = false;
    std::string HotspotSound;
    bool PlaySecondSound = false;
    std::string SecondSound;
    bool GoBack = false;
    bool MessageInBar = false;
    bool LoopHotspotSound = true;
    int16_t UseTransition = 0;
    double TransitionMilliseconds = 0;
    bool RunScript = false;
    std::string Script;
    int ScriptLine = 0; // the file's line where the script value starts
    int16_t TransitionNumber = 0;
};

// What a section asks for while it is read, in file order. The game carries each out at once,
// so that a section damaged further on keeps the effects read before the damage.
class ActionEffects {
public:
    virtual ~ActionEffects() = default;
    // A variable set to 0, 1, or toggled (-1).
    virtual void ChangeVariable(const std::string& name, int16_t change) = 0;
    // The hotspot disappears (a click action) or the dropped item is used up (a drop action).
    virtual void HideHotspotOrUseItem() = 0;
    virtual void StopHotspotSound() = 0;
    virtual void StopAllSounds() = 0;
    virtual void SetFadeDuration(double seconds) = 0;
    // The table the section's channel rows are merged into.
    virtual SoundChannelTable& Channels() = 0;
    virtual void AddItem(const std::string& name) = 0;
};

// Reads a section from its value 11 on (the reader stands after the ten values of editor data),
// calling the effects as their values are read. Optional groups are read only while the section
// goes on. Throws ClassicError on a damaged section.
ActionValues ReadActionSection(ValueListReader& in, ActionEffects& effects);

} // namespace quillora
