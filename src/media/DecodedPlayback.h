// A run of a file that FFmpeg decodes: a playback thread fills a sound buffer and a picture queue.
#pragma once

#include "media/MediaDecoder.h"
#include "media/Playback.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quillora {

// The mixer voice of a decoded file. It carries the file's sound (silence for a silent video) and
// is the run's clock: the clock is the number of frames the mixer has taken from it, so the
// pictures keep to exactly what is heard. Before the first data is decoded the voice sounds
// silence and the clock stands still; when the decoder falls behind later, the voice sounds
// silence, the clock runs on, and the sound that arrives late is skipped to catch up.
class TimelineStream : public AudioStream {
public:
    // outputRate: buffer frames per second of the file's timeline (44,100 / playback rate).
    // offline: reads wait for the decoder instead of sounding silence (offline mixers); with
    // video, they also wait until the pictures up to the clock have been decoded.
    TimelineStream(int outputRate, bool offline, bool hasVideo);

    // Decoder side. Push blocks while the buffer is full; false when the run is being stopped.
    bool Push(const float* frames, int count);
    bool PushSilence(int64_t count);
    // The first output is ready: the clock may start.
    void MarkPrimed();
    // Nothing more will be pushed; the run ends when the clock reaches endFrame.
    void MarkDone(int64_t endFrame);
    // Wakes every wait; pushes fail from now on.
    void Abort();
    // The decoder waits for room in the picture queue: an offline read then stops waiting for
    // sound that cannot come until pictures are taken.
    void SetStalled(bool stalled);
    // The timeline frame up to which pictures have been decoded.
    void SetVideoHorizon(int64_t frame);

    // Mixer side.
    int ReadFrames(float* out, int frames) override;
    bool EndOfStream() const override { return m_ended; }

    // Frames of the timeline the mixer has taken: the clock, in units of outputRate.
    int64_t Consumed() const { return m_consumed; }
    int OutputRate() const { return m_outputRate; }

private:
    // Buffer of about 0.75 s of sound: enough to ride out a slow picture, small enough to keep
    // seven players light.
    static constexpr int64_t kCapacityFrames = 32768;
    static constexpr int kOfflineWaitMs = 5000;

    int64_t Pop(float* out, int64_t frames);

    const int m_outputRate;
    const bool m_offline;
    const bool m_hasVideo;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<float> m_ring;
    int64_t m_head = 0; // frame index of the oldest buffered frame in m_ring
    int64_t m_size = 0; // frames buffered
    int64_t m_debt = 0; // frames sounded as silence while the decoder was behind
    int64_t m_endFrame = 0;
    bool m_primed = false;
    bool m_done = false;
    bool m_aborted = false;
    bool m_stalled = false;
    int64_t m_videoHorizon = 0;
    std::atomic<int64_t> m_consumed{0};
    std::atomic<bool> m_ended{false};
};

class DecodedPlayback : public Playback {
public:
    // Starts playing: the voice joins `mixer` and the playback thread starts decoding. Takes the
    // decoder, positioned at the start of the file or at settings.StartPosition.
    DecodedPlayback(std::unique_ptr<MediaDecoder> decoder, Mixer& mixer,
                    const PlaybackSettings& settings);
    ~DecodedPlayback() override;

    void Stop() override;
    bool Finished() const override { return m_stream->EndOfStream(); }
    double Clock() const override;
    double PassLength() const override { return m_passLength; }
    bool TakeDueFrame(QImage& picture) override;
    double NextFrameDelay() const override;

    // After Stop (or once finished): gives the decoder back for the next run.
    std::unique_ptr<MediaDecoder> TakeDecoder();
    // Pictures decoded but never shown because a newer one was already due.
    int DroppedFrames() const { return m_dropped; }

private:
    struct QueuedFrame {
        QImage image;
        double time = 0; // seconds of the run's timeline
    };
    // Pictures decoded ahead of the clock; a few tenths of a second.
    static constexpr size_t kMaxQueuedFrames = 8;

    void Run();
    bool PushVideo(QueuedFrame frame);

    std::unique_ptr<MediaDecoder> m_decoder;
    Mixer& m_mixer;
    const PlaybackSettings m_settings;
    std::shared_ptr<TimelineStream> m_stream;

    mutable std::mutex m_videoMutex;
    std::condition_variable m_videoSpace;
    std::deque<QueuedFrame> m_frames;
    std::atomic<int> m_dropped{0};
    std::atomic<double> m_passLength{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace quillora
