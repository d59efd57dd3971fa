#pragma once

#include <cstdint>

// Smooth value noise that repeats across u = 0..1, so a picture made with it wraps round a
// cylinder without a seam. Values lie in -1..1.
class PeriodicNoise {
public:
    PeriodicNoise(uint32_t seed, int cellsAcross, int cellsDown);

    // u wraps; v runs over 0..1. `scale` multiplies both cell counts.
    float At(float u, float v, int scale = 1) const;
    // Octaves of At, each at twice the frequency and half the weight of the one before.
    float Fractal(float u, float v, int octaves) const;

    // A value in -1..1 for one lattice point; also serves as per-pixel grain.
    static float Hash(uint32_t seed, int x, int y);

private:
    uint32_t seed_;
    int cellsAcross_;
    int cellsDown_;
};
