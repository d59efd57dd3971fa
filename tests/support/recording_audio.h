#pragma once

#include <vector>

#include "platform/audio_engine.h"

// An audio engine for unit tests: it records what the scene asks of it and can fail any step.
namespace testing_support {

class RecordingSourceVoice final : public audio::SourceVoice {
public:
    HRESULT SubmitSourceBuffer(const audio::AudioBuffer* buffer) override;
    HRESULT Start(uint32_t flags, uint32_t operationSet) override;

    audio::WaveFormat Format;
    std::vector<audio::AudioBuffer> Submitted;
    int StartCount = 0;
    HRESULT SubmitResult = S_OK;
    HRESULT StartResult = S_OK;
};

class RecordingMasteringVoice final : public audio::MasteringVoice {};

class RecordingAudioEngine final : public audio::Engine {
public:
    HRESULT CreateMasteringVoice(audio::MasteringVoice** voice) override;
    HRESULT CreateSourceVoice(audio::SourceVoice** voice, const audio::WaveFormat* format,
                              uint32_t flags, float maxFrequencyRatio) override;

    RecordingMasteringVoice Mastering;
    RecordingSourceVoice Voice;  // the one voice every CreateSourceVoice hands out
    int SourceVoicesCreated = 0;
    uint32_t LastFlags = 0;
    float LastMaxFrequencyRatio = 0.0f;
    HRESULT MasteringResult = S_OK;
    HRESULT SourceVoiceResult = S_OK;
};

}  // namespace testing_support
