#include <gtest/gtest.h>

#include "assets/embedded_assets.h"
#include "platform/process_globals.h"
#include "tests/scene/scene_harness.h"

namespace {

using testing_support::Operation;
using testing_support::RecordingVertexBuffer;
using testing_support::SceneHarness;

const RecordingVertexBuffer& Buffer(gfx::VertexBuffer* buffer) {
    return *static_cast<const RecordingVertexBuffer*>(buffer);
}

TEST(Backdrop, CylinderClosesButTextureDoesNotWrapTwice) {
    SceneHarness harness;
    const RecordingVertexBuffer& cylinder = Buffer(BackdropVertexBuffer);
    ASSERT_EQ(cylinder.Length(), 14400u);
    for (uint32_t i : {0u, 1u}) {
        const Vertex& first = cylinder.At(i);
        const Vertex& last = cylinder.At(398 + i);
        EXPECT_NEAR(first.Position.x, last.Position.x, 1e-5f);
        EXPECT_NEAR(first.Position.z, last.Position.z, 1e-5f);
        EXPECT_EQ(first.Position.y, last.Position.y);
        EXPECT_NEAR(first.Normal.x, last.Normal.x, 1e-6f);
        EXPECT_EQ(first.U, 0.0f);
        EXPECT_FLOAT_EQ(last.U, 0.995f);
    }
    EXPECT_EQ(cylinder.At(0).Position, Vec3(0.0f, -5.0f, 3.2f));
    EXPECT_EQ(cylinder.At(1).Position.y, 5.0f);
    EXPECT_EQ(cylinder.At(0).V, 1.0f);
    EXPECT_EQ(cylinder.At(1).V, 0.0f);
    EXPECT_EQ(cylinder.At(7).Diffuse, 0xFFFFFFFFu);
}

TEST(Backdrop, TextureComesFromTheEmbeddedImageWithBlackKeyedOut) {
    SceneHarness harness;
    const auto& call = harness.Device.Calls.front();
    ASSERT_EQ(call.Name, "CreateTextureFromPngInMemory");
    EXPECT_EQ(call.Object, assets::BackdropImage().data());
    EXPECT_EQ(call.Arguments[0], assets::BackdropImage().size());
    EXPECT_EQ(call.Arguments[1], 0xFF000000u);
    EXPECT_NE(harness.Scene().GetBackdropTexture(), nullptr);
}

TEST(ColourQuad, StartsRedAndTakesGradients) {
    SceneHarness harness;
    const RecordingVertexBuffer& quad = Buffer(harness.Scene().GetQuadVertexBuffer());
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(quad.At(i).Diffuse, 0xFFFF0000u);
    }
    harness.Scene().SetQuadColors(1, 1, 2, 2);
    EXPECT_EQ(quad.At(0).Diffuse, 1u);
    EXPECT_EQ(quad.At(1).Diffuse, 1u);
    EXPECT_EQ(quad.At(2).Diffuse, 2u);
    EXPECT_EQ(quad.At(3).Diffuse, 2u);
    EXPECT_EQ(quad.At(0).Position, Vec3(-70, 5, 50));
    EXPECT_EQ(quad.At(3).Position, Vec3(20, -5, 50));
    EXPECT_EQ(quad.At(2).Normal, Vec3(0, 0, -2));
    EXPECT_EQ(quad.At(1).V, 1.0f);
    EXPECT_EQ(quad.At(2).U, 1.0f);
}

TEST(ColourQuad, FailedLockKeepsTheOldColours) {
    SceneHarness harness;
    harness.Scene().SetQuadColors(7, 7, 8, 8);
    harness.Device.FailCall(Operation::LockVertexBuffer);
    harness.Scene().SetQuadColors(1, 1, 2, 2);
    EXPECT_EQ(Buffer(harness.Scene().GetQuadVertexBuffer()).At(0).Diffuse, 7u);
}

struct ResourceFailure {
    Operation FailingOperation;
    int CallNumber;
    const char* Text;
};

class InitResourcesFailure : public ::testing::TestWithParam<ResourceFailure> {};

