#include <gtest/gtest.h>

#include <cmath>

#include "tests/objects/gear/gear_fixture.h"
#include "tests/support/strip_winding.h"

namespace gear_test {
namespace {

constexpr uint32_t Vertices2048 = 2 * 2048 + 2;

TEST_F(GearTest, CreatesFourStaticBuffersOfOnePairPerSamplePlusTheClosingPair) {
    auto wheel = BigWheel();
    ASSERT_EQ(wheel->Create(), S_OK);
    ASSERT_EQ(Device.VertexBuffers().size(), 4u);
    for (size_t b = 0; b < 4; ++b) {
        EXPECT_EQ(Buffer(b).Length(), 147528u);
        EXPECT_EQ(Buffer(b).Usage, 0u);
        EXPECT_EQ(Buffer(b).Format, VertexFormat);
        EXPECT_FALSE(Buffer(b).Locked);
    }
    EXPECT_EQ(wheel->GetFrontFaceBuffer(), Device.VertexBuffers()[0]);
    EXPECT_EQ(wheel->GetBoreBuffer(), Device.VertexBuffers()[1]);
    EXPECT_EQ(wheel->GetRimBuffer(), Device.VertexBuffers()[2]);
    EXPECT_EQ(wheel->GetBackFaceBuffer(), Device.VertexBuffers()[3]);
    EXPECT_TRUE(Boxes.Boxes.empty());
    EXPECT_EQ(NextLightIndex, 1);
}

TEST_F(GearTest, ScenesWheelsNeverStopTheProfile) {
    ASSERT_EQ(BigWheel()->Create(), S_OK);
    ASSERT_EQ(SmallWheel()->Create(), S_OK);
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(GearTest, FacesAreFlatRingsFacingOutOfTheSolid) {
    auto wheel = BigWheel();
    ASSERT_EQ(wheel->Create(), S_OK);
    for (uint32_t v = 0; v < Vertices2048; ++v) {
        const Vertex& front = Buffer(0).At(v);
        const Vertex& back = Buffer(3).At(v);
        EXPECT_EQ(front.Position.z, 0.0f);
        EXPECT_EQ(front.Normal, Vec3(0, 0, -1));
        EXPECT_EQ(back.Position.z, 5.0f);
        EXPECT_EQ(back.Normal, Vec3(0, 0, 1));
    }
    // Hub first on the front, outline first on the back: both strips wind towards the viewer.
    EXPECT_EQ(Buffer(0).At(0).Diffuse, Inner);
    EXPECT_EQ(Buffer(0).At(1).Diffuse, Outer);
    EXPECT_EQ(Buffer(3).At(0).Diffuse, Outer);
    EXPECT_EQ(Buffer(3).At(1).Diffuse, Inner);
    EXPECT_EQ(Buffer(0).At(0).Position, Vec3(10, 0, 0));
    EXPECT_EQ(Buffer(0).At(1).Position, Vec3(30, 0, 0));
}

TEST_F(GearTest, EveryStripFacesOutOfTheSolid) {
    auto big = BigWheel();
    auto small = SmallWheel();
    ASSERT_EQ(big->Create(), S_OK);
    ASSERT_EQ(small->Create(), S_OK);
    // Both wheels' buffers: front, bore, rim and back of each.
    ASSERT_EQ(Device.VertexBuffers().size(), 8u);
    for (size_t b = 0; b < 8; ++b) {
        EXPECT_EQ(testing_support::CountHiddenTriangles(Buffer(b).Vertices(), 4096), 0u) << b;
    }
}

TEST_F(GearTest, WallsFollowTheBoreAndTheOutline) {
    auto wheel = BigWheel();
    ASSERT_EQ(wheel->Create(), S_OK);
    for (uint32_t i = 0; i <= 2048; i += 7) {
        const float phi = wheel->SampleAngle(i);
        const Vertex& boreBack = Buffer(1).At(2 * i);
        const Vertex& boreFront = Buffer(1).At(2 * i + 1);
        EXPECT_EQ(boreBack.Position.z, 5.0f);
        EXPECT_EQ(boreFront.Position.z, 0.0f);
        EXPECT_NEAR(std::hypot(boreFront.Position.x, boreFront.Position.y), 10.0f, 1e-5);
        EXPECT_NEAR(boreFront.Normal.x, -std::cos(phi), 1e-6);
        EXPECT_NEAR(boreFront.Normal.y, -std::sin(phi), 1e-6);
        EXPECT_EQ(boreFront.Diffuse, Inner);

        const Vertex& rimFront = Buffer(2).At(2 * i);
        const Vertex& rimBack = Buffer(2).At(2 * i + 1);
        EXPECT_EQ(rimFront.Position, Buffer(0).At(2 * i + 1).Position);
        EXPECT_EQ(rimBack.Position.x, rimFront.Position.x);
        EXPECT_EQ(rimBack.Position.y, rimFront.Position.y);
        EXPECT_EQ(rimBack.Position.z, 5.0f);
        EXPECT_EQ(rimFront.Normal, wheel->ProfileAt(phi).Normal);
        EXPECT_EQ(rimFront.Diffuse, Outer);
        // Wall texture: u runs once round, v from 1 at the front to 0 at the back.
        EXPECT_EQ(rimFront.U, phi / 6.2831855f);
        EXPECT_EQ(rimFront.V, 1.0f);
        EXPECT_EQ(rimBack.V, 0.0f);
        EXPECT_EQ(boreBack.V, 0.0f);
        EXPECT_EQ(boreFront.V, 1.0f);
    }
}

TEST_F(GearTest, FaceTextureMapsTheTipDiscOntoTheUnitSquare) {
    auto wheel = BigWheel();
    ASSERT_EQ(wheel->Create(), S_OK);
    const uint32_t i = 300;
    const float phi = wheel->SampleAngle(i);
    const ObjectGear::ProfilePoint q = wheel->ProfileAt(phi);
    const Vertex& hub = Buffer(0).At(2 * i);
    const Vertex& outline = Buffer(0).At(2 * i + 1);
    EXPECT_NEAR(hub.U, (1 + 10 * std::cos(phi) / 35) / 2, 1e-6);
    EXPECT_NEAR(hub.V, (1 - 10 * std::sin(phi) / 35) / 2, 1e-6);
    // Outline vertices take their texture radius, not their own distance from the axis.
    EXPECT_NEAR(outline.U, (1 + q.TextureRadius * std::cos(phi) / 35) / 2, 1e-6);
    EXPECT_NEAR(outline.V, (1 - q.TextureRadius * std::sin(phi) / 35) / 2, 1e-6);
    EXPECT_EQ(Buffer(3).At(2 * i).U, outline.U);
    EXPECT_EQ(Buffer(3).At(2 * i + 1).V, hub.V);
}

TEST_F(GearTest, ClosingSampleRepeatsTheFirst) {
    auto wheel = SmallWheel();
    ASSERT_EQ(wheel->Create(), S_OK);
    for (size_t b = 0; b < 4; ++b) {
        for (uint32_t k = 0; k < 2; ++k) {
            const Vec3& first = Buffer(b).At(k).Position;
            const Vec3& last = Buffer(b).At(Vertices2048 - 2 + k).Position;
            EXPECT_NEAR(last.x, first.x, 1e-4) << "buffer " << b;
            EXPECT_NEAR(last.y, first.y, 1e-4) << "buffer " << b;
            EXPECT_EQ(last.z, first.z) << "buffer " << b;
        }
    }
}

// 32 teeth on 64 segments: a sample rounds past the end of its tooth.
class StoppedProfile : public GearTest {
protected:
    static constexpr uint32_t FirstBeyond = 46;
    ObjectGear Wheel{64, 10.0f, 30.0f, 35.0f, 5.0f, 32, Inner, Outer};
};

TEST_F(StoppedProfile, ReportsOnceAndStillSucceeds) {
    ASSERT_EQ(Wheel.ProfileAt(Wheel.SampleAngle(FirstBeyond)).Part,
              ObjectGear::ToothPart::BeyondTooth);
    EXPECT_EQ(Wheel.Create(), S_OK);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Text, "Vertex Wheel Computing Error - Program continuing");
    EXPECT_EQ(Boxes.Boxes[0].Caption, "Init Error");
    for (size_t b = 0; b < 4; ++b) {
        EXPECT_FALSE(Buffer(b).Locked);
    }
}

TEST_F(StoppedProfile, RestOfEveryStripCollapsesOntoTheLastVertexWritten) {
    ASSERT_EQ(Wheel.Create(), S_OK);
    for (size_t b = 0; b < 4; ++b) {
        const Vertex& last = Buffer(b).At(2 * FirstBeyond - 1);
        // The profile was written up to the stop...
        EXPECT_NE(Buffer(b).At(2 * FirstBeyond - 2).Position, last.Position);
        // ...and everything after it repeats the last vertex, so it draws nothing.
        for (uint32_t v = 2 * FirstBeyond; v < 2 * 64 + 2; ++v) {
            EXPECT_EQ(Buffer(b).At(v).Position, last.Position) << "buffer " << b << " vertex " << v;
            EXPECT_EQ(Buffer(b).At(v).Diffuse, last.Diffuse);
        }
    }
}

}  // namespace
}  // namespace gear_test
