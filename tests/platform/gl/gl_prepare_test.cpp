#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "tests/platform/gl/gl_test_rig.h"

// Readying the device before drawing: the programs of the stage setups it is given are built
// then and never again, anything else is counted, and none of it shows in a frame.
namespace {

using gfx::TextureStageState;
using gl_testing::Frame;
using gl_testing::GlTestRig;
using gl_testing::Square;

constexpr uint32_t TexelColor = 0x80402080u;
constexpr uint32_t VertexColor = 0xC0C06020u;

constexpr gfx::TextureStageSetup Modulating{gfx::TextureOpModulate, gfx::TextureArgTexture,
                                            gfx::TextureArgDiffuse, gfx::TextureOpModulate,
                                            gfx::TextureArgTexture, gfx::TextureArgDiffuse};
constexpr gfx::TextureStageSetup Adding{gfx::TextureOpAdd,      gfx::TextureArgTexture,
                                        gfx::TextureArgDiffuse, gfx::TextureOpAdd,
                                        gfx::TextureArgTexture, gfx::TextureArgDiffuse};
constexpr gfx::TextureStageSetup Selecting{gfx::TextureOpSelectArg1, gfx::TextureArgTexture,
                                           gfx::TextureArgDiffuse,   gfx::TextureOpSelectArg1,
                                           gfx::TextureArgTexture,   gfx::TextureArgDiffuse};

class GlPrepareTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Rig.Ready()) << Rig.Error;
        Rig.UsePlainState();
        Rig.Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 1);
        Rig.Device->SetRenderState(gfx::RenderState::SrcBlend, gfx::BlendSrcAlpha);
        Rig.Device->SetRenderState(gfx::RenderState::DestBlend, gfx::BlendInvSrcAlpha);
        ASSERT_EQ(
            Rig.Device->CreateTexture(8, 8, 1, gfx::UsageDynamic, gfx::Format::A8R8G8B8, &Texture),
            S_OK);
        ASSERT_TRUE(gl_testing::Fill(Texture, 8, TexelColor));
        // Two squares side by side in one buffer, drawn from the same stream.
        std::vector<Vertex> left = Square(0.5f, VertexColor, 0.5f);
        std::vector<Vertex> right = left;
        for (Vertex& vertex : left) {
            vertex.Position.x -= 0.5f;
        }
        for (Vertex& vertex : right) {
            vertex.Position.x += 0.5f;
        }
        left.insert(left.end(), right.begin(), right.end());
        ASSERT_EQ(Rig.Device->CreateVertexBuffer(VertexBytes(8), 0, VertexFormat, &Squares), S_OK);
        void* data = nullptr;
        ASSERT_EQ(Squares->Lock(0, 0, &data, 0), S_OK);
        std::memcpy(data, left.data(), VertexBytes(8));
        ASSERT_EQ(Squares->Unlock(), S_OK);
        Rig.Device->SetStreamSource(0, Squares, 0, VertexStride);
    }
    void TearDown() override {
        if (Texture != nullptr) {
            Texture->Release();
        }
        if (Squares != nullptr) {
            Squares->Release();
        }
    }

    void Use(const gfx::TextureStageSetup& stage, gfx::Texture* texture) {
        auto* device = Rig.Device;
        device->SetTexture(0, texture);
        device->SetTextureStageState(0, TextureStageState::ColorOp, stage.ColorOp);
        device->SetTextureStageState(0, TextureStageState::ColorArg1, stage.ColorArg1);
        device->SetTextureStageState(0, TextureStageState::ColorArg2, stage.ColorArg2);
        device->SetTextureStageState(0, TextureStageState::AlphaOp, stage.AlphaOp);
        device->SetTextureStageState(0, TextureStageState::AlphaArg1, stage.AlphaArg1);
        device->SetTextureStageState(0, TextureStageState::AlphaArg2, stage.AlphaArg2);
    }
    // 0 the left square, 1 the right one.
    HRESULT DrawSquare(uint32_t which) {
        return Rig.Device->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 4 * which, 2);
    }

    GlTestRig Rig;
    gfx::Texture* Texture = nullptr;
    gfx::VertexBuffer* Squares = nullptr;
};