TEST_P(InitResourcesFailure, ShowsItsBoxAndFails) {
    SceneHarness harness(100000, false);
    harness.Device.FailCall(GetParam().FailingOperation, GetParam().CallNumber);
    EXPECT_EQ(harness.Scene().InitResources(), E_FAIL);
    ASSERT_EQ(harness.Boxes.Boxes.size(), 1u);
    EXPECT_EQ(harness.Boxes.Boxes[0].Text, GetParam().Text);
    EXPECT_EQ(harness.Boxes.Boxes[0].Caption, "Init Error");
    // No object got its resources: start-up stops at the first failure.
    EXPECT_EQ(harness.Device.CallCount(Operation::CreateTexture), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, InitResourcesFailure,
    ::testing::Values(ResourceFailure{Operation::CreateTextureFromPng, 0,
                                      "Texture Loading Error - Program Exiting"},
                      ResourceFailure{Operation::CreateVertexBuffer, 0,
                                      "Vertex Creating Error - Program Exiting"},
                      ResourceFailure{Operation::LockVertexBuffer, 0,
                                      "Vertex Locking Error - Program Exiting"},
                      ResourceFailure{Operation::CreateVertexBuffer, 1,
                                      "Vertex Creating Error - Program Exiting"}));

TEST(InitResources, TextureFailureLeavesNoTexture) {
    SceneHarness harness(100000, false);
    harness.Device.FailCall(Operation::CreateTextureFromPng);
    harness.Scene().InitResources();
    EXPECT_EQ(harness.Scene().GetBackdropTexture(), nullptr);
}

TEST(InitResources, FailingObjectsDoNotStopStartUp) {
    SceneHarness harness(123456, false);
    // The first object texture (the box's glow) and a later vertex buffer fail.
    harness.Device.FailCall(Operation::CreateTexture, 0);
    harness.Device.FailCall(Operation::CreateVertexBuffer, 7);
    EXPECT_EQ(harness.Scene().InitResources(), S_OK);
    EXPECT_TRUE(harness.Boxes.Boxes.empty());
    // The clock is seeded with the time modulo 10 s.
    EXPECT_EQ(harness.Scene().GetNow(), 3456u);
    EXPECT_EQ(harness.Scene().GetLastFrameTime(), 3456u);
}

TEST(Music, TrackIsQueuedWholeWithEndOfStreamButNotStarted) {
    SceneHarness harness;
    const auto& format = harness.Scene().GetMusicFormat();
    EXPECT_EQ(format.Format.FormatTag, 1);
    EXPECT_EQ(format.Format.Channels, 2);
    EXPECT_EQ(format.Format.SamplesPerSec, 37800u);
    EXPECT_EQ(format.Format.AvgBytesPerSec, 151200u);
    EXPECT_EQ(format.Format.BlockAlign, 4);
    EXPECT_EQ(format.Format.BitsPerSample, 16);
    EXPECT_EQ(format.Format.ExtensionSize, 0);
    ASSERT_EQ(harness.Audio.Voice.Submitted.size(), 1u);
    const audio::AudioBuffer& buffer = harness.Audio.Voice.Submitted[0];
    EXPECT_EQ(buffer.Flags, audio::EndOfStream);
    EXPECT_EQ(buffer.AudioBytes, 18045692u);
    EXPECT_EQ(buffer.AudioData, assets::MusicSamples().data());
    EXPECT_EQ(buffer.LoopCount, 0u);
    EXPECT_EQ(buffer.PlayLength, 0u);
    EXPECT_EQ(harness.Audio.LastMaxFrequencyRatio, 2.0f);
    EXPECT_EQ(harness.Audio.Voice.StartCount, 0);
}

TEST(Music, VoiceCreationFailureIsReturnedWithoutSubmitting) {
    SceneHarness harness(100000, false);
    harness.Audio.SourceVoiceResult = static_cast<HRESULT>(0x88960001u);
    EXPECT_EQ(harness.Scene().InitAudio(), static_cast<HRESULT>(0x88960001u));
    EXPECT_TRUE(harness.Audio.Voice.Submitted.empty());
}

TEST(Music, SubmitFailureIsReturned) {
    SceneHarness harness(100000, false);
    harness.Audio.Voice.SubmitResult = E_FAIL;
    EXPECT_EQ(harness.Scene().InitAudio(), E_FAIL);
    EXPECT_TRUE(harness.Boxes.Boxes.empty());
}

}  // namespace
