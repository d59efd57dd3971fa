#pragma once

#include <cstdint>

// The only values in which the two programs differ: the window height and the framing of the
// 3D view. Everything derived from them is computed, never typed in.
struct BuildConstants {
    const char* ProgramName;
    int32_t WindowHeight;   // window and back buffer height in pixels
    float EyeDistance;      // the eye stands at (0, -0, -EyeDistance)
    float ViewHalfAngle;    // half the vertical field of view, radians
    float ProjectionShear;  // depth is taken as z + ProjectionShear * y
};

inline constexpr BuildConstants BannerConstants{"banner", 92, 3.3f, 0.09817477f, -0.0f};
inline constexpr BuildConstants BannerAltConstants{"banner_alt", 89, 5.363059f, 0.05843846f,
                                                   -2.438252f};

inline constexpr int32_t WindowWidth = 960;

// The set this process runs with. Each program links the one small file that defines it; tools
// and tests pick a set before they build a scene and never change it while one exists.
extern const BuildConstants* ProgramConstants;

// Depth of the camera rigs' resting place as seen from the eye, rounded to float.
inline float CameraRestDepth() { return 410.0f + ProgramConstants->EyeDistance; }
