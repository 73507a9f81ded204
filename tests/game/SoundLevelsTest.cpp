// The player's sound levels: the loudness curve and what the settings store keeps for each game.
#include "game/SoundLevels.h"
#include "TempFolder.h"
#include "services/SettingsStore.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

class SoundLevelsTest : public ::testing::Test {
protected:
    void SetUp() override { SetSettings(&settings); }
    void TearDown() override { SetSettings(nullptr); }

    test::TempFolder folder;
    SettingsStore settings{QString::fromStdString(folder.Path())};
};

TEST(SoundLevelScale, PercentagesBecomeAmplitudesOnASquareCurve) {
    EXPECT_DOUBLE_EQ(PercentToAmplitude(100), 1.0);
    EXPECT_DOUBLE_EQ(PercentToAmplitude(50), 0.25);
    EXPECT_DOUBLE_EQ(PercentToAmplitude(0), 0.0);
    EXPECT_DOUBLE_EQ(PercentToAmplitude(250), 1.0);
    EXPECT_DOUBLE_EQ(PercentToAmplitude(-5), 0.0);
    SoundLevels levels;
    levels.Master = 80;
    levels.Music = 50;
    levels.Effects = 10;
    levels.Muted = true;
    const MixLevels mix = levels.ToMix();
    EXPECT_DOUBLE_EQ(mix.Master, 0.64);
    EXPECT_DOUBLE_EQ(mix.Music, 0.25);
    EXPECT_DOUBLE_EQ(mix.Effects, 0.01);
    EXPECT_TRUE(mix.Muted);
}

TEST_F(SoundLevelsTest, EachGameKeepsItsOwnLevels) {
    EXPECT_EQ(LoadSoundLevels("Castle"), SoundLevels());
    SoundLevels castle;
    castle.Master = 70;
    castle.Music = 30;
    castle.Effects = 90;
    castle.Muted = true;
    SaveSoundLevels("Castle", castle);
    SoundLevels forest;
    forest.Music = 0;
    SaveSoundLevels("Forest", forest);
    EXPECT_EQ(LoadSoundLevels("Castle"), castle);
    EXPECT_EQ(LoadSoundLevels("Forest"), forest);
    EXPECT_EQ(LoadSoundLevels("Cave"), SoundLevels());
    // Kept on disk: a store opened afresh on the same folder reads them back.
    SettingsStore reopened{QString::fromStdString(folder.Path())};
    SetSettings(&reopened);
    EXPECT_EQ(LoadSoundLevels("Castle"), castle);
    SetSettings(&settings);
}

TEST_F(SoundLevelsTest, EditedOrDamagedValuesFallBackOrAreHeldToTheScale) {
    settings.SaveSetting("Software", "Castle", "MasterVolume", "loud");
    settings.SaveSetting("Software", "Castle", "MusicVolume", " 40 ");
    settings.SaveSetting("Software", "Castle", "EffectsVolume", "-99999999999999999999999");
    settings.SaveSetting("Software", "Castle", "Mute", "yes");
    SoundLevels levels = LoadSoundLevels("Castle");
    EXPECT_EQ(levels.Master, 100);
    EXPECT_EQ(levels.Music, 40);
    EXPECT_EQ(levels.Effects, 0);
    EXPECT_FALSE(levels.Muted);
    settings.SaveSetting("Software", "Castle", "MasterVolume", "150");
    settings.SaveSetting("Software", "Castle", "MusicVolume", "12abc");
    settings.SaveSetting("Software", "Castle", "EffectsVolume", "");
    levels = LoadSoundLevels("Castle");
    EXPECT_EQ(levels.Master, 100);
    EXPECT_EQ(levels.Music, 100);
    EXPECT_EQ(levels.Effects, 100);
}

} // namespace
} // namespace quillora
