#include <gtest/gtest.h>

#include <cstring>

#include "platform/gl/gl_texture.h"
#include "platform/png_encoder.h"
#include "tests/platform/gl/gl_test_rig.h"

// Textures through the device: levels, rows at the lock's pitch, and PNG files from memory
// stretched to powers of two with the colour key.
namespace {

using gl_testing::Frame;
using gl_testing::GlTestRig;
using gl_testing::Rgb;
using gl_testing::Square;

constexpr uint32_t Opaque(int r, int g, int b) {
    return 0xFF000000u | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b);
}

// A 393 x 150 RGBA picture: red, green, blue and white quadrants split at column 196 and row 75,
// with an opaque black block and a nearly black one in the white quadrant.
std::vector<uint8_t> MakeBackdropLikePng() {
    const int width = 393;
    const int height = 150;
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            bool left = x < 196;
            bool top = y < 75;
            uint8_t r = top ? (left ? 255 : 0) : (left ? 0 : 255);
            uint8_t g = top ? (left ? 0 : 255) : (left ? 0 : 255);
            uint8_t b = top ? 0 : 255;
            if (x >= 300 && x < 380 && y >= 100 && y < 140) {
                r = g = b = 0;
            }
            if (x >= 210 && x < 280 && y >= 100 && y < 140) {
                r = g = b = 1;
            }
            p[0] = r;
            p[1] = g;
            p[2] = b;
            p[3] = 255;
        }
    }
    return gfx::EncodePng(width, height, 4, rgba);
}

uint32_t TexelAt(gfx::Texture* texture, uint32_t x, uint32_t y) {
    gfx::LockedRect locked;
    if (Failed(texture->LockRect(0, &locked, nullptr, 0))) {
        return 0xDEADBEEFu;
    }
    uint32_t texel = 0;
    std::memcpy(&texel, static_cast<uint8_t*>(locked.Bits) + y * locked.Pitch + x * 4, 4);
    texture->UnlockRect(0);
    return texel;
}

class GlTextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Rig.Ready()) << Rig.Error;
        Rig.UsePlainState();
        Rig.Device->SetTextureStageState(0, gfx::TextureStageState::ColorOp,
                                         gfx::TextureOpSelectArg1);
    }

    GlTestRig Rig;
};

TEST_F(GlTextureTest, FullChainIsReportedForEveryShapeButOnlyLevelZeroLocks) {
    struct Case {
        uint32_t Width, Height, Levels, Expected;
    } cases[] = {{128, 128, 0, 8}, {1024, 1024, 0, 11}, {512, 256, 0, 10}, {32, 32, 1, 1}};
    for (const Case& c : cases) {
        gfx::Texture* texture = nullptr;
        ASSERT_EQ(Rig.Device->CreateTexture(c.Width, c.Height, c.Levels, gfx::UsageDynamic,
                                            gfx::Format::A8R8G8B8, &texture),
                  S_OK);
        EXPECT_EQ(texture->LevelCount(), c.Expected);
        EXPECT_EQ(texture->Width(), c.Width);
        EXPECT_EQ(texture->Height(), c.Height);
        gfx::LockedRect locked;
        EXPECT_EQ(texture->LockRect(1, &locked, nullptr, 0), E_FAIL);
        ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), S_OK);
        EXPECT_GE(locked.Pitch, static_cast<int32_t>(c.Width * 4));
        EXPECT_EQ(texture->UnlockRect(0), S_OK);
        EXPECT_EQ(texture->UnlockRect(0), E_FAIL);
        texture->Release();
    }
    gfx::Texture* none = nullptr;
    EXPECT_EQ(Rig.Device->CreateTexture(0, 16, 1, 0, gfx::Format::A8R8G8B8, &none), E_FAIL);
    EXPECT_EQ(none, nullptr);
}

