#include "pcm_track.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kRate = 37800;

std::vector<int16_t> Tone(double seconds, double frequency, double amplitude) {
    std::vector<int16_t> samples;
    for (int i = 0; i < static_cast<int>(seconds * kRate); ++i) {
        const double v = amplitude * 32767.0 * std::sin(6.283185307179586 * frequency * i / kRate);
        samples.push_back(static_cast<int16_t>(std::lround(v)));
        samples.push_back(static_cast<int16_t>(std::lround(v)));
    }
    return samples;
}

TEST(PcmTrack, LevelsOfAKnownSine) {
    const PcmTrack track(Tone(1.0, 441.0, 0.5), kRate);
    EXPECT_NEAR(track.Peak(), 0.5, 1e-3);
    EXPECT_NEAR(PcmTrack::Dbfs(track.Rms(0.0, 1.0)), -9.03, 0.05);  // 0.5 / sqrt(2)
    EXPECT_NEAR(track.Mean(0), 0.0, 1e-4);
    EXPECT_NEAR(track.Brightness(0.0, 1.0), std::pow(std::sin(3.14159265 * 441.0 / kRate), 2),
                1e-4);
}

TEST(PcmTrack, ReadsLittleEndianBytes) {
    const std::vector<uint8_t> bytes = {0x01, 0x80, 0xFF, 0x7F};
    const PcmTrack track = PcmTrack::FromBytes(bytes, kRate);
    ASSERT_EQ(track.Frames(), 1);
    EXPECT_EQ(track.At(0, 0), -32767);
    EXPECT_EQ(track.At(0, 1), 32767);
}

TEST(PcmTrack, FindsAStepInASmoothTone) {
    std::vector<int16_t> samples = Tone(0.5, 220.0, 0.3);
    const int64_t at = kRate / 4;
    for (size_t i = 2 * static_cast<size_t>(at); i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(samples[i] + 3000);
    }
    const std::vector<int64_t> clicks = PcmTrack(samples, kRate).Clicks();
    ASSERT_FALSE(clicks.empty());
    EXPECT_LE(std::abs(clicks.front() - at), 2);
}

TEST(PcmTrack, NoiseAndToneBurstsAreNotClicks) {
    std::vector<int16_t> samples = Tone(0.5, 220.0, 0.3);
    uint32_t state = 1;
    for (size_t i = samples.size() / 2; i < samples.size(); ++i) {  // a noisy second half
        state = state * 1664525u + 1013904223u;
        samples[i] = static_cast<int16_t>(static_cast<int32_t>(state >> 19) - 4096);
    }
    EXPECT_TRUE(PcmTrack(samples, kRate).Clicks().empty());
    EXPECT_TRUE(PcmTrack(Tone(0.5, 3000.0, 0.8), kRate).Clicks().empty());
}

TEST(PcmTrack, TrailingSilence) {
    std::vector<int16_t> samples = Tone(0.2, 220.0, 0.3);
    samples.resize(samples.size() * 2, 0);
    const PcmTrack track(samples, kRate);
    EXPECT_TRUE(track.AllZero(0.21));
    EXPECT_FALSE(track.AllZero(0.1));
}

}  // namespace
