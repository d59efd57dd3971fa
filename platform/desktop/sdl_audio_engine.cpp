#include "platform/desktop/sdl_audio_engine.h"

#include <SDL2/SDL.h>

#include <cstring>
#include <utility>

#include "platform/desktop/sdl_audio_results.h"

namespace audio {

SdlAudioEngine::~SdlAudioEngine() {
    // Closing the device waits for the audio thread, which may still be mixing the voices.
    Output.reset();
    Voices.clear();
    if (Initialized) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

HRESULT SdlAudioEngine::Initialize() {
    if (Initialized) {
        return S_OK;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return Fail(E_FAIL, SDL_GetError());
    }
    Initialized = true;
    return S_OK;
}

HRESULT SdlAudioEngine::CreateMasteringVoice(MasteringVoice** voice) {
    if (voice == nullptr) {
        return Fail(InvalidArgument, "no place for the mastering voice");
    }
    if (!Initialized || Output != nullptr) {
        return Fail(InvalidCall, "the engine is not initialised or already has a mastering voice");
    }
    std::string reason;
    const HRESULT result =
        SdlMasteringVoice::Open(&SdlAudioEngine::FillOutput, this, &Output, &reason);
    if (Failed(result)) {
        return Fail(result, std::move(reason));
    }
    *voice = Output.get();
    return S_OK;
}

HRESULT SdlAudioEngine::CreateSourceVoice(SourceVoice** voice, const WaveFormat* format, uint32_t,
                                          float) {
    if (voice == nullptr || format == nullptr) {
        return Fail(InvalidArgument, "no format or no place for the source voice");
    }
    if (Output == nullptr) {
        return Fail(InvalidCall, "a source voice needs the mastering voice first");
    }
    std::unique_ptr<SdlSourceVoice> created;
    std::string reason;
    const HRESULT result =
        SdlSourceVoice::Create(*format, Output->Output(), Output->Device(), &created, &reason);
    if (Failed(result)) {
        return Fail(result, std::move(reason));
    }
    *voice = created.get();
    SDL_LockAudioDevice(Output->Device());
    Voices.push_back(std::move(created));
    SDL_UnlockAudioDevice(Output->Device());
    return S_OK;
}

void SDLCALL SdlAudioEngine::FillOutput(void* engine, Uint8* output, int length) {
    auto* self = static_cast<SdlAudioEngine*>(engine);
    // Signed 16-bit output: silence is zero.
    std::memset(output, 0, static_cast<size_t>(length));
    if (self->Scratch.size() < static_cast<size_t>(length)) {
        self->Scratch.resize(static_cast<size_t>(length));
    }
    for (const auto& voice : self->Voices) {
        voice->MixInto(output, length, self->Scratch.data());
    }
}

HRESULT SdlAudioEngine::Fail(HRESULT code, std::string reason) {
    Error = std::move(reason);
    return code;
}

}  // namespace audio