TEST_F(GlTextureTest, RowsWrittenAtThePitchShowInTheirPlaces) {
    // 8 x 4 texels over a 64 x 64 target: each texel covers 8 x 16 pixels.
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(
        Rig.Device->CreateTexture(8, 4, 0, gfx::UsageDynamic, gfx::Format::A8R8G8B8, &texture),
        S_OK);
    gfx::LockedRect locked;
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), S_OK);
    for (int y = 0; y < 4; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.Bits) + y * locked.Pitch);
        for (int x = 0; x < 8; ++x) {
            row[x] = Opaque(y * 80, x * 30, 255 - y * 80);
        }
    }
    ASSERT_EQ(texture->UnlockRect(0), S_OK);
    Rig.Device->SetTexture(0, texture);
    ASSERT_EQ(Rig.DrawStrip(Square(0.5f, 0xFFFFFFFFu)), S_OK);
    Frame frame = Rig.PresentAndRead();
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            Rgb pixel = frame.At(x * 8 + 4, y * 16 + 8);
            EXPECT_NEAR(pixel.r, y * 80, 1) << x << "," << y;
            EXPECT_NEAR(pixel.g, x * 30, 1) << x << "," << y;
        }
    }
    texture->Release();
}

TEST_F(GlTextureTest, RewritingLevelZeroReplacesWhatIsSampled) {
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(
        Rig.Device->CreateTexture(4, 4, 0, gfx::UsageDynamic, gfx::Format::A8R8G8B8, &texture),
        S_OK);
    Rig.Device->SetTexture(0, texture);
    for (uint32_t color : {Opaque(200, 0, 0), Opaque(0, 0, 200)}) {
        ASSERT_TRUE(gl_testing::Fill(texture, 4, color));
        Rig.ClearTo(0xFF000000u);
        Rig.DrawStrip(Square(0.5f, 0xFFFFFFFFu));
        Rgb pixel = Rig.PresentAndRead().At(30, 30);
        EXPECT_EQ(pixel.r, gl_testing::Byte(color, 16));
        EXPECT_EQ(pixel.b, gl_testing::Byte(color, 0));
    }
    texture->Release();
}

// Generators rewrite a texture between draws of one frame: a draw made before the rewrite keeps
// the texels it was made with, later draws and locks get the new ones.
TEST_F(GlTextureTest, RewriteBetweenDrawsOfOneFrameShowsOnlyInLaterDraws) {
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(
        Rig.Device->CreateTexture(4, 4, 0, gfx::UsageDynamic, gfx::Format::A8R8G8B8, &texture),
        S_OK);
    Rig.Device->SetTexture(0, texture);
    for (int frame = 0; frame < 2; ++frame) {
        ASSERT_TRUE(gl_testing::Fill(texture, 4, Opaque(200, 0, 0)));
        Rig.ClearTo(0xFF000000u);
        Rig.DrawStrip(Square(0.5f, 0xFFFFFFFFu));
        ASSERT_TRUE(gl_testing::Fill(texture, 4, Opaque(0, 0, 200)));
        Rig.DrawStrip(Square(0.25f, 0xFFFFFFFFu, 0.5f));
        gl_testing::Frame shown = Rig.PresentAndRead();
        EXPECT_EQ(shown.At(4, 4).r, 200) << "frame " << frame;
        EXPECT_EQ(shown.At(32, 32).b, 200) << "frame " << frame;
        EXPECT_EQ(shown.At(32, 32).r, 0) << "frame " << frame;
        EXPECT_EQ(TexelAt(texture, 1, 1), Opaque(0, 0, 200));
    }
    texture->Release();
}

