// Helpers of the media tests: fixtures, rendering a mixer offline, and measuring the sound.
#pragma once

#include "media/AudioStream.h"
#include "media/Mixer.h"

#include <string>
#include <vector>

namespace quillora {
class MediaPlayer;
}

namespace quillora::test {

// The full path of a committed fixture.
std::string Fixture(const std::string& name);
// The bytes of a fixture.
std::string FixtureBytes(const std::string& name);

// Interleaved stereo samples as the mixer writes them.
using Samples = std::vector<float>;

// Pulls `seconds` of sound from the mixer.
Samples Render(Mixer& mixer, double seconds);
// Pulls the mixer in 10 ms blocks until the player stops playing (or `maxSeconds` have been
// mixed), showing due video frames after every block. Returns the sound mixed.
Samples RenderUntilStopped(Mixer& mixer, MediaPlayer& player, double maxSeconds);

// Largest absolute sample of the left channel over frames [from, to) (to = -1: to the end).
double Peak(const Samples& samples, long from = 0, long to = -1);
// Sign changes of the left channel per second over the whole buffer.
double CrossingsPerSecond(const Samples& samples);
// The longest run of consecutive left samples below `threshold` in absolute value, over frames
// [from, to).
long LongestQuietRun(const Samples& samples, float threshold, long from, long to);
// Frames up to and including the last left sample at or above `threshold` in absolute value.
long AudibleFrames(const Samples& samples, float threshold);
inline long Frames(const Samples& samples) {
    return static_cast<long>(samples.size() / kMixChannels);
}

// A source of a constant level on both channels, for exact mixer arithmetic; ends after
// `frames` frames (-1: never).
class ConstantStream : public AudioStream {
public:
    explicit ConstantStream(float level, long frames = -1) : m_level(level), m_left(frames) {}
    int ReadFrames(float* out, int frames) override;
    bool EndOfStream() const override { return m_left == 0; }

private:
    float m_level;
    long m_left;
};

} // namespace quillora::test
