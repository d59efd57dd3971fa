#include "objects/gear/tooth_shape.h"

#include "geometry/float_math.h"

ToothShape ToothShape::Compute(float rootRadius, float tipRadius, uint32_t toothCount) {
    ToothShape shape;
    shape.HandleLength = (tipRadius - rootRadius) / 4.0f;
    const float a = rootRadius / tipRadius;
    shape.RadiusRatio = a;
    shape.PressureAngle = f32::acos(a);
    // |alpha - tan alpha|, with tan alpha taken from cos alpha = a.
    shape.FlankAngle = f32::fabs(shape.PressureAngle - f32::sqrt(1.0f / a / a - 1.0f));
    // The division is made wide so that the pitch is the correctly rounded float.
    shape.Pitch = static_cast<float>(f32::TwoPiWide / static_cast<double>(toothCount));
    shape.RootLandAngle = (shape.Pitch - 2.0f * shape.FlankAngle) / (a + 1.0f);
    shape.TipLandAngle = a * shape.RootLandAngle;
    return shape;
}
