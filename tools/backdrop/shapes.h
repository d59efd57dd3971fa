#pragma once

#include <algorithm>
#include <cmath>

// Signed distances in pixels: negative inside a shape, positive outside.
namespace shapes {

struct Point {
    float x;
    float y;
};

inline float Length(Point p) { return std::sqrt(p.x * p.x + p.y * p.y); }

inline float Circle(Point p, float radius) { return Length(p) - radius; }

inline float Ring(Point p, float radius, float halfWidth) {
    return std::fabs(Length(p) - radius) - halfWidth;
}

// Close to the true distance for the moderate elongations used here.
inline float Ellipse(Point p, float a, float b) {
    const float k0 = Length({p.x / a, p.y / b});
    const float k1 = Length({p.x / (a * a), p.y / (b * b)});
    return k1 > 0.0f ? k0 * (k0 - 1.0f) / k1 : -std::min(a, b);
}

// A diamond with half-diagonals a (along x) and b (along y).
inline float Rhombus(Point p, float a, float b) {
    const float px = std::fabs(p.x);
    const float py = std::fabs(p.y);
    const float dot = a * a + b * b;
    const float h = std::clamp(((a - 2.0f * px) * a - (b - 2.0f * py) * b) / dot, -1.0f, 1.0f);
    const float d = Length({px - 0.5f * a * (1.0f - h), py - 0.5f * b * (1.0f + h)});
    const float side = px * b + py * a - a * b;
    return side < 0.0f ? -d : d;
}

// Folds p into the sector around the +x axis of a pattern repeated `count` times round the
// origin, turned by `offset` radians.
inline Point Fold(Point p, int count, float offset) {
    const float sector = 6.2831853f / static_cast<float>(count);
    float angle = std::atan2(p.y, p.x) - offset;
    angle -= sector * std::floor(angle / sector + 0.5f);
    const float r = Length(p);
    return {r * std::cos(angle), r * std::sin(angle)};
}

}  // namespace shapes
