// MIDI file checking, the pool of FluidSynth synthesizers, and the MIDI voice.
#include "media/MidiPlayback.h"

#include "media/MediaError.h"

#include <fluidsynth.h>

#include <cstring>
#include <mutex>
#include <vector>

namespace quillora {
namespace {

// Seconds a finished file keeps sounding, so its last notes ring out instead of being cut.
constexpr double kReleaseSeconds = 0.3;

uint32_t BigEndian32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3]));
}

uint32_t LittleEndian32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

[[noreturn]] void Damaged(const std::string& what) {
    throw MediaError("The MIDI file is damaged (" + what + ").");
}

// Reads a variable-length quantity (at most four bytes) that must end before `end`.
uint32_t ReadVarLen(const std::string& b, size_t& at, size_t end) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= end) Damaged("an event runs past the end of its track");
        const auto byte = static_cast<unsigned char>(b[at++]);
        value = value << 7 | (byte & 0x7F);
        if (!(byte & 0x80)) return value;
    }
    Damaged("a length is too long");
}

// Walks every event of one track chunk's data [at, end).
void CheckTrack(const std::string& b, size_t at, size_t end) {
    int running = 0; // running status of channel messages
    while (at < end) {
        ReadVarLen(b, at, end);
        if (at >= end) Damaged("a track ends inside an event");
        int status = static_cast<unsigned char>(b[at]);
        if (status & 0x80) {
            ++at;
        } else if (running) {
            status = running; // running status: the byte is already data
        } else {
            Damaged("data without a status byte");
        }
        if (status < 0xF0) {
            running = status;
            const size_t dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            if (end - at < dataBytes) Damaged("a track ends inside an event");
            at += dataBytes;
        } else if (status == 0xF0 || status == 0xF7) {
            const uint32_t length = ReadVarLen(b, at, end);
            if (end - at < length) Damaged("a system-exclusive message runs past its track");
            at += length;
        } else if (status == 0xFF) {
            if (at >= end) Damaged("a track ends inside an event");
            ++at; // meta type
            const uint32_t length = ReadVarLen(b, at, end);
            if (end - at < length) Damaged("a meta event runs past its track");
            at += length;
        } else {
            Damaged("an event of an unknown kind");
        }
    }
}

void CheckStandardMidi(const std::string& b) {
    if (b.size() < 14 || b.compare(0, 4, "MThd") != 0) Damaged("no MIDI header");
    const uint32_t headerLength = BigEndian32(b, 4);
    if (headerLength < 6 || headerLength > b.size() - 8) Damaged("the header is cut short");
    const int format = static_cast<unsigned char>(b[8]) << 8 | static_cast<unsigned char>(b[9]);
    const int tracks = static_cast<unsigned char>(b[10]) << 8 | static_cast<unsigned char>(b[11]);
    const int division = static_cast<unsigned char>(b[12]) << 8 | static_cast<unsigned char>(b[13]);
    if (format > 2) Damaged("unknown format " + std::to_string(format));
    if (tracks < 1) Damaged("no tracks");
    if (division == 0) Damaged("no time division");
    // SMPTE time code divisions (top bit set) are so rare in games that the synthesizer does
    // not play them; saying so here beats a file that silently plays nothing.
    if (division & 0x8000)
        throw MediaError("The MIDI file uses SMPTE time code timing, which cannot be played.");
    size_t at = 8 + headerLength;
    int found = 0;
    while (at + 8 <= b.size()) {
        const uint32_t length = BigEndian32(b, at + 4);
        if (length > b.size() - at - 8) Damaged("a chunk is cut short");
        if (b.compare(at, 4, "MTrk") == 0) {
            CheckTrack(b, at + 8, at + 8 + length);
            ++found;
        }
        at += 8 + length;
    }
    if (found < tracks) Damaged("tracks are missing");
}

// The FluidSynth settings and the idle synthesizers, each with the sound font loaded.
class SynthPool {
public:
    // Lives until the process ends and is never destroyed: MIDI voices still held by a mixer
    // that is torn down at exit give their synthesizers back to it.
    static SynthPool& Instance() {
        static SynthPool* pool = new SynthPool;
        return *pool;
    }

    fluid_synth_t* Take() {
        {
            std::lock_guard lock(m_mutex);
            if (!m_idle.empty()) {
                fluid_synth_t* synth = m_idle.back();
                m_idle.pop_back();
                return synth;
            }
        }
        fluid_synth_t* synth = new_fluid_synth(m_settings);
        if (!synth) throw MediaError("The MIDI synthesizer cannot be started.");
        if (fluid_synth_sfload(synth, kMidiSoundFont, 1) == FLUID_FAILED) {
            delete_fluid_synth(synth);
            throw MediaError(std::string("The MIDI sound font cannot be loaded (") +
                             kMidiSoundFont + ").");
        }
        return synth;
    }

