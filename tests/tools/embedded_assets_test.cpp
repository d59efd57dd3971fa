#include "assets/embedded_assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "asset_files.h"

namespace {

TEST(EmbeddedAssets, FormatRecordIsStereoSixteenBitAt37800) {
    const std::array<uint8_t, 16> expected = {
        0x01, 0x00,              // PCM
        0x02, 0x00,              // two channels
        0xA8, 0x93, 0x00, 0x00,  // 37,800 frames per second
        0xA0, 0x4E, 0x02, 0x00,  // 151,200 bytes per second
        0x04, 0x00,              // four bytes per frame
        0x10, 0x00,              // sixteen bits per sample
    };
    const std::span<const uint8_t, 16> record = assets::MusicFormatRecord();
    EXPECT_TRUE(std::equal(record.begin(), record.end(), expected.begin()));
}

// The picture, 4 zero bytes, the format record, 4 zero bytes, the samples.
TEST(EmbeddedAssets, LaidOutOneAfterAnotherWithZeroGaps) {
    const std::span<const uint8_t> image = assets::BackdropImage();
    const uint8_t* record = assets::MusicFormatRecord().data();
    const uint8_t* samples = assets::MusicSamples().data();
    ASSERT_EQ(record, image.data() + image.size() + 4);
    ASSERT_EQ(samples, record + 16 + 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(image.data()[image.size() + i], 0) << i;
        EXPECT_EQ(record[16 + i], 0) << i;
    }
}

TEST(EmbeddedAssets, SamplesAreTheGeneratedTrack) {
    const std::span<const uint8_t> samples = assets::MusicSamples();
    ASSERT_EQ(samples.size(), 18045692u);
    EXPECT_EQ(samples.size() % 4, 0u);
    const std::vector<uint8_t> file = asset_files::Read(asset_files::kMusic);
    ASSERT_EQ(file.size(), samples.size());
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), file.begin()));
}

}  // namespace
