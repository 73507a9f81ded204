// The media player on every format of the fixtures: decoding, loops, rate, pictures and damage.
#include "media/MediaPlayer.h"
#include "MediaTestSupport.h"
#include "media/MediaError.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quillora {
namespace {

using test::Fixture;
using test::Frames;
using test::Render;
using test::RenderUntilStopped;

struct FormatCase {
    const char* file;
    double seconds; // length of one pass
    double level;   // peak of the sound at full volume (0: not checked)
    int width;      // natural picture width; 0 for sound
    int height;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.file;
}

class EachFormat : public ::testing::TestWithParam<FormatCase> {};

// Plays the fixture to its end on an offline mixer and checks the sound (level and length) and
// the pictures (natural size, pictures shown at the video's pace).
TEST_P(EachFormat, DecodesAndPlaysToItsEnd) {
    const FormatCase& c = GetParam();
    Mixer mixer(true);
    MediaPlayer player(&mixer);
    player.SetFileName(Fixture(c.file));
    EXPECT_EQ(player.FileName(), Fixture(c.file));
    EXPECT_EQ(player.HasVideo(), c.width > 0);
    EXPECT_EQ(player.NaturalSize(), c.width > 0 ? QSize(c.width, c.height) : QSize());
    QSignalSpy frames(&player, &MediaPlayer::FrameChanged);
    player.Play();
    EXPECT_EQ(player.PlayState(), MediaPlayer::kPlaying);
    const test::Samples out = RenderUntilStopped(mixer, player, c.seconds + 2);
    EXPECT_EQ(player.PlayState(), MediaPlayer::kStopped);
    const double length = double(Frames(out)) / kMixRate;
    EXPECT_GT(length, c.seconds - 0.06);
    EXPECT_LT(length, c.seconds + (c.width > 0 ? 0.15 : 0.4)); // MIDI rings out 0.3 s
    if (c.level > 0) {
        EXPECT_NEAR(test::Peak(out), c.level, 0.15 * c.level);
    } else if (c.level == 0 && c.width == 0) {
        EXPECT_GT(test::Peak(out), 0.01); // MIDI: some sound
    }
    if (c.width > 0) {
        EXPECT_EQ(player.CurrentFrame().size(), QSize(c.width, c.height));
        EXPECT_GE(frames.count(), 8);
        EXPECT_EQ(player.DroppedFrames(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, EachFormat,
                         ::testing::Values(FormatCase{"tone.wav", 0.5, 0.5, 0, 0},
                                           FormatCase{"tone-adpcm-ms.wav", 0.5, 0.5, 0, 0},
                                           FormatCase{"tone-adpcm-ima.wav", 0.5, 0.5, 0, 0},
                                           FormatCase{"tone.mp3", 0.5, 0.5, 0, 0},
                                           FormatCase{"tone.wma", 0.5, 0.5, 0, 0},
                                           FormatCase{"tone.ogg", 0.5, 0.5, 0, 0},
                                           FormatCase{"tone.au", 0.5, 0.5, 0, 0},
                                           FormatCase{"tune.mid", 1.5, 0, 0, 0},
                                           FormatCase{"tune.rmi", 1.5, 0, 0, 0},
                                           // lavfi's sine source plays at 1/8 of full scale
                                           FormatCase{"clip-mpeg1.mpg", 1.0, 0.125, 96, 64},
                                           FormatCase{"clip-mpeg2.mpg", 1.0, 0.125, 96, 64},
                                           FormatCase{"clip-cinepak.avi", 1.0, 0.125, 96, 64},
                                           FormatCase{"clip-msvideo1.avi", 1.0, 0.125, 96, 64},
                                           FormatCase{"clip.wmv", 1.0, 0.125, 96, 64},
                                           FormatCase{"clip.asf", 1.0, 0.125, 96, 64},
                                           FormatCase{"silent.mpg", 1.0, -1, 64, 48}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                             std::string name = info.param.file;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             }
                             return name;
                         });

TEST(MediaPlayerTest, PlayCountRepeatsTheFileWithoutAGap) {
    Mixer mixer(true);
    MediaPlayer player(&mixer);
    player.SetFileName(Fixture("short.wav")); // 0.1 s of a 441 Hz tone
    player.SetPlayCount(3);
    player.Play();
    const test::Samples out = RenderUntilStopped(mixer, player, 2);
    EXPECT_NEAR(test::AudibleFrames(out, 0.05f), 3 * 4410, 20);
    // Around each join the tone goes on: no longer run of samples near zero than the few a
    // zero crossing of the tone has (a gap of even 1 ms would be 44).
    EXPECT_LT(test::LongestQuietRun(out, 0.05f, 100, 3 * 4410 - 100), 8);

    player.SetPlayCount(0);
    player.Play();
    EXPECT_NEAR(test::Peak(Render(mixer, 2.0), 2 * 44100 - 4410), 0.5, 0.01); // 20 passes on
    EXPECT_EQ(player.PlayState(), MediaPlayer::kPlaying);
    EXPECT_NEAR(player.CurrentPosition(), 0.0, 0.1); // 2.0 s is a whole number of passes
}

TEST(MediaPlayerTest, HalfRatePlaysTwiceAsLongAnOctaveLower) {
    Mixer mixer(true);
    MediaPlayer player(&mixer);
    player.SetFileName(Fixture("tone.wav"));
    player.SetRate(0.5);
    player.Play();
    const test::Samples out = RenderUntilStopped(mixer, player, 3);
    EXPECT_NEAR(double(Frames(out)) / kMixRate, 1.0, 0.03);
    EXPECT_NEAR(test::CrossingsPerSecond(out), 441, 10); // 220.5 Hz: two crossings a period

    // Pictures keep to the slowed clock: after 1 s at half speed the video is 0.5 s in.
    player.SetFileName(Fixture("clip-mpeg1.mpg"));
    player.SetRate(0.5);
    QSignalSpy frames(&player, &MediaPlayer::FrameChanged);
    player.Play();
    for (int i = 0; i < 100; ++i) {
        Render(mixer, 0.01);
        player.ShowDueFrame();
    }
    EXPECT_NEAR(player.CurrentPosition(), 0.5, 0.03);
    EXPECT_NEAR(frames.count(), 13, 2); // 25 pictures a second of the file
}

TEST(MediaPlayerTest, StopKeepsTheFileAndPlayStartsItAgainFromTheTop) {
    Mixer mixer(true);
    MediaPlayer player(&mixer);
    EXPECT_THROW(player.Play(), MediaError); // nothing loaded
    player.SetFileName(Fixture("tone.wav"));
    player.Play();
    Render(mixer, 0.3);
    EXPECT_NEAR(player.CurrentPosition(), 0.3, 0.01);
    player.Stop();
    EXPECT_EQ(player.PlayState(), MediaPlayer::kStopped);
    EXPECT_EQ(player.FileName(), Fixture("tone.wav"));
    EXPECT_EQ(player.CurrentPosition(), 0.0);
    player.Play();
    const test::Samples out = RenderUntilStopped(mixer, player, 2);
    EXPECT_NEAR(double(Frames(out)) / kMixRate, 0.5, 0.02); // the whole file again

    player.SetCurrentPosition(0.4); // a stopped player starts where it is put
    player.Play();
    EXPECT_NEAR(double(Frames(RenderUntilStopped(mixer, player, 2))) / kMixRate, 0.1, 0.02);
}

// Damaged files: the player reports them with a description, or plays what can be read and ends;
// it never hangs or crashes.
TEST(MediaPlayerTest, DamagedAndMissingFilesFailWithADescription) {
    Mixer mixer(true);
    MediaPlayer player(&mixer);
    for (const char* name : {"damaged-text.wav", "damaged-header-only.wav", "damaged-truncated.mid",
                             "no-such-file.wav"}) {
        try {
            player.SetFileName(Fixture(name));
            ADD_FAILURE() << name << " loaded";
        } catch (const MediaError& e) {
            EXPECT_GT(std::string(e.what()).size(), 10u) << name;
        }
        EXPECT_EQ(player.FileName(), Fixture(name));
        EXPECT_THROW(player.Play(), MediaError) << name;
    }
    for (const char* name :
         {"damaged-truncated.mp3", "damaged-truncated.mpg", "damaged-garbled.avi"}) {
        try {
            player.SetFileName(Fixture(name));
        } catch (const MediaError&) {
            continue; // refused when opened: fine
        }
        player.Play();
        RenderUntilStopped(mixer, player, 5);
        EXPECT_EQ(player.PlayState(), MediaPlayer::kStopped) << name;
    }
}

// Inputs the fuzzer found trouble with, kept as they were found.
TEST(MediaPlayerTest, FuzzerFindingsFailCleanlyOrPlayToAnEnd) {
    Mixer mixer(true);
    MediaPlayer player(&mixer);
    // A WAV header claiming 67 MHz: its sound is refused rather than resampled for seconds.
    player.SetFileName(Fixture("fuzz/wav-67mhz-sample-rate.wav"));
    player.Play();
    QElapsedTimer clock;
    clock.start();
    RenderUntilStopped(mixer, player, 5);
    EXPECT_EQ(player.PlayState(), MediaPlayer::kStopped);
    EXPECT_LT(clock.elapsed(), 2000);
    // A MIDI file with SMPTE time code timing, which the synthesizer silently does not play.
    try {
        player.SetFileName(Fixture("fuzz/midi-smpte-division.mid"));
        ADD_FAILURE() << "loaded";
    } catch (const MediaError& e) {
        EXPECT_NE(std::string(e.what()).find("SMPTE"), std::string::npos);
    }
}

TEST(MediaPlayerTest, TheGarbledVideoStillShowsThePicturesAroundTheDamage) {
    Mixer mixer(true);
    MediaPlayer player(&mixer);
    player.SetFileName(Fixture("damaged-garbled.avi"));
    QSignalSpy frames(&player, &MediaPlayer::FrameChanged);
    player.Play();
    RenderUntilStopped(mixer, player, 5);
    EXPECT_GE(frames.count(), 3);
    EXPECT_EQ(player.CurrentFrame().size(), QSize(96, 64));
}

// In real time, through the process-wide mixer and SDL's dummy device: the player's own timer
// shows the pictures while the window thread handles events, and the run ends on time.
TEST(MediaPlayerTest, AVideoPlaysInRealTimeOnTheWindowThreadsTimer) {
    MediaPlayer player;
    player.SetFileName(Fixture("clip-mpeg1.mpg"));
    QSignalSpy frames(&player, &MediaPlayer::FrameChanged);
    QElapsedTimer clock;
    clock.start();
    player.Play();
    while (player.PlayState() == MediaPlayer::kPlaying && clock.elapsed() < 4000)
        QTest::qWait(5);
    const double seconds = clock.elapsed() / 1000.0;
    EXPECT_EQ(player.PlayState(), MediaPlayer::kStopped);
    // 1.06 s of sound and pictures: not sooner (a busy machine may make it later; the loop
    // above gives it four seconds).
    EXPECT_GT(seconds, 0.95);
    EXPECT_GE(frames.count(), 20);
    EXPECT_LE(frames.count() + player.DroppedFrames(), 25);
}

} // namespace
} // namespace quillora
