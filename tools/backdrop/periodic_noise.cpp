#include "periodic_noise.h"

#include <cmath>

namespace {

float Fade(float t) { return t * t * (3.0f - 2.0f * t); }

int Wrap(int i, int n) { return ((i % n) + n) % n; }

}  // namespace

PeriodicNoise::PeriodicNoise(uint32_t seed, int cellsAcross, int cellsDown)
    : seed_(seed), cellsAcross_(cellsAcross), cellsDown_(cellsDown) {}

float PeriodicNoise::Hash(uint32_t seed, int x, int y) {
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 0x9E3779B1u) ^ (static_cast<uint32_t>(y) * 0x85EBCA77u);
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / 8388607.5f - 1.0f;
}

float PeriodicNoise::At(float u, float v, int scale) const {
    const int across = cellsAcross_ * scale;
    const float x = (u - std::floor(u)) * static_cast<float>(across);
    const float y = v * static_cast<float>(cellsDown_ * scale);
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = Fade(x - static_cast<float>(x0));
    const float fy = Fade(y - static_cast<float>(y0));
    const uint32_t seed = seed_ + static_cast<uint32_t>(scale) * 7919u;
    const float a = Hash(seed, Wrap(x0, across), y0);
    const float b = Hash(seed, Wrap(x0 + 1, across), y0);
    const float c = Hash(seed, Wrap(x0, across), y0 + 1);
    const float d = Hash(seed, Wrap(x0 + 1, across), y0 + 1);
    const float top = a + (b - a) * fx;
    const float bottom = c + (d - c) * fx;
    return top + (bottom - top) * fy;
}

float PeriodicNoise::Fractal(float u, float v, int octaves) const {
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * At(u, v, 1 << octave);
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}
