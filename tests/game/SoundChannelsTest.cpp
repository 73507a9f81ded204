// The sound channels at work: instructions, fades, cross-fades, MIDI rules, stops and old blocks.
#include "MediaTestSupport.h"
#include "ProjectWriter.h"
#include "core/Clock.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "game/GameAudio.h"
#include "game/GameSession.h"
#include "media/MediaPlayer.h"
#include "project/ProjectPaths.h"

#include <gtest/gtest.h>

#include <set>

namespace quillora {
namespace {

using test::FileValue;
using test::FileValues;

class SoundChannelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrompts(&prompts);
        SetClock(&clock);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
        for (const char* name : {"tone.wav", "short.wav", "tone.au", "tone.wm", "tune.mid",
                                 "tune2.mid", "damaged-text.wav"}) {
            project.WriteBytes(std::string("Areas/") + name, test::FixtureBytes(name));
        }
    }
    void TearDown() override {
        SetPrompts(nullptr);
        SetClock(nullptr);
    }

    // Reads a block of channel rows (5 fields a row) as a frame or an action gives them.
    void Rows(ChannelRowSource source, const std::vector<FileValues>& rows) {
        FileValues values = {5, static_cast<int>(rows.size())};
        for (const FileValues& row : rows)
            values.insert(values.end(), row.begin(), row.end());
        ValueListReader in(test::ProjectWriter::Format(values, "\r\n"));
        ReadChannelRows(in, source, audio.Channels);
    }
    static FileValues Row(int command, bool fade, bool loop, double volume, const char* file) {
        return {command, fade, loop, volume, file};
    }
    // A row that asks for nothing.
    static FileValues Idle() { return Row(0, false, false, 10, ""); }
    std::string Areas(const std::string& name) { return Paths().Areas + name; }
    MediaPlayer& ChannelPlayer(int channel) {
        return audio.SoundPlayer(audio.Channels[channel].Player);
    }
    bool Playing(int player) { return audio.SoundPlayer(player).PlayState() == MediaPlayer::kPlaying; }
    void ExpectPermutation() {
        std::set<int> players;
        for (int c = 1; c <= kSoundChannelCount; ++c)
            players.insert(audio.Channels[c].Player);
        EXPECT_EQ(players, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));
    }

    Mixer mixer{true};
    RunFlags flags;
    GameAudio audio{flags, &mixer};
    ManualClock clock{1000};
    ScriptedPrompts prompts;
    test::ProjectWriter project;
};

TEST(VolumeScale, ChannelLevelsBecomeHundredthsOfDecibel) {
    EXPECT_EQ(VolumeToMediaPlayer(10), 0);
    EXPECT_EQ(VolumeToMediaPlayer(8), -800);
    EXPECT_EQ(VolumeToMediaPlayer(7), -1200);
    EXPECT_EQ(VolumeToMediaPlayer(0), -4000);
    EXPECT_EQ(VolumeToMediaPlayer(2.5), -3000);
    EXPECT_EQ(VolumeToMediaPlayer(9.99), -4); // -4.0 rounds to the nearest
}

TEST_F(SoundChannelsTest, AFadeOutIsHalfwayDownAtHalfItsDuration) {
    Rows(ChannelRowSource::Action, {Row(0, false, true, 10, "tone.wav")});
    audio.ApplySoundChannels();
    EXPECT_NEAR(test::Peak(test::Render(mixer, 0.1)), 0.5, 0.01);

    Rows(ChannelRowSource::Action, {Row(3, true, false, 0, "")});
    audio.State.FadeDuration = 2.0;
    audio.ApplySoundChannels();
    audio.TimerAudioFade.SetEnabled(true);
    audio.FadeTick(); // the first tick only notes the start
    EXPECT_EQ(audio.State.FadeStart, 1000);
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), 0);
    clock.Advance(1.0);
    audio.FadeTick();
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), VolumeToMediaPlayer(5)); // -2000: a tenth of the amplitude
    test::Render(mixer, 0.05);
    EXPECT_NEAR(test::Peak(test::Render(mixer, 0.1)), 0.05, 0.003);
    EXPECT_TRUE(audio.TimerAudioFade.Enabled());
    clock.Advance(1.0);
    audio.FadeTick();
    EXPECT_FALSE(Playing(1));
    EXPECT_FALSE(audio.TimerAudioFade.Enabled());
    EXPECT_EQ(audio.Channels[1].Command, 0);
    EXPECT_FALSE(audio.Channels[1].Fade);
}

