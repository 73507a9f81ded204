// The sound channels at work (the classic AudioFunctions module): the seven sound players, channel
// instructions, fades and direct play, owned by one game session.
#pragma once

#include "game/SoundChannels.h"
#include "media/Mixer.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace quillora {

class MediaPlayer;
class ValueListReader;
struct RunFlags;

// The volume a player is given for a channel volume of 0..10: (volume - 10) × 400, rounded to
// the nearest integer, in hundredths of a decibel (7 → -1200, 0 → -4000).
int32_t VolumeToMediaPlayer(double volume);

// The channel whose sound is the game's music: the frames' and actions' music plays there.
inline constexpr int kMusicChannel = 6;
// The listener's volume group of a file started on a channel: the music channel, and MIDI files
// on any channel (one plays at a time, and it is always music), are music; the rest effects.
VoiceGroup ChannelVoiceGroup(int channel, const std::string& path);

// The timing of the fades of the current change.
struct AudioModuleState {
    double FadeDuration = 0; // seconds all fades of the current change take
    double FadeStart = 0;    // clock (seconds since midnight) at the first fade tick; 0 not yet
    bool AudioWarningShown = false; // the AUDIO PROBLEM box was shown since the last game reset
};

// The 100 ms timer that drives the fades from the clock service (the classic TimerAudioFade).
// Disabled at the start; enabled by the game after ApplySoundChannels when a fade should follow.
class AudioFadeTimer : public QObject {
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 100;

    explicit AudioFadeTimer(std::function<void()> tick);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

private:
    bool m_enabled = false;
    std::function<void()> m_tick;
    QTimer m_timer;
};

class GameAudio {
public:
    // `flags` (not owned) is the session's: while everything stops, no warning is shown. The
    // players play into `mixer` (not owned), or into the process-wide mixer for nullptr.
    explicit GameAudio(const RunFlags& flags, Mixer* mixer = nullptr);
    ~GameAudio();

    SoundChannelTable Channels = FreshSoundChannels();
    AudioModuleState State;
    AudioFadeTimer TimerAudioFade{[this] { FadeTick(); }};

    // The mixer every sound of the game plays into (the one given, or the process-wide one).
    Mixer& OutputMixer();
    // The mixer given at construction; nullptr stands for the process-wide one.
    Mixer* GivenMixer() const { return m_mixer; }

    // The seven sound players (the classic MPlayer(1..7)) that serve the channels; an index
    // outside 1..7 throws std::out_of_range. Made on first use.
    MediaPlayer& SoundPlayer(int index);

    // The lowest index 1..7 whose player is not playing; -1 when all seven play.
    int16_t GetFreeMediaPlayer();
    // When the channel's file is a MIDI file (name ending in "mid"), stops every player playing
    // a MIDI file: one MIDI file plays at a time.
    void StopOtherMidi(int channel);
    // True when some sound player plays exactly this path (case-sensitive, the full name).
    bool IsFilePlaying(const std::string& path);

    // Stops the seven players and gives channel i player i (part of the game reset, which also
    // clears State.AudioWarningShown).
    void ResetSoundChannels();
    // Carries out the channels' pending instructions: starts files (silent, to fade in, when the
    // instruction fades), stops, sets volumes; a fade on a playing channel borrows a free player
    // for the new file while the old one fades out. Then FadeStart = 0. A player that fails ends
    // the pass at that channel and shows the AUDIO PROBLEM warning once until the game reset.
    void ApplySoundChannels();
    // Moves every fading channel to `fraction` (0..1) of its fade; 1 or more finishes all fades
    // and clears the pending instructions, and disables TimerAudioFade.
    void AudioFadeStep(double fraction);
    // One tick of TimerAudioFade: the first one after ApplySoundChannels takes the clock as
    // FadeStart; later ones step the fade by the time passed, and finish it once FadeDuration has
    // passed (or the clock went past midnight). Tests call it with a manual clock.
    void FadeTick();
    // Holds a running fade while the player pauses the game: the timer stops, and when released
    // the time held is left out, so the fade goes on from where it was.
    void HoldFade();
    void ReleaseFade();

    // Direct play: on the channel's player, Stop, load `path` (a project path, passed through the
    // media lookup), repeat for ever when `loop` else play once, volume 0..10, Play. A missing
    // file plays nothing (the lookup has warned). Throws MediaError when it cannot be played.
    void PlayFileOnChannel(int channel, const std::string& path, bool loop, double volume);
    // Stops the player that serves the channel.
    void StopChannel(int channel);
    // Whether the player serving the channel plays.
    bool IsChannelPlaying(int channel);
    // Direct play as frames and actions use it: a file that cannot be played shows the AUDIO
    // PROBLEM warning (once until the game reset) and the game goes on.
    void PlaySoundOnChannel(int channel, const std::string& path, bool loop, double volume);
    // The AUDIO PROBLEM warning, unless shown since the last game reset or everything stops.
    void ShowAudioProblemOnce();

    // Stops every playing sound player whose file is digital sound (wav, mp3, wma, ogg, au, snd,
    // rmi, mpa, mp2, wm, asf); MIDI (".mid") plays on. Never fails.
    void StopAnyWavOrMP3();

    // Reads an obsolete five-channel block from the reader's position and plays it (stop flags,
    // then files under the Areas folder at volume 8); the channel table is left alone. The reader
    // stops after any row where the section ends. Errors show " Unable to load old sound system
    // information." and end the reading.
    void PlaySoundChannels(ValueListReader& in);
    // Finds in a hotspot sound file (.fm5) the first record of `hotspotIndex`, skips its eight
    // unused values and plays its obsolete block through PlaySoundChannels. False when no record
    // matches. A damaged file shows the same error as PlaySoundChannels.
    bool PlayHotspotSoundChannels(ValueListReader& fm5, int hotspotIndex);

private:
    const RunFlags& m_flags;
    Mixer* m_mixer;
    bool m_fadeHeld = false;
    double m_fadeHeldAt = 0; // clock when the fade was held
    std::array<std::unique_ptr<MediaPlayer>, kSoundChannelCount + 1> m_players;
};

} // namespace quillora
