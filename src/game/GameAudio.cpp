// The sound players, channel instructions, fades, direct play and the obsolete channel blocks.
#include "game/GameAudio.h"

#include "core/Clock.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "game/GameSession.h"
#include "media/AudioOutput.h"
#include "media/MediaPlayer.h"
#include "project/ErrorMessages.h"
#include "project/MediaPath.h"
#include "project/ProjectPaths.h"

#include <array>
#include <cctype>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace quillora {
namespace {

constexpr const char* kAudioProblemTitle = "AUDIO PROBLEM";
constexpr const char* kAudioProblemText =
    "WARNING: Another program may be using the audio hardware resources, an audio file may be "
    "damaged, or your audio drivers may be unable to play at the same time an audio file and the "
    "audio track of a video file. Although this error can be safely ignored, it may result in "
    "some sound files not being played. It is recommended that you close all the other Windows "
    "applications that are running, and that you restart the program.\r\n\r\n"
    "This message will not reappear until you restart the program.";

std::string LowerAscii(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The name ends in "mid" (letter case aside) and is longer than four characters.
bool IsMidiName(const std::string& name) {
    return name.size() > 4 && LowerAscii(name.substr(name.size() - 3)) == "mid";
}

// The full, resolved path of a channel's file under the Areas folder; false when it is missing.
bool ResolveAreasFile(const std::string& fileName, std::string& path, bool stopEverything) {
    path = ResolveMediaPath(Paths().Areas + fileName, stopEverything);
    return PathLookup::Instance().FileExists(path);
}

// Loads and starts a file on a player for a channel: the steps every start of a channel takes.
void StartOnPlayer(MediaPlayer& player, int channel, const std::string& path, int32_t volume,
                   bool loop) {
    player.Stop();
    player.SetGroup(ChannelVoiceGroup(channel, path));
    player.SetFileName(path);
    player.SetVolume(volume);
    player.SetPlayCount(loop ? 0 : 1);
    player.Play();
}

} // namespace

VoiceGroup ChannelVoiceGroup(int channel, const std::string& path) {
    return channel == kMusicChannel || IsMidiName(path) ? VoiceGroup::Music : VoiceGroup::Effects;
}

GameAudio::GameAudio(const RunFlags& flags, Mixer* mixer) : m_flags(flags), m_mixer(mixer) {}

GameAudio::~GameAudio() = default;

void GameAudio::ShowAudioProblemOnce() {
    if (m_flags.StopEverything || State.AudioWarningShown) return;
    Prompts().MessageBox(kAudioProblemText, BoxStyle::Exclamation, kAudioProblemTitle);
    State.AudioWarningShown = true;
}

void GameAudio::PlaySoundOnChannel(int channel, const std::string& path, bool loop, double volume) {
    try {
        PlayFileOnChannel(channel, path, loop, volume);
    } catch (const std::exception&) {
        ShowAudioProblemOnce();
    }
}

bool GameAudio::IsChannelPlaying(int channel) {
    return SoundPlayer(Channels.at(channel).Player).PlayState() == MediaPlayer::kPlaying;
}

Mixer& GameAudio::OutputMixer() {
    return m_mixer ? *m_mixer : TheMixer();
}

MediaPlayer& GameAudio::SoundPlayer(int index) {
    if (index < 1 || index > kSoundChannelCount)
        throw std::out_of_range("SoundPlayer index " + std::to_string(index));
    if (!m_players[index]) {
        for (int i = 1; i <= kSoundChannelCount; ++i)
            m_players[i] = std::make_unique<MediaPlayer>(m_mixer);
    }
    return *m_players[index];
}

int32_t VolumeToMediaPlayer(double volume) {
    return static_cast<int32_t>(std::lround((volume - 10.0) * 400.0));
}

int16_t GameAudio::GetFreeMediaPlayer() {
    for (int16_t i = 1; i <= kSoundChannelCount; ++i) {
        if (SoundPlayer(i).PlayState() != MediaPlayer::kPlaying) return i;
    }
    return -1;
}

void GameAudio::StopOtherMidi(int channel) {
    if (!IsMidiName(Channels[channel].FileName)) return;
    for (int i = 1; i <= kSoundChannelCount; ++i) {
        if (IsMidiName(SoundPlayer(i).FileName())) SoundPlayer(i).Stop();
    }
}

bool GameAudio::IsFilePlaying(const std::string& path) {
    for (int i = 1; i <= kSoundChannelCount; ++i) {
        MediaPlayer& player = SoundPlayer(i);
        if (player.FileName() == path && player.PlayState() == MediaPlayer::kPlaying) return true;
    }
    return false;
}

void GameAudio::ResetSoundChannels() {
    m_fadeHeld = false;
    SoundChannelTable& channels = Channels;
    for (int i = 1; i <= kSoundChannelCount; ++i) {
        SoundPlayer(i).Stop();
        channels[i].Player = static_cast<int16_t>(i);
    }
}

void GameAudio::ApplySoundChannels() {
    SoundChannelTable& channels = Channels;
    try {
        for (int c = 1; c <= kSoundChannelCount; ++c) {
            SoundChannel& channel = channels[c];
            MediaPlayer& player = SoundPlayer(channel.Player);
            const int32_t loudness = VolumeToMediaPlayer(channel.Volume);
            std::string path;
            if (channel.Fade) {
                if (channel.FileName.empty() ||
                    !ResolveAreasFile(channel.FileName, path, m_flags.StopEverything)) {
                    // Nothing to start; a stop or volume instruction stays pending for the fade.
                    channel.FileName.clear();
                    continue;
                }
                StopOtherMidi(c);
                if (player.PlayState() == MediaPlayer::kPlaying) {
                    const int16_t free = GetFreeMediaPlayer();
                    if (free != -1) {
                        // Cross-fade: the new file starts silent on a borrowed player while the
                        // old one fades out on its own. The channel that owned the borrowed player
                        // takes this channel's old one, so no two channels share a player.
                        channel.FadingPlayer = channel.Player;
                        channel.Player = free;
                        StartOnPlayer(SoundPlayer(free), c, path, VolumeToMediaPlayer(0), channel.Loop);
                        for (int k = 1; k <= kSoundChannelCount; ++k) {
                            if (k != c && channels[k].Player == free)
                                channels[k].Player = channel.FadingPlayer;
                        }
                        continue;
                    }
                }
                // Not playing, or every player is busy: the new file replaces the old one on the
                // same player and fades in from silence.
                channel.FadingPlayer = 0;
                StartOnPlayer(player, c, path, VolumeToMediaPlayer(0), channel.Loop);
                continue;
            }
            if (channel.Command == 3) player.Stop();
            if (!channel.FileName.empty() &&
                ResolveAreasFile(channel.FileName, path, m_flags.StopEverything)) {
                // A frame's own music that already plays goes on rather than starting again.
                if (!(channel.FromFrame && IsFilePlaying(path))) {
                    StopOtherMidi(c);
                    StartOnPlayer(player, c, path, loudness, channel.Loop);
                }
            }
            if (channel.Command == 4) player.SetVolume(loudness);
            channel.Command = 0;
            channel.FileName.clear();
            channel.FadingPlayer = 0;
        }
    } catch (const std::exception&) {
        ShowAudioProblemOnce();
        return;
    }
    State.FadeStart = 0;
}

void GameAudio::AudioFadeStep(double fraction) {
    SoundChannelTable& channels = Channels;
    const bool finish = fraction >= 1;
    bool fading = false;
    for (int c = 1; c <= kSoundChannelCount; ++c) {
        SoundChannel& channel = channels[c];
        MediaPlayer& player = SoundPlayer(channel.Player);
        if (channel.Fade) {
            fading = true;
            if (finish) {
                if (channel.Command == 3) player.Stop();
                if (channel.Command == 4) player.SetVolume(VolumeToMediaPlayer(channel.Volume));
                if (!channel.FileName.empty()) {
                    player.SetVolume(VolumeToMediaPlayer(channel.Volume));
                    if (channel.FadingPlayer != 0) SoundPlayer(channel.FadingPlayer).Stop();
                }
                channel.Command = 0;
                channel.FileName.clear();
                channel.FadingPlayer = 0;
                channel.Fade = false;
            } else {
                const double x = fraction;
                if (channel.Command == 3)
                    player.SetVolume(VolumeToMediaPlayer((1 - x) * channel.StartVolume));
                if (channel.Command == 4) {
                    player.SetVolume(VolumeToMediaPlayer(
                        channel.StartVolume + x * (channel.Volume - channel.StartVolume)));
                }
                if (!channel.FileName.empty()) {
                    player.SetVolume(VolumeToMediaPlayer(x * channel.Volume));
                    if (channel.FadingPlayer != 0) {
                        SoundPlayer(channel.FadingPlayer)
                            .SetVolume(VolumeToMediaPlayer((1 - x) * channel.StartVolume));
                    }
                }
            }
        } else if (finish) {
            channel.Command = 0;
            channel.FileName.clear();
            channel.FadingPlayer = 0;
        }
    }
    if (finish || !fading) TimerAudioFade.SetEnabled(false);
}

AudioFadeTimer::AudioFadeTimer(std::function<void()> tick) : m_tick(std::move(tick)) {
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_enabled) m_tick();
    });
}

