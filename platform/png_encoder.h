#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gfx {

// A complete PNG file of 8-bit pixels, top row first, with 1 (grey), 2 (grey and alpha), 3 (RGB)
// or 4 (RGBA) channels. Empty when the input does not describe such a picture.
std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, int channels,
                               const std::vector<uint8_t>& pixels);

// Writes the file; false with the reason on failure.
bool WritePngFile(const std::string& path, uint32_t width, uint32_t height, int channels,
                  const std::vector<uint8_t>& pixels, std::string* error);

}  // namespace gfx
