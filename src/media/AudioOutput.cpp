// The SDL2 device that pulls the mixer, and the silent pump that stands in for a missing device.
#include "media/AudioOutput.h"

#include <SDL2/SDL.h>

#include <chrono>
#include <vector>

namespace quillora {

AudioOutput::AudioOutput(Mixer& mixer) : m_mixer(mixer) {
    // SDL would take Ctrl+C and kill for a quit event nobody reads here; the program handles them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_error = SDL_GetError();
    } else {
        SDL_AudioSpec want{};
        want.freq = kMixRate;
        want.format = AUDIO_F32SYS;
        want.channels = kMixChannels;
        want.samples = kDeviceBufferFrames;
        want.callback = &AudioOutput::DeviceCallback;
        want.userdata = this;
        SDL_AudioSpec have{};
        // No changes allowed: SDL converts for the hardware if it must, and the callback always
        // receives the mixer's own format.
        m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (m_device == 0) {
            m_error = SDL_GetError();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        } else {
            const char* driver = SDL_GetCurrentAudioDriver();
            m_driver = driver ? driver : "";
            SDL_PauseAudioDevice(m_device, 0);
        }
    }
    if (m_device == 0) m_pump = std::thread([this] { Pump(); });
}

AudioOutput::~AudioOutput() {
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    m_stopPump = true;
    if (m_pump.joinable()) m_pump.join();
}

void AudioOutput::DeviceCallback(void* user, uint8_t* stream, int bytes) {
    auto* self = static_cast<AudioOutput*>(user);
    const int frames = bytes / static_cast<int>(sizeof(float) * kMixChannels);
    self->m_mixer.Mix(reinterpret_cast<float*>(stream), frames);
}

void AudioOutput::Pump() {
    using Steady = std::chrono::steady_clock;
    std::vector<float> buffer(kDeviceBufferFrames * kMixChannels);
    const auto start = Steady::now();
    uint64_t pulled = 0;
    while (!m_stopPump) {
        // Pull whatever the clock says a device would have played by now, one buffer at a time.
        const double elapsed = std::chrono::duration<double>(Steady::now() - start).count();
        const auto due = static_cast<uint64_t>(elapsed * kMixRate);
        while (pulled + kDeviceBufferFrames <= due && !m_stopPump) {
            m_mixer.Mix(buffer.data(), kDeviceBufferFrames);
            pulled += kDeviceBufferFrames;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

namespace {

// The mixer and its output, made together so the output stops pulling before the mixer goes.
struct ProcessAudio {
    Mixer mixer;
    AudioOutput output{mixer};
};

ProcessAudio& Audio() {
    static ProcessAudio audio;
    return audio;
}

} // namespace

Mixer& TheMixer() {
    return Audio().mixer;
}

AudioOutput& TheAudioOutput() {
    return Audio().output;
}

} // namespace quillora
