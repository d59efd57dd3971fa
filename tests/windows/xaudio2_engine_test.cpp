// The audio engine over XAudio2 (Wine's, into a null sink, under the test run).
#include "platform/windows/xaudio2_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows/win32.h"
#include "platform/windows/xaudio2_source_voice.h"

#include <tlhelp32.h>
#include <xaudio2.h>

namespace {

audio::WaveFormat MusicFormat() {
    audio::WaveFormat format;
    format.FormatTag = audio::FormatPcm;
    format.Channels = 2;
    format.SamplesPerSec = 37800;
    format.AvgBytesPerSec = 151200;
    format.BlockAlign = 4;
    format.BitsPerSample = 16;
    return format;
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    }
    CloseHandle(snapshot);
    return count;
}

// An engine with its output and a voice playing, as the programs have them.
audio::XAudio2Engine* Playing() {
    audio::XAudio2Engine* engine = nullptr;
    std::string error;
    if (audio::XAudio2Engine::Create(&engine, &error) != S_OK) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    audio::MasteringVoice* output = nullptr;
    audio::SourceVoice* voice = nullptr;
    const audio::WaveFormat format = MusicFormat();
    static const std::vector<uint8_t> samples(37800 * 4, 0);
    audio::AudioBuffer buffer;
    buffer.AudioBytes = static_cast<uint32_t>(samples.size());
    buffer.AudioData = samples.data();
    EXPECT_EQ(engine->CreateMasteringVoice(&output), S_OK);
    EXPECT_EQ(engine->CreateSourceVoice(&voice, &format, 0, 2.0f), S_OK);
    EXPECT_EQ(voice->SubmitSourceBuffer(&buffer), S_OK);
    EXPECT_EQ(voice->Start(0, audio::CommitNow), S_OK);
    return engine;
}

// The programs end their engine before the process ends, so that no thread of it meets the
// process's own end.
TEST(XAudio2EngineTest, ReleasingTheEngineEndsItsThreads) {
    // The first engine also starts what the system keeps for every later one.
    audio::XAudio2Engine* first = Playing();
    ASSERT_NE(first, nullptr);
    Sleep(100);
    first->Release();
    Sleep(200);
    const int before = ThreadsOfThisProcess();
    audio::XAudio2Engine* engine = Playing();
    ASSERT_NE(engine, nullptr);
    Sleep(100);
    EXPECT_GT(ThreadsOfThisProcess(), before) << "no thread of the engine's own to end";
    engine->Release();
    for (int wait = 0; wait < 200 && ThreadsOfThisProcess() > before; ++wait) {
        Sleep(10);
    }
    EXPECT_EQ(ThreadsOfThisProcess(), before);
}

TEST(XAudio2EngineTest, ASourceVoiceGetsTheFormatAndTheBufferAsGiven) {
    audio::XAudio2Engine* engine = nullptr;
    std::string error;
    ASSERT_EQ(audio::XAudio2Engine::Create(&engine, &error), S_OK) << error;
    audio::MasteringVoice* output = nullptr;
    ASSERT_EQ(engine->CreateMasteringVoice(&output), S_OK);
    ASSERT_NE(output, nullptr);

    const audio::WaveFormat format = MusicFormat();
    audio::SourceVoice* voice = nullptr;
    ASSERT_EQ(engine->CreateSourceVoice(&voice, &format, 0, 2.0f), S_OK);
    IXAudio2SourceVoice* native = static_cast<audio::XAudio2SourceVoice*>(voice)->NativeVoice();
    XAUDIO2_VOICE_DETAILS details{};
    native->GetVoiceDetails(&details);
    EXPECT_EQ(details.InputChannels, 2u);
    EXPECT_EQ(details.InputSampleRate, 37800u);

    // A tenth of a second of silence, the end of the stream: once started, it plays out.
    static const std::vector<uint8_t> samples(37800 / 10 * 4, 0);
    audio::AudioBuffer buffer;
    buffer.Flags = audio::EndOfStream;
    buffer.AudioBytes = static_cast<uint32_t>(samples.size());
    buffer.AudioData = samples.data();
    EXPECT_EQ(voice->SubmitSourceBuffer(&buffer), S_OK);
    XAUDIO2_VOICE_STATE state{};
    native->GetState(&state);
    EXPECT_EQ(state.BuffersQueued, 1u);
    Sleep(200);
    native->GetState(&state);
    EXPECT_EQ(state.BuffersQueued, 1u) << "played before it was started";
    EXPECT_EQ(voice->Start(0, audio::CommitNow), S_OK);
    for (int wait = 0; wait < 300 && state.BuffersQueued != 0; ++wait) {
        Sleep(10);
        native->GetState(&state);
    }
    EXPECT_EQ(state.BuffersQueued, 0u);
    engine->Release();
}

}  // namespace
