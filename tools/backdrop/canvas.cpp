#include "canvas.h"

#include <cmath>

namespace {

uint8_t ToByte(float v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f)); }

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

std::vector<uint8_t> Canvas::ToRgba8() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels_.size() * 4);
    for (const Rgb& pixel : pixels_) {
        uint8_t r = ToByte(pixel.r);
        const uint8_t g = ToByte(pixel.g);
        const uint8_t b = ToByte(pixel.b);
        if (r == 0 && g == 0 && b == 0) {
            r = 1;
        }
        bytes.insert(bytes.end(), {r, g, b, 255});
    }
    return bytes;
}
