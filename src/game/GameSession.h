// One game in progress: the state every part of the game reads and writes, in one owner that is
// not a widget. The windows draw it and forward input to it.
#pragma once

#include "game/ActionObject.h"
#include "game/GameAudio.h"
#include "game/GameState.h"

#include <cstdint>
#include <string>

namespace quillora {

class Mixer;

// Flags that long operations test while they handle window events.
struct RunFlags {
    // Raised by a script's StopEverything or a cancelled CD prompt: loading loops stop early,
    // scripts do not run, media and effects do nothing and error boxes are not shown.
    bool StopEverything = false;
    // Set by presses on the frame area and by Esc: they end a video wait and a transition.
    bool StopMovie = false;
    bool TransitionAbortRequested = false;
};

// The frame being shown: its name and the header fields every per-frame loader reads.
struct CurrentFrameRecord {
    std::string Name;
    int16_t BackgroundKind = 0; // 0 colour, 1 picture
    std::string Background;     // colour number or picture file
    bool TileBackground = false;
    int16_t HotspotCount = 0;
};

// The automatic jump's transition, kept from the last frame file that gave it.
struct AutoJumpTransitionSettings {
    bool AutoJumpTransition = false;
    int32_t AutoJumpTransitionDuration = 0; // milliseconds
    int16_t AutoJumpTransitionNumber = 0;
};

// Made fresh for every game, so two games played one after the other in one process start from
// identical state. The layers above (script host, timed events, dialogue) keep their per-game
// state beside it in the same lifetime.
struct GameSession {
    // The sound players play into `mixer` (not owned), or the process-wide mixer for nullptr.
    explicit GameSession(Mixer* mixer = nullptr) : Audio(Flags, mixer) {}
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    RunFlags Flags;
    CurrentFrameRecord CurrentFrame;
    // Variables, hidden hotspots, history, inventory items, last click.
    GameState State;
    // The Action object's request fields.
    VBScriptActionModule Action;
    AutoJumpTransitionSettings AutoJump;
    // The channel table, the fades and the seven sound players.
    GameAudio Audio;
    // The display resolution a script asked for when a saved game is loaded; 0 none.
    int16_t ResolutionOnLoadGame = 0;
    // The project's procedure library, read at every game reset for the script engines.
    std::string ProceduresText;
    // Counts the games begun in this session (each reset, for a new or a loaded game). An
    // operation that lets window events run compares it before and after: when another game has
    // begun meanwhile (the player loaded one), the rest of the operation belongs to no game.
    unsigned GameNumber = 0;

    // Everything back to the start of a game (the game reset, and before a saved game is
    // replayed); the sound players stay, stopped by the reset of the channels.
    void ResetGameState() {
        Flags = RunFlags();
        CurrentFrame = CurrentFrameRecord();
        State = GameState();
        Action = VBScriptActionModule();
        AutoJump = AutoJumpTransitionSettings();
        Audio.Channels = FreshSoundChannels();
        Audio.State = AudioModuleState();
        ResolutionOnLoadGame = 0;
        ProceduresText.clear();
        ++GameNumber;
    }
};

} // namespace quillora
