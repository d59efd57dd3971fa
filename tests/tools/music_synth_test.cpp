// The synthesizer's building blocks: what keeps the track smooth, in tune and within bounds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/music/band.h"
#include "tools/music/envelope.h"
#include "tools/music/mastering.h"
#include "tools/music/sine_table.h"
#include "tools/music/track_format.h"

namespace {

constexpr double kRate = track::kSampleRate;

TEST(SineTable, MatchesTheSineForAnyPhase) {
    double worst = 0.0;
    for (double phase = -3.0; phase < 3.0; phase += 0.000731) {
        worst =
            std::max(worst, std::fabs(SineTable::Sin(phase) - std::sin(6.283185307179586 * phase)));
    }
    EXPECT_LT(worst, 2e-6);
    EXPECT_NEAR(SineTable::Sin(-1e-20), 0.0, 1e-6);  // rounds up to a whole cycle
}

TEST(Envelope, RisesHoldsAndFallsToZeroWithoutSteps) {
    const Envelope envelope(0.01, 0.2, 0.5, 0.1);
    const double length = 0.5;
    EXPECT_EQ(envelope.Level(0.0, length), 0.0f);
    EXPECT_NEAR(envelope.Level(0.01, length), 1.0f, 1e-4);
    EXPECT_NEAR(envelope.Level(5.0, 10.0), 0.5f, 1e-4);  // sustain
    EXPECT_NEAR(envelope.Level(length + 0.1, length), 0.0f, 1e-9f);
    EXPECT_EQ(envelope.Level(length + 0.2, length), 0.0f);
    EXPECT_EQ(envelope.Level(-0.001, length), 0.0f);
    float previous = 0.0f;
    float largest = 0.0f;
    for (double t = 0.0; t < envelope.Duration(length) + 0.01; t += 1.0 / kRate) {
        const float level = envelope.Level(t, length);
        largest = std::max(largest, std::fabs(level - previous));
        previous = level;
    }
    EXPECT_LT(largest, 0.01f);
}

TEST(Envelope, NoteShorterThanItsAttackReleasesFromWhereItGot) {
    const Envelope envelope(1.0, 1.0, 1.0, 0.5);
    const float atRelease = envelope.Level(0.2, 0.2);
    EXPECT_GT(atRelease, 0.0f);
    EXPECT_LT(atRelease, 0.2f);
    EXPECT_NEAR(envelope.Level(0.2 + 1e-6, 0.2), atRelease, 1e-4);
}

// Every voice starts from silence and ends in silence, so no note clicks.
TEST(Instruments, NotesStartAndEndSilently) {
    Band band(static_cast<int64_t>(kRate * 4));
    const std::vector<std::pair<const char*, const Instrument*>> players = {
        {"pad", &band.Pad()},     {"swell", &band.Swell()}, {"bell", &band.Bell()},
        {"glass", &band.Glass()}, {"keys", &band.Keys()},   {"pluck", &band.Pluck()},
        {"bass", &band.Bass()},   {"lead", &band.Lead()}};
    for (const auto& [name, player] : players) {
        Band fresh(static_cast<int64_t>(kRate * 4));
        player->Play({0.5, 1.0, 69, 1.0f, 0.0f}, fresh.Bus());
        const std::vector<float>& left = fresh.Bus().Dry().Left();
        const auto start = static_cast<size_t>(0.5 * kRate);
        float peak = 0.0f;
        for (float sample : left) {
            peak = std::max(peak, std::fabs(sample));
        }
        EXPECT_GT(peak, 0.01f) << name;
        EXPECT_LT(peak, 1.0f) << name;
        EXPECT_EQ(left[start - 1], 0.0f) << name;
        EXPECT_LT(std::fabs(left[start + 1]), peak * 0.05f) << name;
        EXPECT_LT(std::fabs(left.back()), peak * 1e-3f) << name;
    }
}

TEST(DrumKit, NoiseDependsOnTheHitsTimeOnly) {
    Band first(static_cast<int64_t>(kRate));
    Band second(static_cast<int64_t>(kRate));
    first.Drums().Snare(0.1, 1.0f);
    first.Drums().Snare(0.5, 1.0f);
    second.Drums().Snare(0.5, 1.0f);  // written in another order
    second.Drums().Snare(0.1, 1.0f);
    EXPECT_EQ(first.Bus().Dry().Left(), second.Bus().Dry().Left());
    const auto at = [&](double t) {
        return first.Bus().Dry().Left()[static_cast<size_t>(t * kRate)];
    };
    EXPECT_NE(at(0.1 + 0.01), at(0.5 + 0.01));  // each hit has its own noise
}

TEST(Mastering, LimitsPeaksRemovesDcAndFadesOut) {
    const auto frames = static_cast<int64_t>(kRate);
    MixBus bus(frames);
    for (int64_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const float burst = t > 0.3 && t < 0.4 ? 3.0f : 0.2f;
        bus.AddStereo(i, 0.25f + burst * SineTable::Sin(220.0 * t), -0.25f, {});
    }
    const float ceiling = 0.8f;
    const std::vector<int16_t> out = Mastering({1.0f, ceiling, 0.8, 0.9}).Finish(bus);
    ASSERT_EQ(out.size(), static_cast<size_t>(frames) * 2);
    int peak = 0;
    double settled = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(out[i])));
        if (i / 2 > static_cast<size_t>(0.5 * kRate) && i / 2 < static_cast<size_t>(0.8 * kRate)) {
            settled += out[i];
        }
    }
    EXPECT_LE(peak, static_cast<int>(ceiling * 32767.0f) + 1);
    EXPECT_GT(peak, static_cast<int>(ceiling * 32767.0f) - 400);
    EXPECT_LT(std::fabs(settled / (0.3 * kRate * 2)), 0.02 * 32767);  // the offset has drained
    for (size_t i = static_cast<size_t>(0.9 * kRate) * 2; i < out.size(); ++i) {
        ASSERT_EQ(out[i], 0) << i;
    }
}

TEST(Mastering, RefusesANonFiniteMix) {
    MixBus bus(1000);
    bus.AddStereo(500, std::nanf(""), 0.0f, {});
    EXPECT_THROW(Mastering({1.0f, 0.8f, 1.0, 2.0}).Finish(bus), std::runtime_error);
}

}  // namespace
