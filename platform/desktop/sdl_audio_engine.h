#pragma once

#include <SDL2/SDL_audio.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/audio_engine.h"
#include "platform/desktop/sdl_mastering_voice.h"
#include "platform/desktop/sdl_source_voice.h"

namespace audio {

// The audio engine over SDL: one output device (the mastering voice) into which every started
// source voice is mixed on SDL's audio thread.
class SdlAudioEngine final : public Engine {
public:
    SdlAudioEngine() = default;
    // Closes the output and stops SDL's audio subsystem. The programs never destroy their engine.
    ~SdlAudioEngine() override;
    SdlAudioEngine(const SdlAudioEngine&) = delete;
    SdlAudioEngine& operator=(const SdlAudioEngine&) = delete;

    // Starts SDL's audio subsystem; E_FAIL when no audio driver can be used.
    HRESULT Initialize();
    // Opens the default output device; E_FAIL when there is none.
    HRESULT CreateMasteringVoice(MasteringVoice** voice) override;
    // Flags and the frequency ratio are accepted and ignored: the rate never changes.
    HRESULT CreateSourceVoice(SourceVoice** voice, const WaveFormat* format, uint32_t flags,
                              float maxFrequencyRatio) override;

    // Why the last failing call failed, in words.
    const std::string& LastError() const { return Error; }

private:
    static void SDLCALL FillOutput(void* engine, Uint8* output, int length);
    HRESULT Fail(HRESULT code, std::string reason);

    bool Initialized = false;
    std::unique_ptr<SdlMasteringVoice> Output;
    std::vector<std::unique_ptr<SdlSourceVoice>> Voices;  // changed under the output's lock
    std::vector<uint8_t> Scratch;                         // audio thread only
    std::string Error;
};

}  // namespace audio
