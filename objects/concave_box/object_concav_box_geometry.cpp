#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/concave_box/object_concav_box.h"

namespace {

constexpr float Pi = f32::Pi;
constexpr Vec3 TowardsViewer{0.0f, 0.0f, -1.0f};

// A quad or cube corner: a position (for the cube, the signs of x, y and z - s, which are also
// its normal's direction) and texture coordinates.
struct Corner {
    float X, Y, Z;
    float U, V;
};

Vertex CornerVertex(const Corner& corner, float s, uint32_t color) {
    Vertex vertex;
    vertex.Position = {corner.X * s, corner.Y * s, s + corner.Z * s};
    vertex.Normal = Vec3Normalize({corner.X, corner.Y, corner.Z});
    vertex.Diffuse = color;
    vertex.U = corner.U;
    vertex.V = corner.V;
    return vertex;
}

}  // namespace

// A vertex with the planar mapping of the front square onto the unit square.
Vertex ObjectConcavBox::FaceVertex(float x, float y, float z, uint32_t color) const {
    Vertex vertex;
    vertex.Position = {x, y, z};
    vertex.Diffuse = color;
    vertex.U = (x / HalfSize + 1.0f) / 2.0f;
    vertex.V = (1.0f - y / HalfSize) / 2.0f;
    return vertex;
}

void ObjectConcavBox::BuildGlowQuad(Vertex* vertices) const {
    const float h = LightDistance;
    const Corner corners[4] = {
        {h, h, 0, 1, 0}, {-h, h, 0, 0, 0}, {h, -h, 0, 1, 1}, {-h, -h, 0, 0, 1}};
    for (const Corner& corner : corners) {
        Vertex vertex;
        vertex.Position = {corner.X, corner.Y, corner.Z};
        vertex.Normal = TowardsViewer;
        vertex.Diffuse = 0x00FFFF00;
        vertex.U = corner.U;
        vertex.V = corner.V;
        *vertices++ = vertex;
    }
}

// Radial pairs from the opening's circle out to the square's edge, once round from -pi/4 to
// 7 pi/4, one run per side; the last pair repeats the first and closes the strip.
void ObjectConcavBox::BuildFrontFace(Vertex* vertices) const {
    const uint32_t q = SegmentCount / 4;
    const float r = HoleRadius;
    const float s = HalfSize;
    const auto angle = [q](uint32_t step, float start) {
        return static_cast<float>(step) * Pi / static_cast<float>(2 * q) + start;
    };
    uint32_t k = 0;
    const auto pair = [&](float a, float squareX, float squareY) {
        vertices[2 * k] = FaceVertex(r * f32::cos(a), r * f32::sin(a), 0.0f, InnerColor);
        vertices[2 * k + 1] = FaceVertex(squareX, squareY, 0.0f, OuterColor);
        vertices[2 * k].Normal = TowardsViewer;
        vertices[2 * k + 1].Normal = TowardsViewer;
        ++k;
    };
    for (uint32_t i = 0; i <= q; ++i) {
        const float a = angle(i, -Pi / 4.0f);
        pair(a, s, s * f32::tan(a));
    }
    for (uint32_t j = 1; j <= q; ++j) {
        const float a = angle(j, Pi / 4.0f);
        pair(a, s * f32::tan(Pi / 2.0f - a), s);
    }
    for (uint32_t j = 1; j <= q; ++j) {
        const float a = angle(j, 3.0f * Pi / 4.0f);
        pair(a, -s, s * f32::tan(Pi - a));
    }
    for (uint32_t j = 1; j <= q; ++j) {
        const float a = angle(j, 5.0f * Pi / 4.0f);
        pair(a, s * f32::tan(a - 3.0f * Pi / 2.0f), -s);
    }
}

// One strip of N/2 bands around the x axis, running back and forth between the poles (-r, 0, 0)
// and (r, 0, 0) so that consecutive bands meet at a pole; normals point to the centre.
void ObjectConcavBox::BuildHollow(Vertex* vertices) const {
    const uint32_t p = SegmentCount / 2;
    const float r = HoleRadius;
    const auto angle = [p](uint32_t step) {
        return static_cast<float>(step) * Pi / static_cast<float>(p);
    };
    const auto point = [&](float phi, float theta) {
        const float ring = r * f32::sin(phi);
        Vertex vertex = FaceVertex(r * f32::cos(phi), ring * f32::cos(theta),
                                   ring * f32::sin(theta), InnerColor);
        const Vec3& at = vertex.Position;
        vertex.Normal = Vec3Normalize({-at.x, -at.y, -at.z});
        return vertex;
    };
    for (uint32_t t = 0; t < p; ++t) {
        const bool odd = t % 2 == 1;
        const float near = angle(odd ? t : t + 1);
        const float far = angle(odd ? t + 1 : t);
        for (uint32_t u = 0; u <= p; ++u) {
            const float phi = angle(odd ? u : p - u);
            *vertices++ = point(phi, near);
            if (u > 0 && u < p) {
                *vertices++ = point(phi, far);
            }
        }
    }
}

// Every corner gets its corner's diagonal normal, which shades the cube as if rounded.
void ObjectConcavBox::BuildWalls(Vertex* vertices) const {
    const Corner corners[10] = {
        {1, 1, 1, 0, 0},      {1, 1, -1, 0, 1},      {1, -1, 1, 0.25f, 0}, {1, -1, -1, 0.25f, 1},
        {-1, -1, 1, 0.5f, 0}, {-1, -1, -1, 0.5f, 1}, {-1, 1, 1, 0.75f, 0}, {-1, 1, -1, 0.75f, 1},
        {1, 1, 1, 1, 0},      {1, 1, -1, 1, 1},
    };
    for (const Corner& corner : corners) {
        *vertices++ = CornerVertex(corner, HalfSize, OuterColor);
    }
}

void ObjectConcavBox::BuildBackFace(Vertex* vertices) const {
    const Corner corners[4] = {
        {-1, 1, 1, 1, 0}, {1, 1, 1, 0, 0}, {-1, -1, 1, 0, 1}, {1, -1, 1, 1, 1}};
    for (const Corner& corner : corners) {
        *vertices++ = CornerVertex(corner, HalfSize, OuterColor);
    }
}
