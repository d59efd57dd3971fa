#include <gtest/gtest.h>

#include "objects/concave_box/glow_texture.h"
#include "tests/objects/concave_box/box_fixture.h"

namespace box_test {
namespace {

class GlowTexture : public BoxTest {
protected:
    void SetUp() override {
        BoxTest::SetUp();
        ASSERT_EQ(Box.Create(), S_OK);
        ASSERT_EQ(Device.Textures().size(), 1u);
    }
    const testing_support::RecordingTexture& Texture() const { return *Device.Textures()[0]; }
    // Texel at row i, column j.
    uint32_t At(uint32_t i, uint32_t j) const { return Texture().Texel(j, i); }
};

TEST_F(GlowTexture, IsADynamicFullChainWrittenThroughThePitch) {
    EXPECT_EQ(Texture().Width(), 128u);
    EXPECT_EQ(Texture().Height(), 128u);
    EXPECT_EQ(Texture().LevelCount(), 8u);
    EXPECT_EQ(Texture().Usage, gfx::UsageDynamic);
    EXPECT_FALSE(Texture().Locked);
    EXPECT_TRUE(Texture().PaddingUntouched());
    EXPECT_EQ(Box.GetGlowTexture(), Device.Textures()[0]);
}

TEST_F(GlowTexture, StarTexels) {
    EXPECT_EQ(At(64, 64), 0xFFFFFF00u);
    EXPECT_EQ(At(64, 96), 0xBFFFFF00u);
    EXPECT_EQ(At(80, 80), 0x3FFFE000u);
    EXPECT_EQ(At(64, 127), 0x07FFFF00u);
    for (uint32_t i : {0u, 127u}) {
        for (uint32_t j : {0u, 127u}) {
            EXPECT_EQ(At(i, j), 0x00FFFF00u) << i << "," << j;
        }
    }
    EXPECT_EQ(At(0, 64), 0x00FFFF00u);
    EXPECT_EQ(At(64, 0), 0x00FFFF00u);
}

TEST_F(GlowTexture, IsSymmetricAndYellowWithAnOrangeFringe) {
    bool fringe = false;
    for (uint32_t i = 1; i < 128; ++i) {
        for (uint32_t j = 1; j < 128; ++j) {
            const uint32_t texel = At(i, j);
            ASSERT_EQ(texel, At(128 - i, j)) << i << "," << j;
            ASSERT_EQ(texel, At(j, i)) << i << "," << j;
            ASSERT_EQ(texel & 0x00FF00FF, 0x00FF0000u);
            fringe = fringe || (texel & 0x0000FF00) != 0x0000FF00;
        }
    }
    EXPECT_TRUE(fringe);
}

TEST(GlowTexel, StreaksOutlastTheCoreAlongTheAxes) {
    // Along x the streak still shows where the round core has gone.
    EXPECT_GT(GlowTexel(64, 120, 128) >> 24, 0u);
    EXPECT_EQ(GlowTexel(120, 120, 128) >> 24, 0u);
    EXPECT_EQ(GlowTexel(64 + 20, 64 + 20, 128), GlowTexel(64 - 20, 64 + 20, 128));
}

}  // namespace
}  // namespace box_test
