#include "objects/eye_facing.h"

#include "geometry/build_constants.h"
#include "geometry/float_math.h"

EyeFacing FacingTheEye(const Matrix4& translation) {
    const float depth = translation(3, 2) + ProgramConstants->EyeDistance;
    return {f32::atan(translation(3, 0) / depth), f32::atan(translation(3, 1) / depth)};
}
