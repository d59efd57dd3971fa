#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

#include "objects/gear/object_gear.h"
#include "objects/gear/tooth_shape.h"

namespace {

using Part = ObjectGear::ToothPart;

TEST(ToothShape, SixteenTeethBetween30And35) {
    const ToothShape shape = ToothShape::Compute(30.0f, 35.0f, 16);
    EXPECT_EQ(shape.HandleLength, 1.25f);
    EXPECT_EQ(shape.RadiusRatio, 0.85714287f);
    EXPECT_NEAR(shape.PressureAngle, 0.5410995, 1e-7);
    EXPECT_NEAR(shape.FlankAngle, 0.0598257, 1e-7);
    EXPECT_EQ(shape.Pitch, 0.39269909f);
    EXPECT_NEAR(shape.RootLandAngle, 0.1470257, 1e-7);
    EXPECT_NEAR(shape.TipLandAngle, 0.1260220, 1e-7);
}

TEST(ToothShape, EightTeethBetween15And20) {
    const ToothShape shape = ToothShape::Compute(15.0f, 20.0f, 8);
    EXPECT_EQ(shape.HandleLength, 1.25f);
    EXPECT_EQ(shape.RadiusRatio, 0.75f);
    EXPECT_NEAR(shape.PressureAngle, 0.7227343, 1e-7);
    EXPECT_NEAR(shape.FlankAngle, 0.1591828, 1e-7);
    EXPECT_NEAR(shape.Pitch, 0.7853982, 1e-7);
    EXPECT_NEAR(shape.RootLandAngle, 0.2668757, 1e-7);
    EXPECT_NEAR(shape.TipLandAngle, 0.2001568, 1e-7);
}

TEST(ToothShape, PartsFillThePitchAndLandsHaveEqualArcs) {
    for (const auto& [root, tip, teeth] : {std::tuple{30.0f, 35.0f, 16u}, {15.0f, 20.0f, 8u}}) {
        const ToothShape s = ToothShape::Compute(root, tip, teeth);
        EXPECT_NEAR(s.RootLandAngle + 2 * s.FlankAngle + s.TipLandAngle, s.Pitch, 1e-6);
        EXPECT_NEAR(root * s.RootLandAngle, tip * s.TipLandAngle, 1e-5);
        // The flank spans the involute function of the pressure angle, tan a - a.
        EXPECT_NEAR(s.FlankAngle, std::tan(s.PressureAngle) - s.PressureAngle, 1e-6);
    }
}

TEST(ToothShape, PitchIsTheWideQuotientRoundedOnce) {
    // 7 does not divide the float 2 pi exactly: a float division could round differently.
    const ToothShape shape = ToothShape::Compute(30.0f, 35.0f, 7);
    EXPECT_EQ(shape.Pitch, static_cast<float>(static_cast<double>(6.2831855f) / 7.0));
}

class GearProfile : public ::testing::Test {
protected:
    ObjectGear Wheel{2048, 10.0f, 30.0f, 35.0f, 5.0f, 16, 0, 0};
    const ToothShape& Shape = Wheel.GetToothShape();
    float Theta1 = Shape.RootLandAngle;
    float Theta2 = Theta1 + Shape.FlankAngle;
    float Theta3 = Theta2 + Shape.TipLandAngle;
};

TEST_F(GearProfile, SampleAnglesAreWideQuotientsOfTheFloatTwoPi) {
    EXPECT_EQ(Wheel.SampleAngle(0), 0.0f);
    EXPECT_EQ(Wheel.SampleAngle(2048), 6.2831855f);
    EXPECT_EQ(Wheel.SampleAngle(1001),
              static_cast<float>(1001.0 * static_cast<double>(6.2831855f) / 2048.0));
}

TEST_F(GearProfile, RootLandStartsOnThePlusXAxis) {
    const ObjectGear::ProfilePoint q = Wheel.ProfileAt(0.0f);
    EXPECT_EQ(q.Part, Part::RootLand);
    EXPECT_EQ(q.Position, Vec3(30.0f, 0.0f, 0.0f));
    EXPECT_EQ(q.Normal, Vec3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(q.TextureRadius, 30.0f);
}

TEST_F(GearProfile, BoundsAreInclusive) {
    EXPECT_EQ(Wheel.ProfileAt(Theta1).Part, Part::RootLand);
    const float pastRoot = std::nextafter(Theta1, 1.0f);
    EXPECT_EQ(Wheel.ProfileAt(pastRoot).Part, Part::RisingFlank);

    // At theta2 the rising flank ends on the tip circle, at the tip point itself.
    const ObjectGear::ProfilePoint end = Wheel.ProfileAt(Theta2);
    EXPECT_EQ(end.Part, Part::RisingFlank);
    EXPECT_NEAR(end.Position.x, 35.0f * std::cos(Theta2), 1e-4);
    EXPECT_NEAR(end.Position.y, 35.0f * std::sin(Theta2), 1e-4);
    EXPECT_EQ(Wheel.ProfileAt(std::nextafter(Theta2, 1.0f)).Part, Part::TipLand);
    EXPECT_EQ(Wheel.ProfileAt(Theta3).Part, Part::TipLand);
    EXPECT_EQ(Wheel.ProfileAt(std::nextafter(Theta3, 1.0f)).Part, Part::FallingFlank);
}

TEST_F(GearProfile, FlanksRunBetweenTheCircles) {
    for (int step = 1; step < 16; ++step) {
        const float rising = Theta1 + Shape.FlankAngle * static_cast<float>(step) / 16;
        const float falling = Theta3 + Shape.FlankAngle * static_cast<float>(step) / 16;
        const ObjectGear::ProfilePoint q = Wheel.ProfileAt(step % 2 == 0 ? rising : falling);
        const float radius = std::hypot(q.Position.x, q.Position.y);
        EXPECT_GE(radius, 30.0f - 1e-4f);
        EXPECT_LE(radius, 35.0f + 1e-4f);
        EXPECT_EQ(q.TextureRadius, 32.5f);
        EXPECT_NEAR(std::hypot(q.Normal.x, q.Normal.y), 1.0f, 1e-6);
        EXPECT_EQ(q.Normal.z, 0.0f);
    }
    // Leaving the root circle radially: just past theta1 the outline is still at the root.
    const ObjectGear::ProfilePoint start = Wheel.ProfileAt(std::nextafter(Theta1, 1.0f));
    EXPECT_NEAR(start.Position.x, 30.0f * std::cos(Theta1), 1e-3);
    EXPECT_NEAR(start.Position.y, 30.0f * std::sin(Theta1), 1e-3);
}

TEST_F(GearProfile, RisingFlankFacesAwayFromTheRootLandAndFallingFlankBack) {
    // Mid-flank the rim normal turns against the direction of increasing angle on the rising
    // flank and with it on the falling one.
    const float risingMid = Theta1 + Shape.FlankAngle / 2;
    const float fallingMid = Theta3 + Shape.FlankAngle / 2;
    const ObjectGear::ProfilePoint rising = Wheel.ProfileAt(risingMid);
    const ObjectGear::ProfilePoint falling = Wheel.ProfileAt(fallingMid);
    const Vec3 risingTangent{-std::sin(risingMid), std::cos(risingMid), 0};
    const Vec3 fallingTangent{-std::sin(fallingMid), std::cos(fallingMid), 0};
    EXPECT_LT(Dot(rising.Normal, risingTangent), -0.1f);
    EXPECT_GT(Dot(falling.Normal, fallingTangent), 0.1f);
    // Both still face outwards.
    EXPECT_GT(Dot(rising.Normal, {std::cos(risingMid), std::sin(risingMid), 0}), 0.0f);
    EXPECT_GT(Dot(falling.Normal, {std::cos(fallingMid), std::sin(fallingMid), 0}), 0.0f);
}

TEST_F(GearProfile, TipLandOfAnyToothLiesOnTheTipCircle) {
    const uint32_t tooth = 5;
    const float start = static_cast<float>(tooth) * Shape.Pitch + Theta2;
    const float phi = start + Shape.TipLandAngle / 2;
    const ObjectGear::ProfilePoint q = Wheel.ProfileAt(phi);
    EXPECT_EQ(q.Part, Part::TipLand);
    EXPECT_NEAR(std::hypot(q.Position.x, q.Position.y), 35.0f, 1e-4);
    EXPECT_EQ(q.TextureRadius, 35.0f);
}

// Counts the samples of tooth 0 that fall in each part.
std::array<int, 5> PartsOfFirstTooth(const ObjectGear& wheel, uint32_t samplesPerTooth) {
    std::array<int, 5> counts{};
    for (uint32_t i = 0; i < samplesPerTooth; ++i) {
        ++counts[static_cast<size_t>(wheel.ProfileAt(wheel.SampleAngle(i)).Part)];
    }
    return counts;
}

TEST_F(GearProfile, ScenesWheelsSampleWholeTeeth) {
    const std::array<int, 5> big = PartsOfFirstTooth(Wheel, 128);
    EXPECT_EQ(big[static_cast<size_t>(Part::BeyondTooth)], 0);
    for (Part flank : {Part::RisingFlank, Part::FallingFlank}) {
        EXPECT_GE(big[static_cast<size_t>(flank)], 19);
        EXPECT_LE(big[static_cast<size_t>(flank)], 20);
    }
    const ObjectGear small(2048, 10.0f, 15.0f, 20.0f, 5.0f, 8, 0, 0);
    const std::array<int, 5> parts = PartsOfFirstTooth(small, 256);
    EXPECT_EQ(parts[static_cast<size_t>(Part::BeyondTooth)], 0);
    // Sample 256 already starts the next tooth's root land.
    EXPECT_EQ(small.ProfileAt(small.SampleAngle(256)).Part, Part::RootLand);
}

}  // namespace
