// The sound and video calls that opening a frame and clicking a hotspot make. The media engine
// is not connected to the game yet: these keep the calls in their places and play nothing.
#pragma once

#include <string>

namespace quillora {

class ValueListReader;

void StopAnyWavOrMP3();
void StopSoundChannel(int channel);
// Whether the player serving a channel is playing.
bool IsChannelPlaying(int channel);
bool IsFilePlaying(const std::string& path);
void PlayFileOnChannel(int channel, const std::string& path, bool loop, double volume);
void PlaySoundChannels(ValueListReader& in);
void ApplySoundChannels();
void SetFadeDuration(double seconds);
void EnableTimerAudioFade();
void AudioFadeStep(double fraction);
void ResetSoundChannels();

void PlayMovieWithStop(const std::string& file, bool stretched, int left, int top, int width,
                       int height);
void StopOneTimeVideoPlayer();
bool IsOneTimeVideoPlaying();

} // namespace quillora
