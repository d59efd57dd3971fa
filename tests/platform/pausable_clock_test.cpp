#include "platform/pausable_clock.h"

#include <gtest/gtest.h>

// The page's clock: still while paused, continuing without a jump when resumed.
namespace {

using platform::PausableClock;

struct ClockRig {
    double Now = 5000.25;
    PausableClock Clock{[this] { return Now; }, 100000};
};

TEST(PausableClockTest, StandsStillUntilResumedThenCountsWholeMilliseconds) {
    ClockRig rig;
    rig.Now += 750.0;
    EXPECT_EQ(rig.Clock.Milliseconds(), 100000u);
    rig.Clock.Resume();
    rig.Now += 39.9;
    EXPECT_EQ(rig.Clock.Milliseconds(), 100039u);
    rig.Now += 0.1;
    EXPECT_EQ(rig.Clock.Milliseconds(), 100040u);
}

TEST(PausableClockTest, APauseLeavesNoGapAndRepeatedCallsChangeNothing) {
    ClockRig rig;
    rig.Clock.Resume();
    rig.Now += 1000.6;
    rig.Clock.Pause();
    rig.Clock.Pause();
    rig.Now += 60000.0;  // an hour in another tab would do the same
    EXPECT_EQ(rig.Clock.Milliseconds(), 101000u);
    rig.Clock.Resume();
    rig.Now += 500.0;
    rig.Clock.Resume();  // a second resume must not restart the count
    rig.Now += 0.5;
    // The fractions run on across the pause: 1000.6 + 500.5 ms.
    EXPECT_EQ(rig.Clock.Milliseconds(), 101501u);
    EXPECT_FALSE(rig.Clock.Paused());
}

TEST(PausableClockTest, ATrimmedRateBendsTheClockWithoutAJumpAndNeverBackwards) {
    ClockRig rig;
    rig.Clock.Resume();
    rig.Now += 1000.0;
    rig.Clock.SetRate(0.95);
    EXPECT_EQ(rig.Clock.Milliseconds(), 101000u);
    rig.Now += 1000.0;
    EXPECT_EQ(rig.Clock.Milliseconds(), 101950u);
    rig.Clock.SetRate(0.0);  // refused: the clock never stops or runs back this way
    rig.Clock.Pause();
    rig.Now += 500.0;
    rig.Clock.Resume();
    rig.Now += 100.0;
    EXPECT_EQ(rig.Clock.Milliseconds(), 102045u);
}

// The time to a reading counts the fraction already run and the rate, also across the wrap;
// a reading reached or passed is no wait at all.
TEST(PausableClockTest, TellsTheSourceTimeUntilAReading) {
    ClockRig rig;
    EXPECT_DOUBLE_EQ(rig.Clock.SourceUntil(100040u), 40.0);  // paused: as it would run
    rig.Clock.Resume();
    rig.Now += 12.75;
    EXPECT_DOUBLE_EQ(rig.Clock.SourceUntil(100040u), 27.25);
    rig.Now += 27.25;
    EXPECT_EQ(rig.Clock.Milliseconds(), 100040u);
    EXPECT_EQ(rig.Clock.SourceUntil(100040u), 0.0);
    EXPECT_EQ(rig.Clock.SourceUntil(100000u), 0.0);
    rig.Clock.SetRate(0.5);
    rig.Now += 0.5;
    EXPECT_DOUBLE_EQ(rig.Clock.SourceUntil(100041u), 1.5);

    double now = 0.0;
    PausableClock wrapping([&now] { return now; }, 0xFFFFFFF0u);
    wrapping.Resume();
    now = 10.5;
    EXPECT_DOUBLE_EQ(wrapping.SourceUntil(0x0000000Au), 15.5);
}

TEST(PausableClockTest, WrapsAsA32BitMillisecondCounter) {
    double now = 0.0;
    PausableClock clock([&now] { return now; }, 0xFFFFFFF0u);
    clock.Resume();
    now = 32.0;
    EXPECT_EQ(clock.Milliseconds(), 16u);
    EXPECT_EQ(clock.Milliseconds() - 0xFFFFFFF0u, 32u);
}

}  // namespace
