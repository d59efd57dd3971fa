#include "tests/support/recording_audio.h"

namespace testing_support {

HRESULT RecordingSourceVoice::SubmitSourceBuffer(const audio::AudioBuffer* buffer) {
    if (Failed(SubmitResult)) {
        return SubmitResult;
    }
    Submitted.push_back(*buffer);
    return S_OK;
}

HRESULT RecordingSourceVoice::Start(uint32_t, uint32_t) {
    ++StartCount;
    return StartResult;
}

HRESULT RecordingAudioEngine::CreateMasteringVoice(audio::MasteringVoice** voice) {
    if (Failed(MasteringResult)) {
        return MasteringResult;
    }
    *voice = &Mastering;
    return S_OK;
}

HRESULT RecordingAudioEngine::CreateSourceVoice(audio::SourceVoice** voice,
                                                const audio::WaveFormat* format, uint32_t flags,
                                                float maxFrequencyRatio) {
    if (Failed(SourceVoiceResult)) {
        return SourceVoiceResult;
    }
    ++SourceVoicesCreated;
    Voice.Format = *format;
    LastFlags = flags;
    LastMaxFrequencyRatio = maxFrequencyRatio;
    *voice = &Voice;
    return S_OK;
}

}  // namespace testing_support