TEST_F(GlTextureTest, PngIsStretchedToPowersOfTwoAndSpansTheTexture) {
    std::vector<uint8_t> file = MakeBackdropLikePng();
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(
        Rig.Device->CreateTextureFromPngInMemory(file.data(), file.size(), 0xFF000000u, &texture),
        S_OK);
    EXPECT_EQ(texture->Width(), 512u);
    EXPECT_EQ(texture->Height(), 256u);
    EXPECT_EQ(texture->LevelCount(), 1u);
    // Quadrant corners, and the split at 196 / 393 of the width and 75 / 150 of the height.
    EXPECT_EQ(TexelAt(texture, 0, 0), Opaque(255, 0, 0));
    EXPECT_EQ(TexelAt(texture, 511, 0), Opaque(0, 255, 0));
    EXPECT_EQ(TexelAt(texture, 0, 255), Opaque(0, 0, 255));
    EXPECT_EQ(TexelAt(texture, 511, 255), Opaque(255, 255, 255));
    EXPECT_EQ(TexelAt(texture, 252, 10), Opaque(255, 0, 0));
    EXPECT_EQ(TexelAt(texture, 258, 10), Opaque(0, 255, 0));
    EXPECT_EQ(TexelAt(texture, 10, 125), Opaque(255, 0, 0));
    EXPECT_EQ(TexelAt(texture, 10, 131), Opaque(0, 0, 255));
    texture->Release();
}

TEST_F(GlTextureTest, ColorKeyMakesOnlyOpaqueBlackTransparent) {
    std::vector<uint8_t> file = MakeBackdropLikePng();
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(
        Rig.Device->CreateTextureFromPngInMemory(file.data(), file.size(), 0xFF000000u, &texture),
        S_OK);
    // Source block (300..380, 100..140) lies at about (391..495, 171..239) in the texture.
    EXPECT_EQ(TexelAt(texture, 440, 205), 0x00000000u);
    EXPECT_EQ(TexelAt(texture, 320, 205), Opaque(1, 1, 1));

    // Drawn with blending, the keyed block shows the target behind it.
    Rig.Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    Rig.Device->SetRenderState(gfx::RenderState::SrcBlend, gfx::BlendSrcAlpha);
    Rig.Device->SetRenderState(gfx::RenderState::DestBlend, gfx::BlendInvSrcAlpha);
    Rig.Device->SetTextureStageState(0, gfx::TextureStageState::AlphaOp, gfx::TextureOpSelectArg1);
    Rig.ClearTo(0xFF336699u);
    Rig.Device->SetTexture(0, texture);
    Rig.DrawStrip(Square(0.5f, 0xFFFFFFFFu));
    Frame frame = Rig.PresentAndRead();
    Rgb keyed = frame.At(55, 51);  // texel (440, 204) of 512 x 256 on 64 x 64
    EXPECT_EQ(keyed.b, 0x99);
    Rgb white = frame.At(62, 62);
    EXPECT_EQ(white.r, 255);
    texture->Release();
}

TEST_F(GlTextureTest, BrokenPngDataFailsCleanly) {
    std::vector<uint8_t> file = MakeBackdropLikePng();
    gfx::Texture* texture = nullptr;
    std::vector<uint8_t> truncated(file.begin(), file.begin() + file.size() / 2);
    EXPECT_EQ(Rig.Device->CreateTextureFromPngInMemory(truncated.data(), truncated.size(),
                                                       0xFF000000u, &texture),
              E_FAIL);
    std::vector<uint8_t> corrupt = file;
    for (size_t i = 40; i < corrupt.size(); i += 7) {
        corrupt[i] ^= 0x5A;
    }
    EXPECT_EQ(Rig.Device->CreateTextureFromPngInMemory(corrupt.data(), corrupt.size(), 0xFF000000u,
                                                       &texture),
              E_FAIL);
    const char text[] = "not a picture at all";
    EXPECT_EQ(Rig.Device->CreateTextureFromPngInMemory(text, sizeof text, 0, &texture), E_FAIL);
    EXPECT_EQ(Rig.Device->CreateTextureFromPngInMemory(nullptr, 0, 0, &texture), E_FAIL);
    EXPECT_EQ(texture, nullptr);
}

}  // namespace