void AudioFadeTimer::SetEnabled(bool enabled) {
    m_enabled = enabled;
    if (enabled) {
        if (!m_timer.isActive()) m_timer.start();
    } else {
        m_timer.stop();
    }
}

void GameAudio::FadeTick() {
    AudioModuleState& state = State;
    const double now = TheClock().SecondsSinceMidnight();
    if (state.FadeStart == 0) {
        state.FadeStart = now;
        return;
    }
    const double elapsed = now - state.FadeStart;
    if (elapsed < 0 || elapsed >= state.FadeDuration) {
        AudioFadeStep(1);
        TimerAudioFade.SetEnabled(false);
    } else {
        AudioFadeStep(elapsed / state.FadeDuration);
    }
}

void GameAudio::HoldFade() {
    if (m_fadeHeld || !TimerAudioFade.Enabled()) return;
    m_fadeHeld = true;
    m_fadeHeldAt = TheClock().SecondsSinceMidnight();
    TimerAudioFade.SetEnabled(false);
}

void GameAudio::ReleaseFade() {
    if (!m_fadeHeld) return;
    m_fadeHeld = false;
    if (State.FadeStart != 0) {
        const double held = ElapsedSeconds(m_fadeHeldAt, TheClock().SecondsSinceMidnight());
        // 0 means "not started"; a start moved onto exactly midnight stays just after it.
        State.FadeStart = std::fmod(State.FadeStart + held, 86400.0);
        if (State.FadeStart == 0) State.FadeStart = 0.001;
    }
    TimerAudioFade.SetEnabled(true);
}

