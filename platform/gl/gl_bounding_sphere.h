#pragma once

#include <cstddef>
#include <cstdint>

#include "geometry/matrix4.h"

namespace gfx {

// A sphere that holds every vertex of a buffer, in the buffer's own coordinates, and the tests
// that let a draw skip work its vertices cannot need. All tests err towards drawing: they use
// double precision and leave a margin for the float arithmetic of the shader.
class GlBoundingSphere {
public:
    // Of the positions of count vertices of the one layout. Invalid when any is not finite.
    static GlBoundingSphere OfVertices(const uint8_t* vertices, size_t count);

    bool Valid() const { return IsValid; }
    // True when no point of the sphere can lie inside the clip volume of clip = p x objectToClip
    // (Direct3D's: |x|, |y| <= w, 0 <= z <= w, with room for the half-pixel shift).
    bool OutsideClipVolume(const Matrix4& objectToClip) const;
    // True when every point of the sphere, taken through objectToView, is farther than range
    // from position (view space).
    bool BeyondReach(const Matrix4& objectToView, const float (&position)[4], float range) const;

    // An upper bound of how much m's 3x3 part can lengthen a vector.
    static double MaxStretch(const Matrix4& m);

private:
    double Centre[3] = {};
    double Radius = 0.0;
    bool IsValid = false;
};

}  // namespace gfx
