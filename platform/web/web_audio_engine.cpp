#include "platform/web/web_audio_engine.h"

#include "platform/web/page_bridge.h"

namespace audio {

HRESULT WebAudioEngine::Initialize() {
    if (banner_page_audio_available() == 0) {
        Error = "this browser has no Web Audio";
        return E_FAIL;
    }
    return S_OK;
}

HRESULT WebAudioEngine::CreateMasteringVoice(MasteringVoice** voice) {
    if (voice == nullptr) {
        return E_FAIL;
    }
    Output = std::make_unique<WebMasteringVoice>();
    *voice = Output.get();
    return S_OK;
}

HRESULT WebAudioEngine::CreateSourceVoice(SourceVoice** voice, const WaveFormat* format,
                                          uint32_t /*flags*/, float /*maxFrequencyRatio*/) {
    if (voice == nullptr || format == nullptr || !WebSourceVoice::IsSupported(*format)) {
        Error = "the music's format cannot be played";
        return E_FAIL;
    }
    Voices.push_back(std::make_unique<WebSourceVoice>());
    *voice = Voices.back().get();
    return S_OK;
}

}  // namespace audio
