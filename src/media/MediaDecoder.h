// Reading one sound or video file with FFmpeg: demuxing, decoding, resampling and picture
// conversion.
#pragma once

#include <QImage>
#include <QSize>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;
struct SwsContext;

namespace quillora {

// One picture of a video, converted to 32-bit RGB, with its place on the file's timeline.
struct VideoFrame {
    QImage image;        // Format_RGB32, the video's coded size
    double time = 0;     // seconds from the start of the file
    double duration = 0; // seconds it stays on screen
};

// Decodes one file step by step on whatever thread calls it (the playback thread); it is not
// shared between threads, except RequestAbort. Sound comes out as interleaved stereo float at the
// rate SetOutputRate chose; pictures as VideoFrame. Opening fails with MediaError; data damaged
// further on is skipped packet by packet, and a file that cannot be read on ends as if it had
// ended there, so a damaged file never stops the game.
class MediaDecoder {
public:
    enum class Step { Audio, Video, End };

    // Opens and probes the file at `realPath` (already resolved on disk). Throws MediaError when
    // it cannot be opened, holds neither a sound nor a picture stream, or its codecs are missing.
    explicit MediaDecoder(const std::string& realPath);
    ~MediaDecoder();
    MediaDecoder(const MediaDecoder&) = delete;
    MediaDecoder& operator=(const MediaDecoder&) = delete;

    bool HasVideo() const { return m_videoStream >= 0; }
    // The picture size in pixels the video is meant to be shown at (coded size corrected by the
    // sample aspect ratio); empty without video.
    QSize NaturalSize() const { return m_naturalSize; }
    // Length in seconds as the container states it; 0 when unknown.
    double Duration() const { return m_duration; }

    // Frames per second of the sound output (44,100 divided by the playback rate). Takes effect
    // for the sound decoded next.
    void SetOutputRate(int framesPerSecond);
    int OutputRate() const { return m_outputRate; }

    // Decodes until one piece of output is ready. After Audio, AudioData/AudioFrames/AudioTime
    // describe it (valid until the next call); after Video, TakeVideo hands the picture over;
    // End: the file has nothing more (a read error counts as the end).
    Step Next();
    const float* AudioData() const { return m_audioOut.data(); }
    int AudioFrames() const { return m_audioFrames; }
    // Seconds from the start of the file of the chunk's first sample; negative when unknown.
    double AudioTime() const { return m_audioTime; }
    VideoFrame TakeVideo() { return std::move(m_video); }

    // Goes back to `seconds` from the start of the file (0 for a loop's next pass): seeks, or
    // opens the file again when it cannot seek. Decoding may resume somewhat before the place.
    // Throws MediaError when the file cannot be read again.
    void Rewind(double seconds);

    // Makes decoding give up at the next packet (from any thread): Next reports End until the
    // next Rewind.
    void RequestAbort() { m_abort = true; }

private:
    static int InterruptCallback(void* opaque);
    void Open();
    void Close();
    void OpenCodec(int stream, AVCodecContext*& context);
    // Takes a decoded frame from the decoder of `stream`; true when output is ready.
    bool Receive(AVCodecContext* context);
    bool ConvertAudio(AVFrame* frame);
    bool ConvertVideo(AVFrame* frame);
    // Converts what the resampler still holds at the end of a pass; true when there was some.
    bool FlushResampler();
    void StartDraining();

    std::string m_path;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_audio = nullptr;
    AVCodecContext* m_videoCodec = nullptr;
    AVPacket* m_packet = nullptr;
    AVFrame* m_frame = nullptr;
    SwrContext* m_resampler = nullptr;
    SwsContext* m_scaler = nullptr;
    int m_audioStream = -1;
    int m_videoStream = -1;
    double m_startTime = 0; // seconds: the container's first timestamp, the timeline's zero
    double m_duration = 0;
    double m_frameDuration = 0.04;
    QSize m_naturalSize;

    // Resampler input the current converter was set up for; a change mid-file sets it up again.
    int m_swrInRate = 0;
    int m_swrInFormat = -1;
    int m_swrInChannels = 0;
    uint64_t m_swrInMask = 0;
    int m_outputRate = 44100;
    int m_swrOutRate = 0;

    AVCodecContext* m_receiving = nullptr; // the decoder last fed, to take frames from
    bool m_draining = false;               // the file ended; decoders are being emptied
    int m_drainIndex = 0;                  // 0 audio, 1 video, 2 resampler, 3 done
    int m_failedReads = 0;

    std::vector<float> m_audioOut;
    int m_audioFrames = 0;
    double m_audioTime = -1;
    VideoFrame m_video;

    std::atomic<bool> m_abort{false};
    double m_deadline = 0; // steady seconds after which a blocking open gives up; 0 none
};

// Whether the bytes start like a standard MIDI file ("MThd") or a RIFF "RMID" file, which the
// MIDI synthesizer plays rather than FFmpeg.
bool LooksLikeMidi(const std::string& firstBytes);

} // namespace quillora
