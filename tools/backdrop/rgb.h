#pragma once

#include <algorithm>

// A colour with channels in 0..1 (sRGB-encoded, as the picture is stored).
struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

inline Rgb Mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }

inline Rgb FromBytes(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

inline float SmoothStep(float edge0, float edge1, float x) {
    const float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}
