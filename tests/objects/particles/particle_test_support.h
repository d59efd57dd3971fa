#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "objects/particles/object_particule_manager.h"
#include "platform/crt_random.h"
#include "platform/process_globals.h"
#include "tests/support/recording_device.h"

// Sets up particle states that motion alone cannot reach.
struct ParticleManagerProbe {
    static void Place(ObjectParticuleManager& manager, uint32_t index, const Vec3& position,
                      const Vec3& velocity) {
        manager.PosX.at(index) = position.x;
        manager.PosY.at(index) = position.y;
        manager.PosZ.at(index) = position.z;
        manager.VelX.at(index) = velocity.x;
        manager.VelY.at(index) = velocity.y;
        manager.VelZ.at(index) = velocity.z;
    }
    static void SetStage(ObjectParticuleManager& manager, int stage, uint32_t steps) {
        manager.Stage = stage;
        manager.StepCount = steps;
    }
};

namespace particle_testing {

// The generator's recurrence worked by hand, independent of crt::rand.
struct HandRandom {
    uint32_t State = 1;
    uint32_t Next() {
        State = State * 214013u + 2531011u;
        return (State >> 16) & 0x7FFFu;
    }
    void Skip(int count) {
        for (int n = 0; n < count; ++n) {
            Next();
        }
    }
};

// Draws made between two generator states.
inline int DrawsBetween(uint32_t before, uint32_t after, int limit = 100000) {
    HandRandom random{before};
    for (int count = 0; count <= limit; ++count) {
        if (random.State == after) {
            return count;
        }
        random.Next();
    }
    return -1;
}

// The scene's three managers.
inline std::unique_ptr<ObjectParticuleManager> SceneSwarm() {
    return std::make_unique<ObjectParticuleManager>(Swarm, 500, 8, 0x000000FF, 0xFFFF0000);
}
inline std::unique_ptr<ObjectParticuleManager> SceneExplosion() {
    return std::make_unique<ObjectParticuleManager>(Explosion, 1000, 64, 0xFF0000FF, 0xFFFFFF00);
}
inline std::unique_ptr<ObjectParticuleManager> ScenePlume() {
    return std::make_unique<ObjectParticuleManager>(Plume, 1000, 400, 0xFF800000, 0xFFFF8000);
}

// A recording device installed as GraphicsDevice and the generator at its initial state.
class ParticleFixture : public ::testing::Test {
protected:
    void SetUp() override {
        GraphicsDevice = &Device;
        crt::srand(1);
    }
    void TearDown() override { GraphicsDevice = nullptr; }

    testing_support::RecordingDevice Device;
};

}  // namespace particle_testing
