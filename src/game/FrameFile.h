// The frame file (<frame>.fme) and the frame's hotspot count (<frame>.lks).
#pragma once

#include <cstdint>
#include <string>

namespace quillora {

class ValueListReader;
struct GameSession;

// The values of a frame file that opening a frame uses.
struct FrameFileData {
    int16_t BackgroundKind = 0; // 0 colour, 1 picture
    std::string Background;
    bool TileBackground = false;
    bool StopMusic = false;
    std::string MusicFile;
    bool AutoJump = false;
    double AutoJumpDelay = 0; // seconds
    std::string AutoJumpFrame;
    std::string VideoFile;
    bool StopAllSounds = false;
    bool StopFrameSound = false;
    std::string FrameSound;
    bool VideoAtOrigin = false;
    bool VideoAtPosition = false;
    int32_t VideoLeft = 0;
    int32_t VideoTop = 0;
    int32_t VideoWidth = 0;
    int32_t VideoHeight = 0;
    bool LoopMusic = true;
    bool RunFrameScript = false;
    std::string FrameScriptText;
    int FrameScriptLine = 0; // the file's line where the script value starts
    double ChannelFadeDuration = 0; // milliseconds
    bool ChannelRowsRead = false;   // the row width was 5 or less
    bool FadeRowTaken = false;      // a taken channel row asked for a fade
    bool VideoFirst = false;
};

// Reads the frame file from its start, merging its channel rows into the session's sound-channel
// table (a frame row does not override an instruction pending from the action) and updating the
// automatic-jump transition settings where the file gives them. Throws ClassicError.
FrameFileData ReadFrameFile(ValueListReader& in, GameSession& session);

// Sets the current frame name, reads fields 1 to 3 of the frame file into the session's
// current-frame record and the hotspot count. A read failure shows " Unable to load the frame
// called ..." and keeps the fields read so far.
void LoadFrameHeader(GameSession& session, const std::string& name);

// The hotspot count of a frame from its .lks file; 0 without the file. A damaged file shows
// "Error reading the hotspots count from the file ..." and gives 0.
int16_t ReadHotspotCount(const std::string& name);

} // namespace quillora
