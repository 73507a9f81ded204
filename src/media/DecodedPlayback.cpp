// The playback thread of a decoded file, its sound buffer with the clock, and its picture queue.
#include "media/DecodedPlayback.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace quillora {

TimelineStream::TimelineStream(int outputRate, bool offline, bool hasVideo)
    : m_outputRate(outputRate), m_offline(offline), m_hasVideo(hasVideo),
      m_ring(kCapacityFrames * kMixChannels) {}

bool TimelineStream::Push(const float* frames, int count) {
    while (count > 0) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_aborted || m_size < kCapacityFrames; });
        if (m_aborted) return false;
        const int64_t tail = (m_head + m_size) % kCapacityFrames;
        const int64_t room = std::min(kCapacityFrames - m_size, kCapacityFrames - tail);
        const int64_t n = std::min<int64_t>(room, count);
        float* target = m_ring.data() + tail * kMixChannels;
        if (frames) {
            std::memcpy(target, frames, sizeof(float) * kMixChannels * n);
            frames += n * kMixChannels;
        } else {
            std::memset(target, 0, sizeof(float) * kMixChannels * n);
        }
        m_size += n;
        count -= static_cast<int>(n);
        lock.unlock();
        m_changed.notify_all();
    }
    return true;
}

bool TimelineStream::PushSilence(int64_t count) {
    while (count > 0) {
        const int n = static_cast<int>(std::min<int64_t>(count, 4096));
        if (!Push(nullptr, n)) return false;
        count -= n;
    }
    return true;
}

void TimelineStream::MarkPrimed() {
    {
        std::lock_guard lock(m_mutex);
        if (m_primed) return;
        m_primed = true;
    }
    m_changed.notify_all();
}

void TimelineStream::MarkDone(int64_t endFrame) {
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
        m_primed = true;
        m_endFrame = endFrame;
    }
    m_changed.notify_all();
}

void TimelineStream::SetStalled(bool stalled) {
    {
        std::lock_guard lock(m_mutex);
        m_stalled = stalled;
    }
    m_changed.notify_all();
}

void TimelineStream::SetVideoHorizon(int64_t frame) {
    {
        std::lock_guard lock(m_mutex);
        m_videoHorizon = std::max(m_videoHorizon, frame);
    }
    m_changed.notify_all();
}

void TimelineStream::Abort() {
    {
        std::lock_guard lock(m_mutex);
        m_aborted = true;
    }
    m_changed.notify_all();
}

int64_t TimelineStream::Pop(float* out, int64_t frames) {
    int64_t taken = 0;
    while (taken < frames && m_size > 0) {
        const int64_t n = std::min({frames - taken, m_size, kCapacityFrames - m_head});
        if (out) {
            std::memcpy(out + taken * kMixChannels, m_ring.data() + m_head * kMixChannels,
                        sizeof(float) * kMixChannels * n);
        }
        m_head = (m_head + n) % kCapacityFrames;
        m_size -= n;
        taken += n;
    }
    return taken;
}

int TimelineStream::ReadFrames(float* out, int frames) {
    std::unique_lock lock(m_mutex);
    if (m_ended) return 0;
    const auto timeout = std::chrono::milliseconds(kOfflineWaitMs);
    if (!m_primed && m_offline)
        m_changed.wait_for(lock, timeout, [&] { return m_primed || m_aborted; });
    if (!m_primed) {
        // Still decoding the first data: silence, and the clock waits.
        std::memset(out, 0, sizeof(float) * kMixChannels * frames);
        return frames;
    }
    if (m_offline) {
        // Waits for the sound of the whole read (or a full buffer), unless the decoder cannot
        // give it before pictures are taken; and for the pictures up to the end of the read.
        const int64_t until = m_consumed + frames;
        m_changed.wait_for(lock, timeout, [&] {
            if (m_done || m_aborted) return true;
            const bool sound = m_stalled || m_size >= frames + m_debt || m_size == kCapacityFrames;
            return sound && (!m_hasVideo || m_videoHorizon >= until);
        });
    }
    // Sound that should have played while the decoder was behind is skipped, so the sound stays
    // with the clock.
    m_debt -= Pop(nullptr, std::min(m_debt, m_size));
    int64_t wanted = frames;
    const int64_t consumed = m_consumed;
    if (m_done) wanted = std::clamp<int64_t>(m_endFrame - consumed, 0, frames);
    const int64_t got = Pop(out, wanted);
    if (got < wanted) {
        std::memset(out + got * kMixChannels, 0, sizeof(float) * kMixChannels * (wanted - got));
        if (!m_done) m_debt += wanted - got;
    }
    m_consumed = consumed + wanted;
    if (m_done && m_consumed >= m_endFrame) m_ended = true;
    lock.unlock();
    m_changed.notify_all();
    return static_cast<int>(wanted);
}

DecodedPlayback::DecodedPlayback(std::unique_ptr<MediaDecoder> decoder, Mixer& mixer,
                                 const PlaybackSettings& settings)
    : m_decoder(std::move(decoder)), m_mixer(mixer), m_settings(settings) {
    const int outputRate = std::max(1000, static_cast<int>(std::lround(kMixRate / settings.Rate)));
    m_decoder->SetOutputRate(outputRate);
    m_stream = std::make_shared<TimelineStream>(outputRate, mixer.Offline(), m_decoder->HasVideo());
    m_voice = m_mixer.Play(m_stream, settings.Gain, settings.Group);
    m_thread = std::thread([this] { Run(); });
}

