// The mixer: every playing voice summed into one 44,100 Hz stereo float stream, pulled by one call.
#pragma once

#include "media/AudioStream.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace quillora {

// Names one voice of a mixer; 0 names none.
using VoiceId = uint64_t;

// The player's volume group of a voice: the music, or everything else (sound effects, ambient
// loops, the sound of videos).
enum class VoiceGroup { Effects = 0, Music = 1 };
inline constexpr int kVoiceGroupCount = 2;

// The listener's own levels, on top of every voice's gain: amplitude factors 0..1.
struct MixLevels {
    double Master = 1.0;
    double Music = 1.0;
    double Effects = 1.0;
    bool Muted = false;
};

// Sums the voices it is given. Nothing here knows about devices: the audio output (or a test, or
// a benchmark) pulls finished sound with Mix, so the same code is heard, written to a file or
// measured. Gains are amplitude factors; every change of gain, and every stop, is spread over a
// short ramp so that no step in level is heard as a click.
//
// Thread safety: all members may be called from any thread. Mix runs on the audio thread; the
// window thread starts, stops and turns voices. One mutex guards the voice list; it is held for
// one Mix call, which lasts well under a millisecond for the buffers the output uses.
class Mixer {
public:
    // Frames over which a gain change is spread (20 ms): fades that step every 100 ms become
    // continuous, and a single change never clicks.
    static constexpr int kGainRampFrames = kMixRate / 50;
    // Frames over which a stopped voice falls silent (5 ms) before it is dropped.
    static constexpr int kStopRampFrames = kMixRate / 200;

    // offline: the mixer renders as fast as it is pulled rather than in real time (tests,
    // benchmarks, rendering to a file); sources then wait for their data instead of sounding
    // silence while it is being decoded. Sources ask Offline() when they are made.
    explicit Mixer(bool offline = false);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    bool Offline() const { return m_offline; }

    // Starts a voice at the given gain (amplitude factor, 0 = silent, 1 = as the source is) in a
    // volume group. The mixer shares ownership of the stream until the voice ends. Returns the
    // voice's id.
    VoiceId Play(std::shared_ptr<AudioStream> stream, double gain,
                 VoiceGroup group = VoiceGroup::Effects);
    // Moves a voice to another volume group; unknown voices are ignored.
    void SetGroup(VoiceId voice, VoiceGroup group);
    VoiceGroup GroupOf(VoiceId voice) const;
    // Moves the voice's gain to `gain` over kGainRampFrames. Unknown or ended voices are ignored.
    void SetGain(VoiceId voice, double gain);
    // The gain the voice is heading for; 0 for an unknown voice.
    double TargetGain(VoiceId voice) const;
    // Fades the voice out over kStopRampFrames and then drops it. Returns at once.
    void Stop(VoiceId voice);
    void StopAll();
    // True while the voice sounds: not stopped, and its stream has not ended.
    bool IsPlaying(VoiceId voice) const;
    // Voices that still sound or are fading out after a stop.
    int VoiceCount() const;

    // The listener's levels: each group is heard at its voices' gains × its level × master (0
    // while muted). A change is ramped over kGainRampFrames and reaches playing voices and
    // voices started later alike; a voice's own gain changes (fades) stay relative to it.
    void SetLevels(const MixLevels& levels);
    MixLevels Levels() const;
    // Paused: the sound ramps out over kGainRampFrames, then no voice is pulled at all, so
    // sources stand still where they are (their clocks, and the pictures of videos that follow
    // them, stop) until the mixer is resumed. Voices may be started, stopped and turned
    // meanwhile; stopped ones are dropped at once.
    void SetPaused(bool paused);
    bool Paused() const;

    // The pull entry point: writes `frames` stereo frames (2 × frames floats, interleaved) of the
    // sum of every voice into `out`, each sample clamped to -1..1. Voices whose stream ends are
    // dropped. Call from one thread at a time.
    void Mix(float* out, int frames);

    // Frames mixed since the mixer was made.
    uint64_t FramesMixed() const;

private:
    struct Voice {
        VoiceId id = 0;
        std::shared_ptr<AudioStream> stream;
        float gain = 0;        // current gain
        float target = 0;      // gain the ramp heads for
        float step = 0;        // gain change per frame while ramping
        int rampLeft = 0;      // frames of ramp still to go
        bool stopping = false; // ramping down to be dropped
        bool ended = false;    // finished: no longer mixed, waiting to be released
        VoiceGroup group = VoiceGroup::Effects;
    };
    // The level of one volume group as heard, ramped like a voice's gain.
    struct GroupLevel {
        float gain = 1;
        float target = 1;
        float step = 0;
        int rampLeft = 0;
    };

    static void StartRamp(Voice& voice, float target, int frames);
    // Adds one group's sum into `out` at the group's level.
    static void AddGroup(GroupLevel& group, const float* mix, float* out, int frames);
    // Sets every group's ramp towards what the levels and the pause ask for.
    void RetargetGroups();
    // Silent and settled: the voices need not be pulled.
    bool Holding() const;
    // Adds one voice's next `frames` frames into `out`.
    void MixVoice(Voice& voice, float* out, int frames);
    // Releases the streams of ended voices; called off the audio thread with the lock held, the
    // streams themselves destroyed after it is let go.
    void TakeEnded(std::vector<std::shared_ptr<AudioStream>>& released);
    Voice* Find(VoiceId voice);
    const Voice* Find(VoiceId voice) const;

    const bool m_offline;
    mutable std::mutex m_mutex;
    std::vector<Voice> m_voices;
    std::vector<float> m_scratch;
    std::vector<float> m_groupMix[kVoiceGroupCount];
    GroupLevel m_groups[kVoiceGroupCount];
    MixLevels m_levels;
    bool m_paused = false;
    VoiceId m_nextId = 1;
    uint64_t m_framesMixed = 0;
};

} // namespace quillora
