#pragma once

#include <SDL2/SDL_audio.h>

#include <memory>
#include <string>

#include "platform/audio_engine.h"

namespace audio {

// The default output device. It runs from the moment it opens and plays silence until source
// voices are mixed into it.
class SdlMasteringVoice final : public MasteringVoice {
public:
    // Opens the default output device, which calls fill(userdata, ...) on SDL's audio thread for
    // every period of output. E_FAIL with the reason when there is no output device.
    static HRESULT Open(SDL_AudioCallback fill, void* userdata,
                        std::unique_ptr<SdlMasteringVoice>* voice, std::string* error);
    ~SdlMasteringVoice() override;
    SdlMasteringVoice(const SdlMasteringVoice&) = delete;
    SdlMasteringVoice& operator=(const SdlMasteringVoice&) = delete;

    SDL_AudioDeviceID Device() const { return DeviceId; }
    // What the device is fed: 16-bit native-endian samples at its own rate and channel count.
    const SDL_AudioSpec& Output() const { return Spec; }

private:
    SdlMasteringVoice(SDL_AudioDeviceID device, const SDL_AudioSpec& spec)
        : DeviceId(device), Spec(spec) {}

    SDL_AudioDeviceID DeviceId;
    SDL_AudioSpec Spec;
};

}  // namespace audio
