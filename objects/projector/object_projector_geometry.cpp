#include <cstddef>

#include "geometry/float_math.h"
#include "objects/projector/object_projector.h"

namespace {

constexpr uint32_t BeamAxisColor = 0xFFFFFF00;

// Step j of n around a full turn.
float StepAngle(uint32_t j, uint32_t n) { return static_cast<float>(j * f32::TwoPiWide / n); }

// Four corners of a flap, then its hinge again facing the other way, so both sides are drawn.
void WriteFlap(const Vec3 (&corners)[4], const Vec3& inward, uint32_t color, Vertex* flap) {
    for (int v = 0; v < 4; ++v) {
        flap[v] = {corners[v], inward, color, 0, 0};
    }
    const Vec3 outward{-inward.x, -inward.y, -inward.z};
    flap[4] = {corners[0], outward, color, 0, 0};
    flap[5] = {corners[1], outward, color, 0, 0};
}

}  // namespace

// One quarter of the beam, from the axis to its edge, covered once from each side; the colour
// fades from the axis to the edge.
void ObjectProjector::BuildBeam(Vertex* beam) const {
    const double k = Aperture;
    const double f = LightDistance;
    const double spread = BeamLength * k / f + CanRadius;
    const auto farEdge = static_cast<float>(spread * 2);
    const float openingEdge = 2 * CanRadius;
    const Vec3 up{0, 1, 0};
    const Vec3 down{0, -1, 0};
    beam[0] = {{openingEdge, 0, 0}, up, 0, 1, 0};
    beam[1] = {{0, 0, 0}, up, BeamAxisColor, 0, 0};
    beam[2] = {{farEdge, 0, -BeamLength}, up, 0, 1, 1};
    beam[3] = {{0, 0, -BeamLength}, up, BeamAxisColor, 0, 1};
    beam[4] = {beam[0].Position, down, 0, 1, 0};
    beam[5] = {beam[1].Position, down, BeamAxisColor, 0, 0};
}

// Flaps hinged on the square around the opening, reaching R forward and flaring out by q.
void ObjectProjector::BuildDoors(Vertex* top, Vertex* right, Vertex* bottom, Vertex* left) const {
    const float r = CanRadius;
    const float q = LightDistance * Aperture;
    const Vec3 topCorners[4] = {{-r, r, 0}, {r, r, 0}, {-r, r + q, -r}, {r, r + q, -r}};
    const Vec3 rightCorners[4] = {{r, r, 0}, {r, -r, 0}, {r + q, r, -r}, {r + q, -r, -r}};
    const Vec3 bottomCorners[4] = {{r, -r, 0}, {-r, -r, 0}, {r, -r - q, -r}, {-r, -r - q, -r}};
    const Vec3 leftCorners[4] = {{-r, -r, 0}, {-r, r, 0}, {-r - q, -r, -r}, {-r - q, r, -r}};
    WriteFlap(topCorners, {0, -1, 0}, BodyColor, top);
    WriteFlap(rightCorners, {-1, 0, 0}, BodyColor, right);
    WriteFlap(bottomCorners, {0, 1, 0}, BodyColor, bottom);
    WriteFlap(leftCorners, {1, 0, 0}, BodyColor, left);
}

// Walls, the ring that closes them at the opening, the back cap, the inner back disc and the lens
// disc just inside the opening. The last step repeats the first, closing every ring.
void ObjectProjector::BuildCan(Vertex* outer, Vertex* frontRing, Vertex* backCap, Vertex* innerWall,
                               Vertex* innerBack, Vertex* lens) const {
    const float outerRadius = CanRadius;
    const float innerRadius =
        static_cast<float>(static_cast<double>(outerRadius) - outerRadius / 10.0);
    const float length = CanLength;
    const float innerDepth = static_cast<float>(static_cast<double>(length) - length / 10.0);
    const float lensDepth = length / 10;
    const Vec3 front{0, 0, -1};
    const Vec3 back{0, 0, 1};
    for (uint32_t j = 0; j <= SegmentCount; ++j) {
        const float w = StepAngle(j, SegmentCount);
        const float cw = f32::cos(w);
        const float sw = f32::sin(w);
        const float u = w / f32::TwoPi;
        const float edgeU = (cw + 1) / 2;
        const float edgeV = (1 - sw) / 2;
        const float innerU = (innerRadius * cw / outerRadius + 1) / 2;
        const float innerV = (1 - innerRadius * sw / outerRadius) / 2;
        const Vec3 rim{outerRadius * cw, outerRadius * sw, 0};
        const Vec3 inner{innerRadius * cw, innerRadius * sw, 0};
        const Vec3 outward{cw, sw, 0};
        const Vec3 inward{-cw, -sw, 0};
        outer[2 * j] = {rim, outward, BodyColor, u, 0};
        outer[2 * j + 1] = {{rim.x, rim.y, length}, outward, BodyColor, u, 1};
        frontRing[2 * j] = {inner, front, BodyColor, innerU, innerV};
        frontRing[2 * j + 1] = {rim, front, BodyColor, edgeU, edgeV};
        backCap[2 * j] = {{rim.x, rim.y, length}, back, BodyColor, edgeU, edgeV};
        backCap[2 * j + 1] = {{0, 0, length}, back, BodyColor, 0.5f, 0.5f};
        innerWall[2 * j] = {{inner.x, inner.y, innerDepth}, inward, BodyColor, u, 0};
        innerWall[2 * j + 1] = {inner, inward, BodyColor, u, 1};
        innerBack[2 * j] = {{0, 0, innerDepth}, front, BodyColor, 0.5f, 0.5f};
        innerBack[2 * j + 1] = {{inner.x, inner.y, innerDepth}, front, BodyColor, innerU, innerV};
        lens[2 * j] = {{0, 0, lensDepth}, front, LightColor, 0.5f, 0.5f};
        lens[2 * j + 1] = {{inner.x, inner.y, lensDepth}, front, LightColor, edgeU, edgeV};
    }
}

// Alpha falls with the square of the column from 255 on the beam's axis to 0 half-way to its
// edge; every texel has the light's colour.
void ObjectProjector::FillBeamTexture(const gfx::LockedRect& locked, uint32_t size) const {
    const uint32_t h = size / 2;
    const uint32_t color = LightColor & 0x00FFFFFF;
    auto* bits = static_cast<uint8_t*>(locked.Bits);
    for (uint32_t i = 0; i < size; ++i) {
        auto* row = reinterpret_cast<uint32_t*>(bits + static_cast<ptrdiff_t>(i) * locked.Pitch);
        for (uint32_t j = 0; j < size; ++j) {
            float x = f32::fabs(static_cast<float>(j) / static_cast<float>(h));
            if (x > 1) {
                x = 1;
            }
            const float p = 1 - x * x;
            row[j] = static_cast<uint32_t>(p * 255) << 24 | color;
        }
    }
}
