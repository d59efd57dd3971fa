#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "headless/offscreen_show.h"
#include "platform/crt_random.h"
#include "platform/process_globals.h"
#include "shell/application.h"
#include "shell/scene_light_switch.h"
#include "tests/reliability/soak_platform.h"
#include "tests/support/recording_message_box.h"
#include "tests/support/test_scale.h"

namespace {

using Script = std::vector<SoakPlatform::TimedEvent>;

// Events come while the show still runs (it ends a little after 119 s).
constexpr uint32_t ShowLength = 115000;

shell::Event Key(shell::EventKind kind, uint32_t key) { return {kind, key}; }

// A window message the procedure has no use for (moved, exposed, focus and the like).
shell::Event WindowMessage() { return {shell::EventKind::Other, 0}; }

// Presses of 'L' (some held through auto-repeat), other keys, and window events that are not
// a close request, at random moments of the show.
Script RandomScript(std::mt19937& random, int events) {
    using shell::EventKind;
    // Letters, space, return, digits, keys without a code; 'L' and Escape with Alt held.
    static const shell::Event otherKeys[] = {
        {EventKind::KeyDown, 'A'},      {EventKind::KeyDown, 'K'},
        {EventKind::KeyDown, 'M'},      {EventKind::KeyDown, ' '},
        {EventKind::KeyDown, 13},       {EventKind::KeyDown, '1'},
        {EventKind::KeyDown, 0},        {EventKind::SystemKeyDown, 'L'},
        {EventKind::SystemKeyDown, 27}, {EventKind::SystemKeyDown, 0}};
    std::uniform_int_distribution<uint32_t> when(0, ShowLength);
    Script script;
    for (int i = 0; i < events; ++i) {
        const uint32_t at = when(random);
        switch (random() % 3) {
            case 0: {
                const int repeats = static_cast<int>(random() % 6);
                script.push_back({at, Key(EventKind::KeyDown, shell::VkL)});
                for (int r = 0; r < repeats; ++r) {
                    script.push_back({at + 30u * (r + 1), Key(EventKind::KeyDown, shell::VkL)});
                }
                script.push_back({at + 30u * (repeats + 1), Key(EventKind::KeyUp, shell::VkL)});
                break;
            }
            case 1: {
                shell::Event key = otherKeys[random() % std::size(otherKeys)];
                script.push_back({at, key});
                key.Kind =
                    key.Kind == EventKind::KeyDown ? EventKind::KeyUp : EventKind::SystemKeyUp;
                script.push_back({at + 50, key});
                break;
            }
            default:
                script.push_back({at, WindowMessage()});
                break;
        }
    }
    std::stable_sort(script.begin(), script.end(),
                     [](const auto& a, const auto& b) { return a.ShowTime < b.ShowTime; });
    return script;
}

struct RunResult {
    int ExitStatus = -1;
    bool Finished = false;
    size_t Boxes = 0;
    std::vector<std::string> Violations;
    int EventsDelivered = 0;
    uint64_t CallHash = 0;
};

// One whole show through the shell on the device double, as a fresh process would play it.
RunResult PlayThroughShell(uint32_t startTime, const Script& script) {
    platform::VirtualClock clock(startTime);
    platform::Clock* previous = platform::UseClock(&clock);
    testing_support::RecordingMessageBox boxes;
    crt::srand(1);
    NextLightIndex = 1;
    RunResult result;
    {
        // The device outlives the scene, which releases its resources on the way out.
        SoakPlatform platform(clock, script);
        CTalvoScene0001 scene;
        SceneLightSwitch lights(scene);
        Application shell(platform, scene, lights);
        result.ExitStatus = shell.Run();
        result.Finished = scene.ShowFinished();
        result.EventsDelivered = platform.Delivered;
        result.Violations = platform.Graphics.Device.Violations;
        // Every call with its arguments and matrix, in order: two runs that hash alike drew alike.
        uint64_t hash = 1469598103934665603u;
        for (const auto& call : platform.Graphics.Device.Calls) {
            for (unsigned char c : call.Name) hash = (hash ^ c) * 1099511628211u;
            for (uint32_t argument : call.Arguments) hash = (hash ^ argument) * 1099511628211u;
            for (int i = 0; i < 16; ++i) {
                uint32_t bits = 0;
                std::memcpy(&bits, call.Matrix.Data() + i, sizeof bits);
                hash = (hash ^ bits) * 1099511628211u;
            }
        }
        result.CallHash = hash;
    }
    result.Boxes = boxes.Boxes.size();
    GraphicsDevice = nullptr;
    Direct3DObject = nullptr;
    BackdropVertexBuffer = nullptr;
    AudioEngine = nullptr;
    MasteringVoice = nullptr;
    platform::UseClock(previous);
    return result;
}

// Start times anywhere, some of them so close to the clock's wrap that it wraps mid-show.
uint32_t RandomStartTime(std::mt19937& random) {
    if (random() % 3 == 0) {
        return 0xFFFFFFFFu - static_cast<uint32_t>(random() % 150000);
    }
    return static_cast<uint32_t>(random());
}

class Soak : public ::testing::TestWithParam<int> {};

TEST_P(Soak, EveryRunPlaysToTheEndWhateverArrives) {
    constexpr int RunsPerShard = 10 / WholeShowScale;
    std::mt19937 random(static_cast<uint32_t>(GetParam()) * 7919u + 17u);
    int lPresses = 0;
    int events = 0;
    for (int run = 0; run < RunsPerShard; ++run) {
        const uint32_t start = RandomStartTime(random);
        const Script script = RandomScript(random, static_cast<int>(random() % 40));
        for (const auto& timed : script) {
            // One release per press, however long it was held.
            lPresses +=
                timed.Event.Kind == shell::EventKind::KeyUp && timed.Event.VirtualKey == shell::VkL;
        }
        events += static_cast<int>(script.size());
        const RunResult result = PlayThroughShell(start, script);
        SCOPED_TRACE("shard " + std::to_string(GetParam()) + " run " + std::to_string(run) +
                     " start " + std::to_string(start));
        EXPECT_EQ(result.ExitStatus, 0);
        EXPECT_TRUE(result.Finished);
        EXPECT_EQ(result.Boxes, 0u);
        EXPECT_EQ(result.EventsDelivered, static_cast<int>(script.size()));
        EXPECT_TRUE(result.Violations.empty()) << result.Violations.front();
    }
    std::printf("soak shard %d: %d runs, %d events, %d presses of L\n", GetParam(), RunsPerShard,
                events, lPresses);
}

INSTANTIATE_TEST_SUITE_P(FiftyRuns, Soak, ::testing::Range(0, 5));

TEST(SoakDeterminism, RunsWithoutInputDrawAlike) {
    const RunResult reference = PlayThroughShell(4000000, {});
    const RunResult again = PlayThroughShell(4000000, {});
    EXPECT_EQ(reference.CallHash, again.CallHash);
    // A message resets the random sequence, so input makes a difference the hash sees.
    const RunResult touched = PlayThroughShell(4000000, {{60000, WindowMessage()}});
    EXPECT_NE(reference.CallHash, touched.CallHash);
}

// Frame checksums of a whole show on the real device, at every 10th frame.
std::vector<uint64_t> FrameChecksums(uint32_t startTime, const std::vector<double>& pressL) {
    OffscreenShow show(startTime);
    std::string error;
    EXPECT_TRUE(show.StartUp(&error)) << error;
    std::vector<uint64_t> sums;
    size_t nextPress = 0;
    uint32_t showTime = 0;
    for (;;) {
        while (nextPress < pressL.size() && showTime + 40 > pressL[nextPress] * 1000) {
            show.PressKey(shell::VkL);
            ++nextPress;
        }
        const OffscreenShow::Frame frame = show.Advance();
        showTime = frame.ShowTime;
        if (frame.Drawn && frame.Number % 10 == 0) {
            RgbaImage image;
            EXPECT_TRUE(show.ReadFrame(&image));
            uint64_t sum = 1469598103934665603u;
            for (uint8_t byte : image.Pixels) sum = (sum ^ byte) * 1099511628211u;
            sums.push_back(sum);
        }
        if (Failed(frame.Result)) {
            EXPECT_TRUE(show.Finished());
            return sums;
        }
    }
}

TEST(RealDeviceSoak, ShowsAreDeterministicAndSurviveKeys) {
    if (WholeShowScale > 1) {
        GTEST_SKIP() << "three shows on software OpenGL: the normal build plays them";
    }
    const std::vector<uint64_t> reference = FrameChecksums(250000, {});
    EXPECT_EQ(FrameChecksums(250000, {}), reference);
    const std::vector<uint64_t> pressed =
        FrameChecksums(0xFFFFFFFFu - 50000, {3.3, 26.0, 71.2, 100.0});
    EXPECT_EQ(pressed.size(), reference.size());
}

}  // namespace
