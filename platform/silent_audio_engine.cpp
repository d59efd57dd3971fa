#include "platform/silent_audio_engine.h"

HRESULT SilentAudioEngine::CreateMasteringVoice(audio::MasteringVoice** voice) {
    if (voice == nullptr) {
        return E_FAIL;
    }
    *voice = &Mastering;
    return S_OK;
}

HRESULT SilentAudioEngine::CreateSourceVoice(audio::SourceVoice** voice,
                                             const audio::WaveFormat* format, uint32_t, float) {
    if (voice == nullptr || format == nullptr || format->FormatTag != audio::FormatPcm) {
        return E_FAIL;
    }
    Voices.push_back(std::make_unique<Voice>());
    *voice = Voices.back().get();
    return S_OK;
}

HRESULT SilentAudioEngine::Voice::SubmitSourceBuffer(const audio::AudioBuffer* buffer) {
    return buffer != nullptr && buffer->AudioData != nullptr ? S_OK : E_FAIL;
}
