// Sound and video calls of the game (nothing plays until the media engine is connected).
#include "gameplay/MediaCalls.h"

#include "media/SoundChannels.h"

namespace quillora {

void StopAnyWavOrMP3() {}
void StopSoundChannel(int) {}
bool IsChannelPlaying(int) {
    return false;
}
bool IsFilePlaying(const std::string&) {
    return false;
}
void PlayFileOnChannel(int, const std::string&, bool, double) {}
void PlaySoundChannels(ValueListReader&) {}

void ApplySoundChannels() {
    // Instructions are taken off the table as if carried out, so none lingers into a later frame.
    for (int c = 1; c <= kSoundChannelCount; ++c) {
        SoundChannel& channel = SoundChannels()[c];
        channel.Command = 0;
        channel.FileName.clear();
        channel.FadingPlayer = 0;
        channel.Fade = false;
    }
}

void SetFadeDuration(double) {}
void EnableTimerAudioFade() {}
void AudioFadeStep(double) {}

void ResetSoundChannels() {
    for (int c = 1; c <= kSoundChannelCount; ++c)
        SoundChannels()[c].Player = static_cast<int16_t>(c);
}

void PlayMovieWithStop(const std::string&, bool, int, int, int, int) {}
void StopOneTimeVideoPlayer() {}
bool IsOneTimeVideoPlaying() {
    return false;
}

} // namespace quillora
