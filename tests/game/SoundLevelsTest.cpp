// The player's sound levels as read back from a settings file the user may have edited.
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

// Keeping the levels per game is tested through the game window; here, what an edited settings
// file may hold.
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
