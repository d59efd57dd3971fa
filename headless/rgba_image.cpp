#include "headless/rgba_image.h"

#include "platform/png_encoder.h"

#include <algorithm>
#include <cstdio>
#include <memory>

RgbaImage::RgbaImage(int width, int height, uint32_t rgba) : Width(width), Height(height) {
    Pixels.resize(static_cast<size_t>(width) * height * 4);
    Fill(0, 0, width, height, rgba);
}

void RgbaImage::Fill(int x, int y, int width, int height, uint32_t rgba) {
    const uint8_t colour[4] = {static_cast<uint8_t>(rgba >> 24), static_cast<uint8_t>(rgba >> 16),
                               static_cast<uint8_t>(rgba >> 8), static_cast<uint8_t>(rgba)};
    for (int row = std::max(0, y); row < std::min(Height, y + height); ++row) {
        for (int column = std::max(0, x); column < std::min(Width, x + width); ++column) {
            std::copy(colour, colour + 4, &Pixels[(static_cast<size_t>(row) * Width + column) * 4]);
        }
    }
}

void RgbaImage::Paste(const RgbaImage& other, int x, int y) {
    for (int row = 0; row < other.Height; ++row) {
        const int target = y + row;
        if (target < 0 || target >= Height) {
            continue;
        }
        const int first = std::max(0, -x);
        const int last = std::min(other.Width, Width - x);
        if (first >= last) {
            return;
        }
        const uint8_t* from = &other.Pixels[(static_cast<size_t>(row) * other.Width + first) * 4];
        uint8_t* to = &Pixels[(static_cast<size_t>(target) * Width + x + first) * 4];
        std::copy(from, from + (last - first) * 4, to);
    }
}

bool WritePng(const std::string& path, const RgbaImage& image, std::string* error) {
    return gfx::WritePngFile(path, static_cast<uint32_t>(image.Width),
                             static_cast<uint32_t>(image.Height), 4, image.Pixels, error);
}