DecodedPlayback::~DecodedPlayback() {
    Stop();
}

void DecodedPlayback::Stop() {
    m_stop = true;
    if (m_decoder) m_decoder->RequestAbort();
    m_stream->Abort();
    m_videoSpace.notify_all();
    m_mixer.Stop(m_voice);
    if (m_thread.joinable()) m_thread.join();
}

std::unique_ptr<MediaDecoder> DecodedPlayback::TakeDecoder() {
    Stop();
    return std::move(m_decoder);
}

double DecodedPlayback::Clock() const {
    return static_cast<double>(m_stream->Consumed()) / m_stream->OutputRate();
}

bool DecodedPlayback::TakeDueFrame(QImage& picture) {
    bool taken = false;
    {
        std::lock_guard lock(m_videoMutex);
        const double clock = Clock();
        while (!m_frames.empty() && m_frames.front().time <= clock) {
            if (taken) ++m_dropped;
            picture = std::move(m_frames.front().image);
            m_frames.pop_front();
            taken = true;
        }
    }
    if (taken) m_videoSpace.notify_all();
    return taken;
}

double DecodedPlayback::NextFrameDelay() const {
    std::lock_guard lock(m_videoMutex);
    if (m_frames.empty()) return -1;
    return std::max(0.0, (m_frames.front().time - Clock()) / m_settings.Rate);
}

bool DecodedPlayback::PushVideo(QueuedFrame frame) {
    std::unique_lock lock(m_videoMutex);
    while (m_frames.size() >= kMaxQueuedFrames && !m_stop) {
        // Overdue pictures mean nobody is taking them (the window thread is busy, or an offline
        // run is not showing them): drop the oldest rather than hold up the sound.
        if (m_frames[1].time <= Clock()) {
            m_frames.pop_front();
            ++m_dropped;
            continue;
        }
        m_stream->SetStalled(true);
        m_videoSpace.wait_for(lock, std::chrono::milliseconds(20));
    }
    m_stream->SetStalled(false);
    if (m_stop) return false;
    m_frames.push_back(std::move(frame));
    return true;
}

void DecodedPlayback::Run() {
    MediaDecoder& decoder = *m_decoder;
    const int rate = m_stream->OutputRate();
    const double start = m_settings.StartPosition;
    // A gap in the sound shorter than this is rounding, not silence to fill.
    const int64_t tolerance = rate / 1000 + 1;
    double passOffset = 0; // timeline seconds at which the current pass started
    double passLength = 0;
    int64_t written = 0; // buffer frames pushed, silence included
    int passes = 0;
    try {
        for (;;) {
            bool firstAudio = true;
            double audioPos = 0; // seconds into the pass of the next sound frame
            double audioEnd = 0, videoEnd = 0, lastVideo = -1;
            int outputs = 0;
            for (;;) {
                const MediaDecoder::Step step = decoder.Next();
                if (m_stop || step == MediaDecoder::Step::End) break;
                ++outputs;
                if (step == MediaDecoder::Step::Audio) {
                    const int count = decoder.AudioFrames();
                    if (firstAudio) {
                        audioPos = std::max(0.0, decoder.AudioTime());
                        firstAudio = false;
                    }
                    int64_t at = std::llround((passOffset + audioPos - start) * rate);
                    audioPos += static_cast<double>(count) / rate;
                    audioEnd = std::max(audioEnd, audioPos);
                    const float* data = decoder.AudioData();
                    int64_t n = count;
                    if (at < 0) { // before the start position
                        const int64_t skip = std::min<int64_t>(-at, n);
                        data += skip * kMixChannels;
                        n -= skip;
                        at += skip;
                    }
                    if (n == 0) continue;
                    if (at > written + tolerance) {
                        if (!m_stream->PushSilence(at - written)) break;
                        written = at;
                    }
                    if (!m_stream->Push(data, static_cast<int>(n))) break;
                    written += n;
                    m_stream->MarkPrimed();
                } else {
                    VideoFrame frame = decoder.TakeVideo();
                    if (frame.time < 0) frame.time = lastVideo < 0 ? 0 : lastVideo + frame.duration;
                    lastVideo = frame.time;
                    videoEnd = std::max(videoEnd, frame.time + frame.duration);
                    const double at = passOffset + frame.time - start;
                    if (at + frame.duration <= 0) continue; // before the start position
                    if (!PushVideo({std::move(frame.image), std::max(0.0, at)})) break;
                    m_stream->SetVideoHorizon(std::llround((at + frame.duration) * rate));
                    m_stream->MarkPrimed();
                }
            }
            if (m_stop) break;
            passLength = std::max(audioEnd, videoEnd);
            if (++passes == 1) m_passLength = passLength;
            const bool again = (m_settings.PlayCount <= 0 || passes < m_settings.PlayCount) &&
                               outputs > 0 && passLength > 0.001;
            if (!again) break;
            // The next pass follows the last without a gap: its timeline begins where this one's
            // longest stream ended.
            decoder.Rewind(0);
            passOffset += passLength;
        }
    } catch (const std::exception&) {
        // Data that cannot be read on (or a file that vanished between passes) ends the run as
        // if the file had ended here.
    }
    const auto end = std::llround((passOffset + passLength - start) * rate);
    m_stream->MarkDone(std::max<int64_t>(written, end));
}

} // namespace quillora
