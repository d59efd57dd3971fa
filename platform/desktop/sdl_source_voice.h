#pragma once

#include <SDL2/SDL_audio.h>

#include <atomic>
#include <memory>
#include <string>

#include "platform/audio_engine.h"

namespace audio {

// A voice that plays one submitted buffer of 16-bit PCM, converted on the fly to the output's
// rate and channel count. The buffer is read in place, a little ahead of playback, so its data
// must stay valid while the voice plays. SDL's audio thread pulls from the voice; the main thread
// only submits and starts it.
class SdlSourceVoice final : public SourceVoice {
public:
    // 16-bit PCM with 1 to 8 channels at 1000 to 200000 Hz; anything else is refused.
    static bool IsSupported(const WaveFormat& format);

    // device is the output that pulls from the voice; its lock guards the submitted buffer
    // (0 for a voice that no device pulls from).
    static HRESULT Create(const WaveFormat& format, const SDL_AudioSpec& output,
                          SDL_AudioDeviceID device, std::unique_ptr<SdlSourceVoice>* voice,
                          std::string* error);
    ~SdlSourceVoice() override;
    SdlSourceVoice(const SdlSourceVoice&) = delete;
    SdlSourceVoice& operator=(const SdlSourceVoice&) = delete;

    // One whole buffer, no play region, no loop; a second buffer is refused.
    HRESULT SubmitSourceBuffer(const AudioBuffer* buffer) override;
    // Starts playback once; the voice is never stopped, so a later call changes nothing.
    HRESULT Start(uint32_t flags, uint32_t operationSet) override;

    // Audio thread: adds the voice's next length bytes of output to output. scratch has room for
    // length bytes.
    void MixInto(uint8_t* output, int length, uint8_t* scratch);

    // Bytes of the submitted buffer read so far.
    uint32_t ReadPosition() const { return Position.load(std::memory_order_acquire); }
    // The buffer marked as the end of the stream has been played out; silence from now on.
    bool Finished() const { return Ended.load(std::memory_order_acquire); }

private:
    SdlSourceVoice(SDL_AudioStream* stream, SDL_AudioDeviceID device, SDL_AudioFormat output,
                   uint16_t blockAlign)
        : Stream(stream), Device(device), OutputFormat(output), BlockAlign(blockAlign) {}

    // Converts more of the buffer until length bytes of output wait (or the buffer is used up).
    void Feed(int length);
    void ReleasePlayed();
    void LockDevice() const;
    void UnlockDevice() const;

    SDL_AudioStream* Stream;
    SDL_AudioDeviceID Device;
    SDL_AudioFormat OutputFormat;
    uint16_t BlockAlign;
    // Guarded by the device lock.
    AudioBuffer Buffer;
    bool HasBuffer = false;
    uint32_t Offset = 0;
    uint32_t Released = 0;  // bytes of the buffer handed back to the kernel
    bool Flushed = false;
    // Read by the main thread while the audio thread plays.
    std::atomic<uint32_t> Position{0};
    std::atomic<bool> Started{false};
    std::atomic<bool> Ended{false};
};

}  // namespace audio
