#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/audio_engine.h"
#include "platform/web/web_mastering_voice.h"
#include "platform/web/web_source_voice.h"

namespace audio {

// The audio engine of the page, over the page's Web Audio player. It owns its voices: destroying
// it stops the music.
class WebAudioEngine final : public Engine {
public:
    WebAudioEngine() = default;
    WebAudioEngine(const WebAudioEngine&) = delete;
    WebAudioEngine& operator=(const WebAudioEngine&) = delete;

    // E_FAIL when the browser has no Web Audio.
    HRESULT Initialize();
    HRESULT CreateMasteringVoice(MasteringVoice** voice) override;
    // Flags and the frequency ratio are accepted and ignored.
    HRESULT CreateSourceVoice(SourceVoice** voice, const WaveFormat* format, uint32_t flags,
                              float maxFrequencyRatio) override;

    const std::string& LastError() const { return Error; }

private:
    std::unique_ptr<WebMasteringVoice> Output;
    std::vector<std::unique_ptr<WebSourceVoice>> Voices;
    std::string Error;
};

}  // namespace audio