// The music channel and MIDI files anywhere play in the music group, the rest in the effects
// group, whichever player serves the channel; the listener's levels then reach them in the mixer.
TEST_F(SoundChannelsTest, MusicChannelAndMidiFilesAreMusicTheRestEffects) {
    Rows(ChannelRowSource::Action,
         {Idle(), Row(0, false, true, 10, "tune.mid"), Idle(), Idle(), Idle(),
          Row(0, false, true, 10, "tone.wav"), Row(0, false, true, 10, "tone.au")});
    audio.ApplySoundChannels();
    EXPECT_EQ(ChannelPlayer(2).Group(), VoiceGroup::Music);
    EXPECT_EQ(ChannelPlayer(6).Group(), VoiceGroup::Music);
    EXPECT_EQ(ChannelPlayer(7).Group(), VoiceGroup::Effects);
    audio.StopChannel(2);
    audio.StopChannel(7);

    // Music at a quarter of its amplitude, effects off: only the music is heard, at 0.5 × 0.25.
    MixLevels levels;
    levels.Music = 0.25;
    levels.Effects = 0;
    mixer.SetLevels(levels);
    test::Render(mixer, 0.05);
    EXPECT_NEAR(test::Peak(test::Render(mixer, 0.1)), 0.125, 0.005);
    audio.PlayFileOnChannel(1, Areas("tone.wav"), true, 10);
    EXPECT_EQ(ChannelPlayer(1).Group(), VoiceGroup::Effects);
    test::Render(mixer, 0.05);
    EXPECT_NEAR(test::Peak(test::Render(mixer, 0.1)), 0.125, 0.005);

    // A cross-fade on the music channel borrows a player: the new file is music all the same.
    Rows(ChannelRowSource::Action,
         {Idle(), Idle(), Idle(), Idle(), Idle(), Row(0, true, true, 10, "short.wav")});
    audio.State.FadeDuration = 1.0;
    audio.ApplySoundChannels();
    ASSERT_NE(audio.Channels[6].FadingPlayer, 0);
    EXPECT_EQ(ChannelPlayer(6).Group(), VoiceGroup::Music);
}

TEST_F(SoundChannelsTest, AFadeHeldByThePauseGoesOnFromWhereItWas) {
    Rows(ChannelRowSource::Action, {Row(0, false, true, 10, "tone.wav")});
    audio.ApplySoundChannels();
    Rows(ChannelRowSource::Action, {Row(3, true, false, 0, "")});
    audio.State.FadeDuration = 2.0;
    audio.ApplySoundChannels();
    audio.TimerAudioFade.SetEnabled(true);
    audio.FadeTick();
    clock.Advance(0.5);
    audio.FadeTick();
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), VolumeToMediaPlayer(7.5));

    audio.HoldFade();
    EXPECT_FALSE(audio.TimerAudioFade.Enabled());
    clock.Advance(30); // paused far longer than the whole fade
    audio.ReleaseFade();
    EXPECT_TRUE(audio.TimerAudioFade.Enabled());
    audio.FadeTick();
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), VolumeToMediaPlayer(7.5));
    clock.Advance(1.0);
    audio.FadeTick();
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), VolumeToMediaPlayer(2.5));
    EXPECT_TRUE(Playing(1));
    clock.Advance(0.5);
    audio.FadeTick();
    EXPECT_FALSE(Playing(1));

    // With no fade running there is nothing to hold, and a release starts nothing.
    audio.HoldFade();
    audio.ReleaseFade();
    EXPECT_FALSE(audio.TimerAudioFade.Enabled());
}

