// The mixer's sums and ramps, the volume scale, and the audio output with and without a device.
#include "MediaTestSupport.h"
#include "media/AudioOutput.h"
#include "media/MediaPlayer.h"

#include "TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <unistd.h>

namespace quillora {
namespace {

using test::ConstantStream;
using test::Render;

TEST(VolumeScale, DecibelsBecomeAmplitudes) {
    EXPECT_NEAR(HundredthsOfDecibelToAmplitude(-1200), 0.251, 0.0005);
    EXPECT_NEAR(HundredthsOfDecibelToAmplitude(-4000), 0.01, 1e-9);
    EXPECT_DOUBLE_EQ(HundredthsOfDecibelToAmplitude(0), 1.0);
}

// The level a player's volume gives, measured on a half-scale tone coming out of the mixer.
TEST(VolumeScale, PlayerVolumeSevenSoundsTwelveDecibelsDownAndZeroForty) {
    Mixer mixer(true);
    MediaPlayer player(&mixer);
    player.SetFileName(test::Fixture("tone.wav"));
    player.SetPlayCount(0);
    player.SetVolume(0);
    player.Play();
    const double full = test::Peak(Render(mixer, 0.2));
    EXPECT_NEAR(full, 0.5, 0.01);
    player.SetVolume(-1200); // channel level 7
    Render(mixer, 0.05);     // past the ramp
    EXPECT_NEAR(test::Peak(Render(mixer, 0.1)) / full, 0.251, 0.005);
    player.SetVolume(-4000); // channel level 0
    Render(mixer, 0.05);
    EXPECT_NEAR(test::Peak(Render(mixer, 0.1)) / full, 0.01, 0.001);
}

TEST(MixerTest, VoicesAddUpAndTheSumIsHeldToFullScale) {
    Mixer mixer;
    mixer.Play(std::make_shared<ConstantStream>(0.25f), 1.0);
    mixer.Play(std::make_shared<ConstantStream>(0.5f), 0.5);
    test::Samples out = Render(mixer, 0.01);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);
    mixer.Play(std::make_shared<ConstantStream>(0.9f), 1.0);
    out = Render(mixer, 0.01);
    EXPECT_FLOAT_EQ(out[10], 1.0f);
    EXPECT_EQ(mixer.FramesMixed(), 882u);
}

TEST(MixerTest, GainChangesAndStopsAreRampedWithoutAStep) {
    Mixer mixer;
    const VoiceId voice = mixer.Play(std::make_shared<ConstantStream>(1.0f), 1.0);
    Render(mixer, 0.01);
    mixer.SetGain(voice, 0.0);
    EXPECT_EQ(mixer.TargetGain(voice), 0.0);
    test::Samples out = Render(mixer, 0.05);
    // The level falls by at most one ramp step a frame, reaching 0 after kGainRampFrames.
    const float step = 1.0f / Mixer::kGainRampFrames;
    float previous = 1.0f;
    for (long i = 0; i < test::Frames(out); ++i) {
        EXPECT_LE(previous - out[2 * i], step + 1e-5f) << "frame " << i;
        previous = out[2 * i];
    }
    EXPECT_NEAR(out[2 * (Mixer::kGainRampFrames / 2)], 0.5f, 0.01f);
    EXPECT_FLOAT_EQ(out[2 * Mixer::kGainRampFrames], 0.0f);

    mixer.SetGain(voice, 1.0);
    Render(mixer, 0.05);
    mixer.Stop(voice);
    EXPECT_FALSE(mixer.IsPlaying(voice));
    out = Render(mixer, 0.01);
    EXPECT_NEAR(out[2 * (Mixer::kStopRampFrames / 2)], 0.5f, 0.01f);
    EXPECT_FLOAT_EQ(out[2 * Mixer::kStopRampFrames], 0.0f);
    EXPECT_EQ(mixer.VoiceCount(), 0);
}

// The listener's levels: each group at its level × master, on top of every voice's own gain,
// for voices playing and voices started later; mute and changes ramp without a step.
TEST(MixerLevels, GroupsAreHeardAtTheirLevelTimesMasterAndMuteSilencesAll) {
    Mixer mixer;
    const VoiceId music =
        mixer.Play(std::make_shared<ConstantStream>(0.5f), 1.0, VoiceGroup::Music);
    mixer.Play(std::make_shared<ConstantStream>(0.25f), 1.0, VoiceGroup::Effects);
    EXPECT_EQ(mixer.GroupOf(music), VoiceGroup::Music);
    EXPECT_FLOAT_EQ(Render(mixer, 0.01)[0], 0.75f);

    MixLevels levels;
    levels.Master = 0.5;
    levels.Music = 0.5;
    levels.Effects = 1.0;
    mixer.SetLevels(levels);
    test::Samples out = Render(mixer, 0.05);
    // From 0.75 to 0.5 × 0.5 × 0.5 + 0.5 × 0.25 = 0.25, one ramp step a frame at most.
    const float step = 0.5f / Mixer::kGainRampFrames;
    for (long i = 1; i < test::Frames(out); ++i)
        ASSERT_LE(std::abs(out[2 * i] - out[2 * (i - 1)]), step + 1e-5f) << "frame " << i;
    EXPECT_NEAR(out[2 * (test::Frames(out) - 1)], 0.25f, 1e-5f);

    // A voice started later is heard at the levels at once; a fade of a voice stays relative.
    mixer.Play(std::make_shared<ConstantStream>(0.2f), 0.5, VoiceGroup::Effects);
    EXPECT_NEAR(Render(mixer, 0.01)[0], 0.25f + 0.05f, 1e-5f);
    mixer.SetGain(music, 0.5);
    Render(mixer, 0.05);
    EXPECT_NEAR(Render(mixer, 0.01)[0], 0.0625f + 0.125f + 0.05f, 1e-5f);

    levels.Muted = true;
    mixer.SetLevels(levels);
    Render(mixer, 0.05);
    EXPECT_EQ(test::Peak(Render(mixer, 0.05)), 0.0);
    levels.Muted = false;
    mixer.SetLevels(levels);
    Render(mixer, 0.05);
    EXPECT_NEAR(Render(mixer, 0.01)[0], 0.2375f, 1e-5f);

    // Levels come from a settings file the user may edit: held to 0..1.
    mixer.SetLevels({std::nan(""), -3, 7, false});
    const MixLevels held = mixer.Levels();
    EXPECT_EQ(held.Master, 0.0);
    EXPECT_EQ(held.Music, 0.0);
    EXPECT_EQ(held.Effects, 1.0);
}

// A stream that counts the frames taken from it.
class CountingStream : public AudioStream {
public:
    int ReadFrames(float* out, int frames) override {
        std::fill(out, out + 2 * frames, 0.5f);
        taken += frames;
        return frames;
    }
    bool EndOfStream() const override { return false; }
    long taken = 0;
};

TEST(MixerLevels, APausedMixerRampsOutThenPullsNothingUntilResumed) {
    Mixer mixer;
    auto held = std::make_shared<CountingStream>();
    const VoiceId voice = mixer.Play(held, 1.0);
    // A short sound that would end within 0.2 s if it were pulled.
    const VoiceId shortSound = mixer.Play(std::make_shared<ConstantStream>(0.25f, 8820), 1.0);
    Render(mixer, 0.01);
    mixer.SetPaused(true);
    EXPECT_TRUE(mixer.Paused());
    test::Samples out = Render(mixer, 0.05);
    EXPECT_NEAR(out[0], 0.75f, 0.01f);
    EXPECT_EQ(out[2 * (test::Frames(out) - 1)], 0.0f);
    const long takenWhenSilent = held->taken;
    out = Render(mixer, 1.0);
    EXPECT_EQ(test::Peak(out), 0.0);
    EXPECT_EQ(held->taken, takenWhenSilent); // the source stands where it was
    EXPECT_TRUE(mixer.IsPlaying(shortSound));
    // Stopped while paused: dropped, never heard again.
    const VoiceId stopped = mixer.Play(std::make_shared<ConstantStream>(0.1f), 1.0);
    mixer.Stop(stopped);
    Render(mixer, 0.01);
    EXPECT_EQ(mixer.VoiceCount(), 2);

    mixer.SetPaused(false);
    out = Render(mixer, 0.05);
    EXPECT_LT(out[0], 0.01f); // ramps in, no step
    EXPECT_NEAR(out[2 * (test::Frames(out) - 1)], 0.75f, 1e-5f);
    EXPECT_GT(held->taken, takenWhenSilent);
    Render(mixer, 0.1);
    EXPECT_FALSE(mixer.IsPlaying(shortSound));
    EXPECT_TRUE(mixer.IsPlaying(voice));
}

TEST(MixerTest, AVoiceWhoseStreamEndsIsDroppedMidBuffer) {
    Mixer mixer;
    const VoiceId voice = mixer.Play(std::make_shared<ConstantStream>(0.5f, 100), 1.0);
    EXPECT_TRUE(mixer.IsPlaying(voice));
    const test::Samples out = Render(mixer, 0.01);
    EXPECT_FLOAT_EQ(out[2 * 99], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 100], 0.0f);
    EXPECT_FALSE(mixer.IsPlaying(voice));
}