    void Give(fluid_synth_t* synth) {
        // Silences every note and restores the default programs for the next file.
        fluid_synth_system_reset(synth);
        std::lock_guard lock(m_mutex);
        m_idle.push_back(synth);
    }

private:
    SynthPool() {
        // The synthesizer's warnings about odd files would flood the terminal; errors still
        // reach the player through return values.
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
        m_settings = new_fluid_settings();
        fluid_settings_setnum(m_settings, "synth.sample-rate", kMixRate);
        // The player is clocked by the samples rendered, so a file keeps time with the mixer.
        fluid_settings_setstr(m_settings, "player.timing-source", "sample");
        fluid_settings_setint(m_settings, "synth.cpu-cores", 1);
        // FluidSynth's default gain of 0.2 leaves a tune of a few voices far quieter than the
        // digital sounds beside it; 0.6 brings it to their level and keeps chords unclipped.
        fluid_settings_setnum(m_settings, "synth.gain", 0.6);
    }
    fluid_settings_t* m_settings = nullptr;
    std::mutex m_mutex;
    std::vector<fluid_synth_t*> m_idle;
};

} // namespace

std::string ReadMidiData(const std::string& fileBytes) {
    if (fileBytes.size() >= 12 && fileBytes.compare(0, 4, "RIFF") == 0) {
        if (fileBytes.compare(8, 4, "RMID") != 0) Damaged("a RIFF file that is not RMID");
        size_t at = 12;
        while (at + 8 <= fileBytes.size()) {
            const uint32_t length = LittleEndian32(fileBytes, at + 4);
            if (length > fileBytes.size() - at - 8) Damaged("a chunk is cut short");
            if (fileBytes.compare(at, 4, "data") == 0) {
                std::string data = fileBytes.substr(at + 8, length);
                CheckStandardMidi(data);
                return data;
            }
            at += 8 + length + (length & 1);
        }
        Damaged("no MIDI data in the RMI file");
    }
    CheckStandardMidi(fileBytes);
    return fileBytes;
}

// The MIDI voice: renders on the thread that pulls the mixer.
class MidiPlayback::Stream : public AudioStream {
public:
    Stream(const std::string& data, const PlaybackSettings& settings)
        : m_synth(SynthPool::Instance().Take()), m_rate(settings.Rate),
          m_playCount(settings.PlayCount) {
        m_player = new_fluid_player(m_synth);
        if (!m_player || fluid_player_add_mem(m_player, data.data(), data.size()) != FLUID_OK) {
            if (m_player) delete_fluid_player(m_player);
            SynthPool::Instance().Give(m_synth);
            throw MediaError("The MIDI synthesizer refuses the file.");
        }
        // A play count of 0 repeats without end; the player's -1 means the same.
        fluid_player_set_loop(m_player, settings.PlayCount <= 0 ? -1 : settings.PlayCount);
        fluid_player_set_tempo(m_player, FLUID_PLAYER_TEMPO_INTERNAL, settings.Rate);
        fluid_player_play(m_player);
    }
    ~Stream() override {
        fluid_player_stop(m_player);
        delete_fluid_player(m_player);
        SynthPool::Instance().Give(m_synth);
    }

    int ReadFrames(float* out, int frames) override {
        if (m_ended) return 0;
        int count = frames;
        if (m_releaseLeft >= 0) {
            count = std::min(count, m_releaseLeft);
            m_releaseLeft -= count;
        }
        if (count > 0) fluid_synth_write_float(m_synth, count, out, 0, 2, out, 1, 2);
        m_rendered += count;
        if (m_releaseLeft < 0 && LastEventPlayed())
            m_releaseLeft = static_cast<int>(kReleaseSeconds * kMixRate);
        if (m_releaseLeft == 0) m_ended = true;
        return count;
    }
    bool EndOfStream() const override { return m_ended; }
    double Clock() const { return static_cast<double>(m_rendered) / kMixRate * m_rate; }

private:
    // The last pass has played its last event. The synthesizer's own "done" comes seconds
    // later (it waits for every voice to die away), so the passes are counted here: the tick
    // going back means the file started again.
    bool LastEventPlayed() {
        if (fluid_player_get_status(m_player) == FLUID_PLAYER_DONE) return true;
        const int tick = fluid_player_get_current_tick(m_player);
        if (tick < m_lastTick) ++m_passesDone;
        m_lastTick = tick;
        const int total = fluid_player_get_total_ticks(m_player);
        return m_playCount > 0 && m_passesDone >= m_playCount - 1 && total > 0 && tick >= total;
    }

    fluid_synth_t* m_synth;
    fluid_player_t* m_player = nullptr;
    const double m_rate;
    const int m_playCount;
    int m_passesDone = 0;
    int m_lastTick = 0;
    int m_releaseLeft = -1; // frames of ring-out left once the file is done; -1 still playing
    std::atomic<int64_t> m_rendered{0};
    std::atomic<bool> m_ended{false};
};

MidiPlayback::MidiPlayback(std::shared_ptr<const std::string> midiData, Mixer& mixer,
                           const PlaybackSettings& settings)
    : m_mixer(mixer), m_stream(std::make_shared<Stream>(*midiData, settings)) {
    m_voice = m_mixer.Play(m_stream, settings.Gain, settings.Group);
}

MidiPlayback::~MidiPlayback() {
    Stop();
}

void MidiPlayback::Stop() {
    m_mixer.Stop(m_voice);
}

bool MidiPlayback::Finished() const {
    return m_stream->EndOfStream();
}

double MidiPlayback::Clock() const {
    return m_stream->Clock();
}

} // namespace quillora
