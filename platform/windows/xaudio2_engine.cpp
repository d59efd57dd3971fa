#include "platform/windows/xaudio2_engine.h"

#include "platform/windows/win32.h"
#include "platform/windows/win32_error.h"

#include <objbase.h>
#include <xaudio2.h>

namespace audio {

HRESULT XAudio2Engine::Create(XAudio2Engine** engine, std::string* error) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IXAudio2* created = nullptr;
    const HRESULT result = XAudio2Create(&created, 0, XAUDIO2_DEFAULT_PROCESSOR);
    if (Failed(result)) {
        *error = "no XAudio2 engine (" + windows::ResultText(result) + ")";
        return result;
    }
    *engine = new XAudio2Engine(created);
    return S_OK;
}

void XAudio2Engine::Release() {
    for (const auto& voice : Sources) {
        voice->NativeVoice()->DestroyVoice();
    }
    for (const auto& voice : Outputs) {
        voice->NativeVoice()->DestroyVoice();
    }
    Native->Release();
    delete this;
}

HRESULT XAudio2Engine::CreateMasteringVoice(MasteringVoice** voice) {
    IXAudio2MasteringVoice* created = nullptr;
    const HRESULT result =
        Native->CreateMasteringVoice(&created, XAUDIO2_DEFAULT_CHANNELS, XAUDIO2_DEFAULT_SAMPLERATE,
                                     0, nullptr, nullptr, AudioCategory_GameEffects);
    if (Succeeded(result)) {
        Outputs.push_back(std::make_unique<XAudio2MasteringVoice>(created));
        *voice = Outputs.back().get();
    }
    return result;
}

HRESULT XAudio2Engine::CreateSourceVoice(SourceVoice** voice, const WaveFormat* format,
                                         uint32_t flags, float maxFrequencyRatio) {
    if (voice == nullptr || format == nullptr) {
        return E_FAIL;
    }
    WAVEFORMATEX native{};
    native.wFormatTag = format->FormatTag;
    native.nChannels = format->Channels;
    native.nSamplesPerSec = format->SamplesPerSec;
    native.nAvgBytesPerSec = format->AvgBytesPerSec;
    native.nBlockAlign = format->BlockAlign;
    native.wBitsPerSample = format->BitsPerSample;
    native.cbSize = format->ExtensionSize;
    IXAudio2SourceVoice* created = nullptr;
    const HRESULT result = Native->CreateSourceVoice(&created, &native, flags, maxFrequencyRatio,
                                                     nullptr, nullptr, nullptr);
    if (Succeeded(result)) {
        Sources.push_back(std::make_unique<XAudio2SourceVoice>(created));
        *voice = Sources.back().get();
    }
    return result;
}

}  // namespace audio