TEST_F(SoundChannelsTest, ACrossFadeBorrowsAFreePlayerAndKeepsTheAssignmentsDistinct) {
    Rows(ChannelRowSource::Action, {Row(0, false, true, 10, "tone.wav")});
    audio.ApplySoundChannels();
    Rows(ChannelRowSource::Action, {Row(0, true, true, 8, "short.wav")});
    audio.State.FadeDuration = 1.0;
    audio.ApplySoundChannels();
    // Player 2 was the lowest free one: channel 1 now plays on it, channel 2 takes player 1.
    EXPECT_EQ(audio.Channels[1].Player, 2);
    EXPECT_EQ(audio.Channels[1].FadingPlayer, 1);
    EXPECT_EQ(audio.Channels[2].Player, 1);
    ExpectPermutation();
    EXPECT_EQ(audio.SoundPlayer(2).FileName(), Areas("short.wav"));
    EXPECT_EQ(audio.SoundPlayer(2).Volume(), -4000); // starts silent
    EXPECT_TRUE(Playing(1) && Playing(2));

    audio.TimerAudioFade.SetEnabled(true);
    audio.FadeTick();
    clock.Advance(0.5);
    audio.FadeTick();
    EXPECT_EQ(audio.SoundPlayer(2).Volume(), VolumeToMediaPlayer(4)); // half of 8, fading in
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), VolumeToMediaPlayer(5)); // half of 10, fading out
    audio.AudioFadeStep(1); // a click on a hotspot finishes the fade at once
    EXPECT_FALSE(Playing(1));
    EXPECT_TRUE(Playing(2));
    EXPECT_EQ(audio.SoundPlayer(2).Volume(), -800);
    EXPECT_EQ(audio.Channels[1].FadingPlayer, 0);
    EXPECT_FALSE(audio.TimerAudioFade.Enabled());

    audio.ResetSoundChannels();
    EXPECT_FALSE(Playing(2));
    for (int c = 1; c <= kSoundChannelCount; ++c)
        EXPECT_EQ(audio.Channels[c].Player, c);
}

TEST_F(SoundChannelsTest, ACrossFadeWithEveryPlayerBusyReplacesTheFileOnTheSamePlayer) {
    for (int c = 1; c <= kSoundChannelCount; ++c)
        audio.PlayFileOnChannel(c, Areas("tone.wav"), true, 10);
    EXPECT_EQ(audio.GetFreeMediaPlayer(), -1);
    Rows(ChannelRowSource::Action, {Row(0, false, false, 10, ""), Row(0, false, false, 10, ""),
                                    Row(0, true, false, 10, "short.wav")});
    audio.ApplySoundChannels();
    EXPECT_EQ(audio.Channels[3].Player, 3);
    EXPECT_EQ(audio.Channels[3].FadingPlayer, 0);
    EXPECT_EQ(audio.SoundPlayer(3).FileName(), Areas("short.wav"));
    EXPECT_EQ(audio.SoundPlayer(3).Volume(), -4000);
    EXPECT_TRUE(Playing(3));
    ExpectPermutation();
}

TEST_F(SoundChannelsTest, AFrameRowLosesToTheOpeningActionsRow) {
    Rows(ChannelRowSource::Action,
         {Row(0, false, false, 7, ""), Row(0, false, true, 7, "tone.wav")});
    Rows(ChannelRowSource::Frame,
         {Row(0, false, false, 5, ""), Row(0, false, false, 5, "short.wav"),
          Row(0, false, false, 5, "short.wav")});
    EXPECT_EQ(audio.Channels[2].FileName, "tone.wav");
    EXPECT_FALSE(audio.Channels[2].FromFrame);
    audio.ApplySoundChannels();
    EXPECT_EQ(ChannelPlayer(2).FileName(), Areas("tone.wav"));
    EXPECT_EQ(ChannelPlayer(2).PlayCount(), 0);
    EXPECT_EQ(ChannelPlayer(2).Volume(), -1200);
    EXPECT_EQ(ChannelPlayer(3).FileName(), Areas("short.wav"));
    EXPECT_EQ(audio.Channels[3].FileName, ""); // carried out and cleared
}

