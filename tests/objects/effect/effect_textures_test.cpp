#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "objects/effect/effect_textures.h"
#include "tests/objects/effect/effect_test_support.h"

namespace {

using effect_testing::AlphaOf;
using effect_testing::EffectFixture;
using effect_testing::HandRandom;
using testing_support::RecordingTexture;

constexpr uint32_t RippleA = 0xFF000040;
constexpr uint32_t RippleB = 0xFF00FFFF;

uint32_t Channel(uint32_t argb, int shift) { return (argb >> shift) & 0xFF; }

// Red, green and blue of a texel lie between those of the two colours: a carry out of a
// channel would break this.
void ExpectRgbBetween(const RecordingTexture& texture, uint32_t p, uint32_t q) {
    for (uint32_t y = 0; y < texture.Height(); ++y) {
        for (uint32_t x = 0; x < texture.Width(); ++x) {
            const uint32_t texel = texture.Texel(x, y);
            for (int shift : {0, 8, 16}) {
                ASSERT_GE(Channel(texel, shift), std::min(Channel(p, shift), Channel(q, shift)));
                ASSERT_LE(Channel(texel, shift), std::max(Channel(p, shift), Channel(q, shift)));
            }
        }
    }
}

using RippleTexture = EffectFixture;

TEST_F(RippleTexture, BlendZeroIsFullyTransparent) {
    const ObjectEffect& effect = MakeCreated(Ripples, 128, 51.0f, 3.0f, 5, RippleA, RippleB);
    const RecordingTexture& texture = TextureOf(effect);
    for (uint32_t y = 0; y < 128; ++y) {
        for (uint32_t x = 0; x < 128; ++x) {
            ASSERT_EQ(AlphaOf(texture.Texel(x, y)), 0u) << x << "," << y;
        }
    }
    EXPECT_TRUE(texture.PaddingUntouched());
}

TEST_F(RippleTexture, FadesToTheBorderWhateverTheBlend) {
    ObjectEffect& effect = MakeCreated(Ripples, 128, 51.0f, 3.0f, 5, RippleA, RippleB);
    const RecordingTexture& texture = TextureOf(effect);
    for (float blend : {1.0f, 0.5f}) {
        effect.SetBlend(blend);
        effect.Start(1000);
        ASSERT_EQ(effect.Render(1000), S_OK);
        for (uint32_t k = 0; k < 128; ++k) {
            ASSERT_EQ(AlphaOf(texture.Texel(k, 0)), 0u);
            ASSERT_EQ(AlphaOf(texture.Texel(0, k)), 0u);
        }
        EXPECT_EQ(AlphaOf(texture.Texel(64, 64)), static_cast<uint32_t>(255 * blend));
    }
    // Last column: g = 63 of h = 64, edge 1 - (63/64)^4 = 0.06105, 15.57 at full blend.
    effect.SetBlend(1.0f);
    effect.Render(1000);
    EXPECT_EQ(AlphaOf(texture.Texel(127, 64)), 15u);
    EXPECT_EQ(AlphaOf(texture.Texel(64, 127)), 15u);
    EXPECT_TRUE(texture.PaddingUntouched());
}

TEST_F(RippleTexture, ChannelsStayWithinTheColoursForEveryBlend) {
    ObjectEffect& effect = MakeCreated(Ripples, 128, 51.0f, 3.0f, 5, 0x80FF2000, 0xFF10E0FF);
    effect.Start(1000);
    uint32_t time = 1000;
    for (float blend : {0.0f, 0.25f, 0.999f, 1.0f}) {
        effect.SetBlend(blend);
        effect.Render(time += 41);
        const RecordingTexture& texture = TextureOf(effect);
        ExpectRgbBetween(texture, 0x80FF2000, 0xFF10E0FF);
        for (uint32_t y = 0; y < 128; ++y) {
            for (uint32_t x = 0; x < 128; ++x) {
                ASSERT_LE(AlphaOf(texture.Texel(x, y)), static_cast<uint32_t>(255 * blend));
            }
        }
    }
}

// Spent spots respawn with draws in the order of the six arrays; the others age by one.
TEST_F(RippleTexture, PassAgesSpotsAndRespawnsSpentOnes) {
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(Device.CreateTexture(64, 64, 1, 0, gfx::Format::A8R8G8B8, &texture), S_OK);
    gfx::LockedRect locked;
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), S_OK);
    std::array<uint32_t, 2> x{10, 20}, y{11, 21}, amplitude{1, 5}, phase{3, 7}, e1{0, 0}, e2{0, 0};
    const SpotArrays spots{x, y, amplitude, phase, e1, e2};
    HandRandom hand{crt::RandomState()};
    effect_textures::Ripples(TexelSurface(locked.Bits, locked.Pitch, 64), spots,
                             {RippleA, RippleB, 1.0f, 3.0f});
    EXPECT_EQ(x[0], hand.Next() % 64);
    EXPECT_EQ(y[0], hand.Next() % 64);
    EXPECT_EQ(amplitude[0], hand.Next() % 256);
    EXPECT_EQ(phase[0], hand.Next() % 32 + 1);
    EXPECT_EQ(e1[0], hand.Next() % 2);
    EXPECT_EQ(e2[0], hand.Next() % 2);
    EXPECT_EQ(crt::RandomState(), hand.State);
    EXPECT_EQ(x[1], 20u);
    EXPECT_EQ(amplitude[1], 4u);
    EXPECT_EQ(phase[1], 8u);
    EXPECT_TRUE(static_cast<RecordingTexture*>(texture)->PaddingUntouched());
}