// Points SDL at a driver for one test; the audio subsystem is per process, and every test runs
// in a process of its own.
class DriverEnvironment {
public:
    DriverEnvironment(const char* driver, const std::string& file = "") {
        setenv("SDL_AUDIODRIVER", driver, 1);
        if (!file.empty()) setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "1", 1);
    }
    ~DriverEnvironment() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST(AudioOutputTest, TheDiskDriverWritesExactlyWhatWasMixed) {
    test::TempFolder folder;
    const std::string file = folder.Path() + "out.raw";
    DriverEnvironment environment("disk", file);
    Mixer mixer;
    mixer.Play(std::make_shared<ConstantStream>(0.5f), 0.251);
    mixer.Play(std::make_shared<ConstantStream>(-0.125f), 1.0);
    {
        AudioOutput output(mixer);
        ASSERT_TRUE(output.HasDevice()) << output.DeviceError();
        EXPECT_EQ(output.DriverName(), "disk");
        for (int i = 0; i < 400 && mixer.FramesMixed() < 4096; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    QFile raw(QString::fromStdString(file));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_EQ(bytes.size() % 8, 0); // whole stereo float frames
    std::vector<float> samples(static_cast<size_t>(bytes.size()) / sizeof(float));
    std::memcpy(samples.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
    // The driver writes whole silent buffers while the device is still paused after opening
    // (more of them on a busy machine); the mix starts at a buffer's start.
    size_t first = 0;
    while (first < samples.size() && samples[first] == 0)
        ++first;
    EXPECT_EQ(first % (size_t{AudioOutput::kDeviceBufferFrames} * 2), 0u) << first;
    ASSERT_GE(samples.size(), first + 4096 * 2);
    const float expected = 0.5f * 0.251f - 0.125f;
    for (size_t i = first; i < first + 4096 * 2; ++i)
        ASSERT_FLOAT_EQ(samples[i], expected) << "sample " << i;
}

TEST(AudioOutputTest, WithoutADeviceSoundsStillEndOnTime) {
    DriverEnvironment environment("no-such-driver");
    Mixer mixer;
    AudioOutput output(mixer);
    EXPECT_FALSE(output.HasDevice());
    EXPECT_FALSE(output.DeviceError().empty());
    MediaPlayer player(&mixer);
    player.SetFileName(test::Fixture("short.wav"));
    player.Play();
    EXPECT_EQ(player.PlayState(), MediaPlayer::kPlaying);
    const auto start = std::chrono::steady_clock::now();
    while (player.PlayState() == MediaPlayer::kPlaying &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(player.PlayState(), MediaPlayer::kStopped);
    // The clock pulled the 0.1 s of sound through the mixer (all but what resampling may trim),
    // not skipped it.
    EXPECT_GE(mixer.FramesMixed(), uint64_t{kMixRate} * 8 / 100);
}

TEST(AudioOutputTest, WithoutADeviceOneLineSaysSoundIsOffAndAlsaKeepsQuiet) {
    // ALSA pointed at a card that is not there: its library would print its own lines for it.
    DriverEnvironment environment("alsa");
    setenv("AUDIODEV", "hw:97", 1);
    std::FILE* captured = std::tmpfile();
    ASSERT_NE(captured, nullptr);
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(::fileno(captured), 2);
    bool hasDevice = true;
    {
        Mixer mixer;
        AudioOutput output(mixer);
        hasDevice = output.HasDevice();
    }
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    unsetenv("AUDIODEV");
    std::rewind(captured);
    std::string text(4096, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), captured));
    std::fclose(captured);
    EXPECT_FALSE(hasDevice);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_EQ(text.rfind("Sound is off: no sound device could be opened (", 0), 0u) << text;
}

} // namespace
} // namespace quillora
