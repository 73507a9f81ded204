// Fixtures, offline rendering and sound measurements for the media tests.
#include "MediaTestSupport.h"

#include "media/MediaPlayer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quillora::test {

std::string Fixture(const std::string& name) {
    return std::string(QUILLORA_MEDIA_FIXTURES) + name;
}

std::string FixtureBytes(const std::string& name) {
    std::ifstream in(Fixture(name), std::ios::binary);
    if (!in) throw std::runtime_error("missing fixture " + name);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Samples Render(Mixer& mixer, double seconds) {
    Samples samples(static_cast<size_t>(std::lround(seconds * kMixRate)) * kMixChannels);
    mixer.Mix(samples.data(), static_cast<int>(samples.size() / kMixChannels));
    return samples;
}

Samples RenderUntilStopped(Mixer& mixer, MediaPlayer& player, double maxSeconds) {
    constexpr int kBlock = kMixRate / 100;
    Samples all;
    Samples block(kBlock * kMixChannels);
    for (double mixed = 0; mixed < maxSeconds && player.PlayState() == MediaPlayer::kPlaying;
         mixed += 0.01) {
        mixer.Mix(block.data(), kBlock);
        player.ShowDueFrame();
        all.insert(all.end(), block.begin(), block.end());
    }
    return all;
}

double Peak(const Samples& samples, long from, long to) {
    if (to < 0) to = Frames(samples);
    double peak = 0;
    for (long i = from; i < to; ++i)
        peak = std::max(peak, std::fabs(double(samples[2 * i])));
    return peak;
}

double CrossingsPerSecond(const Samples& samples) {
    long crossings = 0;
    for (long i = 1; i < Frames(samples); ++i) {
        if ((samples[2 * i - 2] < 0) != (samples[2 * i] < 0)) ++crossings;
    }
    return crossings * double(kMixRate) / std::max(1L, Frames(samples));
}

long LongestQuietRun(const Samples& samples, float threshold, long from, long to) {
    long longest = 0, run = 0;
    for (long i = from; i < to; ++i) {
        run = std::fabs(samples[2 * i]) < threshold ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

long AudibleFrames(const Samples& samples, float threshold) {
    for (long i = Frames(samples); i > 0; --i) {
        if (std::fabs(samples[2 * (i - 1)]) >= threshold) return i;
    }
    return 0;
}

int ConstantStream::ReadFrames(float* out, int frames) {
    const int n = m_left < 0 ? frames : static_cast<int>(std::min<long>(frames, m_left));
    std::fill(out, out + 2 * n, m_level);
    if (m_left > 0) m_left -= n;
    return n;
}

} // namespace quillora::test
