#pragma once

#include <gtest/gtest.h>

#include "geometry/object3d.h"
#include "objects/bubble/object_bubble.h"
#include "platform/crt_random.h"
#include "platform/process_globals.h"
#include "tests/support/recording_device.h"

namespace bubble_test {

using testing_support::RecordingDevice;
using testing_support::RecordingTexture;
using testing_support::RecordingVertexBuffer;

// Buffers in creation order.
enum BufferIndex : size_t { Quad, OuterShell, InnerShell };

inline constexpr uint32_t OuterColor = 0x4010FFDF;
inline constexpr uint32_t InnerColor = 0x80EF10EF;
inline constexpr float Thickness = 0.1f;

class BubbleTest : public ::testing::Test {
protected:
    void SetUp() override {
        GraphicsDevice = &Device;
        NextLightIndex = 1;
        crt::srand(1);
    }
    void TearDown() override { GraphicsDevice = nullptr; }

    const RecordingVertexBuffer& Buffer(BufferIndex index) const {
        return *Device.VertexBuffers().at(index);
    }
    const RecordingTexture& Texture() const { return *Device.Textures().at(0); }

    RecordingDevice Device;
    // The scene's first bubble.
    ObjectBubble Bubble{128, 10.0f, Thickness, 20.0f, OuterColor, InnerColor};
};

}  // namespace bubble_test
