// The one contract every sound source meets: it hands the mixer stereo float frames at 44,100 Hz.
#pragma once

#include <cmath>
#include <cstdint>

namespace quillora {

// The mixer's fixed output format: 44,100 frames a second, two interleaved channels (left,
// right), 32-bit float samples in -1..1. Sources deliver exactly this; they convert and resample
// on their own side (FFmpeg sources with libswresample, MIDI by rendering at this rate).
inline constexpr int kMixRate = 44100;
inline constexpr int kMixChannels = 2;

// A sound source pulled by the mixer. ReadFrames runs on the audio thread (or whichever thread
// pulls the mixer) and must not block: when data is not ready it returns fewer frames, or
// silence, as its own timing rules say. Everything else may be called from any thread.
class AudioStream {
public:
    virtual ~AudioStream() = default;

    // Writes up to `frames` stereo frames (2 × frames floats) into `out` and returns how many it
    // wrote; fewer than asked only when the stream has ended. The mixer adds nothing for frames
    // that were not written.
    virtual int ReadFrames(float* out, int frames) = 0;

    // True once the stream has nothing more to give; the mixer then drops the voice.
    virtual bool EndOfStream() const = 0;
};

// The amplitude factor of a player volume in hundredths of a decibel (0 = full, -4000 = -40 dB):
// 10^(v / 2000). -1200 gives 0.251, -4000 gives 0.01.
inline double HundredthsOfDecibelToAmplitude(int32_t volume) {
    return std::pow(10.0, volume / 2000.0);
}

} // namespace quillora
