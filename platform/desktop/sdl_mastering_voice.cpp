#include "platform/desktop/sdl_mastering_voice.h"

#include <SDL2/SDL_error.h>

namespace audio {
namespace {
constexpr int PreferredRate = 48000;
constexpr Uint16 PeriodFrames = 1024;
}  // namespace

HRESULT SdlMasteringVoice::Open(SDL_AudioCallback fill, void* userdata,
                                std::unique_ptr<SdlMasteringVoice>* voice, std::string* error) {
    SDL_AudioSpec wanted{};
    wanted.freq = PreferredRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = PeriodFrames;
    wanted.callback = fill;
    wanted.userdata = userdata;
    // The sample format stays ours (SDL converts if the hardware differs); the voices follow
    // whatever rate and channel count the device prefers.
    const int changes = SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE |
                        SDL_AUDIO_ALLOW_SAMPLES_CHANGE;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, changes);
    if (device == 0) {
        *error = SDL_GetError();
        return E_FAIL;
    }
    voice->reset(new SdlMasteringVoice(device, obtained));
    SDL_PauseAudioDevice(device, 0);
    return S_OK;
}

SdlMasteringVoice::~SdlMasteringVoice() { SDL_CloseAudioDevice(DeviceId); }

}  // namespace audio
