// The SDL2 device that pulls the mixer, and the silent pump that stands in for a missing device.
#include "media/AudioOutput.h"

#include <SDL2/SDL.h>

#include <chrono>
#include <vector>

#include <dlfcn.h>

namespace quillora {
namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints several lines of its own for every device it fails to open, which tell a player
// nothing; the one-line notice below says what matters. ALSA is looked up at run time, as SDL
// does, so a system without it needs nothing; the library stays loaded, so SDL gets the same
// copy with its printing turned off.
void QuietAlsaErrors() {
    static const bool done = [] {
        void* alsa = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (alsa == nullptr) return false;
        using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetHandler = int (*)(Handler);
        auto set = reinterpret_cast<SetHandler>(::dlsym(alsa, "snd_lib_error_set_handler"));
        if (set == nullptr) return false;
        set(&IgnoreAlsaError);
        return true;
    }();
    (void)done;
}

} // namespace

AudioOutput::AudioOutput(Mixer& mixer, std::FILE* notices) : m_mixer(mixer) {
    // SDL would take Ctrl+C and kill for a quit event nobody reads here; the program handles them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    QuietAlsaErrors();
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
    if (m_device == 0) {
        if (notices != nullptr) {
            std::fprintf(notices, "Sound is off: no sound device could be opened (%s).\n",
                         m_error.empty() ? "no reason given" : m_error.c_str());
            std::fflush(notices);
        }
        m_pump = std::thread([this] { Pump(); });
    }
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