using SoftDiscTexture = EffectFixture;

TEST_F(SoftDiscTexture, OpaqueCoreThenLinearFallToTheRim) {
    const ObjectEffect& effect = MakeCreated(SoftDisc, 512, 51.0f, 2.0f, 5, RippleA, 0x800000FF);
    const RecordingTexture& texture = TextureOf(effect);
    for (uint32_t y = 0; y < 512; ++y) {
        for (uint32_t x = 0; x < 512; ++x) {
            const uint32_t texel = texture.Texel(x, y);
            ASSERT_EQ(texel & 0xFFFFFF, 0x0000FFu);
            const int dx = static_cast<int>(x) - 256;
            const int dy = static_cast<int>(y) - 256;
            if (dx * dx + dy * dy < 128 * 128) {
                ASSERT_EQ(AlphaOf(texel), 0x80u) << x << "," << y;
            } else if (dx * dx + dy * dy >= 256 * 256) {
                ASSERT_EQ(AlphaOf(texel), 0u) << x << "," << y;
            }
        }
    }
    // Along the middle row: 128 (1 - (d - 128)/128) truncated.
    EXPECT_EQ(AlphaOf(texture.Texel(256 + 128, 256)), 128u);
    EXPECT_EQ(AlphaOf(texture.Texel(256 + 192, 256)), 64u);
    EXPECT_EQ(AlphaOf(texture.Texel(256 - 224, 256)), 32u);
    EXPECT_EQ(AlphaOf(texture.Texel(256, 256 + 255)), 1u);
    EXPECT_EQ(AlphaOf(texture.Texel(0, 256)), 0u);
    EXPECT_TRUE(texture.PaddingUntouched());
}

using CrescentTexture = EffectFixture;