TEST_F(GlPrepareTest, DrawsWithPreparedSetupsBuildNothingMore) {
    const std::array setups = {Modulating, Adding};
    ASSERT_EQ(Rig.Device->PrepareToDraw(setups), S_OK);
    const uint32_t built = Rig.Device->ProgramsBuilt();

    Use(Adding, Texture);
    EXPECT_EQ(DrawSquare(0), S_OK);
    Use(Adding, nullptr);
    EXPECT_EQ(DrawSquare(1), S_OK);
    Use(Modulating, Texture);
    EXPECT_EQ(DrawSquare(0), S_OK);
    Rig.PresentAndRead();

    EXPECT_EQ(Rig.Device->ProgramsBuilt(), built);
    EXPECT_EQ(Rig.Device->UnpreparedDraws(), 0u);
}

TEST_F(GlPrepareTest, SetupsAndRenderStatesNotPreparedForAreCounted) {
    const std::array setups = {Adding};
    ASSERT_EQ(Rig.Device->PrepareToDraw(setups), S_OK);
    const uint32_t built = Rig.Device->ProgramsBuilt();

    Use(Selecting, Texture);
    EXPECT_EQ(DrawSquare(0), S_OK);
    EXPECT_EQ(Rig.Device->ProgramsBuilt(), built + 1);
    EXPECT_EQ(Rig.Device->UnpreparedDraws(), 1u);

    Use(Adding, Texture);
    EXPECT_EQ(DrawSquare(0), S_OK);
    EXPECT_EQ(Rig.Device->UnpreparedDraws(), 1u);

    // The driver's code depends on the blend: what was readied before does not cover it.
    Rig.Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 0);
    EXPECT_EQ(DrawSquare(0), S_OK);
    EXPECT_EQ(DrawSquare(1), S_OK);
    EXPECT_EQ(Rig.Device->UnpreparedDraws(), 3u);
}

// Readying in the middle of a frame leaves the target, the stream, the texture, the program and
// the viewport as they were: the next draw shows exactly what it shows without it.
TEST_F(GlPrepareTest, PreparingBetweenTwoDrawsChangesNoPixel) {
    auto drawFrame = [this](bool prepare) {
        Rig.ClearTo(0xFF102030u);
        Use(Modulating, Texture);
        EXPECT_EQ(DrawSquare(0), S_OK);
        if (prepare) {
            // The last program readied is not the one in use.
            const std::array setups = {Modulating, Selecting, Adding};
            EXPECT_EQ(Rig.Device->PrepareToDraw(setups), S_OK);
        }
        EXPECT_EQ(DrawSquare(1), S_OK);
        return Rig.PresentAndRead();
    };
    const Frame plain = drawFrame(false);
    const Frame prepared = drawFrame(true);
    ASSERT_EQ(plain.Rgba.size(), prepared.Rgba.size());
    EXPECT_TRUE(plain.Rgba == prepared.Rgba);
    // Both squares are there, over the clear colour.
    EXPECT_NE(prepared.At(16, 32).r, 0x10);
    EXPECT_NE(prepared.At(48, 32).r, 0x10);
}

TEST(GlPreparePlainPathTest, ReadiesTheGeneralProgramAndBuildsNoOther) {
    gfx::GlGraphicsSystem::Options options;
    options.Device.Optimise = false;
    GlTestRig rig(64, 64, options);
    ASSERT_TRUE(rig.Ready()) << rig.Error;
    rig.UsePlainState();
    const std::array setups = {Modulating, Adding};
    ASSERT_EQ(rig.Device->PrepareToDraw(setups), S_OK);
    EXPECT_EQ(rig.Device->ProgramsBuilt(), 1u);
    EXPECT_EQ(rig.DrawStrip(Square(0.5f, VertexColor)), S_OK);
    EXPECT_EQ(rig.Device->UnpreparedDraws(), 0u);
    EXPECT_EQ(rig.Device->ProgramsBuilt(), 1u);
}

}  // namespace
