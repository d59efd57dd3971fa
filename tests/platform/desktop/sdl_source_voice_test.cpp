#include "platform/desktop/sdl_source_voice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/sdl_audio_results.h"

namespace {

using audio::AudioBuffer;
using audio::SdlSourceVoice;
using audio::WaveFormat;

WaveFormat Pcm16(uint16_t channels, uint32_t rate) {
    WaveFormat format;
    format.FormatTag = audio::FormatPcm;
    format.Channels = channels;
    format.SamplesPerSec = rate;
    format.BlockAlign = static_cast<uint16_t>(channels * 2);
    format.AvgBytesPerSec = rate * format.BlockAlign;
    format.BitsPerSample = 16;
    return format;
}

SDL_AudioSpec OutputSpec(uint8_t channels, int rate) {
    SDL_AudioSpec spec{};
    spec.freq = rate;
    spec.format = AUDIO_S16SYS;
    spec.channels = channels;
    return spec;
}

// Interleaved stereo samples, little-endian as the track stores them.
std::vector<uint8_t> StereoSamples(size_t frames, int16_t left, int16_t right) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < frames; ++i) {
        for (const int16_t sample : {left, right}) {
            const auto bits = static_cast<uint16_t>(sample);
            bytes.push_back(static_cast<uint8_t>(bits & 0xFF));
            bytes.push_back(static_cast<uint8_t>(bits >> 8));
        }
    }
    return bytes;
}

AudioBuffer WholeBuffer(const std::vector<uint8_t>& bytes, uint32_t flags) {
    AudioBuffer buffer;
    buffer.Flags = flags;
    buffer.AudioBytes = static_cast<uint32_t>(bytes.size());
    buffer.AudioData = bytes.data();
    return buffer;
}

// Pulls output from a voice the way the device does, one period at a time.
class VoiceOutput {
public:
    explicit VoiceOutput(SdlSourceVoice& voice) : Voice(voice) {}

    std::vector<int16_t> Period(int frames = 256, int channels = 2) {
        std::vector<int16_t> samples(static_cast<size_t>(frames * channels), 0);
        const int bytes = static_cast<int>(samples.size() * sizeof(int16_t));
        Scratch.resize(static_cast<size_t>(bytes));
        Voice.MixInto(reinterpret_cast<uint8_t*>(samples.data()), bytes, Scratch.data());
        return samples;
    }

private:
    SdlSourceVoice& Voice;
    std::vector<uint8_t> Scratch;
};

