#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "asset_files.h"
#include "assets/embedded_assets.h"
#include "platform/png_image.h"

namespace {

constexpr int kWidth = 393;
constexpr int kHeight = 150;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    const uint8_t* At(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
};

Picture Decode(const std::vector<uint8_t>& file) {
    gfx::PngImage image;
    std::string error;
    Picture picture;
    if (!gfx::PngImage::Decode(file.data(), file.size(), &image, &error)) {
        return picture;
    }
    picture.width = static_cast<int>(image.Width());
    picture.height = static_cast<int>(image.Height());
    for (uint32_t argb : image.Texels()) {
        const uint8_t rgba[] = {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                                static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)};
        picture.rgba.insert(picture.rgba.end(), rgba, rgba + 4);
    }
    return picture;
}

uint32_t BigEndian(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
                                 bytes[at + 3]);
}

class BackdropImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        file_ = new std::vector<uint8_t>(asset_files::Read(asset_files::kBackdrop));
        picture_ = new Picture(Decode(*file_));
    }
    static void TearDownTestSuite() {
        delete picture_;
        delete file_;
    }
    static const std::vector<uint8_t>& File() { return *file_; }
    static const Picture& Image() { return *picture_; }

private:
    static std::vector<uint8_t>* file_;
    static Picture* picture_;
};

std::vector<uint8_t>* BackdropImage::file_ = nullptr;
Picture* BackdropImage::picture_ = nullptr;

TEST_F(BackdropImage, HeaderSaysRgbaEightBitsNotInterlaced) {
    ASSERT_GT(File().size(), 33u);
    const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), File().begin()));
    EXPECT_EQ(BigEndian(File(), 12), 0x49484452u);  // "IHDR", the first chunk
    EXPECT_EQ(BigEndian(File(), 16), static_cast<uint32_t>(kWidth));
    EXPECT_EQ(BigEndian(File(), 20), static_cast<uint32_t>(kHeight));
    EXPECT_EQ(File()[24], 8);  // bits per channel
    EXPECT_EQ(File()[25], 6);  // colour type: RGBA
    EXPECT_EQ(File()[28], 0);  // not interlaced
}

TEST_F(BackdropImage, EveryPixelOpaqueAndNoneBlack) {
    ASSERT_EQ(Image().width, kWidth);
    ASSERT_EQ(Image().height, kHeight);
    int translucent = 0;
    int black = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* p = Image().At(x, y);
            translucent += p[3] != 255;
            black += p[0] == 0 && p[1] == 0 && p[2] == 0;
        }
    }
    EXPECT_EQ(translucent, 0);
    EXPECT_EQ(black, 0);  // opaque black would turn transparent under the colour key
}

// The picture goes once round the cylinder: its last column touches its first.
TEST_F(BackdropImage, LeftAndRightEdgesMeet) {
    ASSERT_EQ(Image().width, kWidth);
    double total = 0.0;
    int worst = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int c = 0; c < 3; ++c) {
            const int step = std::abs(Image().At(0, y)[c] - Image().At(kWidth - 1, y)[c]);
            total += step;
            worst = std::max(worst, step);
        }
    }
    EXPECT_LT(total / (kHeight * 3), 6.0);
    EXPECT_LT(worst, 25);
}

// Three identical emblems a third of the way apart: shifting by a third of the width changes
// little (only the grain), while shifting by a sixth changes a lot.
TEST_F(BackdropImage, PatternRepeatsThreeTimesAround) {
    ASSERT_EQ(Image().width, kWidth);
    const auto difference = [](int shift) {
        double total = 0.0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                for (int c = 0; c < 3; ++c) {
                    total += std::abs(Image().At(x, y)[c] - Image().At((x + shift) % kWidth, y)[c]);
                }
            }
        }
        return total / (kWidth * kHeight * 3.0);
    };
    EXPECT_LT(difference(kWidth / 3), 6.0);
    EXPECT_GT(difference(kWidth / 6), 30.0);
}

// The emblems are gold: warm, bright pixels where red leads green and green leads blue.
TEST_F(BackdropImage, HasGoldenEmblemsOnDarkerBands) {
    ASSERT_EQ(Image().width, kWidth);
    int golden = 0;
    int dark = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* p = Image().At(x, y);
            golden += p[0] > 150 && p[0] > p[1] && p[1] > p[2] + 40;
            dark += p[0] + p[1] + p[2] < 120;
        }
    }
    const int pixels = kWidth * kHeight;
    EXPECT_GT(golden, pixels / 20);
    EXPECT_GT(dark, pixels / 20);
}

TEST_F(BackdropImage, EmbeddedPictureIsTheGeneratedFile) {
    const std::span<const uint8_t> embedded = assets::BackdropImage();
    ASSERT_FALSE(File().empty());
    EXPECT_EQ(embedded.size(), File().size());
    EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), File().begin(), File().end()));
}

TEST_F(BackdropImage, GeneratorIsDeterministic) {
    const std::vector<uint8_t> again =
        asset_files::Regenerate(asset_files::kBackdropGenerator, "backdrop_again.png");
    ASSERT_FALSE(again.empty());
    EXPECT_TRUE(again == File());
}

}  // namespace
