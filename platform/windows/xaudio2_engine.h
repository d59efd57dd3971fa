#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/audio_engine.h"
#include "platform/windows/xaudio2_mastering_voice.h"
#include "platform/windows/xaudio2_source_voice.h"

struct IXAudio2;

namespace audio {

// The audio engine as a thin layer over XAudio2's: a mastering voice on the default device and
// source voices that feed it, which live as long as the engine.
class XAudio2Engine final : public Engine {
public:
    // COM for the process's threads, then the engine on the default processor. On failure the
    // engine is gone and *error says why.
    static HRESULT Create(XAudio2Engine** engine, std::string* error);

    HRESULT CreateMasteringVoice(MasteringVoice** voice) override;
    HRESULT CreateSourceVoice(SourceVoice** voice, const WaveFormat* format, uint32_t flags,
                              float maxFrequencyRatio) override;
    // Destroys every voice, sources first, then ends the engine and its threads.
    void Release();

private:
    explicit XAudio2Engine(IXAudio2* engine) : Native(engine) {}
    ~XAudio2Engine() override = default;

    IXAudio2* Native;
    std::vector<std::unique_ptr<XAudio2SourceVoice>> Sources;
    std::vector<std::unique_ptr<XAudio2MasteringVoice>> Outputs;
};

}  // namespace audio
