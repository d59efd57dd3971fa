// Plays the whole show twice, on the device's optimised path and on its plain one, and compares
// the frames at moments spread over every phase; on both, nothing is compiled for a draw once
// start-up is over. Slow: two full shows on software OpenGL.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "headless/offscreen_show.h"
#include "platform/desktop/gl_graphics_system.h"
#include "platform/gl/gl_device.h"

namespace {

// One moment in each of the phases 0 to 15, in seconds of show time.
const std::vector<double> Moments = {5,    19, 23.5, 24.5, 26, 28, 35,  50,
                                     62.6, 68, 73.6, 79,   87, 97, 107, 112};
// 'L' presses: the box's light, bursts and effects started off the timeline's beat.
const std::vector<double> Presses = {20.0, 60.0};

struct Capture {
    int Phase = -1;
    uint32_t ShowTime = 0;
    RgbaImage Image;
};

struct Show {
    std::vector<Capture> Captures;
    // Programs the device built after start-up, and draws it had not been readied for.
    uint32_t ProgramsBuiltLate = 0;
    uint32_t UnpreparedDraws = 0;
};

void UsePlainPath(bool plain) {
    if (plain) {
        setenv(gfx::GlGraphicsSystem::UnoptimisedVariable, "1", 1);
    } else {
        unsetenv(gfx::GlGraphicsSystem::UnoptimisedVariable);
    }
}

gfx::GlDevice& Device(const OffscreenShow& show) {
    return dynamic_cast<gfx::GlDevice&>(show.FrameSource());
}

// The first frame drawn at or after each moment, read back only for those frames.
Show PlayShow(bool plain) {
    UsePlainPath(plain);
    Show played;
    std::vector<Capture>& captures = played.Captures;
    OffscreenShow show(100000);
    std::string error;
    if (!show.StartUp(&error)) {
        ADD_FAILURE() << error;
        return played;
    }
    const uint32_t builtAtStart = Device(show).ProgramsBuilt();
    uint32_t showTime = 0;
    size_t press = 0;
    while (captures.size() < Moments.size()) {
        if (press < Presses.size() && showTime + 40 > Presses[press] * 1000.0) {
            show.PressKey(shell::VkL);
            ++press;
        }
        double next = Moments[captures.size()] * 1000.0;
        show.SetFrameCapture(showTime + 40 >= next);
        OffscreenShow::Frame frame = show.Advance();
        showTime = frame.ShowTime;
        if (frame.Drawn && showTime >= next) {
            Capture capture{show.Scene().GetPhase(), showTime, {}};
            show.ReadFrame(&capture.Image);
            captures.push_back(std::move(capture));
        }
        if (Failed(frame.Result)) {
            break;
        }
    }
    played.ProgramsBuiltLate = Device(show).ProgramsBuilt() - builtAtStart;
    played.UnpreparedDraws = Device(show).UnpreparedDraws();
    UsePlainPath(false);
    return played;
}

// The largest difference of any channel, and where.
int LargestDifference(const RgbaImage& a, const RgbaImage& b, size_t* at) {
    int largest = 0;
    for (size_t i = 0; i < a.Pixels.size() && i < b.Pixels.size(); ++i) {
        int difference = std::abs(static_cast<int>(a.Pixels[i]) - static_cast<int>(b.Pixels[i]));
        if (difference > largest) {
            largest = difference;
            *at = i / 4;
        }
    }
    return largest;
}

// Each ctest run of a test plays its shows again: one test holds both checks.
TEST(OptimisedPath, DrawsTheFramesOfThePlainPathAndBuildsNothingAfterStartUp) {
    const Show optimisedShow = PlayShow(false);
    const Show plainShow = PlayShow(true);
    const std::vector<Capture>& optimised = optimisedShow.Captures;
    const std::vector<Capture>& plain = plainShow.Captures;
    ASSERT_EQ(optimised.size(), Moments.size());
    ASSERT_EQ(plain.size(), Moments.size());
    for (size_t i = 0; i < Moments.size(); ++i) {
        SCOPED_TRACE("at " + std::to_string(optimised[i].ShowTime) + " ms");
        EXPECT_EQ(optimised[i].Phase, static_cast<int>(i));
        EXPECT_EQ(optimised[i].ShowTime, plain[i].ShowTime);
        ASSERT_EQ(optimised[i].Image.Width, plain[i].Image.Width);
        ASSERT_EQ(optimised[i].Image.Height, plain[i].Image.Height);
        size_t at = 0;
        int largest = LargestDifference(optimised[i].Image, plain[i].Image, &at);
        EXPECT_LE(largest, 1) << "at pixel (" << at % optimised[i].Image.Width << ", "
                              << at / optimised[i].Image.Width << ")";
    }
    // A program, or the driver's code for one, built in the middle of the show takes longer
    // than a frame.
    EXPECT_EQ(optimisedShow.ProgramsBuiltLate, 0u);
    EXPECT_EQ(optimisedShow.UnpreparedDraws, 0u);
    EXPECT_EQ(plainShow.ProgramsBuiltLate, 0u);
    EXPECT_EQ(plainShow.UnpreparedDraws, 0u);
}

}  // namespace
