#pragma once

#include <cstdint>

#include "geometry/vec3.h"

// One cubic Bezier segment with the time the choreography gives to travelling it.
// Evaluations accept any parameter: outside [0, 1] they extrapolate the cubic.
class BezierPath {
public:
    BezierPath() = default;
    BezierPath(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, uint32_t duration);
    BezierPath(float p0x, float p0y, float p0z, float p1x, float p1y, float p1z,  //
               float p2x, float p2y, float p2z, float p3x, float p3y, float p3z,  //
               uint32_t duration);
    BezierPath(const BezierPath&) = default;
    BezierPath& operator=(const BezierPath&) = default;
    virtual ~BezierPath() = default;

    void SetP0(float x, float y, float z) { P0 = {x, y, z}; }
    void SetP1(float x, float y, float z) { P1 = {x, y, z}; }
    void SetP2(float x, float y, float z) { P2 = {x, y, z}; }
    void SetP3(float x, float y, float z) { P3 = {x, y, z}; }
    const Vec3* GetP0() const { return &P0; }
    const Vec3* GetP1() const { return &P1; }
    const Vec3* GetP2() const { return &P2; }
    const Vec3* GetP3() const { return &P3; }

    void SetDuration(uint32_t duration) { Duration = duration; }
    uint32_t GetDuration() const { return Duration; }

    Vec3 GetPoint(float t) const;
    // One third of the derivative, not normalised: P1 - P0 at t = 0, P3 - P2 at t = 1.
    Vec3 GetTangent(float t) const;
    // Cross(GetTangent(t), *up), not normalised.
    Vec3 GetNormal(float t, const Vec3* up) const;

private:
    Vec3 P0;
    Vec3 P1;
    Vec3 P2;
    Vec3 P3;
    uint32_t Duration = 0;
};
