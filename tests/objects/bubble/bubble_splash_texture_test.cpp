#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/objects/bubble/bubble_fixture.h"

namespace bubble_test {
namespace {

constexpr int32_t Size = 128;
constexpr int32_t Half = 64;

// The distance of a texel from the centre, as a float.
float Distance(int32_t i, int32_t j) {
    const int32_t dx = j - Half;
    const int32_t dy = i - Half;
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

// The radius of each texel's spoke, from the spoke radii that the generator gives first when
// started at `seed`: row i, column j at [i * Size + j].
std::vector<int32_t> SpokeRadii(uint32_t seed, uint32_t spokes) {
    crt::srand(seed);
    std::vector<int32_t> radii(spokes);
    for (int32_t& radius : radii) {
        radius = crt::rand() % 24 + 40;
    }
    std::vector<int32_t> texels(Size * Size);
    for (int32_t i = 0; i < Size; ++i) {
        for (int32_t j = 0; j < Size; ++j) {
            const float d = Distance(i, j);
            uint32_t spoke = 0;
            if (d > 0) {
                // Rows above the centre (and the centre row) take the angles pi to 2 pi.
                double angle = static_cast<float>(std::acos(static_cast<double>((j - Half) / d)));
                if (i <= Half) {
                    angle = static_cast<float>(angle + static_cast<double>(3.14159274f));
                }
                const float turns = static_cast<float>(spokes - 1) * static_cast<float>(angle);
                spoke = static_cast<uint32_t>(turns / 6.28318548f);
            }
            texels[i * Size + j] = radii[spoke];
        }
    }
    return texels;
}

// Which texels of a splash fall inside their spoke's radius.
std::vector<bool> InsideTexels(uint32_t seed, uint32_t spokes) {
    const std::vector<int32_t> radii = SpokeRadii(seed, spokes);
    std::vector<bool> inside(Size * Size);
    for (int32_t i = 0; i < Size; ++i) {
        for (int32_t j = 0; j < Size; ++j) {
            inside[i * Size + j] = Distance(i, j) < static_cast<float>(radii[i * Size + j]);
        }
    }
    return inside;
}

// Colour and one-in-five draws for every inside texel but the centre, which draws colour only.
uint32_t SplashDraws(const std::vector<bool>& inside, uint32_t spokes) {
    uint32_t draws = spokes;
    for (size_t t = 0; t < inside.size(); ++t) {
        if (inside[t]) {
            draws += t == static_cast<size_t>(Half * Size + Half) ? 1 : 2;
        }
    }
    return draws;
}

uint32_t StateAfter(uint32_t seed, uint32_t draws) {
    crt::srand(seed);
    for (uint32_t n = 0; n < draws; ++n) {
        crt::rand();
    }
    return crt::RandomState();
}

TEST_F(BubbleTest, SplashTexelsAreMagentaToGreenDiscsFadingOutwards) {
    ASSERT_EQ(Bubble.Create(), S_OK);
    const RecordingTexture& texture = Texture();
    EXPECT_EQ(texture.Width(), 128u);
    EXPECT_EQ(texture.LevelCount(), 8u);
    EXPECT_EQ(texture.Usage, gfx::UsageDynamic);
    EXPECT_FALSE(texture.Locked);
    EXPECT_TRUE(texture.PaddingUntouched());
    EXPECT_EQ(texture.Texel(Half, Half) >> 24, 255u);
    for (int32_t i = 0; i < Size; ++i) {
        for (int32_t j = 0; j < Size; ++j) {
            const uint32_t texel = texture.Texel(j, i);
            if (texel == 0) {
                continue;
            }
            const uint32_t alpha = texel >> 24;
            const uint32_t red = (texel >> 16) & 0xFF;
            const uint32_t green = (texel >> 8) & 0xFF;
            const uint32_t blue = texel & 0xFF;
            ASSERT_EQ(red, blue) << i << "," << j;
            ASSERT_EQ(green, 255 - red) << i << "," << j;
            // Spoke radii lie between 40 and 63.
            const uint32_t squared = (j - Half) * (j - Half) + (i - Half) * (i - Half);
            ASSERT_LT(squared, 63u * 63u) << i << "," << j;
            // The float distance squares to the whole number or just below it.
            const int32_t least = static_cast<int32_t>((squared > 0 ? squared - 1 : 0) * 255);
            const int32_t most = static_cast<int32_t>(squared * 255);
            ASSERT_LE(static_cast<int32_t>(alpha), 255 - least / 63 / 63) << i << "," << j;
            ASSERT_GE(static_cast<int32_t>(alpha), 255 - most / 40 / 40) << i << "," << j;
        }
    }
}

// The fade divides the truncated square of the float distance. A float product rounds it up
// to the next whole number on about a quarter of the texels, and then the alpha can come out one
// lower; the exact product does not.
TEST_F(BubbleTest, SplashFadesWithTheExactSquareOfTheDistance) {
    const std::vector<int32_t> radii = SpokeRadii(7, 128);
    crt::srand(7);
    ASSERT_EQ(Bubble.Create(), S_OK);
    const auto fade = [](uint32_t squared, uint32_t r) { return 255 - squared * 255 / r / r; };
    int differing = 0;
    for (int32_t i = 0; i < Size; ++i) {
        for (int32_t j = 0; j < Size; ++j) {
            const uint32_t texel = Texture().Texel(j, i);
            const float d = Distance(i, j);
            const auto r = static_cast<uint32_t>(radii[i * Size + j]);
            const auto exact = fade(static_cast<uint32_t>(static_cast<double>(d) * d), r);
            if (texel == 0 || exact == fade(static_cast<uint32_t>(d * d), r)) {
                continue;
            }
            ++differing;
            ASSERT_EQ(texel >> 24, exact) << i << "," << j;
        }
    }
    EXPECT_GE(differing, 20);
}

TEST_F(BubbleTest, SplashKeepsAboutOneTexelInFiveOfItsDisc) {
    const std::vector<bool> inside = InsideTexels(7, 128);
    crt::srand(7);
    ASSERT_EQ(Bubble.Create(), S_OK);
    uint32_t insideCount = 0;
    uint32_t kept = 0;
    for (int32_t i = 0; i < Size; ++i) {
        for (int32_t j = 0; j < Size; ++j) {
            const bool drawn = Texture().Texel(j, i) != 0;
            ASSERT_TRUE(inside[i * Size + j] || !drawn) << i << "," << j;
            insideCount += inside[i * Size + j] ? 1 : 0;
            kept += drawn ? 1 : 0;
        }
    }
    EXPECT_GT(kept * 100, insideCount * 15);
    EXPECT_LT(kept * 100, insideCount * 25);
}

TEST_F(BubbleTest, SplashIsReproducibleAndAdvancesTheGeneratorByItsDraws) {
    const uint32_t seed = 0x1234;
    const uint32_t expected = StateAfter(seed, SplashDraws(InsideTexels(seed, 128), 128));

    crt::srand(seed);
    ASSERT_EQ(Bubble.Create(), S_OK);
    EXPECT_EQ(crt::RandomState(), expected);

    ObjectBubble twin(128, 30.0f, Thickness, 60.0f, OuterColor, InnerColor);
    crt::srand(seed);
    ASSERT_EQ(twin.Create(), S_OK);
    EXPECT_EQ(crt::RandomState(), expected);
    ASSERT_EQ(Device.Textures().size(), 2u);
    EXPECT_EQ(Device.Textures()[1]->Level0, Texture().Level0);

    ObjectBubble other(128, 30.0f, Thickness, 60.0f, OuterColor, InnerColor);
    crt::srand(seed + 1);
    ASSERT_EQ(other.Create(), S_OK);
    EXPECT_NE(Device.Textures()[2]->Level0, Texture().Level0);
}

TEST_F(BubbleTest, FewerSpokesDrawFewerRadii) {
    // The spoke count is the bubble's segment count.
    ObjectBubble coarse(16, 5.0f, Thickness, 10.0f, OuterColor, InnerColor);
    const uint32_t expected = StateAfter(3, SplashDraws(InsideTexels(3, 16), 16));
    crt::srand(3);
    ASSERT_EQ(coarse.Create(), S_OK);
    EXPECT_EQ(crt::RandomState(), expected);
}

}  // namespace
}  // namespace bubble_test
