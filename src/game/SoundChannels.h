// The seven sound channels' table of pending instructions, and the reader of channel rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quillora {

class ValueListReader;

inline constexpr int kSoundChannelCount = 7;

// Pending instruction of one channel; Player says which of the seven players serves it.
struct SoundChannel {
    int16_t Command = 0;      // 3 stop, 4 change volume; 2 or more is an explicit instruction
    std::string FileName;     // file to start, relative to the Areas folder; "" none
    bool Fade = false;        // carried out gradually over the fade duration
    bool Loop = false;        // the started file repeats for ever
    int16_t Player = 0;       // 1..7, a permutation over the seven channels
    int16_t FadingPlayer = 0; // player still sounding the previous file during a cross-fade
    double StartVolume = 0;   // 0..10, the volume when a fade starts
    double Volume = 0;        // 0..10, the target volume
    bool FromFrame = false;   // the instruction came from a frame, not from a hotspot action
};

// Index 0 is never used; channels are 1 to 7.
using SoundChannelTable = std::array<SoundChannel, kSoundChannelCount + 1>;

// A table with nothing pending, channel i served by player i.
SoundChannelTable FreshSoundChannels();

// Where a block of channel rows comes from: a frame's rows do not override instructions
// already pending from the action that opened the frame.
enum class ChannelRowSource { Frame, Action };

struct ChannelRowsRead {
    bool RowsRead = false;     // false when the row width was above 5 and no row was read
    bool FadeRowTaken = false; // a taken row asked for a fade
};

// Reads a block of channel rows (width F, count R, then R rows of F values) from the reader and
// merges the rows into `channels`. Rows beyond the seventh are read and ignored; with F above 5
// no row is read. Throws ClassicError on a damaged block.
ChannelRowsRead ReadChannelRows(ValueListReader& in, ChannelRowSource source,
                                SoundChannelTable& channels);

} // namespace quillora
