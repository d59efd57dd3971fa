#include "platform/gl/gl_bounding_sphere.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "geometry/vertex.h"

namespace gfx {
namespace {

// Relative slack for the rounding of float arithmetic in the shader and in the matrices.
constexpr double Slack = 1e-4;

void Transform(const double (&p)[3], const Matrix4& m, double (&out)[4]) {
    for (int k = 0; k < 4; ++k) {
        out[k] = p[0] * m(0, k) + p[1] * m(1, k) + p[2] * m(2, k) + m(3, k);
    }
}

}  // namespace

GlBoundingSphere GlBoundingSphere::OfVertices(const uint8_t* vertices, size_t count) {
    GlBoundingSphere sphere;
    if (count == 0) {
        return sphere;
    }
    double low[3] = {INFINITY, INFINITY, INFINITY};
    double high[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (size_t i = 0; i < count; ++i) {
        float p[3];
        std::memcpy(p, vertices + i * VertexStride + offsetof(Vertex, Position), sizeof p);
        for (int k = 0; k < 3; ++k) {
            if (!std::isfinite(p[k])) return sphere;
            low[k] = std::min(low[k], static_cast<double>(p[k]));
            high[k] = std::max(high[k], static_cast<double>(p[k]));
        }
    }
    for (int k = 0; k < 3; ++k) {
        sphere.Centre[k] = (low[k] + high[k]) / 2.0;
    }
    double farthest = 0.0;  // squared
    for (size_t i = 0; i < count; ++i) {
        float p[3];
        std::memcpy(p, vertices + i * VertexStride + offsetof(Vertex, Position), sizeof p);
        double squared = 0.0;
        for (int k = 0; k < 3; ++k) {
            double d = p[k] - sphere.Centre[k];
            squared += d * d;
        }
        farthest = std::max(farthest, squared);
    }
    sphere.Radius = std::sqrt(farthest) * (1.0 + Slack) + 1e-6;
    sphere.IsValid = true;
    return sphere;
}

bool GlBoundingSphere::OutsideClipVolume(const Matrix4& objectToClip) const {
    if (!IsValid) {
        return false;
    }
    // Planes as (x, y, z, w) weights of the clip coordinates, each >= 0 inside; a little wider
    // than the volume itself.
    constexpr double Wide = 1.01;
    static constexpr double Planes[6][4] = {{1, 0, 0, Wide},  {-1, 0, 0, Wide}, {0, 1, 0, Wide},
                                            {0, -1, 0, Wide}, {0, 0, 1, 0.01},  {0, 0, -1, Wide}};
    for (const auto& plane : Planes) {
        double normal[3];
        double offset = 0.0;
        for (int j = 0; j < 4; ++j) {
            double value = 0.0;
            for (int k = 0; k < 4; ++k) {
                value += plane[k] * objectToClip(j, k);
            }
            if (j < 3) {
                normal[j] = value;
            } else {
                offset = value;
            }
        }
        double length = std::hypot(normal[0], normal[1], normal[2]);
        double atCentre = normal[0] * Centre[0] + normal[1] * Centre[1] + normal[2] * Centre[2];
        double scale = length * (std::hypot(Centre[0], Centre[1], Centre[2]) + Radius);
        if (atCentre + offset + Radius * length < -Slack * (scale + std::fabs(offset))) {
            return true;
        }
    }
    return false;
}

bool GlBoundingSphere::BeyondReach(const Matrix4& objectToView, const float (&position)[4],
                                   float range) const {
    if (!IsValid || !std::isfinite(range)) {
        return false;
    }
    double centre[4];
    Transform(Centre, objectToView, centre);
    double radius = Radius * MaxStretch(objectToView);
    double distance =
        std::hypot(position[0] - centre[0], position[1] - centre[1], position[2] - centre[2]);
    double scale = std::hypot(centre[0], centre[1], centre[2]) + radius +
                   std::hypot(position[0], position[1], position[2]) + std::fabs(range);
    return distance - radius > static_cast<double>(range) + Slack * scale;
}

// Gershgorin's bound on the largest eigenvalue of M M^T is the square of a bound on M's norm;
// for a rotation times a uniform scale it is exact.
double GlBoundingSphere::MaxStretch(const Matrix4& m) {
    double largest = 0.0;
    for (int i = 0; i < 3; ++i) {
        double rowSum = 0.0;
        for (int j = 0; j < 3; ++j) {
            double product = 0.0;
            for (int k = 0; k < 3; ++k) {
                product += static_cast<double>(m(i, k)) * m(j, k);
            }
            rowSum += std::fabs(product);
        }
        largest = std::max(largest, rowSum);
    }
    return std::sqrt(largest) * (1.0 + Slack);
}

}  // namespace gfx
