#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/scene/scene_harness.h"
#include "tests/support/failing_call.h"
#include "tests/support/test_scale.h"

namespace {

using testing_support::Operation;
using testing_support::SceneHarness;

// Coarse frames keep a whole show short; every phase still gets drawn several times.
constexpr uint32_t CoarseStep = 200;

struct Outcome {
    HRESULT InitResult = S_OK;
    bool Finished = false;
    size_t Boxes = 0;
    std::vector<std::string> Violations;
};

// A whole show on the device double with the given calls failing.
Outcome Play(const std::map<Operation, std::vector<int>>& failures, uint32_t step) {
    SceneHarness harness(100000, false);
    for (const auto& [operation, calls] : failures) {
        for (int call : calls) {
            harness.Device.FailCall(operation, call);
        }
    }
    Outcome outcome;
    harness.Scene().InitAudio();
    outcome.InitResult = harness.Scene().InitResources();
    if (!Failed(outcome.InitResult)) {
        HRESULT result = S_OK;
        for (int frame = 0; result == S_OK && frame < 20000; ++frame) {
            result = harness.Frame(step);
        }
        outcome.Finished = harness.Scene().ShowFinished();
    }
    outcome.Boxes = harness.Boxes.Boxes.size();
    outcome.Violations = harness.Device.Violations;
    return outcome;
}

// How many calls of each operation start-up makes, and how many the whole show makes.
struct CallCounts {
    std::map<Operation, int> StartUp;
    std::map<Operation, int> Show;
};

const CallCounts& ReferenceCounts() {
    static const CallCounts counts = [] {
        CallCounts result;
        SceneHarness harness;
        for (Operation operation : {Operation::CreateVertexBuffer, Operation::CreateTexture,
                                    Operation::CreateTextureFromPng, Operation::LockVertexBuffer,
                                    Operation::LockTexture}) {
            result.StartUp[operation] = harness.Device.CallCount(operation);
        }
        while (!Failed(harness.Frame())) {
        }
        for (const auto& [operation, count] : result.StartUp) {
            result.Show[operation] = harness.Device.CallCount(operation);
        }
        EXPECT_TRUE(harness.Device.Violations.empty());
        return result;
    }();
    return counts;
}

// The calls start-up makes for the particle managers' sprites come last and repeat one code
// path 274 times; a few of them stand for all.
std::vector<int> StartUpCallsToFail(Operation operation) {
    const int count = ReferenceCounts().StartUp.at(operation);
    const int sprites = operation == Operation::CreateTextureFromPng ? 0 : 274;
    std::vector<int> calls;
    for (int call = 0; call < count; ++call) {
        const bool sprite = call >= count - sprites;
        const bool sampled = sprite ? (call - (count - sprites)) % (41 * WholeShowScale) == 0
                                    : call % WholeShowScale == 0;
        if (sampled || call == count - 1) {
            calls.push_back(call);
        }
    }
    return calls;
}

class StartUpFault : public ::testing::TestWithParam<Operation> {};

// The scene's own start-up failures end the program with a box; an object whose resources
// fail is silent, and the show plays to its end drawing only what exists.
TEST_P(StartUpFault, EveryFailingCallLeavesASoundShow) {
    const Operation operation = GetParam();
    const std::vector<int> calls = StartUpCallsToFail(operation);
    ASSERT_FALSE(calls.empty());
    std::printf("%zu start-up faults injected\n", calls.size());
    for (int call : calls) {
        const Outcome outcome = Play({{operation, {call}}}, CoarseStep);
        EXPECT_TRUE(outcome.Violations.empty())
            << "call " << call << ": " << outcome.Violations.front();
        if (Failed(outcome.InitResult)) {
            EXPECT_EQ(outcome.Boxes, 1u) << "call " << call;
        } else {
            EXPECT_TRUE(outcome.Finished) << "call " << call;
            EXPECT_EQ(outcome.Boxes, 0u) << "call " << call;
        }
    }
}

std::string OperationName(const ::testing::TestParamInfo<Operation>& info) {
    return testing_support::OperationName(info.param);
}

INSTANTIATE_TEST_SUITE_P(EachOperation, StartUpFault,
                         ::testing::Values(Operation::CreateTextureFromPng,
                                           Operation::CreateVertexBuffer, Operation::CreateTexture,
                                           Operation::LockVertexBuffer, Operation::LockTexture),
                         OperationName);

// Locks made while the show runs (texture refills, the colour quad) fail now and then: those
// frames draw less, and the show goes on.
TEST(RunningFault, FailedLocksDuringTheShowAreSkipped) {
    for (Operation operation : {Operation::LockTexture, Operation::LockVertexBuffer}) {
        const int during =
            ReferenceCounts().Show.at(operation) - ReferenceCounts().StartUp.at(operation);
        ASSERT_GT(during, 0);
        std::vector<int> calls;
        for (int call = 0; call < during; call += 7) {
            calls.push_back(ReferenceCounts().StartUp.at(operation) + call);
        }
        std::printf("%zu running faults injected\n", calls.size());
        const Outcome outcome = Play({{operation, calls}}, 40);
        EXPECT_TRUE(outcome.Violations.empty()) << outcome.Violations.front();
        EXPECT_TRUE(outcome.Finished);
        EXPECT_EQ(outcome.Boxes, 0u);
    }
}

TEST(RunningFault, FailedBeginSceneEndsTheShowWithOneBox) {
    for (int frame : {0, 700, 2900}) {
        const Outcome outcome = Play({{Operation::BeginScene, {frame}}}, 40);
        EXPECT_FALSE(outcome.Finished);
        EXPECT_EQ(outcome.Boxes, 1u);
        EXPECT_TRUE(outcome.Violations.empty());
    }
}

}  // namespace
