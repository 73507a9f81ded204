// FFmpeg demuxing and decoding of one file, with libswresample for sound and libswscale for
// pictures.
#include "media/MediaDecoder.h"

#include "media/AudioStream.h"
#include "media/MediaError.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <chrono>
#include <cmath>
#include <mutex>

namespace quillora {
namespace {

// A blocking open or probe that takes longer than this is given up: a file on a dead CD or a
// pathological header must not freeze the game.
constexpr double kOpenTimeoutSeconds = 10.0;
// Reads that fail in a row before the file is taken to have ended.
constexpr int kMaxFailedReads = 8;
// Limits that keep a damaged header from asking for gigabytes: no game of the era has pictures
// near this size or sound outside these rates.
constexpr int kMaxPictureSide = 4096;
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 384000;

double SteadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// FFmpeg's own messages about damaged data would flood the terminal of a game that plays on
// regardless; its failures reach the player through return codes.
void QuietFFmpegLog() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_FATAL); });
}

double Seconds(int64_t timestamp, AVRational timeBase) {
    return timestamp == AV_NOPTS_VALUE ? -1.0 : timestamp * av_q2d(timeBase);
}

} // namespace

MediaDecoder::MediaDecoder(const std::string& realPath) : m_path(realPath) {
    QuietFFmpegLog();
    Open();
}

MediaDecoder::~MediaDecoder() {
    Close();
}

int MediaDecoder::InterruptCallback(void* opaque) {
    // Only the open has a deadline: reads of a playing file are not interrupted, so that a
    // stopped run leaves the demuxer in a state a seek can resume from.
    auto* self = static_cast<MediaDecoder*>(opaque);
    return self->m_deadline > 0 && SteadySeconds() > self->m_deadline ? 1 : 0;
}

