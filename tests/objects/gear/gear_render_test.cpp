#include <gtest/gtest.h>

#include <algorithm>

#include "geometry/matrix_math.h"
#include "tests/objects/gear/gear_fixture.h"

namespace gear_test {
namespace {

using testing_support::Operation;

TEST_F(GearTest, RenderSetsTheWorldOnceAndDrawsFourStrips) {
    auto wheel = BigWheel();
    ASSERT_EQ(wheel->Create(), S_OK);
    const Matrix4 translation = MatrixTranslation(-230, 0, 1000);
    const Matrix4 rotation = MatrixRotationZ(0.0493239f);
    wheel->SetTranslation(&translation);
    wheel->SetRotation(&rotation);
    Device.ClearRecords();

    EXPECT_EQ(wheel->Render(1234), 0);
    EXPECT_EQ(Device.CountCalls("SetTransform"), 1);
    EXPECT_EQ(Device.CountCalls("SetTexture"), 0);
    EXPECT_EQ(Device.CountCalls("SetRenderState"), 0);
    EXPECT_EQ(Device.CountCalls("SetMaterial"), 0);
    ASSERT_EQ(Device.Draws.size(), 4u);
    for (size_t b = 0; b < 4; ++b) {
        const testing_support::DrawRecord& draw = Device.Draws[b];
        EXPECT_EQ(draw.Buffer, Device.VertexBuffers()[b]);
        EXPECT_EQ(draw.PrimitiveCount, 4096u);
        EXPECT_EQ(draw.StartVertex, 0u);
        EXPECT_EQ(draw.Stride, 36u);
        EXPECT_EQ(draw.Fvf, 0x152u);
        EXPECT_EQ(draw.World, MatrixMultiply(rotation, translation));
    }
}

TEST_F(GearTest, TimeDoesNotMoveTheWheel) {
    auto wheel = SmallWheel();
    ASSERT_EQ(wheel->Create(), S_OK);
    const Matrix4 translation = MatrixTranslation(5, 6, 7);
    wheel->SetTranslation(&translation);
    Device.ClearRecords();
    wheel->Render(0);
    const auto first = Device.Calls;
    Device.ClearRecords();
    wheel->Render(4999);
    ASSERT_EQ(Device.Calls.size(), first.size());
    for (size_t c = 0; c < first.size(); ++c) {
        EXPECT_EQ(Device.Calls[c].Name, first[c].Name);
        EXPECT_EQ(Device.Calls[c].Arguments, first[c].Arguments);
        EXPECT_EQ(Device.Calls[c].Matrix, first[c].Matrix);
        EXPECT_EQ(Device.Calls[c].Object, first[c].Object);
    }
}

TEST_F(GearTest, UpdateTouchesNothing) {
    auto wheel = BigWheel();
    EXPECT_EQ(wheel->Update(), 0);
    ASSERT_EQ(wheel->Create(), S_OK);
    Device.ClearRecords();
    EXPECT_EQ(wheel->Update(), 0);
    EXPECT_TRUE(Device.Calls.empty());
}

TEST_F(GearTest, DestructionReleasesTheBuffers) {
    BigWheel()->Create();
    ASSERT_EQ(Device.VertexBuffers().size(), 4u);
    for (const auto* buffer : Device.VertexBuffers()) {
        EXPECT_EQ(buffer->ReleaseCount, 1);
    }
}

// Each device call of Create made to fail in turn: four creations, then four locks.
TEST_F(GearTest, FailedCreateDrawsNothingThatIsNotThere) {
    for (Operation operation : {Operation::CreateVertexBuffer, Operation::LockVertexBuffer}) {
        for (int n = 0; n < 4; ++n) {
            testing_support::RecordingDevice device;
            GraphicsDevice = &device;
            {
                ObjectGear wheel(64, 10.0f, 30.0f, 35.0f, 5.0f, 16, Inner, Outer);
                device.FailCall(operation, n);
                EXPECT_EQ(wheel.Create(), E_FAIL) << n;
                const auto& made = device.VertexBuffers();
                EXPECT_EQ(made.size(), operation == Operation::CreateVertexBuffer ? n : 4u);
                EXPECT_EQ(wheel.Update(), 0);
                EXPECT_EQ(wheel.Render(0), 0);
                // Nothing was filled, so nothing may be drawn.
                EXPECT_TRUE(device.Draws.empty()) << n;
                EXPECT_EQ(device.CountCalls("SetTransform"), 1);
            }
            for (const auto* buffer : device.VertexBuffers()) {
                EXPECT_EQ(buffer->ReleaseCount, 1);
            }
        }
    }
    EXPECT_EQ(NextLightIndex, 1);
    EXPECT_TRUE(Boxes.Boxes.empty());
}

}  // namespace
}  // namespace gear_test