TEST_F(SoundChannelsTest, AFramesMusicAlreadyPlayingIsNotRestarted) {
    Rows(ChannelRowSource::Frame,
         {Idle(), Idle(), Idle(), Idle(), Idle(), Row(0, false, true, 7, "tone.wav")});
    audio.ApplySoundChannels();
    test::Render(mixer, 0.2);
    EXPECT_TRUE(audio.IsFilePlaying(Areas("tone.wav")));
    EXPECT_FALSE(audio.IsFilePlaying(Areas("TONE.WAV"))); // the comparison is exact
    Rows(ChannelRowSource::Frame,
         {Idle(), Idle(), Idle(), Idle(), Idle(), Row(0, false, true, 7, "tone.wav")});
    audio.ApplySoundChannels();
    EXPECT_NEAR(ChannelPlayer(6).CurrentPosition(), 0.2, 0.01);
    // The same file from an action starts again.
    Rows(ChannelRowSource::Action,
         {Idle(), Idle(), Idle(), Idle(), Idle(), Row(0, false, true, 7, "tone.wav")});
    audio.ApplySoundChannels();
    EXPECT_NEAR(ChannelPlayer(6).CurrentPosition(), 0.0, 0.01);
}

TEST_F(SoundChannelsTest, AFadeOfNoDurationFinishesOnTheSecondTick) {
    Rows(ChannelRowSource::Action, {Row(0, true, false, 8, "tone.wav")});
    audio.State.FadeDuration = 0;
    audio.ApplySoundChannels();
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), -4000);
    audio.TimerAudioFade.SetEnabled(true);
    audio.FadeTick();
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), -4000);
    EXPECT_TRUE(audio.TimerAudioFade.Enabled());
    audio.FadeTick();
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), -800);
    EXPECT_FALSE(audio.Channels[1].Fade);
    EXPECT_FALSE(audio.TimerAudioFade.Enabled());
}

TEST_F(SoundChannelsTest, MidiStopsOtherMidiButNotDigitalSound) {
    Rows(ChannelRowSource::Action,
         {Row(0, false, true, 10, "tone.wav"), Row(0, false, true, 10, "tune.mid")});
    audio.ApplySoundChannels();
    EXPECT_TRUE(Playing(1) && Playing(2));
    Rows(ChannelRowSource::Action, {Idle(), Idle(), Row(0, false, true, 10, "tune2.mid")});
    audio.ApplySoundChannels();
    EXPECT_TRUE(Playing(1));
    EXPECT_FALSE(Playing(2));
    EXPECT_TRUE(Playing(3));
    EXPECT_GT(test::Peak(test::Render(mixer, 0.3)), 0.01);
    Rows(ChannelRowSource::Action, {Idle(), Idle(), Idle(), Row(0, false, false, 10, "short.wav")});
    audio.ApplySoundChannels();
    EXPECT_TRUE(Playing(3) && Playing(4));
}

TEST_F(SoundChannelsTest, StopAnyWavOrMP3LeavesMidiAndStopsAuAndWm) {
    audio.PlayFileOnChannel(1, Areas("tone.au"), true, 10);
    audio.PlayFileOnChannel(2, Areas("tone.wm"), true, 10);
    audio.PlayFileOnChannel(3, Areas("tune.mid"), true, 10);
    audio.PlayFileOnChannel(4, Areas("tone.wav"), true, 10);
    EXPECT_EQ(audio.SoundPlayer(4).PlayCount(), 0);
    audio.StopAnyWavOrMP3();
    EXPECT_FALSE(Playing(1));
    EXPECT_FALSE(Playing(2));
    EXPECT_TRUE(Playing(3));
    EXPECT_FALSE(Playing(4));
    EXPECT_EQ(audio.SoundPlayer(1).FileName(), Areas("tone.au")); // stopped players keep their files
}

