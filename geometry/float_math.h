#pragma once

#include <cmath>

// Single-precision elementary functions: widen to double, call the double function, round back.
// Every float result of the scene goes through these so that it does not depend on libm's float
// variants.
namespace f32 {

inline float sin(float x) { return static_cast<float>(std::sin(static_cast<double>(x))); }
inline float cos(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }
inline float tan(float x) { return static_cast<float>(std::tan(static_cast<double>(x))); }
inline float atan(float x) { return static_cast<float>(std::atan(static_cast<double>(x))); }
inline float acos(float x) { return static_cast<float>(std::acos(static_cast<double>(x))); }
inline float sqrt(float x) { return static_cast<float>(std::sqrt(static_cast<double>(x))); }
inline float fabs(float x) { return static_cast<float>(std::fabs(static_cast<double>(x))); }

// Single-precision pi and 2 pi, and the same values widened to double.
inline constexpr float Pi = 3.14159274f;
inline constexpr float TwoPi = 6.28318548f;
inline constexpr double PiWide = static_cast<double>(Pi);
inline constexpr double TwoPiWide = static_cast<double>(TwoPi);

}  // namespace f32
