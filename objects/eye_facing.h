#pragma once

#include "geometry/matrix4.h"

// The one rule by which every sprite turns towards the eye: from where the object is placed
// (the translation row), never from how it is turned, with depth measured from the eye.
struct EyeFacing {
    float Yaw = 0.0f;    // about the vertical axis
    float Pitch = 0.0f;  // about x
};

EyeFacing FacingTheEye(const Matrix4& translation);
