#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "geometry/matrix_math.h"
#include "objects/concave_box/object_concav_box.h"
#include "tests/objects/bubble/bubble_fixture.h"

namespace bubble_test {
namespace {

using testing_support::DrawRecord;
using testing_support::Operation;

constexpr uint32_t ShellTriangles = 128 * 128 - 8;

class BubbleFrame : public BubbleTest {
protected:
    void SetUp() override {
        BubbleTest::SetUp();
        ASSERT_EQ(Bubble.Create(), S_OK);
        const Matrix4 translation = MatrixTranslation(0, 0, 1000);
        Bubble.SetTranslation(&translation);
        Device.ClearRecords();
    }
    // One frame as the scene runs it: Update, then Render.
    int32_t Frame(uint32_t time) {
        Device.ClearRecords();
        Bubble.Update();
        return Bubble.Render(time);
    }
    int Refills() const { return Texture().LockCount; }
    bool SplashDrawn() const {
        return Device.Draws.size() == 1 && Device.Draws[0].Buffer == &Buffer(Quad);
    }
};

TEST_F(BubbleFrame, WholeBubbleDrawsBothShellsWithItsLightOff) {
    for (uint32_t time : {0u, 40u, 100000u}) {
        EXPECT_EQ(Frame(time), 0);
        ASSERT_EQ(Device.Draws.size(), 2u);
        EXPECT_EQ(Device.Draws[0].Buffer, &Buffer(OuterShell));
        EXPECT_EQ(Device.Draws[1].Buffer, &Buffer(InnerShell));
        for (const DrawRecord& draw : Device.Draws) {
            EXPECT_EQ(draw.PrimitiveCount, ShellTriangles);
            EXPECT_EQ(draw.Stride, 36u);
            EXPECT_EQ(draw.Fvf, 0x152u);
            EXPECT_EQ(draw.Texture, nullptr);
            EXPECT_EQ(draw.World, MatrixTranslation(0, 0, 1000));
        }
        EXPECT_FALSE(Device.IsLightEnabled(1));
        EXPECT_EQ(Device.CountCalls("SetTexture"), 0);
    }
}

TEST_F(BubbleFrame, LightStandsTheBurstSizeInFrontAndComesOnWithTheBurst) {
    const Matrix4 translation = MatrixTranslation(5, -6, 700);
    const Matrix4 rotation = MatrixRotationZ(1.0f);
    Bubble.SetTranslation(&translation);
    Bubble.SetRotation(&rotation);
    Bubble.Update();
    const gfx::Light& light = Device.Lights().at(1);
    EXPECT_EQ(light.Type, gfx::LightType::Point);
    EXPECT_EQ(light.Position, Vec3(5, -6, 680));
    EXPECT_EQ(light.Diffuse.r, 1.0f);
    EXPECT_EQ(light.Diffuse.b, 1.0f);
    EXPECT_EQ(light.Diffuse.a, 0.0f);
    EXPECT_EQ(light.Specular.r, 0.0f);
    EXPECT_EQ(light.Ambient.g, 0.0f);
    EXPECT_EQ(light.Range, 100.0f);
    EXPECT_EQ(light.Attenuation2, 0.001f);
    EXPECT_FALSE(Device.IsLightEnabled(1));
    Bubble.Burst(10);
    // It stays on long after the splash is gone.
    for (uint32_t time : {10u, 50u, 5000u}) {
        Frame(time);
        EXPECT_TRUE(Device.IsLightEnabled(1)) << time;
    }
}

TEST_F(BubbleFrame, SplashShowsInTheTwoFramesAfterTheBurstFrame) {
    const int afterCreate = Refills();
    EXPECT_EQ(Frame(1000), 0);
    EXPECT_EQ(Device.Draws.size(), 2u);
    Bubble.Burst(1000);
    for (uint32_t time : {1040u, 1080u}) {
        EXPECT_EQ(Frame(time), 0);
        EXPECT_TRUE(SplashDrawn()) << time;
    }
    EXPECT_EQ(Refills(), afterCreate + 2);
    for (uint32_t time : {1120u, 1160u, 90000u}) {
        EXPECT_EQ(Frame(time), 0);
        EXPECT_TRUE(Device.Draws.empty()) << time;
    }
    EXPECT_EQ(Refills(), afterCreate + 2);
}

TEST_F(BubbleFrame, SplashIsRefilledAtMostEvery30Milliseconds) {
    Bubble.Burst(1000);
    const int before = Refills();
    const std::pair<uint32_t, int> frames[] = {
        {1000, 1},             // the burst's own time counts as due
        {1010, 1}, {1030, 1},  // 30 ms is not yet more than 30
        {1031, 2}, {1099, 3},  // 99 ms after the burst still shows
    };
    for (const auto& [time, refills] : frames) {
        EXPECT_EQ(Frame(time), 0);
        EXPECT_TRUE(SplashDrawn()) << time;
        EXPECT_EQ(Refills() - before, refills) << time;
    }
    Frame(1100);
    EXPECT_TRUE(Device.Draws.empty());
}

TEST_F(BubbleFrame, RefillDrawsANewSplashFromTheGenerator) {
    const std::vector<uint8_t> fromCreate = Texture().Level0;
    Bubble.Burst(0);
    const uint32_t state = crt::RandomState();
    Frame(0);
    EXPECT_NE(crt::RandomState(), state);
    EXPECT_NE(Texture().Level0, fromCreate);
    EXPECT_TRUE(Texture().PaddingUntouched());
    EXPECT_FALSE(Texture().Locked);
}

TEST_F(BubbleFrame, SplashFacesTheEyeWithAddingStagesAndUnbindsItsTexture) {
    const Matrix4 rotation = MatrixRotationZ(0.5f);
    Bubble.SetRotation(&rotation);
    Bubble.Burst(0);
    Frame(0);
    ASSERT_TRUE(SplashDrawn());
    const DrawRecord& splash = Device.Draws[0];
    EXPECT_EQ(splash.PrimitiveCount, 2u);
    EXPECT_EQ(splash.Texture, &Texture());
    EXPECT_EQ(splash.ColorOp, gfx::TextureOpAdd);
    EXPECT_EQ(splash.ColorArg1, gfx::TextureArgTexture);
    EXPECT_EQ(splash.ColorArg2, gfx::TextureArgDiffuse);
    EXPECT_EQ(splash.AlphaOp, gfx::TextureOpAdd);
    EXPECT_EQ(splash.AlphaArg1, gfx::TextureArgTexture);
    EXPECT_EQ(splash.AlphaArg2, gfx::TextureArgDiffuse);
    // Straight ahead: pushed twice the burst size towards the eye, the bubble's rotation
    // ignored.
    EXPECT_EQ(splash.World, MatrixTranslation(0, 0, 960));
    EXPECT_EQ(Device.CurrentTexture(), nullptr);
    EXPECT_EQ(Device.StageState(gfx::TextureStageState::ColorOp), gfx::TextureOpAdd);
}

TEST_F(BubbleFrame, OnlyTheFirstBurstCounts) {
    Bubble.Burst(1000);
    Bubble.Burst(2000);
    EXPECT_TRUE(Bubble.HasBurstStarted());
    Frame(1050);
    EXPECT_TRUE(SplashDrawn());
    Frame(2050);
    EXPECT_TRUE(Device.Draws.empty());
}

TEST_F(BubbleFrame, TimesAreUnsignedDifferences) {
    Bubble.Burst(0xFFFFFFF0u);
    Frame(0x10);  // 32 ms after the burst, across the wrap
    EXPECT_TRUE(SplashDrawn());
    Frame(0x60);
    EXPECT_TRUE(Device.Draws.empty());
}

TEST_F(BubbleFrame, FailedRefillLockSkipsTheFrameAndRetriesNext) {
    Bubble.Burst(1000);
    Device.FailCall(Operation::LockTexture);
    EXPECT_EQ(Frame(1000), E_FAIL);
    EXPECT_TRUE(Device.Draws.empty());
    EXPECT_EQ(Device.CountCalls("SetTexture"), 0);
    // The failed attempt did not count as a refill, so the next frame is due again.
    const int before = Refills();
    EXPECT_EQ(Frame(1040), 0);
    EXPECT_EQ(Refills(), before + 1);
    EXPECT_TRUE(SplashDrawn());
}

TEST_F(BubbleTest, LightIndicesFollowTheOrderOfCreation) {
    ObjectConcavBox box(256, 10.0f, 30.0f, 40.0f, 0xFF808080, 0xFF808080);
    std::vector<std::unique_ptr<ObjectBubble>> bubbles;
    for (float radius : {10.0f, 15.0f, 18.0f, 30.0f, 20.0f}) {
        bubbles.push_back(
            std::make_unique<ObjectBubble>(128, radius, Thickness, 60.0f, OuterColor, InnerColor));
    }
    ASSERT_EQ(box.Create(), S_OK);
    for (auto& bubble : bubbles) {
        ASSERT_EQ(bubble->Create(), S_OK);
    }
    EXPECT_EQ(box.GetLightIndex(), 1u);
    for (uint32_t b = 0; b < 5; ++b) {
        EXPECT_EQ(bubbles[b]->GetLightIndex(), b + 2);
    }
    EXPECT_EQ(NextLightIndex, 7);
}

TEST_F(BubbleTest, DestructionReleasesEverythingMade) {
    {
        ObjectBubble bubble(8, 1.0f, Thickness, 2.0f, OuterColor, InnerColor);
        ASSERT_EQ(bubble.Create(), S_OK);
    }
    ASSERT_EQ(Device.VertexBuffers().size(), 3u);
    for (const auto* buffer : Device.VertexBuffers()) {
        EXPECT_EQ(buffer->ReleaseCount, 1);
    }
    EXPECT_EQ(Texture().ReleaseCount, 1);
}

TEST_F(BubbleTest, UpdateBeforeCreateLeavesTheLightsAlone) {
    Bubble.Burst(0);
    EXPECT_EQ(Bubble.Update(), 0);
    EXPECT_TRUE(Device.Calls.empty());
}

// Every device call that Create makes, failed one at a time.
struct Failure {
    Operation Call;
    int Number;
};

class FailedBubble : public ::testing::TestWithParam<Failure> {};

TEST_P(FailedBubble, TakesNoLightAndDrawsOrBindsNothingMissing) {
    RecordingDevice device;
    GraphicsDevice = &device;
    NextLightIndex = 1;
    {
        ObjectBubble bubble(8, 1.0f, Thickness, 2.0f, OuterColor, InnerColor);
        device.FailCall(GetParam().Call, GetParam().Number);
        EXPECT_EQ(bubble.Create(), E_FAIL);
        EXPECT_EQ(NextLightIndex, 1);
        EXPECT_EQ(bubble.GetLightIndex(), 0u);
        device.ClearRecords();
        // Whole, then bursting, then gone.
        for (uint32_t time : {0u, 40u, 80u, 200u}) {
            if (time == 40) {
                bubble.Burst(time);
            }
            EXPECT_EQ(bubble.Update(), 0);
            bubble.Render(time);
        }
        // Light 0 is the scene's: a bubble without a light of its own leaves the lights alone.
        EXPECT_EQ(device.CountCalls("SetLight"), 0);
        EXPECT_EQ(device.CountCalls("LightEnable"), 0);
        EXPECT_TRUE(device.Draws.empty());
        EXPECT_EQ(device.CountCalls("SetTexture"), 0);
    }
    for (const auto* buffer : device.VertexBuffers()) {
        EXPECT_EQ(buffer->ReleaseCount, 1);
    }
    for (const auto* texture : device.Textures()) {
        EXPECT_EQ(texture->ReleaseCount, 1);
    }
    GraphicsDevice = nullptr;
}

INSTANTIATE_TEST_SUITE_P(EveryCreateCall, FailedBubble,
                         ::testing::Values(Failure{Operation::CreateTexture, 0},
                                           Failure{Operation::LockTexture, 0},
                                           Failure{Operation::CreateVertexBuffer, 0},
                                           Failure{Operation::CreateVertexBuffer, 1},
                                           Failure{Operation::CreateVertexBuffer, 2},
                                           Failure{Operation::LockVertexBuffer, 0},
                                           Failure{Operation::LockVertexBuffer, 1},
                                           Failure{Operation::LockVertexBuffer, 2}));

}  // namespace
}  // namespace bubble_test
