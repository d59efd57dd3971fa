#pragma once

#include <cstdint>
#include <utility>

#include "geometry/vertex.h"

namespace testing_support {

// How many of the first `triangles` triangles of a strip the device's clockwise culling would
// remove when seen from the side their vertex normals point to. Strip triangles alternate their
// vertex order (odd ones swap the first two), as the device reads them; degenerate triangles
// are not counted.
inline uint32_t CountHiddenTriangles(const Vertex* vertices, uint32_t triangles) {
    uint32_t hidden = 0;
    for (uint32_t k = 0; k < triangles; ++k) {
        const Vertex* a = &vertices[k];
        const Vertex* b = &vertices[k + 1];
        const Vertex* c = &vertices[k + 2];
        if (k % 2 == 1) {
            std::swap(a, b);
        }
        const Vec3 face = Cross(b->Position - a->Position, c->Position - a->Position);
        if (Dot(face, face) < 1e-12f) {
            continue;
        }
        // Left-handed: a triangle the viewer sees counter-clockwise has its edge cross product
        // pointing away from the viewer.
        const Vec3 towardsViewer = a->Normal + b->Normal + c->Normal;
        if (Dot(face, towardsViewer) >= 0.0f) {
            ++hidden;
        }
    }
    return hidden;
}

}  // namespace testing_support
