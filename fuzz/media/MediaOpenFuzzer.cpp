// Opens arbitrary bytes as a media file the way a player loads one, and decodes what it can.
//
// Sound and video files go through FFmpeg (open, decode every step to the end, go back to the
// start and decode again, as a loop does); MIDI and RMI files through the MIDI checker and, when
// it accepts them, the synthesizer for a few seconds. A failure must come out as MediaError, and
// nothing may hang: every loop is bounded.
#include "media/MediaDecoder.h"
#include "media/MediaError.h"
#include "media/MidiPlayback.h"
#include "media/Mixer.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The decoder opens files by path, as the player does: each input is written to one scratch file.
std::string ScratchPath() {
    static const std::string path = "/tmp/quillora-media-fuzz-" + std::to_string(getpid());
    return path;
}

void Decode(quillora::MediaDecoder& decoder, int steps) {
    for (int i = 0; i < steps; ++i) {
        if (decoder.Next() == quillora::MediaDecoder::Step::End) return;
        if (decoder.HasVideo()) decoder.TakeVideo();
    }
}

void PlayMidi(const std::string& bytes) {
    const std::string data = quillora::ReadMidiData(bytes);
    quillora::Mixer mixer(true);
    quillora::PlaybackSettings settings;
    settings.PlayCount = 2;
    quillora::MidiPlayback run(std::make_shared<const std::string>(data), mixer, settings);
    std::vector<float> buffer(4096 * 2);
    for (int i = 0; i < 32 && !run.Finished(); ++i)
        mixer.Mix(buffer.data(), 4096);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        if (quillora::LooksLikeMidi(bytes)) {
            PlayMidi(bytes);
            return 0;
        }
        FILE* file = std::fopen(ScratchPath().c_str(), "wb");
        if (!file) return 0;
        std::fwrite(data, 1, size, file);
        std::fclose(file);
        quillora::MediaDecoder decoder(ScratchPath());
        decoder.SetOutputRate(44100);
        Decode(decoder, 2000);
        decoder.Rewind(0);
        decoder.SetOutputRate(88200);
        Decode(decoder, 200);
    } catch (const quillora::MediaError&) {
    }
    return 0;
}
