#include <algorithm>
#include <cstddef>

#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/camera/object_camera.h"

namespace {

// A corner of the body: signs of x and y, front (z = 0) or back (z = d), and its texture
// coordinates. The normal points along the corner's diagonal so the box shades with soft edges.
struct Corner {
    float X;
    float Y;
    bool Back;
    float U;
    float V;
};

constexpr Corner FrontFace[4] = {
    {-1, -1, false, 0, 1}, {1, -1, false, 1, 1}, {-1, 1, false, 1, 0}, {1, 1, false, 0, 0}};
constexpr Corner Sides[10] = {{1, 1, true, 0, 0},      {1, 1, false, 0, 1},
                              {1, -1, true, 0.25f, 0}, {1, -1, false, 0.25f, 1},
                              {-1, -1, true, 0.5f, 0}, {-1, -1, false, 0.5f, 1},
                              {-1, 1, true, 0.75f, 0}, {-1, 1, false, 0.75f, 1},
                              {1, 1, true, 1, 0},      {1, 1, false, 1, 1}};
constexpr Corner BackFace[4] = {
    {-1, 1, true, 1, 0}, {1, 1, true, 0, 0}, {-1, -1, true, 0, 1}, {1, -1, true, 1, 1}};

constexpr uint32_t GlassCenterColor = 0x80800080;
constexpr uint32_t GlassEdgeColor = 0x80008000;
constexpr uint32_t DomeAlpha = 0x40000000;

// Step k of n around a full turn.
float StepAngle(uint32_t k, uint32_t n) { return static_cast<float>(k * f32::TwoPiWide / n); }

// index / h of a half turn, plus an optional half-turn offset.
float HalfTurnAngle(uint32_t index, uint32_t h, double offset) {
    return static_cast<float>(index * f32::PiWide / h + offset);
}

template <size_t Count>
void WriteCorners(const Corner (&corners)[Count], float s, float d, uint32_t color, Vertex* out) {
    for (const Corner& c : corners) {
        const float z = c.Back ? 1.0f : -1.0f;
        *out++ = {
            {c.X * s, c.Y * s, c.Back ? d : 0.0f}, Vec3Normalize({c.X, c.Y, z}), color, c.U, c.V};
    }
}

uint8_t Channel(uint32_t color, int shift) { return static_cast<uint8_t>((color >> shift) & 0xFF); }

}  // namespace

void ObjectCamera::BuildGlowQuad(Vertex* quad) const {
    const float g = GlowSize;
    const Vec3 normal{0, 0, -1};
    quad[0] = {{g, g, 0}, normal, 0, 1, 0};
    quad[1] = {{-g, g, 0}, normal, 0, 0, 0};
    quad[2] = {{g, -g, 0}, normal, 0, 1, 1};
    quad[3] = {{-g, -g, 0}, normal, 0, 0, 1};
}

void ObjectCamera::BuildBody(Vertex* front, Vertex* side, Vertex* back) const {
    WriteCorners(FrontFace, BodyHalfSide, BodyDepth, BodyColor, front);
    WriteCorners(Sides, BodyHalfSide, BodyDepth, BodyColor, side);
    WriteCorners(BackFace, BodyHalfSide, BodyDepth, BodyColor, back);
}