void MediaDecoder::Open() {
    m_format = avformat_alloc_context();
    if (!m_format) throw MediaError("Not enough memory to open the media file.");
    m_format->interrupt_callback.callback = &MediaDecoder::InterruptCallback;
    m_format->interrupt_callback.opaque = this;
    m_deadline = SteadySeconds() + kOpenTimeoutSeconds;
    int result = avformat_open_input(&m_format, m_path.c_str(), nullptr, nullptr);
    if (result < 0) {
        m_format = nullptr; // freed by avformat_open_input on failure
        m_deadline = 0;
        throw MediaError("The file is damaged or is not a sound or video file (" +
                         ErrorText(result) + ").");
    }
    result = avformat_find_stream_info(m_format, nullptr);
    m_deadline = 0;
    if (result < 0) {
        Close();
        throw MediaError("The file is damaged: its streams cannot be read (" + ErrorText(result) +
                         ").");
    }
    m_startTime = m_format->start_time != AV_NOPTS_VALUE
                      ? static_cast<double>(m_format->start_time) / AV_TIME_BASE
                      : 0.0;
    m_duration =
        m_format->duration > 0 ? static_cast<double>(m_format->duration) / AV_TIME_BASE : 0.0;

    const int audio = av_find_best_stream(m_format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    int video = av_find_best_stream(m_format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    // Cover art inside a sound file is a still picture, not a video to show.
    if (video >= 0 && (m_format->streams[video]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        video = -1;
    std::string unsupported;
    if (audio >= 0) {
        try {
            OpenCodec(audio, m_audio);
            m_audioStream = audio;
        } catch (const MediaError& e) {
            unsupported = e.what();
        }
    }
    if (video >= 0) {
        try {
            OpenCodec(video, m_videoCodec);
            m_videoStream = video;
        } catch (const MediaError& e) {
            unsupported = e.what();
        }
    }
    if (m_audioStream < 0 && m_videoStream < 0) {
        Close();
        throw MediaError(unsupported.empty() ? "The file holds no sound or picture to play."
                                             : unsupported);
    }
    if (m_videoStream >= 0) {
        AVStream* stream = m_format->streams[m_videoStream];
        int width = m_videoCodec->width;
        const int height = m_videoCodec->height;
        const AVRational aspect = av_guess_sample_aspect_ratio(m_format, stream, nullptr);
        if (aspect.num > 0 && aspect.den > 0 && aspect.num != aspect.den)
            width = static_cast<int>(std::lround(width * av_q2d(aspect)));
        m_naturalSize = QSize(width, height);
        const AVRational rate = av_guess_frame_rate(m_format, stream, nullptr);
        if (rate.num > 0 && rate.den > 0) m_frameDuration = av_q2d(av_inv_q(rate));
        if (width <= 0 || height <= 0) {
            Close();
            throw MediaError("The video's picture size cannot be read.");
        }
        if (width > kMaxPictureSide || height > kMaxPictureSide) {
            Close();
            throw MediaError("The video's pictures are too large to show (" +
                             std::to_string(width) + " x " + std::to_string(height) + ").");
        }
    }
    m_packet = av_packet_alloc();
    m_frame = av_frame_alloc();
    if (!m_packet || !m_frame) {
        Close();
        throw MediaError("Not enough memory to open the media file.");
    }
}

void MediaDecoder::OpenCodec(int stream, AVCodecContext*& context) {
    AVCodecParameters* parameters = m_format->streams[stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    if (!codec) {
        throw MediaError(std::string("The file uses a format that cannot be played (") +
                         avcodec_get_name(parameters->codec_id) + ").");
    }
    context = avcodec_alloc_context3(codec);
    if (!context) throw MediaError("Not enough memory to open the media file.");
    int result = avcodec_parameters_to_context(context, parameters);
    if (result >= 0) {
        context->pkt_timebase = m_format->streams[stream]->time_base;
        // One thread a decoder: the playback thread already runs beside the game, and frame
        // threads would add a picture of delay for nothing at these sizes.
        context->thread_count = 1;
        result = avcodec_open2(context, codec, nullptr);
    }
    if (result < 0) {
        avcodec_free_context(&context);
        throw MediaError(std::string("The file's ") + avcodec_get_name(parameters->codec_id) +
                         " data cannot be decoded (" + ErrorText(result) + ").");
    }
}

void MediaDecoder::Close() {
    avcodec_free_context(&m_audio);
    avcodec_free_context(&m_videoCodec);
    if (m_format) avformat_close_input(&m_format);
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
    swr_free(&m_resampler);
    sws_freeContext(m_scaler);
    m_scaler = nullptr;
    m_swrInRate = 0;
    m_swrInFormat = -1;
    m_swrInChannels = 0;
    m_swrInMask = 0;
    m_swrOutRate = 0;
    m_audioStream = m_videoStream = -1;
    m_receiving = nullptr;
    m_draining = false;
    m_drainIndex = 0;
}

void MediaDecoder::SetOutputRate(int framesPerSecond) {
    m_outputRate = std::max(1000, framesPerSecond);
}

MediaDecoder::Step MediaDecoder::Next() {
    m_audioFrames = 0;
    for (;;) {
        if (m_abort) return Step::End;
        if (m_receiving) {
            const bool isAudio = m_receiving == m_audio;
            if (Receive(m_receiving)) return isAudio ? Step::Audio : Step::Video;
            if (!m_draining) continue; // the decoder wants more data: read the next packet
        }
        if (m_draining) {
            // Empties the decoders one after the other, then the resampler.
            if (m_drainIndex == 0) {
                m_drainIndex = 1;
                if (m_audio) {
                    avcodec_send_packet(m_audio, nullptr);
                    m_receiving = m_audio;
                    continue;
                }
            }
            if (m_drainIndex == 1) {
                m_drainIndex = 2;
                if (m_videoCodec) {
                    avcodec_send_packet(m_videoCodec, nullptr);
                    m_receiving = m_videoCodec;
                    continue;
                }
            }
            if (m_drainIndex == 2) {
                m_drainIndex = 3;
                if (FlushResampler()) return Step::Audio;
            }
            return Step::End;
        }
        const int result = av_read_frame(m_format, m_packet);
        if (result < 0) {
            // The end of the file, or data that cannot be read further: what came so far plays.
            // A read that fails while data is left is tried again a few times.
            const bool dataLeft =
                result == AVERROR(EAGAIN) ||
                (result != AVERROR_EOF && m_format->pb && !avio_feof(m_format->pb));
            if (dataLeft && ++m_failedReads < kMaxFailedReads && !m_abort) continue;
            StartDraining();
            continue;
        }
        m_failedReads = 0;
        AVCodecContext* target = nullptr;
        if (m_packet->stream_index == m_audioStream) target = m_audio;
        if (m_packet->stream_index == m_videoStream) target = m_videoCodec;
        // A packet the codec refuses is damaged data: it is skipped.
        if (target && avcodec_send_packet(target, m_packet) >= 0) m_receiving = target;
        av_packet_unref(m_packet);
    }
}

void MediaDecoder::StartDraining() {
    m_draining = true;
    m_drainIndex = 0;
    m_receiving = nullptr;
}

bool MediaDecoder::Receive(AVCodecContext* context) {
    for (;;) {
        const int result = avcodec_receive_frame(context, m_frame);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            m_receiving = nullptr;
            return false;
        }
        if (result < 0) {
            m_receiving = nullptr;
            return false;
        }
        const bool ready = context == m_audio ? ConvertAudio(m_frame) : ConvertVideo(m_frame);
        av_frame_unref(m_frame);
        if (ready) return true;
    }
}

bool MediaDecoder::ConvertAudio(AVFrame* frame) {
    if (frame->nb_samples <= 0 || frame->sample_rate < kMinSampleRate ||
        frame->sample_rate > kMaxSampleRate) {
        return false;
    }
    AVChannelLayout inLayout{};
    if (frame->ch_layout.nb_channels > 0 && frame->ch_layout.order != AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_copy(&inLayout, &frame->ch_layout);
    } else {
        av_channel_layout_default(&inLayout, std::max(1, frame->ch_layout.nb_channels));
    }
    const uint64_t mask = inLayout.order == AV_CHANNEL_ORDER_NATIVE ? inLayout.u.mask : 0;
    if (!m_resampler || frame->sample_rate != m_swrInRate || frame->format != m_swrInFormat ||
        inLayout.nb_channels != m_swrInChannels || mask != m_swrInMask ||
        m_outputRate != m_swrOutRate) {
        swr_free(&m_resampler);
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        int result = swr_alloc_set_opts2(&m_resampler, &stereo, AV_SAMPLE_FMT_FLT, m_outputRate,
                                         &inLayout, static_cast<AVSampleFormat>(frame->format),
                                         frame->sample_rate, 0, nullptr);
        // A mono sound plays at its full level on both sides, as a player of its time did,
        // rather than at the -3 dB a centre speaker gets when folded into stereo.
        if (result >= 0 && inLayout.nb_channels == 1) {
            const double bothSides[2] = {1.0, 1.0};
            result = swr_set_matrix(m_resampler, bothSides, 1);
        }
        if (result >= 0) result = swr_init(m_resampler);
        if (result < 0) {
            swr_free(&m_resampler);
            av_channel_layout_uninit(&inLayout);
            return false;
        }
        m_swrInRate = frame->sample_rate;
        m_swrInFormat = frame->format;
        m_swrInChannels = inLayout.nb_channels;
        m_swrInMask = mask;
        m_swrOutRate = m_outputRate;
    }
    av_channel_layout_uninit(&inLayout);
    const int capacity = swr_get_out_samples(m_resampler, frame->nb_samples);
    if (capacity <= 0) return false;
    m_audioOut.resize(static_cast<size_t>(capacity) * kMixChannels);
    uint8_t* out[] = {reinterpret_cast<uint8_t*>(m_audioOut.data())};
    const int converted =
        swr_convert(m_resampler, out, capacity, const_cast<const uint8_t**>(frame->extended_data),
                    frame->nb_samples);
    if (converted <= 0) return false;
    m_audioFrames = converted;
    const double time = Seconds(frame->best_effort_timestamp, m_audio->pkt_timebase);
    m_audioTime = time < 0 ? -1.0 : std::max(0.0, time - m_startTime);
    return true;
}

bool MediaDecoder::FlushResampler() {
    if (!m_resampler) return false;
    const int capacity = swr_get_out_samples(m_resampler, 0);
    if (capacity <= 0) return false;
    m_audioOut.resize(static_cast<size_t>(capacity) * kMixChannels);
    uint8_t* out[] = {reinterpret_cast<uint8_t*>(m_audioOut.data())};
    const int converted = swr_convert(m_resampler, out, capacity, nullptr, 0);
    if (converted <= 0) return false;
    m_audioFrames = converted;
    m_audioTime = -1;
    return true;
}

bool MediaDecoder::ConvertVideo(AVFrame* frame) {
    if (frame->width <= 0 || frame->height <= 0 || frame->format < 0 ||
        frame->width > kMaxPictureSide || frame->height > kMaxPictureSide) {
        return false;
    }
    m_scaler = sws_getCachedContext(
        m_scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
        frame->width, frame->height, AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!m_scaler) {
        return false;
    }
    // AV_PIX_FMT_RGB32 is 0xAARRGGBB in native byte order, the layout of QImage's RGB32.
    QImage image(frame->width, frame->height, QImage::Format_RGB32);
    if (image.isNull()) return false;
    uint8_t* planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    int strides[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
    if (sws_scale(m_scaler, frame->data, frame->linesize, 0, frame->height, planes, strides) <= 0)
        return false;
    m_video.image = std::move(image);
    const double time = Seconds(frame->best_effort_timestamp, m_videoCodec->pkt_timebase);
    m_video.time = time < 0 ? -1.0 : std::max(0.0, time - m_startTime);
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(57, 30, 100)
    const int64_t duration = frame->duration;
#else
    const int64_t duration = frame->pkt_duration;
#endif
    const double seconds = duration > 0 ? duration * av_q2d(m_videoCodec->pkt_timebase) : 0.0;
    m_video.duration = seconds > 0 ? seconds : m_frameDuration;
    return true;
}

void MediaDecoder::Rewind(double seconds) {
    m_abort = false;
    const auto target = static_cast<int64_t>((m_startTime + std::max(0.0, seconds)) * AV_TIME_BASE);
    int result = avformat_seek_file(m_format, -1, INT64_MIN, target, target, 0);
    if (result < 0) result = av_seek_frame(m_format, -1, target, AVSEEK_FLAG_BACKWARD);
    if (result < 0) {
        // Some streams cannot seek: reading them from the top again serves the same.
        Close();
        Open();
        return;
    }
    if (m_audio) avcodec_flush_buffers(m_audio);
    if (m_videoCodec) avcodec_flush_buffers(m_videoCodec);
    // What the resampler held was given out when the pass ended; a fresh converter starts the
    // next pass without a stale tail.
    swr_free(&m_resampler);
    m_swrInRate = 0;
    m_receiving = nullptr;
    m_draining = false;
    m_drainIndex = 0;
    m_failedReads = 0;
}

bool LooksLikeMidi(const std::string& firstBytes) {
    if (firstBytes.compare(0, 4, "MThd") == 0) return true;
    return firstBytes.size() >= 12 && firstBytes.compare(0, 4, "RIFF") == 0 &&
           firstBytes.compare(8, 4, "RMID") == 0;
}

} // namespace quillora
