#pragma once

#include "platform/audio_engine.h"

struct IXAudio2SourceVoice;

namespace audio {

// An XAudio2 source voice feeding the mastering voice; buffers are read in place. Its engine
// destroys it.
class XAudio2SourceVoice final : public SourceVoice {
public:
    explicit XAudio2SourceVoice(IXAudio2SourceVoice* voice) : Native(voice) {}

    HRESULT SubmitSourceBuffer(const AudioBuffer* buffer) override;
    HRESULT Start(uint32_t flags, uint32_t operationSet) override;

    IXAudio2SourceVoice* NativeVoice() const { return Native; }

private:
    IXAudio2SourceVoice* Native;
};

}  // namespace audio
