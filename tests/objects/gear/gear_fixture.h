#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "geometry/object3d.h"
#include "objects/gear/object_gear.h"
#include "platform/process_globals.h"
#include "tests/support/recording_device.h"
#include "tests/support/recording_message_box.h"

namespace gear_test {

using testing_support::RecordingDevice;
using testing_support::RecordingVertexBuffer;

inline constexpr uint32_t Inner = 0xFFFF0000;
inline constexpr uint32_t Outer = 0xFFFF8000;

// The scene's two wheel shapes.
inline std::unique_ptr<ObjectGear> BigWheel() {
    return std::make_unique<ObjectGear>(2048, 10.0f, 30.0f, 35.0f, 5.0f, 16, Inner, Outer);
}
inline std::unique_ptr<ObjectGear> SmallWheel() {
    return std::make_unique<ObjectGear>(2048, 10.0f, 15.0f, 20.0f, 5.0f, 8, Inner, Outer);
}

class GearTest : public ::testing::Test {
protected:
    void SetUp() override {
        GraphicsDevice = &Device;
        NextLightIndex = 1;
    }
    void TearDown() override { GraphicsDevice = nullptr; }

    // Buffers in creation order: front face, bore, rim, back face.
    const RecordingVertexBuffer& Buffer(size_t index) const {
        return *Device.VertexBuffers()[index];
    }

    RecordingDevice Device;
    testing_support::RecordingMessageBox Boxes;
};

}  // namespace gear_test
