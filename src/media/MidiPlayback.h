// MIDI and RMI files: checked when loaded, played through FluidSynth as a mixer voice.
#pragma once

#include "media/Playback.h"

#include <atomic>
#include <memory>
#include <string>

namespace quillora {

// The General MIDI sound font every MIDI file is played with.
inline constexpr const char* kMidiSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// Checks a MIDI file and returns its standard MIDI data: the bytes themselves, or the "data"
// chunk of an RMI (RIFF "RMID") file. Every chunk and every event of every track is walked, so a
// file that is cut short or damaged fails here, with a description, rather than in the
// synthesizer. Throws MediaError.
std::string ReadMidiData(const std::string& fileBytes);

// A run of a MIDI file: a FluidSynth synthesizer with the sound font renders the file straight
// into the mixer, on the thread that pulls the mixer. Synthesizers are kept for reuse, so only the
// first MIDI file of a game pays for loading the sound font.
class MidiPlayback : public Playback {
public:
    // Starts playing `midiData` (as ReadMidiData returns it). Throws MediaError when the sound
    // font cannot be loaded or the synthesizer refuses the data.
    MidiPlayback(std::shared_ptr<const std::string> midiData, Mixer& mixer,
                 const PlaybackSettings& settings);
    ~MidiPlayback() override;

    void Stop() override;
    bool Finished() const override;
    double Clock() const override;

private:
    class Stream;

    Mixer& m_mixer;
    std::shared_ptr<Stream> m_stream;
};

} // namespace quillora
