// A lost Direct3D 9 device, as a locked screen or a display change makes it on Windows, played
// on Wine's real device: the show goes on while the device is lost, the device is reset once it
// can be, and the picture comes back where the show then stands, as if it had never been lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "headless/offscreen_show.h"
#include "platform/shell_event.h"
#include "platform/windows/d3d9_device.h"
#include "tests/windows/device_loss.h"

namespace {

// 'L' at 2 s switches the box's light on and bursts the bubbles; the loss falls into phase 6 at
// 35 s, where projectors, cameras, effects and particles draw with their lights, materials and
// textures. Eleven lights are on then, and Wine lights no more than eight at once: the first
// eight switched on, which are to be the same eight after the reset.
constexpr uint32_t PressAt = 2000;
constexpr uint32_t LastBefore = 874;
constexpr int LostChecks = 5;
// The frame whose Present finds the device lost, the checks of the frames after it, the frame
// whose check lets the device be reset: the next one is the first drawn again.
constexpr uint32_t FirstAfter = LastBefore + 1 + LostChecks + 2;
constexpr uint32_t SecondAfter = FirstAfter + 25;

std::map<uint32_t, RgbaImage> Play(DeviceLoss* loss) {
    std::map<uint32_t, RgbaImage> frames;
    OffscreenShow show(100000);
    std::string error;
    if (!show.StartUp(&error)) {
        ADD_FAILURE() << error;
        return frames;
    }
    IDirect3DDevice9* device = static_cast<gfx::D3d9Device&>(show.FrameSource()).Device9();
    for (uint32_t number = 0; number <= SecondAfter; ++number) {
        if (number * ShowFrameStep == PressAt) {
            show.PressKey(shell::VkL);
        }
        show.SetDrawing(number >= LastBefore);
        const int checks = loss != nullptr ? loss->Checks : 0;
        const OffscreenShow::Frame frame = show.Advance();
        EXPECT_TRUE(frame.Drawn);
        if (loss != nullptr) {
            EXPECT_LE(loss->Checks - checks, 1) << "a lost device checked more than once a frame";
        }
        if (number == LastBefore || number == FirstAfter || number == SecondAfter) {
            EXPECT_TRUE(show.ReadFrame(&frames[number])) << "frame " << number;
        }
        if (loss != nullptr && number == LastBefore) {
            LoseDevice(device, loss);
        }
    }
    RestoreDevice(device);
    return frames;
}

TEST(LostDevice, TheShowGoesOnAndItsPictureComesBackWhereTheShowStands) {
    const std::map<uint32_t, RgbaImage> reference = Play(nullptr);
    DeviceLoss loss{};
    loss.LostChecks = LostChecks;
    const std::map<uint32_t, RgbaImage> lost = Play(&loss);

    // One check a frame while lost, nothing drawn meanwhile, one reset when it was allowed.
    EXPECT_EQ(loss.LostPresents, 1);
    EXPECT_EQ(loss.Checks, LostChecks + 1);
    EXPECT_EQ(loss.Resets, 1);
    EXPECT_EQ(loss.FailedResets, 0);
    EXPECT_EQ(loss.LostScenes, 0);
    EXPECT_EQ(loss.LostDraws, 0);
    EXPECT_FALSE(DeviceIsLost());

    const D3DPRESENT_PARAMETERS& before = loss.Before;
    const D3DPRESENT_PARAMETERS& reset = loss.ResetWith;
    EXPECT_EQ(reset.BackBufferWidth, before.BackBufferWidth);
    EXPECT_EQ(reset.BackBufferHeight, before.BackBufferHeight);
    EXPECT_EQ(reset.BackBufferFormat, before.BackBufferFormat);
    EXPECT_EQ(reset.BackBufferCount, before.BackBufferCount);
    EXPECT_EQ(reset.SwapEffect, before.SwapEffect);
    EXPECT_EQ(reset.hDeviceWindow, before.hDeviceWindow);
    EXPECT_EQ(reset.Windowed, before.Windowed);
    EXPECT_EQ(reset.EnableAutoDepthStencil, before.EnableAutoDepthStencil);
    EXPECT_EQ(reset.AutoDepthStencilFormat, before.AutoDepthStencilFormat);
    EXPECT_EQ(reset.PresentationInterval, before.PresentationInterval);

    // Render states, lights and their switches, materials, texture stages and textures' contents
    // all show in these pictures.
    for (const uint32_t number : {LastBefore, FirstAfter, SecondAfter}) {
        SCOPED_TRACE("frame " + std::to_string(number));
        ASSERT_EQ(lost.count(number), 1u);
        ASSERT_EQ(reference.count(number), 1u);
        const RgbaImage& mine = lost.at(number);
        const RgbaImage& theirs = reference.at(number);
        EXPECT_EQ(mine.Width, theirs.Width);
        ASSERT_EQ(mine.Pixels.size(), theirs.Pixels.size());
        size_t differing = 0;
        for (size_t i = 0; i < mine.Pixels.size(); i += 4) {
            differing += !std::equal(&mine.Pixels[i], &mine.Pixels[i] + 4, &theirs.Pixels[i]);
        }
        EXPECT_EQ(differing, 0u) << "pixels differ; both frames are in lost_device_*.png";
        if (differing != 0) {
            std::string ignored;
            WritePng("lost_device_" + std::to_string(number) + "_lost.png", mine, &ignored);
            WritePng("lost_device_" + std::to_string(number) + "_reference.png", theirs, &ignored);
        }
    }
}

}  // namespace
