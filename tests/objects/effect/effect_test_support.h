#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "objects/effect/object_effect.h"
#include "platform/crt_random.h"
#include "platform/process_globals.h"
#include "tests/support/recording_device.h"

namespace effect_testing {

// The generator's recurrence worked by hand, independent of crt::rand.
struct HandRandom {
    uint32_t State = 1;
    uint32_t Next() {
        State = State * 214013u + 2531011u;
        return (State >> 16) & 0x7FFFu;
    }
};

// Draws made between two generator states (the recurrence run forward from the first).
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

inline uint32_t AlphaOf(uint32_t texel) { return texel >> 24; }

// A recording device installed as GraphicsDevice; effects made here die before it.
class EffectFixture : public ::testing::Test {
protected:
    void SetUp() override {
        GraphicsDevice = &Device;
        crt::srand(1);
    }
    void TearDown() override {
        Effects.clear();
        GraphicsDevice = nullptr;
    }

    ObjectEffect& Make(int kind, uint32_t size, float width, float aspect, uint32_t spots,
                       uint32_t colorA, uint32_t colorB, const Vec3& direction = {},
                       uint32_t grid = 1) {
        Effects.push_back(std::make_unique<ObjectEffect>(kind, grid, size, width, aspect, spots,
                                                         colorA, colorB, direction));
        return *Effects.back();
    }

    // Made and created; the test fails if Create does.
    ObjectEffect& MakeCreated(int kind, uint32_t size, float width, float aspect, uint32_t spots,
                              uint32_t colorA, uint32_t colorB, const Vec3& direction = {}) {
        ObjectEffect& effect = Make(kind, size, width, aspect, spots, colorA, colorB, direction);
        EXPECT_EQ(effect.Create(), S_OK);
        return effect;
    }

    static const testing_support::RecordingTexture& TextureOf(const ObjectEffect& effect) {
        return *static_cast<const testing_support::RecordingTexture*>(effect.GetTexture());
    }

    testing_support::RecordingDevice Device;
    std::vector<std::unique_ptr<ObjectEffect>> Effects;
};

}  // namespace effect_testing
