#pragma once

#include <cstdint>

#include "platform/result.h"

// The audio operations the scene relies on: an engine with one default output (the mastering
// voice) and source voices that play one submitted PCM buffer, read in place.
namespace audio {

#pragma pack(push, 1)
// The PCM wave format record followed by its extension size (18 bytes).
struct WaveFormat {
    uint16_t FormatTag = 0;
    uint16_t Channels = 0;
    uint32_t SamplesPerSec = 0;
    uint32_t AvgBytesPerSec = 0;
    uint16_t BlockAlign = 0;
    uint16_t BitsPerSample = 0;
    uint16_t ExtensionSize = 0;
};

// The extensible form (40 bytes); only the leading PCM record is ever filled here.
struct WaveFormatExtensible {
    WaveFormat Format;
    uint16_t ValidBitsPerSample = 0;
    uint32_t ChannelMask = 0;
    uint8_t SubFormat[16] = {};
};
#pragma pack(pop)

static_assert(sizeof(WaveFormat) == 18);
static_assert(sizeof(WaveFormatExtensible) == 40);

inline constexpr uint16_t FormatPcm = 1;
inline constexpr uint32_t EndOfStream = 0x40;
inline constexpr uint32_t CommitNow = 0;

struct AudioBuffer {
    uint32_t Flags = 0;
    uint32_t AudioBytes = 0;
    const uint8_t* AudioData = nullptr;  // read in place for as long as the voice plays
    uint32_t PlayBegin = 0;
    uint32_t PlayLength = 0;
    uint32_t LoopBegin = 0;
    uint32_t LoopLength = 0;
    uint32_t LoopCount = 0;
    void* Context = nullptr;
};

class SourceVoice {
public:
    virtual HRESULT SubmitSourceBuffer(const AudioBuffer* buffer) = 0;
    virtual HRESULT Start(uint32_t flags, uint32_t operationSet) = 0;

protected:
    virtual ~SourceVoice() = default;
};

class MasteringVoice {
protected:
    virtual ~MasteringVoice() = default;
};

class Engine {
public:
    // The voice that feeds the default output device.
    virtual HRESULT CreateMasteringVoice(MasteringVoice** voice) = 0;
    // A voice for the given PCM format, feeding the mastering voice.
    virtual HRESULT CreateSourceVoice(SourceVoice** voice, const WaveFormat* format, uint32_t flags,
                                      float maxFrequencyRatio) = 0;

protected:
    virtual ~Engine() = default;
};

}  // namespace audio
