// The media player's members: loading, the run of a file, volume, position and pictures.
#include "media/MediaPlayer.h"

#include "core/FileAccess.h"
#include "core/PathLookup.h"
#include "media/AudioOutput.h"
#include "media/DecodedPlayback.h"
#include "media/MediaDecoder.h"
#include "media/MediaError.h"
#include "media/MidiPlayback.h"

#include <algorithm>
#include <cmath>

namespace quillora {
namespace {

// MIDI files are small; anything larger is not one the synthesizer should be handed.
constexpr size_t kMaxMidiBytes = 16 * 1024 * 1024;

std::string ReadWhole(const std::string& path) {
    FileBytes file = ReadRegularFile(path, kMaxMidiBytes);
    if (file.problem == FileProblem::TooLarge) throw MediaError("The MIDI file is too large.");
    if (!file) throw MediaError("The file cannot be read.");
    return std::move(file.bytes);
}

} // namespace

MediaPlayer::MediaPlayer(Mixer* mixer, QObject* parent)
    : QObject(parent), m_mixer(mixer ? *mixer : TheMixer()) {
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] {
        ShowDueFrame();
        ScheduleFrameTimer();
    });
}

MediaPlayer::~MediaPlayer() {
    EndRun();
}

void MediaPlayer::SetFileName(const std::string& path) {
    Unload();
    m_fileName = path;
    if (path.empty()) return;
    PathLookup& lookup = PathLookup::Instance();
    const std::optional<std::string> real = lookup.Find(path);
    if (!real || !lookup.FileExists(*real)) throw MediaError("The file was not found.");
    // Checked again at the last moment: the decoder would block forever on a pipe.
    const FileBytes head = ReadRegularFileHead(*real, 12);
    if (!head) throw MediaError("The file " + DescribeFileProblem(head.problem) + ".");
    if (LooksLikeMidi(head.bytes)) {
        m_midiData = std::make_shared<const std::string>(ReadMidiData(ReadWhole(*real)));
    } else {
        m_decoder = std::make_unique<MediaDecoder>(*real);
        m_decoderAtStart = true;
        if (m_decoder->HasVideo()) m_naturalSize = m_decoder->NaturalSize();
        m_duration = m_decoder->Duration();
    }
    m_realPath = *real;
}

void MediaPlayer::Unload() {
    EndRun();
    m_decoder.reset();
    m_midiData.reset();
    m_realPath.clear();
    m_naturalSize = QSize();
    m_duration = 0;
    m_position = 0;
    m_currentFrame = QImage();
}

double MediaPlayer::CurrentPosition() const {
    if (!m_run || m_run->Finished()) return m_position;
    const double at = m_position + m_run->Clock();
    const double pass = m_run->PassLength();
    return pass > 0 && at >= pass ? std::fmod(at, pass) : at;
}

void MediaPlayer::SetCurrentPosition(double seconds) {
    seconds = std::isfinite(seconds) ? std::max(0.0, seconds) : 0.0;
    if (PlayState() == kPlaying) {
        StartRun(seconds);
    } else {
        EndRun();
        m_position = seconds;
    }
}

void MediaPlayer::SetRate(double rate) {
    if (!std::isfinite(rate) || rate <= 0) rate = 1.0;
    m_rate = std::clamp(rate, 0.1, 10.0);
}

int MediaPlayer::PlayState() const {
    return m_run && !m_run->Finished() ? kPlaying : kStopped;
}

void MediaPlayer::SetVolume(int32_t hundredthsOfDecibel) {
    m_volume = std::clamp<int32_t>(hundredthsOfDecibel, -10000, 0);
    if (m_run) m_mixer.SetGain(m_run->Voice(), Gain());
}

void MediaPlayer::SetGroup(VoiceGroup group) {
    m_group = group;
    if (m_run) m_mixer.SetGroup(m_run->Voice(), group);
}

double MediaPlayer::Gain() const {
    return HundredthsOfDecibelToAmplitude(m_volume);
}

void MediaPlayer::Play() {
    if (!m_decoder && !m_midiData && !m_run) throw MediaError("No media file is loaded.");
    if (PlayState() == kPlaying) return;
    // A run that reached its end starts again from the top, as a new Play of the file.
    StartRun(m_run ? 0.0 : m_position);
}

void MediaPlayer::Stop() {
    EndRun();
    m_position = 0;
}

void MediaPlayer::StartRun(double position) {
    EndRun();
    PlaybackSettings settings;
    settings.PlayCount = m_playCount;
    settings.Rate = m_rate;
    settings.StartPosition = position;
    settings.Gain = Gain();
    settings.Group = m_group;
    if (m_midiData) {
        // MIDI always starts from its beginning: the game only ever sets the position to 0.
        settings.StartPosition = 0;
        m_run = std::make_unique<MidiPlayback>(m_midiData, m_mixer, settings);
    } else {
        if (!m_decoder) throw MediaError("No media file is loaded.");
        if (!m_decoderAtStart || position > 0) m_decoder->Rewind(position);
        m_decoderAtStart = false;
        m_run = std::make_unique<DecodedPlayback>(std::move(m_decoder), m_mixer, settings);
    }
    m_position = settings.StartPosition;
    m_lastDropped = 0;
    if (HasVideo()) m_frameTimer.start(0);
}

void MediaPlayer::EndRun() {
    m_frameTimer.stop();
    if (!m_run) return;
    m_run->Stop();
    if (auto* decoded = dynamic_cast<DecodedPlayback*>(m_run.get())) {
        m_lastDropped = decoded->DroppedFrames();
        m_decoder = decoded->TakeDecoder();
    }
    m_run.reset();
}

void MediaPlayer::ShowDueFrame() {
    if (!m_run) return;
    QImage picture;
    if (m_run->TakeDueFrame(picture)) {
        m_currentFrame = std::move(picture);
        emit FrameChanged();
    }
}

void MediaPlayer::ScheduleFrameTimer() {
    if (!m_run || m_run->Finished()) return;
    // Wakes for the next picture's time; while none is decoded yet, looks again shortly. Never
    // sleeps past 40 ms, so a clock that runs faster than the estimate is followed closely.
    const double delay = m_run->NextFrameDelay();
    const int ms = delay < 0 ? 10 : std::clamp(static_cast<int>(delay * 1000), 1, 40);
    m_frameTimer.start(ms);
}

int MediaPlayer::DroppedFrames() const {
    if (auto* decoded = dynamic_cast<const DecodedPlayback*>(m_run.get()))
        return decoded->DroppedFrames();
    return m_lastDropped;
}

} // namespace quillora
