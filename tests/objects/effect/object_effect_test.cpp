#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "geometry/build_constants.h"
#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "tests/objects/effect/effect_test_support.h"

namespace {

using effect_testing::DrawsBetween;
using effect_testing::EffectFixture;
using effect_testing::HandRandom;
using testing_support::Operation;
using testing_support::RecordingTexture;
using testing_support::RecordingVertexBuffer;

using EffectRender = EffectFixture;

TEST_F(EffectRender, NeverStartedSetsTransformAndFormatOnly) {
    ObjectEffect& effect = MakeCreated(Ripples, 128, 51.0f, 3.0f, 5, 0xFF000040, 0xFF00FFFF);
    const Matrix4 placed = MatrixTranslation(1, 2, 3);
    effect.SetTranslation(&placed);
    Device.ClearRecords();
    EXPECT_EQ(effect.Render(5000), S_OK);
    EXPECT_EQ(Device.CallNames(), (std::vector<std::string>{"SetTransform", "SetFVF"}));
    EXPECT_EQ(Device.Calls[0].Arguments[0], static_cast<uint32_t>(gfx::TransformState::World));
    EXPECT_EQ(Device.Calls[0].Matrix, placed);
    EXPECT_EQ(Device.Calls[1].Arguments[0], 0x152u);
    EXPECT_EQ(effect.GetLastRenderTime(), 5000u);
    EXPECT_EQ(TextureOf(effect).LockCount, 1);
}

TEST_F(EffectRender, OnlyTheFirstStartCounts) {
    ObjectEffect& effect = Make(SoftDisc, 16, 51.0f, 2.0f, 5, 0, 0x800000FF);
    effect.Start(700);
    effect.Start(900);
    EXPECT_TRUE(effect.IsActive());
    EXPECT_EQ(effect.GetStartTime(), 700u);
    EXPECT_EQ(effect.GetLastRegenTime(), 700u);
}

// Start(t) then Render(t) recomputes at once; then at most once per 40 ms, or again at the same
// time.
TEST_F(EffectRender, RecomputesOnStartAndBehindTheGate) {
    ObjectEffect& effect = MakeCreated(Ripples, 32, 51.0f, 3.0f, 5, 0xFF000040, 0xFF00FFFF);
    const RecordingTexture& texture = TextureOf(effect);
    effect.Start(1000);
    const struct {
        uint32_t time;
        int locks;
        uint32_t regen;
    } steps[] = {{1000, 2, 1000}, {1040, 2, 1000}, {1041, 3, 1041}, {1041, 4, 1041},
                 {1060, 4, 1041}, {1082, 5, 1082}, {900, 6, 900}};
    for (const auto& step : steps) {
        Device.ClearRecords();
        ASSERT_EQ(effect.Render(step.time), S_OK);
        EXPECT_EQ(texture.LockCount, step.locks) << step.time;
        EXPECT_EQ(texture.UnlockCount, step.locks) << step.time;
        EXPECT_EQ(effect.GetLastRegenTime(), step.regen) << step.time;
        ASSERT_EQ(Device.Draws.size(), 1u) << step.time;
    }
}

TEST_F(EffectRender, DrawsTheTexturedStripWithAddingStage) {
    ObjectEffect& effect = MakeCreated(SoftDisc, 16, 51.0f, 2.0f, 5, 0, 0x800000FF);
    effect.Start(10);
    Device.ClearRecords();
    ASSERT_EQ(effect.Render(10), S_OK);
    ASSERT_EQ(Device.Draws.size(), 1u);
    const auto& draw = Device.Draws[0];
    EXPECT_EQ(draw.Texture, &TextureOf(effect));
    EXPECT_EQ(draw.Buffer, Device.VertexBuffers().back());
    EXPECT_EQ(draw.Stride, 36u);
    EXPECT_EQ(draw.PrimitiveCount, 2u);
    EXPECT_EQ(draw.StartVertex, 0u);
    EXPECT_EQ(draw.ColorOp, gfx::TextureOpAdd);
    EXPECT_EQ(draw.ColorArg1, gfx::TextureArgTexture);
    EXPECT_EQ(draw.ColorArg2, gfx::TextureArgDiffuse);
    EXPECT_EQ(draw.AlphaOp, gfx::TextureOpAdd);
    EXPECT_EQ(draw.AlphaArg1, gfx::TextureArgTexture);
    EXPECT_EQ(draw.AlphaArg2, gfx::TextureArgDiffuse);
    EXPECT_EQ(Device.CurrentTexture(), nullptr);
}

TEST_F(EffectRender, SoftDiscNeverLocksAfterCreate) {
    ObjectEffect& effect = MakeCreated(SoftDisc, 64, 51.0f, 2.0f, 5, 0, 0x800000FF);
    effect.Start(100);
    for (uint32_t time = 100; time < 1000; time += 41) {
        effect.Render(time);
    }
    EXPECT_EQ(TextureOf(effect).LockCount, 1);
}

TEST_F(EffectRender, CrescentLocksAndUnlocksWithoutChange) {
    ObjectEffect& effect = MakeCreated(Crescent, 64, 10.0f, 2.0f, 5, 0, 0xFFFF8000);
    const std::vector<uint8_t> first = TextureOf(effect).Level0;
    effect.Start(100);
    effect.Render(100);
    effect.Render(141);
    EXPECT_EQ(TextureOf(effect).LockCount, 3);
    EXPECT_EQ(TextureOf(effect).UnlockCount, 3);
    EXPECT_EQ(TextureOf(effect).Level0, first);
}

// Different values, NaN included, mark the comet dirty; the same value does not.
TEST_F(EffectRender, BlendAndDirectionChangesMarkDirty) {
    ObjectEffect& effect = MakeCreated(Comet, 16, 50.0f, 5.0f, 1, 0, 0xFFFF0000, {1, 2, 3});
    EXPECT_FALSE(effect.IsDirty());
    effect.SetBlend(0.0f);
    EXPECT_FALSE(effect.IsDirty());
    effect.SetLightDirection({1.01f, 1.995f, 3.0f});
    EXPECT_FALSE(effect.IsDirty());
    EXPECT_EQ(effect.GetLightDirection(), Vec3(-1, -2, -3));
    effect.SetLightDirection({1.0f, 2.0f, 3.02f});
    EXPECT_TRUE(effect.IsDirty());
    EXPECT_EQ(effect.GetLightDirection(), Vec3(-1.0f, -2.0f, -3.02f));

    effect.Start(0);
    effect.Render(0);
    EXPECT_FALSE(effect.IsDirty());
    effect.SetBlend(0.25f);
    EXPECT_TRUE(effect.IsDirty());
    effect.Render(0);
    const float nan = std::nanf("");
    effect.SetBlend(nan);
    effect.Render(0);
    effect.SetBlend(nan);
    EXPECT_TRUE(effect.IsDirty());
}

// Only the translation turns the comet towards the eye; its rotation is ignored.
TEST_F(EffectRender, CometFacesTheEyeFromItsTranslation) {
    ObjectEffect& effect = MakeCreated(Comet, 16, 50.0f, 5.0f, 1, 0, 0xFFFF0000);
    const Matrix4 placed = MatrixTranslation(10.0f, 20.0f, 30.0f);
    const Matrix4 turned = MatrixRotationZ(1.0f);
    effect.SetTranslation(&placed);
    effect.SetRotation(&turned);
    const auto expected = [&](float eye) {
        const float depth = 30.0f + eye;
        return MatrixMultiply(MatrixMultiply(MatrixRotationY(f32::atan(10.0f / depth)),
                                             MatrixRotationX(f32::atan(20.0f / depth))),
                              placed);
    };
    effect.Render(0);
    EXPECT_EQ(Device.Transform(gfx::TransformState::World), expected(3.3f));
    const BuildConstants* saved = ProgramConstants;
    ProgramConstants = &BannerAltConstants;
    effect.Render(0);
    ProgramConstants = saved;
    EXPECT_EQ(Device.Transform(gfx::TransformState::World), expected(5.363059f));
    EXPECT_NE(expected(3.3f), expected(5.363059f));
}

TEST_F(EffectRender, OtherKindsUseRotationThenTranslation) {
    ObjectEffect& effect = MakeCreated(TintedComet, 16, 50.0f, 5.0f, 1, 0, 0xFFFF0000);
    const Matrix4 placed = MatrixTranslation(10.0f, 20.0f, 30.0f);
    const Matrix4 turned = MatrixRotationZ(1.0f);
    effect.SetTranslation(&placed);
    effect.SetRotation(&turned);
    effect.Render(0);
    EXPECT_EQ(Device.Transform(gfx::TransformState::World), MatrixMultiply(turned, placed));
}

using EffectRectangle = EffectFixture;

TEST_F(EffectRectangle, SingleCellIsTheFourCorners) {
    MakeCreated(Ripples, 8, 10.0f, 3.0f, 1, 0, 0);
    const RecordingVertexBuffer& buffer = *Device.VertexBuffers().back();
    ASSERT_EQ(buffer.Length(), 4u * 36u);
    const Vertex expected[] = {{{-15, -5, 0}, {0, 0, -1}, 0, 0, 0},
                               {{15, -5, 0}, {0, 0, -1}, 0, 1, 0},
                               {{-15, 5, 0}, {0, 0, -1}, 0, 0, 1},
                               {{15, 5, 0}, {0, 0, -1}, 0, 1, 1}};
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(buffer.At(i).Position, expected[i].Position) << i;
        EXPECT_EQ(buffer.At(i).Normal, expected[i].Normal) << i;
        EXPECT_EQ(buffer.At(i).Diffuse, 0u) << i;
        EXPECT_EQ(buffer.At(i).U, expected[i].U) << i;
        EXPECT_EQ(buffer.At(i).V, expected[i].V) << i;
    }
    EXPECT_EQ(buffer.UnlockCount, 1);
}

