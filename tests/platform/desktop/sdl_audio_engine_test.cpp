#include "platform/desktop/sdl_audio_engine.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop/sdl_audio_results.h"

namespace {

using namespace std::chrono_literals;
using audio::SdlAudioEngine;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : Name(name) {
        if (const char* old = std::getenv(name)) {
            Old = old;
        }
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (Old) {
            setenv(Name.c_str(), Old->c_str(), 1);
        } else {
            unsetenv(Name.c_str());
        }
    }

private:
    std::string Name;
    std::optional<std::string> Old;
};

audio::WaveFormat TrackFormat() {
    audio::WaveFormat format;
    format.FormatTag = audio::FormatPcm;
    format.Channels = 2;
    format.SamplesPerSec = 37800;
    format.AvgBytesPerSec = 151200;
    format.BlockAlign = 4;
    format.BitsPerSample = 16;
    return format;
}

// Waits up to a limit for a condition that SDL's audio thread makes true.
template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

bool HasAudioDriver(const char* name) {
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
        if (std::string(SDL_GetAudioDriver(i)) == name) {
            return true;
        }
    }
    return false;
}

class SdlAudioEngineTest : public ::testing::Test {
protected:
    ScopedEnvironment Driver{"SDL_AUDIODRIVER", "dummy"};
};

TEST_F(SdlAudioEngineTest, VoicesNeedTheMasteringVoiceAndThereIsOnlyOne) {
    SdlAudioEngine engine;
    audio::MasteringVoice* mastering = nullptr;
    EXPECT_EQ(engine.CreateMasteringVoice(&mastering), audio::InvalidCall);
    ASSERT_EQ(engine.Initialize(), S_OK) << engine.LastError();

    const audio::WaveFormat format = TrackFormat();
    audio::SourceVoice* voice = nullptr;
    EXPECT_EQ(engine.CreateSourceVoice(&voice, &format, 0, 2.0f), audio::InvalidCall);
    EXPECT_EQ(voice, nullptr);

    ASSERT_EQ(engine.CreateMasteringVoice(&mastering), S_OK) << engine.LastError();
    EXPECT_NE(mastering, nullptr);
    audio::MasteringVoice* second = nullptr;
    EXPECT_EQ(engine.CreateMasteringVoice(&second), audio::InvalidCall);
    EXPECT_EQ(second, nullptr);

    audio::WaveFormat eightBit = format;
    eightBit.BitsPerSample = 8;
    eightBit.BlockAlign = 2;
    EXPECT_EQ(engine.CreateSourceVoice(&voice, &eightBit, 0, 2.0f), audio::InvalidArgument);
    EXPECT_FALSE(engine.LastError().empty());
    EXPECT_EQ(engine.CreateSourceVoice(&voice, &format, 0, 2.0f), S_OK);
    EXPECT_NE(voice, nullptr);
}

TEST_F(SdlAudioEngineTest, TheOutputPullsTheVoiceInRealTimeOnlyAfterStart) {
    SdlAudioEngine engine;
    ASSERT_EQ(engine.Initialize(), S_OK) << engine.LastError();
    audio::MasteringVoice* mastering = nullptr;
    ASSERT_EQ(engine.CreateMasteringVoice(&mastering), S_OK) << engine.LastError();
    const audio::WaveFormat format = TrackFormat();
    audio::SourceVoice* created = nullptr;
    ASSERT_EQ(engine.CreateSourceVoice(&created, &format, 0, 2.0f), S_OK);
    auto* voice = static_cast<audio::SdlSourceVoice*>(created);

    // 1.5 s of a quiet tone.
    std::vector<uint8_t> samples(37800 * 3 / 2 * 4);
    for (size_t i = 0; i < samples.size(); i += 2) {
        samples[i] = 0x40;
    }
    audio::AudioBuffer buffer;
    buffer.Flags = audio::EndOfStream;
    buffer.AudioBytes = static_cast<uint32_t>(samples.size());
    buffer.AudioData = samples.data();
    ASSERT_EQ(voice->SubmitSourceBuffer(&buffer), S_OK);

    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(voice->ReadPosition(), 0u);

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(voice->Start(0, audio::CommitNow), S_OK);
    EXPECT_TRUE(WaitFor([&] { return voice->ReadPosition() > 0; }, 1000ms));
    std::this_thread::sleep_for(300ms);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (elapsed < 1200ms) {  // a stalled machine says nothing about the pace
        EXPECT_FALSE(voice->Finished());
        EXPECT_LT(voice->ReadPosition(), buffer.AudioBytes);
    }
    EXPECT_TRUE(WaitFor([&] { return voice->Finished(); }, 5000ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1400ms);
    EXPECT_EQ(voice->ReadPosition(), buffer.AudioBytes);
}

TEST(SdlAudioEngineFailure, NoAudioDriverFailsInitialisationWithAReason) {
    ScopedEnvironment driver("SDL_AUDIODRIVER", "nonexistent");
    SdlAudioEngine engine;
    EXPECT_TRUE(Failed(engine.Initialize()));
    EXPECT_NE(engine.LastError().find("nonexistent"), std::string::npos) << engine.LastError();
    audio::MasteringVoice* mastering = nullptr;
    EXPECT_TRUE(Failed(engine.CreateMasteringVoice(&mastering)));
    EXPECT_EQ(mastering, nullptr);
}

TEST(SdlAudioEngineFailure, NoOutputDeviceFailsTheMasteringVoiceWithAReason) {
    // The disk driver "plays" into a file; one that cannot be created is a missing device.
    ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
    ScopedEnvironment file("SDL_DISKAUDIOFILE", "/nonexistent-directory/banner-audio.raw");
    if (!HasAudioDriver("disk")) {
        GTEST_SKIP() << "this SDL has no disk audio driver";
    }
    SdlAudioEngine engine;
    ASSERT_EQ(engine.Initialize(), S_OK) << engine.LastError();
    audio::MasteringVoice* mastering = nullptr;
    EXPECT_EQ(engine.CreateMasteringVoice(&mastering), E_FAIL);
    EXPECT_EQ(mastering, nullptr);
    EXPECT_FALSE(engine.LastError().empty());
}

}  // namespace