void ObjectCamera::BuildLens(Vertex* outer, Vertex* rim, Vertex* inner, Vertex* glass) const {
    const double s = BodyHalfSide;
    const float r1 = static_cast<float>(s / 2);
    const float r2 = static_cast<float>(s / 2 - s / 10);
    const Vec3 front{0, 0, -1};
    for (uint32_t k = 0; k <= SegmentCount; ++k) {
        const float w = StepAngle(k, SegmentCount);
        const float cw = f32::cos(w);
        const float sw = f32::sin(w);
        const float u = w / f32::TwoPi;
        const float edgeU = (cw + 1) / 2;
        const float edgeV = (1 - sw) / 2;
        const Vec3 outward{cw, sw, 0};
        const Vec3 inward{-cw, -sw, 0};
        outer[2 * k] = {{r1 * cw, r1 * sw, -r1}, outward, BodyColor, u, 0};
        outer[2 * k + 1] = {{r1 * cw, r1 * sw, 0}, outward, BodyColor, u, 1};
        rim[2 * k] = {{r2 * cw, r2 * sw, -r1},
                      front,
                      BodyColor,
                      (r2 * cw / r1 + 1) / 2,
                      (1 - r2 * sw / r1) / 2};
        rim[2 * k + 1] = {{r1 * cw, r1 * sw, -r1}, front, BodyColor, edgeU, edgeV};
        inner[2 * k] = {{r2 * cw, r2 * sw, 0}, inward, BodyColor, u, 0};
        inner[2 * k + 1] = {{r2 * cw, r2 * sw, -r1}, inward, BodyColor, u, 1};
        glass[2 * k] = {{0, 0, -r2}, front, GlassCenterColor, 0.5f, 0.5f};
        glass[2 * k + 1] = {{r2 * cw, r2 * sw, -r2}, front, GlassEdgeColor, edgeU, edgeV};
    }
}

// Bands of a sphere over half the azimuth (pi .. 2 pi), so the dome bulges towards -z. Each band
// runs pole to pole, alternating direction, so the bands join into one strip.
void ObjectCamera::BuildLampDome(Vertex* dome) const {
    const uint32_t h = SegmentCount / 2;
    const uint32_t diffuse = (LampColor & 0x00FFFFFF) | DomeAlpha;
    Vertex* out = dome;
    for (uint32_t b = 0; b < h; ++b) {
        const bool odd = b % 2 == 1;
        const float phi0 = HalfTurnAngle(b, h, f32::PiWide);
        const float phi1 = HalfTurnAngle(b + 1, h, f32::PiWide);
        const float first = odd ? phi1 : phi0;
        const float second = odd ? phi0 : phi1;
        for (uint32_t k = 0; k <= h; ++k) {
            const float theta = HalfTurnAngle(odd ? k : h - k, h, 0.0);
            *out++ = DomeVertex(theta, first, diffuse);
            if (k > 0 && k < h) {
                *out++ = DomeVertex(theta, second, diffuse);
            }
        }
    }
}

Vertex ObjectCamera::DomeVertex(float theta, float phi, uint32_t diffuse) const {
    const float a = LampRadius;
    const float o = LampOffset;
    const float x = f32::cos(theta) * a;
    const float q = f32::sin(theta) * a;
    const float y = f32::cos(phi) * q;
    const float z = f32::sin(phi) * q;
    return {{x + o, y + o, z}, Vec3Normalize({x, y, z}), diffuse, (x / a + 1) / 2, (1 - y / a) / 2};
}

// A disc whose alpha falls with the square of the distance from its centre, with a ring of half
// alpha at its edge; the colour is the lamp's dimmed by the blink level, the same in every texel.
void ObjectCamera::FillGlowTexture(const gfx::LockedRect& locked, uint32_t size) {
    const float level = GetBlinkLevel();
    const int32_t h = static_cast<int32_t>(size / 2);
    const float big = static_cast<float>(h);
    const float ringInner = (big - 5) * (big - 5);
    const float ringOuter = big * big;
    const auto dim = [&](int shift) {
        return static_cast<uint32_t>(Channel(LampColor, shift) * level) << shift;
    };
    const uint32_t color = dim(16) | dim(8) | dim(0);
    auto* bits = static_cast<uint8_t*>(locked.Bits);
    for (int32_t i = 0; i < static_cast<int32_t>(size); ++i) {
        auto* row = reinterpret_cast<uint32_t*>(bits + static_cast<ptrdiff_t>(i) * locked.Pitch);
        for (int32_t j = 0; j < static_cast<int32_t>(size); ++j) {
            const float r2 = static_cast<float>((j - h) * (j - h) + (i - h) * (i - h));
            const bool ring = ringInner <= r2 && r2 <= ringOuter;
            const float p = ring ? 0.5f : 1 - std::min(1.0f, r2 / h / h);
            const auto alpha = static_cast<uint32_t>(level * p * 255);
            row[j] = alpha << 24 | color;
        }
    }
}
