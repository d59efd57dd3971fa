#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gfx {

// A decoded picture as 32-bit ARGB texels (0xAARRGGBB, so bytes B, G, R, A in memory), rows top
// first without padding.
class PngImage {
public:
    // Sides beyond this are refused rather than allocated.
    static constexpr uint32_t MaxSide = 8192;

    PngImage() = default;
    PngImage(uint32_t width, uint32_t height, std::vector<uint32_t> texels);

    // Decodes a complete PNG file held in memory. Anything else, truncated data included, gives
    // false and a one-line reason.
    static bool Decode(const void* data, size_t size, PngImage* image, std::string* error);

    // The picture stretched or shrunk to width x height with a separable triangle filter; each
    // channel is filtered on its own, without premultiplying alpha.
    PngImage Resized(uint32_t width, uint32_t height) const;

    // Texels equal to key become transparent black; key 0 changes nothing.
    void ApplyColorKey(uint32_t key);

    // What a texture made from the file holds: texels equal to colorKey made transparent black,
    // then the picture stretched to sides rounded up to powers of two.
    PngImage AsTexture(uint32_t colorKey) const;
    // Writes the texels into rows that lie pitch bytes apart (a locked level of the same size).
    void CopyTo(void* rows, int32_t pitch) const;

    uint32_t Width() const { return ImageWidth; }
    uint32_t Height() const { return ImageHeight; }
    const std::vector<uint32_t>& Texels() const { return TexelData; }
    uint32_t Texel(uint32_t x, uint32_t y) const { return TexelData[y * ImageWidth + x]; }

private:
    uint32_t ImageWidth = 0;
    uint32_t ImageHeight = 0;
    std::vector<uint32_t> TexelData;
};

// The smallest power of two that is not below n (n >= 1).
uint32_t RoundUpToPowerOfTwo(uint32_t n);

}  // namespace gfx
