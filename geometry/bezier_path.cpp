#include "geometry/bezier_path.h"

BezierPath::BezierPath(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3,
                       uint32_t duration)
    : P0(p0), P1(p1), P2(p2), P3(p3), Duration(duration) {}

BezierPath::BezierPath(float p0x, float p0y, float p0z, float p1x, float p1y, float p1z,  //
                       float p2x, float p2y, float p2z, float p3x, float p3y, float p3z,  //
                       uint32_t duration)
    : BezierPath({p0x, p0y, p0z}, {p1x, p1y, p1z}, {p2x, p2y, p2z}, {p3x, p3y, p3z}, duration) {}

Vec3 BezierPath::GetPoint(float t) const {
    const float s = 1.0f - t;
    const float w0 = s * s * s;
    const float w1 = 3.0f * s * s * t;
    const float w2 = 3.0f * s * t * t;
    const float w3 = t * t * t;
    return w0 * P0 + w1 * P1 + w2 * P2 + w3 * P3;
}

Vec3 BezierPath::GetTangent(float t) const {
    const float s = 1.0f - t;
    const float w0 = -(s * s);
    const float w1 = s * (1.0f - 3.0f * t);
    const float w2 = t * (2.0f - 3.0f * t);
    const float w3 = t * t;
    return w0 * P0 + w1 * P1 + w2 * P2 + w3 * P3;
}

Vec3 BezierPath::GetNormal(float t, const Vec3* up) const { return Cross(GetTangent(t), *up); }
