// The player's sound levels: the loudness curve, and their keys in the settings store.
#include "game/SoundLevels.h"

#include "services/SettingsStore.h"

#include <algorithm>
#include <charconv>

namespace quillora {
namespace {

constexpr const char* kApplication = "Software";
constexpr const char* kMasterKey = "MasterVolume";
constexpr const char* kMusicKey = "MusicVolume";
constexpr const char* kEffectsKey = "EffectsVolume";
constexpr const char* kMuteKey = "Mute";

int ClampPercent(long long percent) {
    return static_cast<int>(std::clamp<long long>(percent, 0, SoundLevels::kMaxPercent));
}

// A stored percentage; the settings file is the user's to edit, so anything but a whole number
// (spaces around it aside) counts as not set.
int ReadPercent(const std::string& section, const char* key) {
    const std::string text = Settings().GetSetting(kApplication, section, key, "");
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) return SoundLevels::kMaxPercent;
    long long value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (stop != end) return SoundLevels::kMaxPercent;
    // Too large for the type: far beyond the top of the scale either way.
    if (error == std::errc::result_out_of_range)
        return text[first] == '-' ? 0 : SoundLevels::kMaxPercent;
    if (error != std::errc()) return SoundLevels::kMaxPercent;
    return ClampPercent(value);
}

} // namespace

double PercentToAmplitude(int percent) {
    const double fraction = ClampPercent(percent) / static_cast<double>(SoundLevels::kMaxPercent);
    return fraction * fraction;
}

MixLevels SoundLevels::ToMix() const {
    MixLevels mix;
    mix.Master = PercentToAmplitude(Master);
    mix.Music = PercentToAmplitude(Music);
    mix.Effects = PercentToAmplitude(Effects);
    mix.Muted = Muted;
    return mix;
}

SoundLevels LoadSoundLevels(const std::string& projectName) {
    SoundLevels levels;
    levels.Master = ReadPercent(projectName, kMasterKey);
    levels.Music = ReadPercent(projectName, kMusicKey);
    levels.Effects = ReadPercent(projectName, kEffectsKey);
    levels.Muted = Settings().GetSetting(kApplication, projectName, kMuteKey, "False") == "True";
    return levels;
}

void SaveSoundLevels(const std::string& projectName, const SoundLevels& levels) {
    SettingsStore& store = Settings();
    store.SaveSetting(kApplication, projectName, kMasterKey,
                      std::to_string(ClampPercent(levels.Master)));
    store.SaveSetting(kApplication, projectName, kMusicKey,
                      std::to_string(ClampPercent(levels.Music)));
    store.SaveSetting(kApplication, projectName, kEffectsKey,
                      std::to_string(ClampPercent(levels.Effects)));
    store.SaveSetting(kApplication, projectName, kMuteKey, levels.Muted ? "True" : "False");
}

} // namespace quillora
