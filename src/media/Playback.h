// One run of a loaded file from Play to its end or Stop: the part of a media player that sounds.
#pragma once

#include "media/Mixer.h"

#include <QImage>

namespace quillora {

// How a run plays its file; fixed when it starts.
struct PlaybackSettings {
    int PlayCount = 1;                      // passes through the file; 0 = repeat without end
    double Rate = 1.0;                      // speed factor (0.5 = half speed, an octave lower)
    double StartPosition = 0;               // seconds into the file where the first pass starts
    double Gain = 1.0;                      // amplitude factor of the sound at the start
    VoiceGroup Group = VoiceGroup::Effects; // the listener's volume group of the sound
};

// A playing file. Made and driven by the window thread's MediaPlayer; the sound runs as a voice
// of a mixer, and decoding, where there is any, runs on a thread of the run's own.
class Playback {
public:
    virtual ~Playback() = default;

    // Ends the run at once (the voice fades out over a few milliseconds) and joins any thread.
    virtual void Stop() = 0;
    // True once the run has played to its end (or given up on damaged data).
    virtual bool Finished() const = 0;
    // Seconds of the file's own timeline played since the run started, counting every pass.
    virtual double Clock() const = 0;
    // Seconds one pass lasts, once the first pass has been read to its end; 0 before.
    virtual double PassLength() const { return 0; }

    // The newest picture due by the clock, when it is newer than the one last taken.
    virtual bool TakeDueFrame(QImage& /*picture*/) { return false; }
    // Real seconds until the next picture is due; negative when none is waiting.
    virtual double NextFrameDelay() const { return -1; }

    // The voice that carries the run's sound (and its clock).
    VoiceId Voice() const { return m_voice; }

protected:
    VoiceId m_voice = 0;
};

} // namespace quillora
