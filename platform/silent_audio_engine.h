#pragma once

#include <memory>
#include <vector>

#include "platform/audio_engine.h"

// Audio that goes nowhere: voices take their buffer and start, and nothing is played. For a
// headless run where the platform's own engine would need an output device.
class SilentAudioEngine final : public audio::Engine {
public:
    HRESULT CreateMasteringVoice(audio::MasteringVoice** voice) override;
    HRESULT CreateSourceVoice(audio::SourceVoice** voice, const audio::WaveFormat* format,
                              uint32_t flags, float maxFrequencyRatio) override;

private:
    class Voice final : public audio::SourceVoice {
    public:
        HRESULT SubmitSourceBuffer(const audio::AudioBuffer* buffer) override;
        HRESULT Start(uint32_t, uint32_t) override { return S_OK; }
    };
    class Output final : public audio::MasteringVoice {};

    Output Mastering;
    std::vector<std::unique_ptr<Voice>> Voices;
};
