// The headless runs' shortcut: frames whose draws are dropped still run everything else, so the
// frames drawn afterwards are those of a show drawn in full.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "headless/offscreen_show.h"
#include "platform/shell_event.h"

namespace {

// Moments in phases 0 and 1, with 'L' pressed at 2 s: the box's light, the bursts and the
// effects all carry state from frame to frame, and the effects rewrite their textures.
const std::vector<uint32_t> Moments = {5000, 19000};
constexpr uint32_t PressAt = 2000;

std::vector<RgbaImage> Play(bool drawEveryFrame) {
    std::vector<RgbaImage> frames;
    OffscreenShow show(VirtualClockStart);
    std::string error;
    if (!show.StartUp(&error)) {
        ADD_FAILURE() << error;
        return frames;
    }
    uint32_t next = 0;
    bool pressed = false;
    while (frames.size() < Moments.size()) {
        if (!pressed && next >= PressAt) {
            show.PressKey(shell::VkL);
            pressed = true;
        }
        const bool wanted = next == Moments[frames.size()];
        show.SetDrawing(drawEveryFrame || wanted);
        const OffscreenShow::Frame frame = show.Advance();
        EXPECT_TRUE(frame.Drawn);
        if (wanted) {
            frames.emplace_back();
            EXPECT_TRUE(show.ReadFrame(&frames.back()));
        }
        next = frame.ShowTime + ShowFrameStep;
    }
    return frames;
}

bool AllBlack(const RgbaImage& image) {
    for (size_t i = 0; i < image.Pixels.size(); i += 4) {
        if (image.Pixels[i] != 0 || image.Pixels[i + 1] != 0 || image.Pixels[i + 2] != 0) {
            return false;
        }
    }
    return true;
}

TEST(DrawSavedOnly, FramesAfterDroppedDrawsAreThoseOfAShowDrawnInFull) {
    const std::vector<RgbaImage> full = Play(true);
    const std::vector<RgbaImage> skipping = Play(false);
    ASSERT_EQ(full.size(), Moments.size());
    ASSERT_EQ(skipping.size(), Moments.size());
    for (size_t i = 0; i < Moments.size(); ++i) {
        EXPECT_FALSE(AllBlack(full[i])) << Moments[i];
        EXPECT_TRUE(full[i].Pixels == skipping[i].Pixels) << "frame at " << Moments[i] << " ms";
    }
}

TEST(DrawSavedOnly, AFrameWithoutDrawsShowsOnlyTheClear) {
    OffscreenShow show(VirtualClockStart);
    std::string error;
    ASSERT_TRUE(show.StartUp(&error)) << error;
    show.SetDrawing(false);
    show.SetFrameCapture(true);
    ASSERT_TRUE(show.Advance().Drawn);
    RgbaImage image;
    ASSERT_TRUE(show.ReadFrame(&image));
    EXPECT_TRUE(AllBlack(image));
    show.SetDrawing(true);
    show.Advance();
    ASSERT_TRUE(show.ReadFrame(&image));
    EXPECT_FALSE(AllBlack(image));
}

}  // namespace
