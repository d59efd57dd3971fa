#include "platform/windows/xaudio2_source_voice.h"

#include "platform/windows/win32.h"

#include <xaudio2.h>

namespace audio {

HRESULT XAudio2SourceVoice::SubmitSourceBuffer(const AudioBuffer* buffer) {
    if (buffer == nullptr) {
        return E_FAIL;
    }
    XAUDIO2_BUFFER native{};
    native.Flags = buffer->Flags;
    native.AudioBytes = buffer->AudioBytes;
    native.pAudioData = buffer->AudioData;
    native.PlayBegin = buffer->PlayBegin;
    native.PlayLength = buffer->PlayLength;
    native.LoopBegin = buffer->LoopBegin;
    native.LoopLength = buffer->LoopLength;
    native.LoopCount = buffer->LoopCount;
    native.pContext = buffer->Context;
    return Native->SubmitSourceBuffer(&native, nullptr);
}

HRESULT XAudio2SourceVoice::Start(uint32_t flags, uint32_t operationSet) {
    return Native->Start(flags, operationSet);
}

}  // namespace audio
