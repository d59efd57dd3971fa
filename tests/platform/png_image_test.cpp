#include "platform/png_image.h"

#include "platform/png_encoder.h"

#include <gtest/gtest.h>

// Decoding PNG files from memory and the triangle-filter stretch, without a device.
namespace {

using gfx::PngImage;

constexpr int Grey = 1;
constexpr int Rgba = 4;

std::vector<uint8_t> Encode(uint32_t width, uint32_t height, int channels,
                            const std::vector<uint8_t>& pixels) {
    return gfx::EncodePng(width, height, channels, pixels);
}

TEST(PngImageTest, RgbaDecodesToArgbTexelsTopRowFirst) {
    std::vector<uint8_t> rgba = {10, 20,  30,  40,  50,  60,  70,  80,  //
                                 90, 100, 110, 120, 130, 140, 150, 160};
    std::vector<uint8_t> file = Encode(2, 2, Rgba, rgba);
    PngImage image;
    std::string error;
    ASSERT_TRUE(PngImage::Decode(file.data(), file.size(), &image, &error)) << error;
    ASSERT_EQ(image.Width(), 2u);
    ASSERT_EQ(image.Height(), 2u);
    EXPECT_EQ(image.Texel(0, 0), 0x280A141Eu);
    EXPECT_EQ(image.Texel(1, 0), 0x50323C46u);
    EXPECT_EQ(image.Texel(0, 1), 0x785A646Eu);
}

TEST(PngImageTest, GreyWithoutAlphaBecomesOpaqueGrey) {
    std::vector<uint8_t> file = Encode(3, 1, Grey, {0, 128, 255});
    PngImage image;
    std::string error;
    ASSERT_TRUE(PngImage::Decode(file.data(), file.size(), &image, &error)) << error;
    EXPECT_EQ(image.Texel(0, 0), 0xFF000000u);
    EXPECT_EQ(image.Texel(1, 0), 0xFF808080u);
    EXPECT_EQ(image.Texel(2, 0), 0xFFFFFFFFu);
}

TEST(PngImageTest, AnythingButACompletePngIsRefusedWithAReason) {
    std::vector<uint8_t> file = Encode(4, 4, Grey, std::vector<uint8_t>(16, 7));
    PngImage image;
    std::string error;
    EXPECT_FALSE(PngImage::Decode(file.data(), 20, &image, &error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(PngImage::Decode(file.data(), file.size() - 20, &image, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(PngImage::Decode(nullptr, 100, &image, &error));
    EXPECT_FALSE(PngImage::Decode(file.data(), 0, &image, &error));
}

TEST(PngImageTest, SameSizeResizeKeepsEveryTexel) {
    PngImage image(3, 2, {1, 0xFF102030u, 0x80FFFFFFu, 4, 5, 0x12345678u});
    PngImage same = image.Resized(3, 2);
    EXPECT_EQ(same.Texels(), image.Texels());
}

TEST(PngImageTest, StretchingInterpolatesBetweenNeighbours) {
    PngImage image(2, 1, {0xFF000000u, 0xFFC8C8C8u});
    PngImage wide = image.Resized(4, 1);
    // Centres of the 4 targets fall at -0.25, 0.25, 0.75, 1.25 source texels.
    EXPECT_EQ(wide.Texel(0, 0), 0xFF000000u);
    EXPECT_EQ(wide.Texel(1, 0), 0xFF323232u);
    EXPECT_EQ(wide.Texel(2, 0), 0xFF969696u);
    EXPECT_EQ(wide.Texel(3, 0), 0xFFC8C8C8u);
}

TEST(PngImageTest, ShrinkingAveragesUnderAWiderTent) {
    PngImage image(4, 1, {0xFF000000u, 0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu});
    PngImage narrow = image.Resized(2, 1);
    // Tents of half-width 2 centred at 0.5 and 2.5, weights 1/8, 3/8, 3/8, 1/8, the borders
    // repeated: 255/8 and 255 * 7/8.
    EXPECT_EQ(narrow.Texel(0, 0), 0xFF202020u);
    EXPECT_EQ(narrow.Texel(1, 0), 0xFFDFDFDFu);
}

TEST(PngImageTest, ColorKeyMatchesExactlyAndZeroKeysNothing) {
    PngImage image(3, 1, {0xFF000000u, 0xFF000001u, 0x00000000u});
    PngImage unkeyed = image;
    unkeyed.ApplyColorKey(0);
    EXPECT_EQ(unkeyed.Texels(), image.Texels());
    image.ApplyColorKey(0xFF000000u);
    EXPECT_EQ(image.Texel(0, 0), 0u);
    EXPECT_EQ(image.Texel(1, 0), 0xFF000001u);
}

TEST(PngImageTest, SidesRoundUpToPowersOfTwo) {
    EXPECT_EQ(gfx::RoundUpToPowerOfTwo(393), 512u);
    EXPECT_EQ(gfx::RoundUpToPowerOfTwo(150), 256u);
    EXPECT_EQ(gfx::RoundUpToPowerOfTwo(512), 512u);
    EXPECT_EQ(gfx::RoundUpToPowerOfTwo(1), 1u);
    EXPECT_EQ(gfx::RoundUpToPowerOfTwo(257), 512u);
}

}  // namespace
