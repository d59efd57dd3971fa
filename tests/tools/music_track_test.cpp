#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>

#include "asset_files.h"
#include "assets/embedded_assets.h"
#include "pcm_track.h"

namespace {

constexpr int kRate = 37800;
// Where the show's phases begin and end, in seconds from the start of the music.
constexpr std::array<double, 17> kPhases = {0.0,  18.0, 23.0, 24.0, 25.0, 27.4,  29.1,  42.1, 62.1,
                                            63.1, 73.1, 74.1, 84.1, 90.1, 105.1, 109.1, 119.1};
// |sample| below this is below -1 dBFS.
constexpr double kCeiling = 29205.0 / 32768.0;

class MusicTrack : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        track_ = new PcmTrack(PcmTrack::FromBytes(assets::MusicSamples(), kRate));
    }
    static void TearDownTestSuite() { delete track_; }
    static const PcmTrack& Track() { return *track_; }
    static double Db(double from, double to) { return PcmTrack::Dbfs(Track().Rms(from, to)); }

private:
    static PcmTrack* track_;
};

PcmTrack* MusicTrack::track_ = nullptr;

TEST_F(MusicTrack, LastsAsLongAsTheShow) {
    EXPECT_EQ(Track().Frames(), 4511423);
    EXPECT_NEAR(static_cast<double>(Track().Frames()) / kRate, 119.35, 0.001);
}

TEST_F(MusicTrack, PeakStaysBelowMinusOneDbfsWithoutDcOffset) {
    EXPECT_LT(Track().Peak(), kCeiling);
    EXPECT_GT(Track().Peak(), 0.25);  // and it is not timid either
    EXPECT_LT(std::fabs(Track().Mean(0)), 0.001);
    EXPECT_LT(std::fabs(Track().Mean(1)), 0.001);
}

// Prints the levels for the record; fails only if a phase is silent. The closing phase is
// measured up to its last chord, since the decay after it is meant to die away.
TEST_F(MusicTrack, EveryPhaseIsHeard) {
    std::printf("music: peak %.2f dBFS, RMS %.2f dBFS overall\n", PcmTrack::Dbfs(Track().Peak()),
                Db(0.0, 119.35));
    for (size_t i = 0; i + 1 < kPhases.size(); ++i) {
        const double end = i + 2 == kPhases.size() ? 117.0 : kPhases[i + 1];
        const double level = Db(kPhases[i], end);
        std::printf("  phase %2zu  %6.1f - %6.1f s  RMS %6.1f dBFS  brightness %.4f\n", i,
                    kPhases[i], kPhases[i + 1], level, Track().Brightness(kPhases[i], end));
        EXPECT_GT(level, -36.0) << "phase " << i;
    }
}

TEST_F(MusicTrack, EndsWithAChordDyingToSilence) {
    EXPECT_GT(Db(115.1, 116.1), -26.0);
    EXPECT_LT(Db(118.6, 119.1), Db(115.1, 116.1) - 12.0);
    EXPECT_TRUE(Track().AllZero(119.3));
}

// The music follows the show: it changes where the picture does.
TEST_F(MusicTrack, SectionsContrastWhereTheShowChanges) {
    // The box waits alone in a quiet intro; its light brings the band in.
    EXPECT_GT(Db(18.0, 23.0), Db(0.0, 18.0) + 5.0);
    // The explosion hits harder than the hovering before it.
    EXPECT_GT(Db(74.1, 74.6), Db(63.1, 73.1) + 6.0);
    // The drifting plume is quieter and darker than the chase that follows.
    EXPECT_GT(Db(90.1, 105.1), Db(84.1, 90.1) + 4.0);
    EXPECT_GT(Track().Brightness(90.1, 105.1), 3.0 * Track().Brightness(84.1, 90.1));
    // The comet swarm drives harder than the broad projector section.
    EXPECT_GT(Track().Brightness(42.1, 62.1), 1.5 * Track().Brightness(29.1, 42.1));
}

// Across most boundaries, the second on either side differs clearly in level or colour.
TEST_F(MusicTrack, MostBoundariesAreAudible) {
    int audible = 0;
    for (size_t i = 1; i + 1 < kPhases.size(); ++i) {
        const double b = kPhases[i];
        const double before = Db(b - 1.0, b);
        const double after = Db(b, b + 1.0);
        const double colour = Track().Brightness(b, b + 1.0) / Track().Brightness(b - 1.0, b);
        if (std::fabs(after - before) > 3.0 || colour > 1.5 || colour < 1.0 / 1.5) {
            ++audible;
        }
    }
    EXPECT_GE(audible, 10);
}

TEST_F(MusicTrack, HasNoClicks) { EXPECT_TRUE(Track().Clicks().empty()); }

TEST_F(MusicTrack, EmbeddedTrackMatchesAFreshRun) {
    const std::vector<uint8_t> again =
        asset_files::Regenerate(asset_files::kMusicGenerator, "music_again.pcm");
    const std::span<const uint8_t> embedded = assets::MusicSamples();
    ASSERT_EQ(again.size(), embedded.size());
    EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), again.begin()));
}

}  // namespace
