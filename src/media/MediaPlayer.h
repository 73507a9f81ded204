// The media player: loads one sound, music or video file and plays it through the mixer.
#pragma once

#include "media/Mixer.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>

namespace quillora {

class MediaDecoder;
class Playback;

// One player instance, with the members the game uses (the sound players SoundPlayer(1..7), the
// one-time video player and the hotspot video players are all of this kind). It belongs to the
// window thread: every member is called there. Decoding runs on a thread of each run's own and
// the sound in the mixer; pictures are taken on the window thread by a timer of the player's own
// and announced by FrameChanged, for the scene to draw CurrentFrame.
//
// Formats: whatever FFmpeg decodes (WAV PCM and ADPCM, MP3, WMA, OGG, AU, MPEG-1/2, AVI with
// Cinepak, Indeo or MS Video 1, WMV, ASF, ...), and MIDI/RMI through FluidSynth.
// Failures throw MediaError, with a description, from SetFileName and Play; a file that turns out
// damaged while it plays simply ends there.
class MediaPlayer : public QObject {
    Q_OBJECT

public:
    // PlayState values: stopped (or never started), and playing.
    static constexpr int kStopped = 0;
    static constexpr int kPlaying = 2;

    // Plays into `mixer` (not owned; it must outlive the player), by default the process-wide
    // mixer with its audio output.
    explicit MediaPlayer(Mixer* mixer = nullptr, QObject* parent = nullptr);
    ~MediaPlayer() override;

    // The name last written, as written (any "\" or letter case).
    const std::string& FileName() const { return m_fileName; }
    // Stops what plays and loads the file: the path goes through the case-insensitive lookup.
    // "" unloads. Throws MediaError when the file is missing, damaged or of no playable kind;
    // the name is kept even then, and nothing is loaded.
    void SetFileName(const std::string& path);

    // Seconds into the file: while playing, where the current pass is; when stopped, where the
    // next Play starts (0 after Stop).
    double CurrentPosition() const;
    // Moves the place playback (re)starts from; while playing, playback jumps there at once.
    void SetCurrentPosition(double seconds);

    // Speed factor, 1 = normal; sound changes pitch with it. Values at or below 0 count as 1,
    // others are held to 0.1..10. Takes effect at the next Play.
    double Rate() const { return m_rate; }
    void SetRate(double rate);

    // Passes through the file: 0 = repeat without end (passes follow each other without a gap),
    // n = play n times. Takes effect at the next Play.
    int PlayCount() const { return m_playCount; }
    void SetPlayCount(int count) { m_playCount = count < 0 ? 0 : count; }

    // kPlaying (2) from Play until Stop or the end of the last pass; kStopped (0) otherwise.
    int PlayState() const;

    // Loudness in hundredths of a decibel, -10000..0 (the game uses -4000..0); heard at once,
    // through a short ramp.
    int32_t Volume() const { return m_volume; }
    void SetVolume(int32_t hundredthsOfDecibel);

    // The listener's volume group the sound plays in (Effects until set); moves a playing sound
    // at once.
    VoiceGroup Group() const { return m_group; }
    void SetGroup(VoiceGroup group);

    // True: the picture keeps the video's natural size (the scene sizes the element to it).
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool on) { m_autoSize = on; }
    // The loaded video's natural size in pixels; empty for sound files and when nothing loaded.
    QSize NaturalSize() const { return m_naturalSize; }
    bool HasVideo() const { return !m_naturalSize.isEmpty(); }
    // Length of one pass in seconds when known, else 0.
    double Duration() const { return m_duration; }

    // Starts playing from CurrentPosition; a player already playing goes on. Throws MediaError
    // when nothing is loaded or playback cannot start.
    void Play();
    // Stops at once; the file stays loaded and the position returns to 0.
    void Stop();

    // The picture the video shows now (null before the first one). Stays after the video ends.
    const QImage& CurrentFrame() const { return m_currentFrame; }
    // Takes the picture due by the playback clock, if a newer one is; the player's own timer
    // calls this, and tests may call it directly. Emits FrameChanged when the picture changed.
    void ShowDueFrame();
    // Pictures skipped because a newer one was due, over the current or last run.
    int DroppedFrames() const;

signals:
    // A new picture is in CurrentFrame.
    void FrameChanged();

private:
    void Unload();
    void EndRun();
    void StartRun(double position);
    void ScheduleFrameTimer();
    double Gain() const;

    Mixer& m_mixer;
    std::string m_fileName;
    std::string m_realPath;
    std::unique_ptr<MediaDecoder> m_decoder;       // a loaded FFmpeg file
    std::shared_ptr<const std::string> m_midiData; // a loaded MIDI file
    bool m_decoderAtStart = false; // the decoder has not been read since it was opened
    std::unique_ptr<Playback> m_run;
    double m_position = 0;
    double m_rate = 1.0;
    int m_playCount = 1;
    int32_t m_volume = 0;
    VoiceGroup m_group = VoiceGroup::Effects;
    bool m_autoSize = true;
    QSize m_naturalSize;
    double m_duration = 0;
    QImage m_currentFrame;
    int m_lastDropped = 0;
    QTimer m_frameTimer;
};

} // namespace quillora
