#pragma once

#include <cstdint>
#include <vector>

#include "rgb.h"

// An opaque picture being painted, one colour per pixel.
class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgb& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    // Rows of RGBA bytes, fully opaque. No pixel comes out pure black, so a colour key on
    // black can never punch a hole into the picture.
    std::vector<uint8_t> ToRgba8() const;

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};
