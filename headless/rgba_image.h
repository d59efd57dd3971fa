#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit RGBA picture, top row first.
struct RgbaImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;

    RgbaImage() = default;
    RgbaImage(int width, int height, uint32_t rgba = 0x000000FF);

    void Fill(int x, int y, int width, int height, uint32_t rgba);
    // Copies another picture with its top-left corner at (x, y), clipped to this one.
    void Paste(const RgbaImage& other, int x, int y);
};

// Writes the picture as an 8-bit RGBA PNG; false with the reason on failure.
bool WritePng(const std::string& path, const RgbaImage& image, std::string* error);
