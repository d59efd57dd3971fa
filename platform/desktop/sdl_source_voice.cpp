#include "platform/desktop/sdl_source_voice.h"

#include <SDL2/SDL_error.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "platform/desktop/sdl_audio_results.h"

namespace audio {
namespace {
constexpr uint32_t FeedFrames = 1024;
constexpr uint32_t MinimumRate = 1000;
constexpr uint32_t MaximumRate = 200000;
constexpr uint16_t MaximumChannels = 8;
// SDL's rate converter loses up to a few milliseconds at the end when flushed; trailing silence
// carries the last real samples out.
constexpr uint32_t TrailingSilenceFrames = 256;
constexpr uint8_t Silence[TrailingSilenceFrames * MaximumChannels * 2] = {};
}  // namespace

bool SdlSourceVoice::IsSupported(const WaveFormat& format) {
    return format.FormatTag == FormatPcm && format.BitsPerSample == 16 && format.Channels >= 1 &&
           format.Channels <= MaximumChannels && format.SamplesPerSec >= MinimumRate &&
           format.SamplesPerSec <= MaximumRate && format.BlockAlign == format.Channels * 2;
}

HRESULT SdlSourceVoice::Create(const WaveFormat& format, const SDL_AudioSpec& output,
                               SDL_AudioDeviceID device, std::unique_ptr<SdlSourceVoice>* voice,
                               std::string* error) {
    if (!IsSupported(format)) {
        *error = "only 16-bit PCM with 1 to 8 channels at 1000 to 200000 Hz can be played";
        return InvalidArgument;
    }
    // The samples are little-endian whatever the machine.
    SDL_AudioStream* stream = SDL_NewAudioStream(AUDIO_S16LSB, static_cast<Uint8>(format.Channels),
                                                 static_cast<int>(format.SamplesPerSec),
                                                 output.format, output.channels, output.freq);
    if (stream == nullptr) {
        *error = SDL_GetError();
        return E_FAIL;
    }
    voice->reset(new SdlSourceVoice(stream, device, output.format, format.BlockAlign));
    return S_OK;
}

SdlSourceVoice::~SdlSourceVoice() { SDL_FreeAudioStream(Stream); }

HRESULT SdlSourceVoice::SubmitSourceBuffer(const AudioBuffer* buffer) {
    if (buffer == nullptr || buffer->AudioData == nullptr || buffer->AudioBytes == 0 ||
        buffer->AudioBytes % BlockAlign != 0) {
        return InvalidArgument;
    }
    if (buffer->PlayBegin != 0 || buffer->PlayLength != 0 || buffer->LoopBegin != 0 ||
        buffer->LoopLength != 0 || buffer->LoopCount != 0) {
        return InvalidArgument;
    }
    LockDevice();
    const bool accepted = !HasBuffer;
    if (accepted) {
        Buffer = *buffer;
        HasBuffer = true;
    }
    UnlockDevice();
    return accepted ? S_OK : InvalidCall;
}

HRESULT SdlSourceVoice::Start(uint32_t, uint32_t) {
    Started.store(true, std::memory_order_release);
    return S_OK;
}

void SdlSourceVoice::MixInto(uint8_t* output, int length, uint8_t* scratch) {
    if (!Started.load(std::memory_order_acquire) || Finished() || !HasBuffer) {
        return;
    }
    Feed(length);
    const int converted = SDL_AudioStreamGet(Stream, scratch, length);
    if (converted > 0) {
        SDL_MixAudioFormat(output, scratch, OutputFormat, static_cast<Uint32>(converted),
                           SDL_MIX_MAXVOLUME);
    }
    if (Flushed && SDL_AudioStreamAvailable(Stream) == 0) {
        Ended.store(true, std::memory_order_release);
    }
}

void SdlSourceVoice::Feed(int length) {
    const uint32_t chunk = FeedFrames * BlockAlign;
    while (Offset < Buffer.AudioBytes && SDL_AudioStreamAvailable(Stream) < length) {
        const uint32_t bytes = std::min(chunk, Buffer.AudioBytes - Offset);
        if (SDL_AudioStreamPut(Stream, Buffer.AudioData + Offset, static_cast<int>(bytes)) != 0) {
            return;  // out of memory: try again next period
        }
        Offset += bytes;
        Position.store(Offset, std::memory_order_release);
    }
    ReleasePlayed();
    // Without the end-of-stream mark the voice only starves, as it would waiting for more data.
    if (Offset == Buffer.AudioBytes && (Buffer.Flags & EndOfStream) != 0 && !Flushed) {
        SDL_AudioStreamPut(Stream, Silence, static_cast<int>(TrailingSilenceFrames * BlockAlign));
        SDL_AudioStreamFlush(Stream);
        Flushed = true;
    }
}

// The track is played once, straight through, from memory that the program file backs: the
// pages behind the read position can go back to the kernel, which reads them again from the
// file should anyone look. Paging out keeps the contents, so other memory is safe too.
void SdlSourceVoice::ReleasePlayed() {
    constexpr uint32_t Step = 1 << 20;
    if (Offset - Released < Step) {
        return;
    }
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<uintptr_t>(Buffer.AudioData + Released);
    const auto end = reinterpret_cast<uintptr_t>(Buffer.AudioData + Offset);
    const uintptr_t first = (begin + page - 1) / page * page;
    const uintptr_t last = end / page * page;
    if (last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_PAGEOUT);
        Released = static_cast<uint32_t>(last - reinterpret_cast<uintptr_t>(Buffer.AudioData));
    }
}

void SdlSourceVoice::LockDevice() const {
    if (Device != 0) {
        SDL_LockAudioDevice(Device);
    }
}

void SdlSourceVoice::UnlockDevice() const {
    if (Device != 0) {
        SDL_UnlockAudioDevice(Device);
    }
}

}  // namespace audio
