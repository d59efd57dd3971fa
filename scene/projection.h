#pragma once

#include "geometry/build_constants.h"
#include "geometry/matrix4.h"
#include "geometry/vec3.h"

// The off-centre perspective of the wide banner: a vertical field of view of twice
// ViewHalfAngle, near plane 1, far plane 100000, every point shifted right by 0.68 in normalised
// x (the line of sight lands 84% of the way across), and depth sheared by height by
// ProjectionShear.
Matrix4 ProjectionMatrix(const BuildConstants& constants);

// Where the eye stands: EyeDistance in front of the origin, looking down +z.
Vec3 EyePosition(const BuildConstants& constants);
