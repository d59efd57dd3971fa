#include "scene/projection.h"

#include "geometry/float_math.h"

namespace {

// The horizontal shift of the line of sight: one float step below 0.68f.
constexpr float HorizontalShift = 0.67999995f;

}  // namespace

Matrix4 ProjectionMatrix(const BuildConstants& constants) {
    const float a = static_cast<float>(constants.WindowHeight) / static_cast<float>(WindowWidth);
    const float t = 1.0f / f32::tan(constants.ViewHalfAngle);
    const float zn = 1.0f;
    const float zf = 100000.0f;
    const float q = zf / (zf - zn);
    const float k = HorizontalShift;
    const float s = constants.ProjectionShear;
    // clang-format off
    return {a * t, 0, 0, 0,      //
            s * k, t, s * q, s,  //
            k, 0, q, 1,          //
            0, 0, -zn * q, 0};
    // clang-format on
}

Vec3 EyePosition(const BuildConstants& constants) { return {0.0f, -0.0f, -constants.EyeDistance}; }
