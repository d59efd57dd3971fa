#pragma once

#include <string>

#include "platform/audio_engine.h"

struct IXAudio2;

namespace audio {

// The audio engine as a thin layer over XAudio2's: a mastering voice on the default device and
// source voices that feed it. The programs never release it; process exit ends it.
class XAudio2Engine final : public Engine {
public:
    // COM for the process's threads, then the engine on the default processor. On failure the
    // engine is gone and *error says why.
    static HRESULT Create(XAudio2Engine** engine, std::string* error);

    HRESULT CreateMasteringVoice(MasteringVoice** voice) override;
    HRESULT CreateSourceVoice(SourceVoice** voice, const WaveFormat* format, uint32_t flags,
                              float maxFrequencyRatio) override;

private:
    explicit XAudio2Engine(IXAudio2* engine) : Native(engine) {}
    ~XAudio2Engine() override = default;

    IXAudio2* Native;
};

}  // namespace audio