TEST_F(CrescentTexture, BandOutsideTheLeftCircleInsideTheCentreOne) {
    const ObjectEffect& effect = MakeCreated(Crescent, 512, 10.0f, 2.0f, 5, RippleA, 0xFFFF8000);
    const RecordingTexture& texture = TextureOf(effect);
    const int h = 256;
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x) {
            const uint32_t texel = texture.Texel(x, y);
            ASSERT_EQ(texel & 0xFFFFFF, 0xFF8000u);
            const bool insideLeft = (y - h) * (y - h) + x * x < h * h;
            const bool outsideCentreOnRight =
                x > h && (y - h) * (y - h) + (x - h) * (x - h) > h * h;
            if (insideLeft || outsideCentreOnRight) {
                ASSERT_EQ(AlphaOf(texel), 0u) << x << "," << y;
            }
        }
    }
    // Middle row: the band runs from column 256 to 512 and peaks half way at 384.
    EXPECT_EQ(AlphaOf(texture.Texel(256, 256)), 0u);
    EXPECT_EQ(AlphaOf(texture.Texel(320, 256)), 127u);
    EXPECT_EQ(AlphaOf(texture.Texel(384, 256)), 255u);
    EXPECT_EQ(AlphaOf(texture.Texel(448, 256)), 127u);
    // The left half keeps its outer corners: on the first row w = column / 256.
    EXPECT_EQ(AlphaOf(texture.Texel(128, 0)), 255u);
    EXPECT_EQ(AlphaOf(texture.Texel(64, 0)), 127u);
    EXPECT_TRUE(texture.PaddingUntouched());
}

using CometTexture = EffectFixture;

// S = 32, Aspect 5: r = 3.2, alpha (1 - d^2/10.24) 255.
TEST_F(CometTexture, WithoutTailIsAPlainDisc) {
    const ObjectEffect& effect =
        MakeCreated(Comet, 32, 50.0f, 5.0f, 1, 0x000000FF, 0xFFFF0000, {0.0f, 0.0f, 0.0f});
    const RecordingTexture& texture = TextureOf(effect);
    EXPECT_EQ(texture.Texel(16, 16), 0xFFFF0000u);
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        EXPECT_EQ(AlphaOf(texture.Texel(16 + dx, 16 + dy)), 230u);
    }
    for (auto [dx, dy] : {std::pair{2, 2}, {-2, 2}, {2, -2}, {-2, -2}}) {
        EXPECT_EQ(AlphaOf(texture.Texel(16 + dx, 16 + dy)), 55u);
    }
    EXPECT_EQ(AlphaOf(texture.Texel(16 + 4, 16)), 0u);
    EXPECT_EQ(AlphaOf(texture.Texel(16 - 4, 16)), 0u);
    EXPECT_EQ(AlphaOf(texture.Texel(0, 0)), 0u);
    EXPECT_TRUE(texture.PaddingUntouched());
}

// Given (-5, 0, 0) the tail points to +x, stretched 5 times.
TEST_F(CometTexture, TailPointsAwayFromTheGivenDirection) {
    const ObjectEffect& effect =
        MakeCreated(Comet, 32, 50.0f, 5.0f, 1, 0x000000FF, 0xFFFF0000, {-5.0f, 0.0f, 0.0f});
    const RecordingTexture& texture = TextureOf(effect);
    // Six texels along the tail: d^2 becomes 36 / 25 = 1.44, alpha (1 - 1.44/10.24) 255 = 219.
    EXPECT_EQ(AlphaOf(texture.Texel(16 + 6, 16)), 219u);
    EXPECT_EQ(AlphaOf(texture.Texel(16 - 6, 16)), 0u);
    EXPECT_EQ(AlphaOf(texture.Texel(16, 16 + 6)), 0u);
    // One texel along it: d^2 = 1 / 25, alpha (1 - 0.04/10.24) 255 = 254.
    EXPECT_EQ(AlphaOf(texture.Texel(16 + 1, 16)), 254u);
    EXPECT_EQ(AlphaOf(texture.Texel(16 - 1, 16)), 230u);
}

