#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "objects/camera/object_camera.h"
#include "platform/process_globals.h"
#include "tests/support/recording_device.h"

namespace camera_test {

// Buffers in the order Create makes them.
enum BufferIndex { Glow, FrontFace, Side, BackFace, OuterWall, LensRim, InnerWall, Glass, Dome };

inline constexpr uint32_t SegmentCount = 256;
inline constexpr float LampRadius = 1.0f;
inline constexpr float BodyHalfSide = 10.0f;
inline constexpr float BodyDepth = 40.0f;
inline constexpr float GlowSize = 5.0f;
inline constexpr uint32_t BodyColor = 0xFF202020;
inline constexpr uint32_t Red = 0xFFFF0000;
inline constexpr uint32_t Green = 0xFF008000;

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        GraphicsDevice = &device;
        NextLightIndex = 1;
    }
    void TearDown() override { GraphicsDevice = nullptr; }

    // A camera as the scene builds it, with the given lamp and blink period.
    static std::unique_ptr<ObjectCamera> SceneCamera(uint32_t lampColor = Red,
                                                     uint32_t blinkPeriod = 1000,
                                                     uint32_t segmentCount = SegmentCount) {
        return std::make_unique<ObjectCamera>(segmentCount, LampRadius, BodyHalfSide, BodyDepth,
                                              GlowSize, BodyColor, lampColor, blinkPeriod);
    }

    const testing_support::RecordingVertexBuffer& Buffer(int index) const {
        return *device.VertexBuffers().at(index);
    }
    const testing_support::RecordingTexture& GlowTexture() const {
        return *device.Textures().at(0);
    }

    testing_support::RecordingDevice device;
};

}  // namespace camera_test
