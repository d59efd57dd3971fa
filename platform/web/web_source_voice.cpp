#include "platform/web/web_source_voice.h"

#include "platform/web/page_bridge.h"

namespace audio {

bool WebSourceVoice::IsSupported(const WaveFormat& format) {
    return format.FormatTag == FormatPcm && format.Channels == 2 && format.BitsPerSample == 16 &&
           format.BlockAlign == 4 && format.SamplesPerSec > 0;
}

WebSourceVoice::~WebSourceVoice() {
    if (Started) {
        banner_page_music_stop();
    }
}

HRESULT WebSourceVoice::SubmitSourceBuffer(const AudioBuffer* buffer) {
    if (buffer == nullptr || Submitted || (buffer->Flags & EndOfStream) == 0 ||
        buffer->LoopCount != 0) {
        return E_FAIL;
    }
    Submitted = true;
    return S_OK;
}

HRESULT WebSourceVoice::Start(uint32_t /*flags*/, uint32_t /*operationSet*/) {
    if (!Submitted) {
        return E_FAIL;
    }
    if (!Started) {
        Started = true;
        banner_page_music_start();
    }
    return S_OK;
}

}  // namespace audio
