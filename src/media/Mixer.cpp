// The mixer's voice list, gain ramps and pull entry point.
#include "media/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quillora {
namespace {

// Frames mixed per pass over the voices; bounds the scratch buffer whatever the caller asks.
constexpr int kChunkFrames = 1024;

// Adds `frames` stereo frames of `in` to `out` at a level's gain: the ramping part frame by
// frame, the steady rest at one gain (nothing to add at silence).
template <typename Level>
void AddRamped(Level& level, const float* in, float* out, int frames) {
    int i = 0;
    for (; i < frames && level.rampLeft > 0; ++i) {
        level.gain += level.step;
        if (--level.rampLeft == 0) level.gain = level.target;
        out[2 * i] += in[2 * i] * level.gain;
        out[2 * i + 1] += in[2 * i + 1] * level.gain;
    }
    const float gain = level.gain;
    if (gain == 0.0f) return;
    for (int s = 2 * i; s < 2 * frames; ++s)
        out[s] += in[s] * gain;
}

} // namespace

Mixer::Mixer(bool offline) : m_offline(offline), m_scratch(kChunkFrames * kMixChannels) {
    for (std::vector<float>& mix : m_groupMix)
        mix.resize(kChunkFrames * kMixChannels);
}

Mixer::~Mixer() {
    std::vector<Voice> voices;
    {
        std::lock_guard lock(m_mutex);
        voices.swap(m_voices);
    }
}

VoiceId Mixer::Play(std::shared_ptr<AudioStream> stream, double gain, VoiceGroup group) {
    std::vector<std::shared_ptr<AudioStream>> released;
    VoiceId id = 0;
    {
        std::lock_guard lock(m_mutex);
        TakeEnded(released);
        Voice voice;
        voice.id = id = m_nextId++;
        voice.stream = std::move(stream);
        // A voice starts at its level at once: the file's first sample is where it begins, and a
        // ramp here would swallow the attack of short effects.
        voice.gain = voice.target = static_cast<float>(gain);
        voice.group = group;
        m_voices.push_back(std::move(voice));
    }
    return id;
}

void Mixer::SetGain(VoiceId voice, double gain) {
    std::vector<std::shared_ptr<AudioStream>> released;
    std::lock_guard lock(m_mutex);
    TakeEnded(released);
    Voice* v = Find(voice);
    if (!v || v->stopping) return;
    if (static_cast<float>(gain) == v->target) return;
    StartRamp(*v, static_cast<float>(gain), kGainRampFrames);
}

void Mixer::SetGroup(VoiceId voice, VoiceGroup group) {
    std::lock_guard lock(m_mutex);
    if (Voice* v = Find(voice)) v->group = group;
}

VoiceGroup Mixer::GroupOf(VoiceId voice) const {
    std::lock_guard lock(m_mutex);
    const Voice* v = Find(voice);
    return v ? v->group : VoiceGroup::Effects;
}

void Mixer::SetLevels(const MixLevels& levels) {
    std::lock_guard lock(m_mutex);
    const auto level = [](double value) {
        return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0;
    };
    m_levels.Master = level(levels.Master);
    m_levels.Music = level(levels.Music);
    m_levels.Effects = level(levels.Effects);
    m_levels.Muted = levels.Muted;
    RetargetGroups();
}

MixLevels Mixer::Levels() const {
    std::lock_guard lock(m_mutex);
    return m_levels;
}

void Mixer::SetPaused(bool paused) {
    std::lock_guard lock(m_mutex);
    m_paused = paused;
    RetargetGroups();
}

bool Mixer::Paused() const {
    std::lock_guard lock(m_mutex);
    return m_paused;
}

void Mixer::RetargetGroups() {
    const bool silent = m_paused || m_levels.Muted;
    const double groupLevels[kVoiceGroupCount] = {m_levels.Effects, m_levels.Music};
    for (int g = 0; g < kVoiceGroupCount; ++g) {
        GroupLevel& group = m_groups[g];
        const float target = silent ? 0.0f : static_cast<float>(m_levels.Master * groupLevels[g]);
        if (target == group.target) continue;
        group.target = target;
        group.rampLeft = kGainRampFrames;
        group.step = (target - group.gain) / static_cast<float>(kGainRampFrames);
    }
}

bool Mixer::Holding() const {
    if (!m_paused) return false;
    for (const GroupLevel& group : m_groups) {
        if (group.gain != 0.0f || group.rampLeft > 0) return false;
    }
    return true;
}

