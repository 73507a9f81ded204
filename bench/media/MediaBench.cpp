// Speed of the media engine: mixing, the path from a channel instruction to sound, video decoding.
//
// Figures are shares of one core: CPU seconds spent per second of sound or video played.
//   mix/*          the mixer alone summing eight voices (seven players and a video's sound)
//   players/*      seven playing WAV players and a video's sound track, decoding included
//   latency/*      a channel instruction until its first sample leaves the mixer, plus the
//                  device buffer still ahead of it
//   video/*        a 640x480, 30 frames-a-second MPEG-1 video with sound, decoded, converted
//                  and shown through a player (made with the ffmpeg tool on first use)
#include "game/GameSession.h"
#include "media/AudioOutput.h"
#include "media/MediaDecoder.h"
#include "media/MediaPlayer.h"
#include "media/Mixer.h"
#include "project/ProjectPaths.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace quillora {
namespace {

std::string Fixture(const std::string& name) {
    return std::string(QUILLORA_MEDIA_FIXTURES) + name;
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// Qt objects (the players' timers) want an application object.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "media_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

// A sound already in memory, played round and round: the mixer's own cost, no decoding.
class LoopStream : public AudioStream {
public:
    explicit LoopStream(double frequency) : m_samples(kMixRate * kMixChannels) {
        for (int i = 0; i < kMixRate; ++i) {
            const float v = static_cast<float>(0.1 * std::sin(2 * M_PI * frequency * i / kMixRate));
            m_samples[2 * i] = m_samples[2 * i + 1] = v;
        }
    }
    int ReadFrames(float* out, int frames) override {
        for (int i = 0; i < frames; ++i) {
            out[2 * i] = m_samples[2 * m_at];
            out[2 * i + 1] = m_samples[2 * m_at + 1];
            m_at = (m_at + 1) % kMixRate;
        }
        return frames;
    }
    bool EndOfStream() const override { return false; }

private:
    std::vector<float> m_samples;
    int m_at = 0;
};

// Reports CPU share of one core: `cpuSeconds` spent for `playedSeconds` of output.
void ReportShare(benchmark::State& state, double cpuSeconds, double playedSeconds) {
    state.counters["core_percent"] = 100.0 * cpuSeconds / playedSeconds;
}

void MixEightVoices(benchmark::State& state) {
    Mixer mixer;
    for (int v = 0; v < 8; ++v)
        mixer.Play(std::make_shared<LoopStream>(220.0 + 55 * v), 0.5);
    std::vector<float> buffer(AudioOutput::kDeviceBufferFrames * kMixChannels);
    const double start = ProcessCpuSeconds();
    int64_t frames = 0;
    for (auto _ : state) {
        mixer.Mix(buffer.data(), AudioOutput::kDeviceBufferFrames);
        benchmark::DoNotOptimize(buffer.data());
        frames += AudioOutput::kDeviceBufferFrames;
    }
    ReportShare(state, ProcessCpuSeconds() - start, double(frames) / kMixRate);
    state.SetItemsProcessed(frames);
}
BENCHMARK(MixEightVoices)->Name("mix/eight_voices");

void SevenPlayersAndAVideoSoundTrack(benchmark::State& state) {
    EnsureApplication();
    Mixer mixer(true);
    std::vector<std::unique_ptr<MediaPlayer>> players;
    for (int i = 0; i < 7; ++i) {
        players.push_back(std::make_unique<MediaPlayer>(&mixer));
        players.back()->SetFileName(Fixture(i % 2 ? "tone.mp3" : "tone.wav"));
        players.back()->SetPlayCount(0);
        players.back()->SetVolume(-1200);
    }
    // The video's picture is decoded too but not shown: only its sound matters here.
    players.push_back(std::make_unique<MediaPlayer>(&mixer));
    players.back()->SetFileName(Fixture("clip-mpeg1.mpg"));
    players.back()->SetPlayCount(0);
    for (auto& player : players)
        player->Play();
    std::vector<float> buffer(AudioOutput::kDeviceBufferFrames * kMixChannels);
    const double start = ProcessCpuSeconds();
    int64_t frames = 0;
    for (auto _ : state) {
        mixer.Mix(buffer.data(), AudioOutput::kDeviceBufferFrames);
        frames += AudioOutput::kDeviceBufferFrames;
    }
    ReportShare(state, ProcessCpuSeconds() - start, double(frames) / kMixRate);
    state.SetItemsProcessed(frames);
}
BENCHMARK(SevenPlayersAndAVideoSoundTrack)->Name("players/seven_wav_mp3_and_video_sound");

// A device stand-in: pulls the mixer one device buffer at a time at the pace of the clock, and
// notes when the first audible sample comes out.
class PacedDevice {
public:
    explicit PacedDevice(Mixer& mixer) : m_mixer(mixer), m_thread([this] { Run(); }) {}
    ~PacedDevice() {
        m_stop = true;
        m_thread.join();
    }
    // Steady-clock seconds of the buffer that first held sound; 0 before.
    double FirstSound() const { return m_firstSound; }

private:
    void Run() {
        using Clock = std::chrono::steady_clock;
        std::vector<float> buffer(AudioOutput::kDeviceBufferFrames * kMixChannels);
        const auto period =
            std::chrono::microseconds(1000000LL * AudioOutput::kDeviceBufferFrames / kMixRate);
        auto next = Clock::now();
        while (!m_stop) {
            m_mixer.Mix(buffer.data(), AudioOutput::kDeviceBufferFrames);
            for (float s : buffer) {
                if (m_firstSound == 0 && std::fabs(s) > 1e-4f) {
                    m_firstSound =
                        std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
                    break;
                }
            }
            next += period;
            std::this_thread::sleep_until(next);
        }
    }

    Mixer& m_mixer;
    std::atomic<bool> m_stop{false};
    std::atomic<double> m_firstSound{0};
    std::thread m_thread;
};

void ChannelInstructionToSound(benchmark::State& state) {
    EnsureApplication();
    const std::string root = std::filesystem::temp_directory_path() / "quillora-latency-bench";
    std::filesystem::create_directories(root + "/Areas");
    std::filesystem::copy_file(Fixture("tone.wav"), root + "/Areas/tone.wav",
                               std::filesystem::copy_options::overwrite_existing);
    SetProjectRoot(root);
    double worst = 0, total = 0;
    int runs = 0;
    for (auto _ : state) {
        Mixer mixer;
        auto session = std::make_unique<GameSession>(&mixer);
        GameAudio& audio = session->Audio;
        audio.ResetSoundChannels();
        PacedDevice device(mixer);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        const double start =
            std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
        SoundChannel& channel = audio.Channels[1];
        channel.FileName = "tone.wav";
        channel.Volume = 10;
        channel.Command = 0;
        channel.Fade = false;
        audio.ApplySoundChannels();
        while (device.FirstSound() == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        // The first sound still has the rest of a device buffer ahead of it when it leaves the
        // mixer: count one whole buffer.
        const double latency =
            device.FirstSound() - start + double(AudioOutput::kDeviceBufferFrames) / kMixRate;
        state.SetIterationTime(latency);
        worst = std::max(worst, latency);
        total += latency;
        ++runs;
        session.reset(); // the players go before the mixer they play into
    }
    state.counters["mean_ms"] = 1000 * total / std::max(runs, 1);
    state.counters["worst_ms"] = 1000 * worst;
}
BENCHMARK(ChannelInstructionToSound)
    ->Name("latency/channel_instruction_to_sound")
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// The 640x480 test video, made once with the ffmpeg tool: 5 s, 30 frames a second, MPEG-1 at
// 4 Mbit/s with MPEG audio, as the era's cut-scenes were; moving noise over the test pattern so
// that every picture costs what filmed pictures cost.
std::string LargeVideo() {
    const std::string path =
        std::filesystem::temp_directory_path() / "quillora-bench-640x480-30-noisy.mpg";
    if (!std::filesystem::exists(path)) {
        const std::string command =
            "ffmpeg -hide_banner -loglevel error -nostdin -y -f lavfi -i "
            "testsrc2=size=640x480:rate=30:duration=5,noise=alls=30:allf=t+u "
            "-f lavfi -i sine=frequency=441:duration=5 "
            "-c:v mpeg1video -b:v 4000k -c:a mp2 -b:a 128k -f mpeg " +
            path;
        if (std::system(command.c_str()) != 0) return "";
    }
    return path;
}

void DecodeAndConvert640x480(benchmark::State& state) {
    const std::string path = LargeVideo();
    if (path.empty()) {
        state.SkipWithError("the ffmpeg tool is needed to make the 640x480 video");
        return;
    }
    const double start = ProcessCpuSeconds();
    double played = 0;
    int pictures = 0;
    for (auto _ : state) {
        MediaDecoder decoder(path);
        while (decoder.Next() != MediaDecoder::Step::End) {
            if (decoder.HasVideo()) {
                VideoFrame frame = decoder.TakeVideo();
                if (!frame.image.isNull()) ++pictures;
            }
        }
        played += 5.0;
    }
    ReportShare(state, ProcessCpuSeconds() - start, played);
    state.counters["pictures"] = pictures;
}
BENCHMARK(DecodeAndConvert640x480)
    ->Name("video/640x480_30fps_decode_convert")
    ->Unit(benchmark::kMillisecond);

// The same video through a player, shown in 10 ms steps as the window thread would.
void Play640x480(benchmark::State& state) {
    EnsureApplication();
    const std::string path = LargeVideo();
    if (path.empty()) {
        state.SkipWithError("the ffmpeg tool is needed to make the 640x480 video");
        return;
    }
    const double start = ProcessCpuSeconds();
    double played = 0;
    int shown = 0, dropped = 0;
    for (auto _ : state) {
        Mixer mixer(true);
        MediaPlayer player(&mixer);
        QObject::connect(&player, &MediaPlayer::FrameChanged, [&] { ++shown; });
        player.SetFileName(path);
        player.Play();
        std::vector<float> buffer(441 * kMixChannels);
        while (player.PlayState() == MediaPlayer::kPlaying) {
            mixer.Mix(buffer.data(), 441);
            player.ShowDueFrame();
            played += 0.01;
        }
        dropped += player.DroppedFrames();
    }
    ReportShare(state, ProcessCpuSeconds() - start, played);
    state.counters["shown"] = shown;
    state.counters["dropped"] = dropped;
}
BENCHMARK(Play640x480)->Name("video/640x480_30fps_player")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quillora
