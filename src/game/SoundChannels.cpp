// The sound-channel table and the channel-row reader.
#include "game/SoundChannels.h"

#include "core/ValueListReader.h"

namespace quillora {

SoundChannelTable FreshSoundChannels() {
    SoundChannelTable table;
    for (int i = 1; i <= kSoundChannelCount; ++i)
        table[i].Player = static_cast<int16_t>(i);
    return table;
}

ChannelRowsRead ReadChannelRows(ValueListReader& in, ChannelRowSource source,
                                SoundChannelTable& channels) {
    ChannelRowsRead result;
    const int16_t width = in.ReadInt16();
    const int16_t rows = in.ReadInt16();
    if (width > 5) return result;
    result.RowsRead = true;
    // Slots beyond the row width keep what the previous row left in them.
    int16_t command = 0;
    bool fade = false;
    bool loop = false;
    double volume = 0;
    std::string fileName;
    for (int row = 1; row <= rows; ++row) {
        for (int field = 1; field <= width; ++field) {
            switch (field) {
            case 1: command = in.ReadInt16(); break;
            case 2: fade = in.ReadBool(); break;
            case 3: loop = in.ReadBool(); break;
            case 4: volume = in.ReadDouble(); break;
            default: fileName = in.ReadString(); break;
            }
        }
        if (row > kSoundChannelCount) continue;
        SoundChannel& channel = channels[row];
        const bool take = source == ChannelRowSource::Action ||
                          (command > 1 && channel.Command < 2) ||
                          (!fileName.empty() && channel.FileName.empty());
        if (!take) continue;
        channel.Command = command;
        channel.Fade = fade;
        channel.Loop = loop;
        channel.StartVolume = channel.Volume;
        channel.Volume = volume;
        channel.FileName = fileName;
        channel.FromFrame = source == ChannelRowSource::Frame;
        if (fade) result.FadeRowTaken = true;
    }
    return result;
}

} // namespace quillora
