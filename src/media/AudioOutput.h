// The audio output: SDL2 opens the device and pulls the mixer; without a device a clock pulls it.
#pragma once

#include "media/Mixer.h"

#include <atomic>
#include <cstdint>
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
// keep time.
class AudioOutput {
public:
    // Device buffer in frames: about 11.6 ms, keeping the path from a channel instruction to the
    // speaker well under 50 ms.
    static constexpr int kDeviceBufferFrames = 512;

    // Starts pulling `mixer` (not owned; it must outlive this object).
    explicit AudioOutput(Mixer& mixer);
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