void GameAudio::PlayFileOnChannel(int channel, const std::string& path, bool loop, double volume) {
    const std::string resolved = ResolveMediaPath(path, m_flags.StopEverything);
    if (!PathLookup::Instance().FileExists(resolved)) return;
    StartOnPlayer(SoundPlayer(Channels.at(channel).Player), channel, resolved,
                  VolumeToMediaPlayer(volume), loop);
}

void GameAudio::StopChannel(int channel) {
    SoundPlayer(Channels.at(channel).Player).Stop();
}

void GameAudio::StopAnyWavOrMP3() {
    static const std::array<std::string, 11> kDigital = {"wav", "mp3", "wma", "ogg", "au", "snd",
                                                         "rmi", "mpa", "mp2", "wm",  "asf"};
    try {
        for (int i = 1; i <= kSoundChannelCount; ++i) {
            MediaPlayer& player = SoundPlayer(i);
            const std::string& name = player.FileName();
            if (name.size() <= 4 || player.PlayState() != MediaPlayer::kPlaying) continue;
            const size_t dot = name.rfind('.');
            if (dot == std::string::npos) continue;
            const std::string extension = LowerAscii(name.substr(dot + 1));
            for (const std::string& digital : kDigital) {
                if (extension == digital) player.Stop();
            }
        }
    } catch (...) {
        // Stopping sounds must never break the frame or action that asked for it.
    }
}

void GameAudio::PlaySoundChannels(ValueListReader& in) {
    try {
        for (int i = 0; i < 22; ++i)
            in.Skip();
        for (int channel = 1; channel <= 5; ++channel) {
            in.Skip();
            const bool stop = in.ReadBool();
            const bool play = in.ReadBool();
            const std::string fileName = in.ReadString();
            const bool loop = in.ReadBool(); // 0 plays once, anything else repeats
            MediaPlayer& player = SoundPlayer(Channels[channel].Player);
            if (stop) player.Stop();
            std::string path;
            if (play && !fileName.empty() &&
                ResolveAreasFile(fileName, path, m_flags.StopEverything))
                StartOnPlayer(player, channel, path, VolumeToMediaPlayer(8), loop);
            if (in.IsEndOfSection()) break;
        }
    } catch (const std::exception&) {
        if (!m_flags.StopEverything)
            ShowCommonError(" Unable to load old sound system information.");
    }
}

bool GameAudio::PlayHotspotSoundChannels(ValueListReader& fm5, int hotspotIndex) {
    try {
        while (!fm5.AtEnd()) {
            if (fm5.IsEndOfSection()) {
                if (!fm5.SkipToNextSection()) return false;
                continue;
            }
            fm5.Skip();
            const int16_t index = fm5.ReadInt16();
            if (index == hotspotIndex) {
                for (int i = 0; i < 8; ++i)
                    fm5.Skip();
                PlaySoundChannels(fm5);
                return true;
            }
            if (!fm5.SkipToNextSection()) return false;
        }
    } catch (const std::exception&) {
        if (!m_flags.StopEverything)
            ShowCommonError(" Unable to load old sound system information.");
    }
    return false;
}

} // namespace quillora