// At Blend 1 the colour is ColorA's and the opacity is scaled by ColorA's alpha.
TEST_F(CometTexture, BlendMovesColourAndOpacityTowardsColorA) {
    ObjectEffect& effect =
        MakeCreated(Comet, 32, 50.0f, 5.0f, 1, 0x80102030, 0xFFFF0000, {0.0f, 0.0f, 0.0f});
    effect.Start(1000);
    const RecordingTexture& texture = TextureOf(effect);
    uint32_t time = 1000;
    for (float blend : {0.0f, 0.3f, 0.7f, 1.0f}) {
        effect.SetBlend(blend);
        ASSERT_EQ(effect.Render(time += 41), S_OK);
        ExpectRgbBetween(texture, 0x80102030, 0xFFFF0000);
        EXPECT_LE(AlphaOf(texture.Texel(16, 16)), 255u);
        EXPECT_GE(AlphaOf(texture.Texel(16, 16)), 128u);
    }
    // 255 * 128 / 255 = 128.
    EXPECT_EQ(texture.Texel(16, 16), 0x80102030u);
}

using TintedCometTexture = EffectFixture;

TEST_F(TintedCometTexture, KeepsItsFirstImageUntilMarkedDirty) {
    ObjectEffect& effect =
        MakeCreated(TintedComet, 32, 10.0f, 5.0f, 1, 0x80800000, 0x80FFFF00, {0.0f, 0.0f, 0.0f});
    const RecordingTexture& texture = TextureOf(effect);
    // Comet at Blend 0, then tinted once: 255 * 128 / 255 = 128.
    EXPECT_EQ(texture.Texel(16, 16), 0x80FFFF00u);
    const std::vector<uint8_t> first = texture.Level0;
    effect.Start(1000);
    for (uint32_t time : {1000u, 1041u, 1100u, 5000u}) {
        effect.SetBlend(0.0f);
        effect.SetLightDirection({0.005f, 0.0f, 0.0f});
        ASSERT_EQ(effect.Render(time), S_OK);
    }
    EXPECT_EQ(texture.Level0, first);
    // A new blend scales the alpha again: 128 (128 + (64.25 - 128) 0.5) / 255 = 48.25.
    effect.SetBlend(0.5f);
    ASSERT_EQ(effect.Render(6000), S_OK);
    EXPECT_EQ(AlphaOf(texture.Texel(16, 16)), 48u);
    ExpectRgbBetween(texture, 0x80800000, 0x80FFFF00);
    EXPECT_TRUE(texture.PaddingUntouched());
}

// The splatter generator on a texture of its own, with spots against every border.
class SplatterTexture : public EffectFixture {
protected:
    static constexpr uint32_t Size = 256;
    static constexpr uint32_t Paint = 0xFF00FF80;

    void SetUp() override {
        EffectFixture::SetUp();
        ASSERT_EQ(Device.CreateTexture(Size, Size, 1, 0, gfx::Format::A8R8G8B8, &Target), S_OK);
        ASSERT_EQ(Target->LockRect(0, &Locked, nullptr, 0), S_OK);
    }

    // Runs one first pass and returns the blot size K and the radius table it drew.
    uint32_t Pass(std::vector<uint32_t>& x, std::vector<uint32_t>& y, float aspect,
                  std::array<uint32_t, 128>* radii) {
        std::vector<uint32_t> unused(x.size());
        HandRandom hand{crt::RandomState()};
        const uint32_t k = hand.Next() % 50 + 50;
        for (uint32_t& radius : *radii) {
            radius = hand.Next() % (3 * k / 4) + k / 4;
        }
        effect_textures::Splatter(TexelSurface(Locked.Bits, Locked.Pitch, Size),
                                  {x, y, unused, unused, unused, unused},
                                  {0, 0x1200FF80, 0.0f, aspect}, true);
        return k;
    }

    const RecordingTexture& Texture() const { return *static_cast<RecordingTexture*>(Target); }

    gfx::Texture* Target = nullptr;
    gfx::LockedRect Locked;
};

