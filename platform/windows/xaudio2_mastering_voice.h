#pragma once

#include "platform/audio_engine.h"

struct IXAudio2MasteringVoice;

namespace audio {

// XAudio2's voice on the default output device; its engine destroys it.
class XAudio2MasteringVoice final : public MasteringVoice {
public:
    explicit XAudio2MasteringVoice(IXAudio2MasteringVoice* voice) : Native(voice) {}

    IXAudio2MasteringVoice* NativeVoice() const { return Native; }

private:
    IXAudio2MasteringVoice* Native;
};

}  // namespace audio