// n = 3: strips go up the first column pair, down the second, up the third.
TEST_F(EffectRectangle, ThreeByThreeIsOneSerpentineStrip) {
    ObjectEffect& effect = Make(SoftDisc, 8, 6.0f, 2.0f, 1, 0, 0, {}, 3);
    ASSERT_EQ(effect.Create(), S_OK);
    const RecordingVertexBuffer& buffer = *Device.VertexBuffers().back();
    ASSERT_EQ(buffer.VertexCapacity(), 24u);
    // Cells of 2 x 2 from -3 to 3; (column, row) of each vertex in strip order.
    const int cells[24][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3},
                              {2, 3}, {1, 3}, {2, 2}, {1, 2}, {2, 1}, {1, 1}, {2, 0}, {1, 0},
                              {2, 0}, {3, 0}, {2, 1}, {3, 1}, {2, 2}, {3, 2}, {2, 3}, {3, 3}};
    for (uint32_t i = 0; i < 24; ++i) {
        const Vertex& vertex = buffer.At(i);
        EXPECT_EQ(vertex.Position, Vec3(cells[i][0] * 2.0f - 3.0f, cells[i][1] * 2.0f - 3.0f, 0))
            << i;
        EXPECT_FLOAT_EQ(vertex.U, cells[i][0] / 3.0f) << i;
        EXPECT_FLOAT_EQ(vertex.V, cells[i][1] / 3.0f) << i;
    }
    effect.Start(0);
    Device.ClearRecords();
    effect.Render(0);
    ASSERT_EQ(Device.Draws.size(), 1u);
    EXPECT_EQ(Device.Draws[0].PrimitiveCount, 22u);
}

