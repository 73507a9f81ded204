// The audio output: SDL2 opens the device and pulls the mixer; without a device a clock pulls it.
#pragma once

#include "media/Mixer.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>

namespace quillora {

// Feeds one mixer to the sound device. SDL2's audio subsystem does nothing but open the device
// in the mixer's own format (44,100 Hz, stereo, 32-bit float, no conversion allowed) and call
// Mixer::Mix from its callback, so SDL's "disk" driver writes exactly the mixed samples.
// The driver is SDL's choice, or the SDL_AUDIODRIVER environment variable ("dummy", "disk").
//
// When no device can be opened the game plays on silently: a pump thread pulls the mixer at the
// pace of the system clock and drops the sound, so sounds still end on time and videos still
// keep time. The player is told so in one line, and the ALSA library's own error lines are kept
// off the terminal.
class AudioOutput {
public:
    // Device buffer in frames: about 11.6 ms, keeping the path from a channel instruction to the
    // speaker well under 50 ms.
    static constexpr int kDeviceBufferFrames = 512;

    // Starts pulling `mixer` (not owned; it must outlive this object). Without a device, one line
    // saying that sound is off and why goes to `notices` (nothing when it is null).
    explicit AudioOutput(Mixer& mixer, std::FILE* notices = stderr);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // True when a sound device (or SDL's dummy/disk stand-in) is open.
    bool HasDevice() const { return m_device != 0; }
    // The SDL driver in use ("pulseaudio", "alsa", "dummy", "disk"), or "" without a device.
    const std::string& DriverName() const { return m_driver; }
    // Why no device could be opened; "" when one is open.
    const std::string& DeviceError() const { return m_error; }

private:
    static void DeviceCallback(void* user, uint8_t* stream, int bytes);
    void Pump();

    Mixer& m_mixer;
    uint32_t m_device = 0;
    std::string m_driver;
    std::string m_error;
    std::atomic<bool> m_stopPump{false};
    std::thread m_pump;
};

// The process-wide mixer, pulled by the process-wide output, which opens on the first call.
// Every media player plays here unless it is given another mixer.
Mixer& TheMixer();
// The process-wide output (opened on first use).
AudioOutput& TheAudioOutput();

} // namespace quillora
