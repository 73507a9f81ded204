// Reading frame files.
#include "game/FrameFile.h"

#include "core/ClassicError.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "game/GameSession.h"
#include "game/SoundChannels.h"
#include "project/ErrorMessages.h"
#include "project/ProjectPaths.h"

namespace quillora {

FrameFileData ReadFrameFile(ValueListReader& in, GameSession& session) {
    FrameFileData f;
    f.BackgroundKind = in.ReadInt16();
    f.Background = in.ReadString();
    f.TileBackground = in.ReadBool();
    f.StopMusic = in.ReadBool();
    f.MusicFile = in.ReadString();
    f.AutoJump = in.ReadBool();
    f.AutoJumpDelay = in.ReadDouble();
    f.AutoJumpFrame = in.ReadString();
    f.VideoFile = in.ReadString();
    in.Skip();
    if (in.AtEnd()) return f; // field 11
    f.StopAllSounds = in.ReadBool();
    f.StopFrameSound = in.ReadBool();
    f.FrameSound = in.ReadString();
    if (in.AtEnd()) return f; // field 14
    in.Skip();
    in.Skip();
    in.Skip();
    f.VideoAtOrigin = in.ReadBool();
    f.VideoAtPosition = in.ReadBool();
    f.VideoLeft = in.ReadInt32();
    f.VideoTop = in.ReadInt32();
    f.VideoWidth = in.ReadInt32();
    f.VideoHeight = in.ReadInt32();
    if (in.AtEnd()) return f; // field 23
    f.LoopMusic = in.ReadBool();
    AutoJumpTransitionSettings& jump = session.AutoJump;
    if (in.AtEnd()) return f; // field 24
    jump.AutoJumpTransition = in.ReadBool();
    jump.AutoJumpTransitionDuration = in.ReadInt32();
    if (in.AtEnd()) return f; // field 26
    jump.AutoJumpTransitionNumber = in.ReadInt16();
    if (in.AtEnd()) return f; // field 27
    f.RunFrameScript = in.ReadBool();
    f.FrameScriptText = DecodeBars(in.ReadString());
    f.FrameScriptLine = in.LastValueLine();
    if (in.AtEnd()) return f; // field 29
    for (int i = 29; i <= 34; ++i)
        in.Skip();
    f.ChannelFadeDuration = in.ReadDouble();
    in.ReadInt16();
    const ChannelRowsRead rows =
        ReadChannelRows(in, ChannelRowSource::Frame, session.Audio.Channels);
    f.ChannelRowsRead = rows.RowsRead;
    f.FadeRowTaken = rows.FadeRowTaken;
    if (!rows.RowsRead || in.AtEnd()) return f; // the last group
    f.VideoFirst = in.ReadBool();
    return f;
}

void LoadFrameHeader(GameSession& session, const std::string& name) {
    CurrentFrameRecord& record = session.CurrentFrame;
    record.Name = name;
    try {
        ValueListReader in = ValueListReader::Open(Paths().Frames + name + ".fme");
        record.BackgroundKind = in.ReadInt16();
        record.Background = in.ReadString();
        record.TileBackground = in.ReadBool();
    } catch (const ClassicError& error) {
        ShowCommonError(" Unable to load the frame called '" + name + "'. ",
                        DescriptionAndDetail(error));
    }
    record.HotspotCount = ReadHotspotCount(name);
}

int16_t ReadHotspotCount(const std::string& name) {
    const std::string path = Paths().Frames + name + ".lks";
    if (!PathLookup::Instance().FileExists(path)) return 0;
    try {
        ValueListReader in = ValueListReader::Open(path);
        return in.ReadInt16();
    } catch (const ClassicError& error) {
        Prompts().MessageBox("Error reading the hotspots count from the file \"" + path +
                                 "\".\r\n\r\n" + DescriptionAndDetail(error),
                             BoxStyle::Exclamation, "Error");
        return 0;
    }
}

} // namespace quillora
