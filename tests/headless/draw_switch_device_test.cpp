// The device that plays frames without drawing them: whatever it drops, everything that changes
// what later frames show still reaches the device behind it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless/draw_switch_device.h"
#include "tests/support/recording_device.h"

namespace {

using testing_support::RecordingDevice;

// One frame as the scene plays it, through the switch.
void PlayFrame(gfx::Device& device) {
    device.Clear(gfx::ClearTarget | gfx::ClearZBuffer, 0, 1.0f, 0);
    device.BeginScene();
    device.SetRenderState(gfx::RenderState::Lighting, 0);
    device.LightEnable(1, true);
    device.DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 1);
    device.EndScene();
    device.Present();
}

std::vector<std::string> CallsWithDrawingOff(DrawSwitchDevice::Drops drops) {
    RecordingDevice target;
    auto* device = new DrawSwitchDevice(&target, drops);
    device->SetDrawing(false);
    PlayFrame(*device);
    device->Release();
    EXPECT_EQ(target.ReleaseCount, 1);
    return target.CallNames();
}

TEST(DrawSwitchDevice, DropsOnlyWhatItIsMadeToDrop) {
    const std::vector<std::string> state = {"BeginScene", "SetRenderState", "LightEnable",
                                            "EndScene"};
    std::vector<std::string> draws = CallsWithDrawingOff(DrawSwitchDevice::Drops::Draws);
    std::vector<std::string> expected = state;
    expected.insert(expected.begin(), "Clear");
    expected.push_back("Present");
    EXPECT_EQ(draws, expected);
    EXPECT_EQ(CallsWithDrawingOff(DrawSwitchDevice::Drops::Picture), state);
}

TEST(DrawSwitchDevice, PassesEverythingOnWhileDrawing) {
    RecordingDevice plain;
    PlayFrame(plain);
    RecordingDevice target;
    auto* device = new DrawSwitchDevice(&target, DrawSwitchDevice::Drops::Picture);
    device->SetDrawing(false);
    device->SetDrawing(true);
    PlayFrame(*device);
    EXPECT_EQ(target.CallNames(), plain.CallNames());
    device->Release();
}

}  // namespace
