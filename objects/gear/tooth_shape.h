#pragma once

#include <cstdint>

// The angular layout of one tooth of an involute spur gear whose flanks start on the root
// circle: root land, rising flank, tip land, falling flank, together one pitch. Every value is
// a float, rounded at each step, as the wheels and the timeline's meshing offset expect.
struct ToothShape {
    float HandleLength = 0.0f;   // d: the flanks' Bezier handle length
    float RadiusRatio = 0.0f;    // a: root radius / tip radius
    float PressureAngle = 0.0f;  // alpha: pressure angle at the tip circle
    float FlankAngle = 0.0f;     // w: the involute function of alpha, spanned by each flank
    float Pitch = 0.0f;          // angle of one whole tooth
    float RootLandAngle = 0.0f;  // g
    float TipLandAngle = 0.0f;   // k: same arc length on the tip circle as g on the root circle

    static ToothShape Compute(float rootRadius, float tipRadius, uint32_t toothCount);
};
