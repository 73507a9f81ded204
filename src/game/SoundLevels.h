// The player's own sound levels of one game (master, music, effects, mute), kept per game.
#pragma once

#include "media/Mixer.h"

#include <string>

namespace quillora {

// Levels as the player sets them, in percent 0..100; every game starts at full volume, unmuted.
// The levels sit on top of what the game itself asks (channel volumes, fades, video volumes):
// at 50 % music, a channel fading from 0 to 10 fades from silence to half of its full level.
struct SoundLevels {
    static constexpr int kMaxPercent = 100;

    int Master = kMaxPercent;
    int Music = kMaxPercent;
    int Effects = kMaxPercent;
    bool Muted = false;

    // The amplitude factors the mixer applies: (percent / 100)², so that equal steps of a slider
    // sound like roughly equal steps of loudness (50 % is about -12 dB).
    MixLevels ToMix() const;
    bool operator==(const SoundLevels&) const = default;
};

// The amplitude factor of a percentage (held to 0..100).
double PercentToAmplitude(int percent);

// The levels stored for the game whose project name is `projectName` (the settings store's
// section); missing or unreadable values (not a whole number) give the full level, numbers
// beyond 0..100 are held to it.
SoundLevels LoadSoundLevels(const std::string& projectName);
// Stores the levels for that game.
void SaveSoundLevels(const std::string& projectName, const SoundLevels& levels);

} // namespace quillora
