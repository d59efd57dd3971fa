#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "objects/projector/object_projector.h"
#include "platform/process_globals.h"
#include "tests/support/recording_device.h"

namespace projector_test {

// Buffers in the order Create makes them.
enum BufferIndex {
    Beam,
    OuterWall,
    FrontRing,
    BackCap,
    InnerWall,
    InnerBack,
    Lens,
    TopDoor,
    RightDoor,
    BottomDoor,
    LeftDoor,
};

inline constexpr uint32_t SegmentCount = 256;
inline constexpr float CanRadius = 15.0f;
inline constexpr float LightDistance = 10.0f;
inline constexpr float CanLength = 25.0f;
inline constexpr uint32_t BodyColor = 0xFF808080;
inline constexpr uint32_t LightColor = 0xFFFFFF80;
inline constexpr float Aperture = 0.5f;

class ProjectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        GraphicsDevice = &device;
        NextLightIndex = 1;
    }
    void TearDown() override { GraphicsDevice = nullptr; }

    // A projector as the scene builds it.
    static std::unique_ptr<ObjectProjector> SceneProjector(uint32_t segmentCount = SegmentCount) {
        return std::make_unique<ObjectProjector>(segmentCount, CanRadius, LightDistance, CanLength,
                                                 BodyColor, LightColor, Aperture);
    }

    const testing_support::RecordingVertexBuffer& Buffer(int index) const {
        return *device.VertexBuffers().at(index);
    }
    const testing_support::RecordingTexture& BeamTexture() const {
        return *device.Textures().at(0);
    }

    testing_support::RecordingDevice device;
};

}  // namespace projector_test
