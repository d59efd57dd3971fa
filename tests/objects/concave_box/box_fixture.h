#pragma once

#include <gtest/gtest.h>

#include "geometry/object3d.h"
#include "objects/concave_box/object_concav_box.h"
#include "platform/process_globals.h"
#include "tests/support/recording_device.h"

namespace box_test {

using testing_support::RecordingDevice;
using testing_support::RecordingVertexBuffer;

// Buffers in creation order.
enum BufferIndex : size_t { Glow, FrontFace, Hollow, Wall, BackFace };

inline constexpr uint32_t Inner = 0xFF808080;
inline constexpr uint32_t Outer = 0xFF404040;

class BoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        GraphicsDevice = &Device;
        NextLightIndex = 1;
    }
    void TearDown() override { GraphicsDevice = nullptr; }

    const RecordingVertexBuffer& Buffer(BufferIndex index) const {
        return *Device.VertexBuffers().at(index);
    }

    RecordingDevice Device;
    // The scene's box, with the two colours told apart.
    ObjectConcavBox Box{256, 10.0f, 30.0f, 40.0f, Inner, Outer};
};

}  // namespace box_test