bool AllZero(const std::vector<int16_t>& samples) {
    for (const int16_t sample : samples) {
        if (sample != 0) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<SdlSourceVoice> MakeVoice(const WaveFormat& format, const SDL_AudioSpec& output) {
    std::unique_ptr<SdlSourceVoice> voice;
    std::string error;
    EXPECT_EQ(SdlSourceVoice::Create(format, output, 0, &voice, &error), S_OK) << error;
    return voice;
}

TEST(SdlSourceVoiceFormat, AcceptsTheTrackFormatAndRefusesOthers) {
    EXPECT_TRUE(SdlSourceVoice::IsSupported(Pcm16(2, 37800)));
    EXPECT_TRUE(SdlSourceVoice::IsSupported(Pcm16(1, 1000)));

    std::vector<WaveFormat> refused(7, Pcm16(2, 37800));
    refused[0].BitsPerSample = 8;
    refused[0].BlockAlign = 2;
    refused[1].Channels = 0;
    refused[1].BlockAlign = 0;
    refused[2] = Pcm16(9, 37800);
    refused[3].FormatTag = 3;  // float
    refused[4].SamplesPerSec = 0;
    refused[5].SamplesPerSec = 200001;
    refused[6].BlockAlign = 2;  // does not match two channels
    for (const WaveFormat& format : refused) {
        std::unique_ptr<SdlSourceVoice> voice;
        std::string error;
        EXPECT_EQ(SdlSourceVoice::Create(format, OutputSpec(2, 48000), 0, &voice, &error),
                  audio::InvalidArgument);
        EXPECT_EQ(voice, nullptr);
        EXPECT_FALSE(error.empty());
    }
}

TEST(SdlSourceVoiceBuffer, RefusesBuffersItCannotPlayAndASecondBuffer) {
    auto voice = MakeVoice(Pcm16(2, 48000), OutputSpec(2, 48000));
    const auto samples = StereoSamples(64, 1, 1);
    AudioBuffer odd = WholeBuffer(samples, audio::EndOfStream);
    odd.AudioBytes -= 2;  // half a frame
    AudioBuffer empty = WholeBuffer(samples, audio::EndOfStream);
    empty.AudioBytes = 0;
    AudioBuffer noData = WholeBuffer(samples, audio::EndOfStream);
    noData.AudioData = nullptr;
    AudioBuffer looped = WholeBuffer(samples, audio::EndOfStream);
    looped.LoopCount = 1;
    AudioBuffer region = WholeBuffer(samples, audio::EndOfStream);
    region.PlayBegin = 8;

    EXPECT_EQ(voice->SubmitSourceBuffer(nullptr), audio::InvalidArgument);
    for (const AudioBuffer& bad : {odd, empty, noData, looped, region}) {
        EXPECT_EQ(voice->SubmitSourceBuffer(&bad), audio::InvalidArgument);
    }
    const AudioBuffer good = WholeBuffer(samples, audio::EndOfStream);
    EXPECT_EQ(voice->SubmitSourceBuffer(&good), S_OK);
    EXPECT_EQ(voice->SubmitSourceBuffer(&good), audio::InvalidCall);
}

TEST(SdlSourceVoicePlayback, SilentAndUnreadUntilStarted) {
    auto voice = MakeVoice(Pcm16(2, 48000), OutputSpec(2, 48000));
    const auto samples = StereoSamples(1000, 1200, -1200);
    const AudioBuffer buffer = WholeBuffer(samples, audio::EndOfStream);
    ASSERT_EQ(voice->SubmitSourceBuffer(&buffer), S_OK);
    VoiceOutput output(*voice);
    for (int period = 0; period < 8; ++period) {
        EXPECT_TRUE(AllZero(output.Period()));
    }
    EXPECT_EQ(voice->ReadPosition(), 0u);
    EXPECT_FALSE(voice->Finished());
}

TEST(SdlSourceVoicePlayback, PlaysTheBufferOnceThenStaysSilent) {
    auto voice = MakeVoice(Pcm16(2, 48000), OutputSpec(2, 48000));
    const auto samples = StereoSamples(600, 1200, -700);
    const AudioBuffer buffer = WholeBuffer(samples, audio::EndOfStream);
    ASSERT_EQ(voice->SubmitSourceBuffer(&buffer), S_OK);
    ASSERT_EQ(voice->Start(0, audio::CommitNow), S_OK);
    VoiceOutput output(*voice);

    // Same rate and layout: the samples come out unchanged, 256 frames a period.
    const auto first = output.Period();
    EXPECT_EQ(first[0], 1200);
    EXPECT_EQ(first[1], -700);
    EXPECT_EQ(first[511], -700);
    EXPECT_GT(voice->ReadPosition(), 0u);
    output.Period();
    const auto last = output.Period();  // frames 512..599, then silence
    EXPECT_EQ(last[2 * 87], 1200);
    EXPECT_EQ(last[2 * 88], 0);
    EXPECT_EQ(last[2 * 255 + 1], 0);
    EXPECT_EQ(voice->ReadPosition(), buffer.AudioBytes);
    // A little trailing silence, then the voice reports the end.
    for (int period = 0; period < 4 && !voice->Finished(); ++period) {
        EXPECT_TRUE(AllZero(output.Period()));
    }
    EXPECT_TRUE(voice->Finished());
    EXPECT_TRUE(AllZero(output.Period()));

    // Never restarted: a second Start changes nothing.
    EXPECT_EQ(voice->Start(0, audio::CommitNow), S_OK);
    EXPECT_TRUE(AllZero(output.Period()));
    EXPECT_TRUE(voice->Finished());
    EXPECT_EQ(voice->ReadPosition(), buffer.AudioBytes);
}

TEST(SdlSourceVoicePlayback, ReadsTheSubmittedDataInPlace) {
    auto voice = MakeVoice(Pcm16(2, 48000), OutputSpec(2, 48000));
    auto samples = StereoSamples(256, 100, 100);
    const AudioBuffer buffer = WholeBuffer(samples, audio::EndOfStream);
    ASSERT_EQ(voice->SubmitSourceBuffer(&buffer), S_OK);
    // Written after the submission, before playback: what plays is what the memory holds then.
    const auto later = StereoSamples(256, 3000, -3000);
    std::memcpy(samples.data(), later.data(), later.size());
    voice->Start(0, audio::CommitNow);
    VoiceOutput output(*voice);
    const auto played = output.Period();
    EXPECT_EQ(played[0], 3000);
    EXPECT_EQ(played[1], -3000);
}

TEST(SdlSourceVoicePlayback, WithoutEndOfStreamStarvesButNeverFinishes) {
    auto voice = MakeVoice(Pcm16(2, 48000), OutputSpec(2, 48000));
    const auto samples = StereoSamples(100, 500, 500);
    const AudioBuffer buffer = WholeBuffer(samples, 0);
    ASSERT_EQ(voice->SubmitSourceBuffer(&buffer), S_OK);
    voice->Start(0, audio::CommitNow);
    VoiceOutput output(*voice);
    output.Period();
    EXPECT_TRUE(AllZero(output.Period()));
    EXPECT_EQ(voice->ReadPosition(), buffer.AudioBytes);
    EXPECT_FALSE(voice->Finished());
}

TEST(SdlSourceVoicePlayback, ConvertsTheTrackRateToTheOutputRate) {
    // One second of the track's format into a 48000 Hz output, in 1024-frame periods.
    auto voice = MakeVoice(Pcm16(2, 37800), OutputSpec(2, 48000));
    const auto samples = StereoSamples(37800, 8000, -8000);
    const AudioBuffer buffer = WholeBuffer(samples, audio::EndOfStream);
    ASSERT_EQ(voice->SubmitSourceBuffer(&buffer), S_OK);
    voice->Start(0, audio::CommitNow);
    VoiceOutput output(*voice);
    size_t audibleFrames = 0;
    for (int period = 0; period < 60 && !voice->Finished(); ++period) {
        const auto samplesOut = output.Period(1024);
        for (size_t frame = 0; frame < 1024; ++frame) {
            audibleFrames += samplesOut[2 * frame] != 0 ? 1 : 0;
        }
    }
    EXPECT_TRUE(voice->Finished());
    EXPECT_NEAR(static_cast<double>(audibleFrames), 48000.0, 100.0);
}

}  // namespace