// Every device step of Create, made to fail in turn.
struct FailurePoint {
    Operation operation;
    bool textureExists;
    bool bufferExists;
};

class EffectCreateFailure : public EffectFixture,
                            public ::testing::WithParamInterface<FailurePoint> {};

TEST_P(EffectCreateFailure, ReportsAndNeverDrawsFromWhatIsMissing) {
    const FailurePoint point = GetParam();
    for (int kind : {Ripples, SoftDisc, Crescent, Comet, TintedComet, Splatter}) {
        Device.FailCall(point.operation);
        auto effect = std::make_unique<ObjectEffect>(kind, 1, 32, 10.0f, 2.0f, 3, 0xFF000040,
                                                     0xFFFF8000, Vec3{1, 0, 0});
        const auto textures = Device.Textures().size();
        const auto buffers = Device.VertexBuffers().size();
        EXPECT_EQ(effect->Create(), E_FAIL) << kind;
        EXPECT_EQ(effect->GetTexture() != nullptr, point.textureExists) << kind;
        EXPECT_EQ(effect->GetVertexBuffer() != nullptr, point.bufferExists) << kind;
        EXPECT_EQ(Device.Textures().size() - textures, point.textureExists ? 1u : 0u);
        effect->Start(100);
        Device.ClearRecords();
        for (uint32_t time : {100u, 141u, 200u}) {
            effect->Render(time);
        }
        EXPECT_TRUE(Device.Draws.empty()) << kind;
        EXPECT_EQ(Device.CountCalls("SetStreamSource"), 0) << kind;
        for (const auto& call : Device.Calls) {
            EXPECT_FALSE(call.Name == "SetTexture" && call.Object != nullptr) << kind;
        }
        effect.reset();
        // What was made is released once by the effect's destructor.
        if (point.textureExists) {
            EXPECT_EQ(Device.Textures().back()->ReleaseCount, 1);
        }
        if (point.bufferExists) {
            EXPECT_EQ(Device.VertexBuffers().back()->ReleaseCount, 1);
        }
        EXPECT_EQ(Device.VertexBuffers().size() - buffers, point.bufferExists ? 1u : 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(EachStep, EffectCreateFailure,
                         ::testing::Values(FailurePoint{Operation::CreateTexture, false, false},
                                           FailurePoint{Operation::LockTexture, true, false},
                                           FailurePoint{Operation::CreateVertexBuffer, true, false},
                                           FailurePoint{Operation::LockVertexBuffer, true, true}));

using EffectRegenFailure = EffectFixture;

TEST_F(EffectRegenFailure, FailedLockDrawsNothingAndKeepsTheTime) {
    ObjectEffect& effect = MakeCreated(Ripples, 32, 51.0f, 3.0f, 5, 0xFF000040, 0xFF00FFFF);
    effect.Start(1000);
    ASSERT_EQ(effect.Render(1000), S_OK);
    Device.FailCall(Operation::LockTexture);
    Device.ClearRecords();
    EXPECT_EQ(effect.Render(1100), E_FAIL);
    EXPECT_TRUE(Device.Draws.empty());
    EXPECT_EQ(effect.GetLastRegenTime(), 1000u);
    EXPECT_FALSE(TextureOf(effect).Locked);
    EXPECT_EQ(effect.Render(1100), S_OK);
    EXPECT_EQ(effect.GetLastRegenTime(), 1100u);
    EXPECT_EQ(Device.Draws.size(), 1u);
}

TEST_F(EffectRegenFailure, DestructorReleasesTextureAndBufferOnce) {
    auto effect = std::make_unique<ObjectEffect>(SoftDisc, 1, 16, 1.0f, 2.0f, 1, 0, 0, Vec3{});
    ASSERT_EQ(effect->Create(), S_OK);
    Device.Release();
    effect.reset();
    EXPECT_EQ(Device.Textures().back()->ReleaseCount, 1);
    EXPECT_EQ(Device.VertexBuffers().back()->ReleaseCount, 1);
}

using EffectConstruction = EffectFixture;

// The scene's first effect, from the generator's initial state: one pass per array.
TEST_F(EffectConstruction, SpotsFollowTheGeneratorArrayByArray) {
    HandRandom hand;
    const ObjectEffect& effect = Make(Ripples, 128, 51.0f, 3.0f, 5, 0xFF000040, 0xFF00FFFF);
    uint32_t expected[6][5];
    const uint32_t modulus[6] = {128, 128, 256, 128 / 5, 5, 5};
    for (int array = 0; array < 6; ++array) {
        for (uint32_t k = 0; k < 5; ++k) {
            expected[array][k] = hand.Next() % modulus[array];
        }
    }
    for (uint32_t k = 0; k < 5; ++k) {
        const ObjectEffect::Spot spot = effect.GetSpot(k);
        EXPECT_EQ(spot.X, expected[0][k]);
        EXPECT_EQ(spot.Y, expected[1][k]);
        EXPECT_EQ(spot.Amplitude, expected[2][k]);
        EXPECT_EQ(spot.Phase, expected[3][k]);
        EXPECT_EQ(spot.Extra1, expected[4][k]);
        EXPECT_EQ(spot.Extra2, expected[5][k]);
    }
    // The very first value of the sequence, worked out: 1 * 214013 + 2531011 = 2745024,
    // >> 16 is 41, and 41 % 128 = 41.
    EXPECT_EQ(effect.GetSpot(0).X, 41u);
    EXPECT_EQ(crt::RandomState(), hand.State);
}

// Comets fill position triples first: d, then the start, then start + d (at most the size) and
// start - d (0 for a zero start).
TEST_F(EffectConstruction, CometSpotsComeInTriples) {
    HandRandom hand;
    const ObjectEffect& effect = Make(Comet, 64, 1.0f, 5.0f, 6, 0, 0);
    for (uint32_t ObjectEffect::Spot::*member : {&ObjectEffect::Spot::X, &ObjectEffect::Spot::Y}) {
        for (uint32_t i = 0; i < 2; ++i) {
            const uint32_t d = hand.Next() % 64;
            const uint32_t start = hand.Next() % 64;
            EXPECT_EQ(effect.GetSpot(3 * i).*member, start);
            EXPECT_EQ(effect.GetSpot(3 * i + 1).*member, std::min(64u, start + d));
            EXPECT_EQ(effect.GetSpot(3 * i + 2).*member, start == 0 ? 0 : start - d);
        }
    }
    for (uint32_t k = 0; k < 6; ++k) {
        EXPECT_EQ(effect.GetSpot(k).Amplitude, hand.Next() % 256);
    }
    EXPECT_EQ(DrawsBetween(hand.State, crt::RandomState()), 18);
}

TEST_F(EffectConstruction, NumberOfDrawsPerKind) {
    const struct {
        int kind;
        uint32_t size;
        uint32_t spots;
        int draws;
    } cases[] = {{Ripples, 128, 5, 30},    {SoftDisc, 512, 5, 30}, {Crescent, 512, 5, 30},
                 {Splatter, 1024, 10, 60}, {Comet, 32, 1, 4},      {TintedComet, 128, 1, 4},
                 {Comet, 32, 7, 36},       {Ripples, 4, 5, 30},    {SoftDisc, 0, 3, 18},
                 {Ripples, 16, 0, 0}};
    for (const auto& c : cases) {
        const uint32_t before = crt::RandomState();
        const ObjectEffect effect(c.kind, 1, c.size, 1.0f, 1.0f, c.spots, 0, 0, {});
        EXPECT_EQ(DrawsBetween(before, crt::RandomState()), c.draws) << c.kind << " " << c.size;
    }
}

// Sizes too small for the phase range (4 / 5 = 0) or zero draw and keep 0 instead of dividing
// by zero.
TEST_F(EffectConstruction, EmptyRangesYieldZero) {
    const ObjectEffect small(Ripples, 1, 4, 1.0f, 1.0f, 5, 0, 0, {});
    const ObjectEffect empty(SoftDisc, 1, 0, 1.0f, 1.0f, 3, 0, 0, {});
    for (uint32_t k = 0; k < 5; ++k) {
        EXPECT_EQ(small.GetSpot(k).Phase, 0u);
        EXPECT_LT(small.GetSpot(k).X, 4u);
    }
    for (uint32_t k = 0; k < 3; ++k) {
        EXPECT_EQ(empty.GetSpot(k).X, 0u);
        EXPECT_EQ(empty.GetSpot(k).Phase, 0u);
    }
}

}  // namespace