TEST_F(SoundChannelsTest, APlayerFailureShowsTheAudioWarningOnceUntilTheGameReset) {
    Rows(ChannelRowSource::Action,
         {Row(0, false, false, 10, "damaged-text.wav"), Row(0, false, false, 10, "tone.wav")});
    audio.ApplySoundChannels();
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History()[0].title, "AUDIO PROBLEM");
    EXPECT_EQ(prompts.History()[0].text.rfind("WARNING: Another program may be using", 0), 0u);
    EXPECT_NE(prompts.History()[0].text.find(
                  "restart the program.\r\n\r\nThis message will not reappear until you restart "
                  "the program."),
              std::string::npos);
    EXPECT_FALSE(Playing(2)); // the pass ended at the failing channel
    audio.ApplySoundChannels();
    EXPECT_EQ(prompts.History().size(), 1u);
    audio.State.AudioWarningShown = false; // the game reset
    audio.ApplySoundChannels();
    EXPECT_EQ(prompts.History().size(), 2u);
    audio.State.AudioWarningShown = false;
    flags.StopEverything = true;
    audio.ApplySoundChannels();
    EXPECT_EQ(prompts.History().size(), 2u);
}

// An obsolete block: 22 ignored values, then rows of (ignored, stop, play, file, loop).
FileValues OldBlock(const std::vector<FileValues>& rows) {
    FileValues values(22, FileValue(0));
    for (const FileValues& row : rows)
        values.insert(values.end(), row.begin(), row.end());
    return values;
}

TEST_F(SoundChannelsTest, AnOldBlockEndingAfterTheSecondRowPlaysTwoRows) {
    audio.PlayFileOnChannel(3, Areas("tone.wav"), true, 10);
    ValueListReader in(test::ProjectWriter::Format(
        OldBlock({{0, false, true, "tone.wav", 1}, {0, false, true, "short.wav", 0}}), "\r\n"));
    audio.PlaySoundChannels(in);
    EXPECT_TRUE(prompts.History().empty());
    EXPECT_EQ(audio.SoundPlayer(1).FileName(), Areas("tone.wav"));
    EXPECT_EQ(audio.SoundPlayer(1).PlayCount(), 0);
    EXPECT_EQ(audio.SoundPlayer(1).Volume(), -800);
    EXPECT_EQ(audio.SoundPlayer(2).PlayCount(), 1);
    EXPECT_TRUE(Playing(1) && Playing(2) && Playing(3));
    EXPECT_EQ(audio.Channels[1].FileName, ""); // pending instructions untouched

    ValueListReader stops(test::ProjectWriter::Format(OldBlock({{0, true, false, "", 0},
                                                                {0, false, false, "", 0},
                                                                {0, true, false, "", 0},
                                                                {0, false, false, "", 0},
                                                                {0, false, false, "", 0}}),
                                                      "\r\n"));
    audio.PlaySoundChannels(stops);
    EXPECT_FALSE(Playing(1));
    EXPECT_TRUE(Playing(2));
    EXPECT_FALSE(Playing(3));
}

TEST_F(SoundChannelsTest, TheHotspotSoundFileFindsItsRecordAndADamagedBlockIsReported) {
    FileValues fm5 = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    const FileValues first = OldBlock({{0, false, true, "short.wav", 0}});
    fm5.insert(fm5.end(), first.begin(), first.end());
    fm5.push_back("----- SEPARATOR -----");
    fm5.insert(fm5.end(), {0, 2, 0, 0, 0, 0, 0, 0, 0, 0});
    const FileValues second = OldBlock({{0, false, false, "", 0}, {0, false, true, "tone.wav", 1}});
    fm5.insert(fm5.end(), second.begin(), second.end());
    fm5.push_back("----- SEPARATOR -----");
    ValueListReader in(test::ProjectWriter::Format(fm5, "\r\n"));
    EXPECT_TRUE(audio.PlayHotspotSoundChannels(in, 2));
    EXPECT_FALSE(Playing(1));
    EXPECT_EQ(audio.SoundPlayer(2).FileName(), Areas("tone.wav"));
    ValueListReader again(test::ProjectWriter::Format(fm5, "\r\n"));
    EXPECT_FALSE(audio.PlayHotspotSoundChannels(again, 9));
    EXPECT_TRUE(prompts.History().empty());

    ValueListReader damaged(
        test::ProjectWriter::Format(OldBlock({{0, "not a flag", true, "tone.wav", 1}}), "\r\n"));
    audio.PlaySoundChannels(damaged);
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_NE(prompts.History()[0].text.find(" Unable to load old sound system information."),
              std::string::npos);
}

} // namespace
} // namespace quillora