TEST_F(SplatterTexture, BlotsStayInsideAndShiftAwayFromTheTopLeft) {
    std::vector<uint32_t> x{0, Size - 1, 0, Size - 1, 128, 1};
    std::vector<uint32_t> y{0, Size - 1, Size - 1, 0, 128, Size - 2};
    std::array<uint32_t, 128> radii{};
    HandRandom hand{crt::RandomState()};
    const uint32_t k = Pass(x, y, 10.0f, &radii);
    const RecordingTexture& texture = Texture();
    EXPECT_TRUE(texture.PaddingUntouched());
    for (uint32_t i = 0; i < Size; ++i) {
        ASSERT_EQ(texture.Texel(Size - 1, i), 0u);
        ASSERT_EQ(texture.Texel(i, Size - 1), 0u);
        for (uint32_t j = 0; j < Size; ++j) {
            const uint32_t texel = texture.Texel(j, i);
            ASSERT_TRUE(texel == 0 || texel == Paint) << std::hex << texel;
        }
    }
    // The corner spot's box is clamped to [0, K) both ways: its blot is centred K texels in,
    // and only the quarter before that centre is drawn.
    EXPECT_EQ(texture.Texel(k - 1, k - 1), Paint);
    EXPECT_EQ(texture.Texel(0, 0), 0u);
    EXPECT_EQ(texture.Texel(k, k), 0u);
    // The free one is centred on its spot.
    EXPECT_EQ(texture.Texel(128, 128), Paint);
    // Then the spots move: every X, then every Y.
    for (int n = 0; n < 129; ++n) {
        hand.Next();
    }
    for (uint32_t value : x) {
        EXPECT_EQ(value, hand.Next() % Size);
    }
    for (uint32_t value : y) {
        EXPECT_EQ(value, hand.Next() % Size);
    }
    EXPECT_EQ(crt::RandomState(), hand.State);
}

// With Aspect below 1 the cosine on the centre row exceeds 1: it counts as +-1, so the right
// half of that row uses entry 63 of the table and the left half entry 127.
TEST_F(SplatterTexture, CentreRowUsesTheClampedAngle) {
    std::vector<uint32_t> x{128};
    std::vector<uint32_t> y{128};
    std::array<uint32_t, 128> radii{};
    const uint32_t k = Pass(x, y, 0.5f, &radii);
    const RecordingTexture& texture = Texture();
    for (uint32_t step = 1; step < k; ++step) {
        const float d = std::sqrt(static_cast<float>(step * step) * 0.5f);
        EXPECT_EQ(texture.Texel(128 + step, 128) == Paint, d < radii[63]) << step;
        EXPECT_EQ(texture.Texel(128 - step, 128) == Paint, d < radii[127]) << step;
    }
    EXPECT_TRUE(texture.PaddingUntouched());
}

TEST_F(SplatterTexture, SceneSplatterOnlyAddsOpaqueBlots) {
    ObjectEffect& effect = MakeCreated(Splatter, 1024, 80.0f, 10.0f, 10, 0xFFFFFFFF, 0xFFFFFFFF);
    const RecordingTexture& texture = TextureOf(effect);
    effect.Start(1000);
    uint32_t painted = 0;
    for (int pass = 0; pass < 8; ++pass) {
        ASSERT_EQ(effect.Render(1000 + 41 * pass), S_OK);
        uint32_t now = 0;
        for (uint32_t i = 0; i < 1024; ++i) {
            ASSERT_EQ(texture.Texel(1023, i), 0u);
            ASSERT_EQ(texture.Texel(i, 1023), 0u);
            for (uint32_t j = 0; j < 1024; ++j) {
                const uint32_t texel = texture.Texel(j, i);
                ASSERT_TRUE(texel == 0 || texel == 0xFFFFFFFF);
                now += texel != 0;
            }
        }
        EXPECT_GT(now, painted);
        painted = now;
    }
    EXPECT_TRUE(texture.PaddingUntouched());
}

}  // namespace