double Mixer::TargetGain(VoiceId voice) const {
    std::lock_guard lock(m_mutex);
    const Voice* v = Find(voice);
    return v ? v->target : 0.0;
}

void Mixer::Stop(VoiceId voice) {
    std::vector<std::shared_ptr<AudioStream>> released;
    std::lock_guard lock(m_mutex);
    TakeEnded(released);
    Voice* v = Find(voice);
    if (!v || v->stopping) return;
    v->stopping = true;
    StartRamp(*v, 0.0f, kStopRampFrames);
}

void Mixer::StopAll() {
    std::vector<std::shared_ptr<AudioStream>> released;
    std::lock_guard lock(m_mutex);
    TakeEnded(released);
    for (Voice& v : m_voices) {
        if (v.ended || v.stopping) continue;
        v.stopping = true;
        StartRamp(v, 0.0f, kStopRampFrames);
    }
}

bool Mixer::IsPlaying(VoiceId voice) const {
    std::lock_guard lock(m_mutex);
    const Voice* v = Find(voice);
    return v && !v->ended && !v->stopping;
}

int Mixer::VoiceCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(
        std::count_if(m_voices.begin(), m_voices.end(), [](const Voice& v) { return !v.ended; }));
}

uint64_t Mixer::FramesMixed() const {
    std::lock_guard lock(m_mutex);
    return m_framesMixed;
}

void Mixer::Mix(float* out, int frames) {
    std::memset(out, 0, sizeof(float) * kMixChannels * std::max(frames, 0));
    std::lock_guard lock(m_mutex);
    if (Holding()) {
        // Paused and silent: nothing is pulled, so every source waits where it is. A voice
        // stopped meanwhile would never be heard again: it goes now.
        for (Voice& voice : m_voices) {
            if (voice.stopping) voice.ended = true;
        }
        m_framesMixed += static_cast<uint64_t>(std::max(frames, 0));
        return;
    }
    for (int done = 0; done < frames;) {
        const int chunk = std::min(kChunkFrames, frames - done);
        float* chunkOut = out + static_cast<size_t>(done) * kMixChannels;
        for (std::vector<float>& mix : m_groupMix)
            std::fill(mix.begin(), mix.begin() + static_cast<size_t>(chunk) * kMixChannels, 0.0f);
        for (Voice& voice : m_voices) {
            if (!voice.ended)
                MixVoice(voice, m_groupMix[static_cast<int>(voice.group)].data(), chunk);
        }
        for (int g = 0; g < kVoiceGroupCount; ++g)
            AddGroup(m_groups[g], m_groupMix[g].data(), chunkOut, chunk);
        done += chunk;
    }
    // Floating-point output may leave -1..1 when loud voices add up; the device would clip it
    // anyway, and clamping here keeps the written stream exactly what is heard.
    const size_t samples = static_cast<size_t>(std::max(frames, 0)) * kMixChannels;
    for (size_t i = 0; i < samples; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    m_framesMixed += static_cast<uint64_t>(std::max(frames, 0));
}

void Mixer::AddGroup(GroupLevel& group, const float* mix, float* out, int frames) {
    AddRamped(group, mix, out, frames);
}

void Mixer::MixVoice(Voice& voice, float* out, int frames) {
    float* scratch = m_scratch.data();
    const int got = std::max(0, std::min(voice.stream->ReadFrames(scratch, frames), frames));
    AddRamped(voice, scratch, out, got);
    if (voice.stopping && voice.rampLeft == 0) voice.ended = true;
    if (got < frames && voice.stream->EndOfStream()) voice.ended = true;
}

void Mixer::StartRamp(Voice& voice, float target, int frames) {
    voice.target = target;
    voice.rampLeft = frames;
    voice.step = (target - voice.gain) / static_cast<float>(frames);
}

void Mixer::TakeEnded(std::vector<std::shared_ptr<AudioStream>>& released) {
    auto firstEnded = std::stable_partition(m_voices.begin(), m_voices.end(),
                                            [](const Voice& v) { return !v.ended; });
    for (auto it = firstEnded; it != m_voices.end(); ++it)
        released.push_back(std::move(it->stream));
    m_voices.erase(firstEnded, m_voices.end());
}

Mixer::Voice* Mixer::Find(VoiceId voice) {
    for (Voice& v : m_voices) {
        if (v.id == voice) return &v;
    }
    return nullptr;
}

const Mixer::Voice* Mixer::Find(VoiceId voice) const {
    for (const Voice& v : m_voices) {
        if (v.id == voice) return &v;
    }
    return nullptr;
}

} // namespace quillora
