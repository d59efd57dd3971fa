#include "platform/png_image.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb_image.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

namespace gfx {
namespace {

static_assert(std::endian::native == std::endian::little, "texels are stored as B, G, R, A bytes");

struct Tap {
    uint32_t Index;
    float Weight;
};

// For each target position, the source positions under a tent as wide as one source texel, or
// as one target texel when shrinking, with weights summing to 1. Edges repeat the border texel.
std::vector<std::vector<Tap>> TriangleTaps(uint32_t source, uint32_t target) {
    float scale = static_cast<float>(source) / static_cast<float>(target);
    float support = std::max(1.0f, scale);
    std::vector<std::vector<Tap>> taps(target);
    for (uint32_t i = 0; i < target; ++i) {
        float centre = (static_cast<float>(i) + 0.5f) * scale - 0.5f;
        auto first = static_cast<int64_t>(std::floor(centre - support));
        auto last = static_cast<int64_t>(std::ceil(centre + support));
        float sum = 0.0f;
        for (int64_t j = first; j <= last; ++j) {
            float weight = 1.0f - std::fabs(static_cast<float>(j) - centre) / support;
            if (weight <= 0.0f) {
                continue;
            }
            auto index = static_cast<uint32_t>(std::clamp<int64_t>(j, 0, source - 1));
            taps[i].push_back({index, weight});
            sum += weight;
        }
        for (Tap& tap : taps[i]) {
            tap.Weight /= sum;
        }
    }
    return taps;
}

using Channels = std::vector<float>;  // four floats per texel: B, G, R, A

Channels Widen(const std::vector<uint32_t>& texels) {
    Channels out(texels.size() * 4);
    for (size_t i = 0; i < texels.size(); ++i) {
        for (int c = 0; c < 4; ++c) {
            out[i * 4 + c] = static_cast<float>((texels[i] >> (8 * c)) & 0xFF);
        }
    }
    return out;
}

std::vector<uint32_t> Narrow(const Channels& channels) {
    std::vector<uint32_t> out(channels.size() / 4);
    for (size_t i = 0; i < out.size(); ++i) {
        uint32_t texel = 0;
        for (int c = 0; c < 4; ++c) {
            float value = std::clamp(channels[i * 4 + c] + 0.5f, 0.0f, 255.0f);
            texel |= static_cast<uint32_t>(value) << (8 * c);
        }
        out[i] = texel;
    }
    return out;
}

// Filters along one axis: count lines of texels, each line's texels `step` texels apart and
// consecutive lines `lineStep` texels apart.
struct Axis {
    uint32_t Lines;
    size_t SourceStep, SourceLineStep, TargetStep, TargetLineStep;
};

void FilterAxis(const Channels& source, Channels& target, const Axis& axis,
                const std::vector<std::vector<Tap>>& taps) {
    for (uint32_t line = 0; line < axis.Lines; ++line) {
        for (size_t i = 0; i < taps.size(); ++i) {
            float sum[4] = {0.0f, 0.0f, 0.0f, 0.0f};
            for (const Tap& tap : taps[i]) {
                const float* texel =
                    &source[(line * axis.SourceLineStep + tap.Index * axis.SourceStep) * 4];
                for (int c = 0; c < 4; ++c) {
                    sum[c] += texel[c] * tap.Weight;
                }
            }
            float* out = &target[(line * axis.TargetLineStep + i * axis.TargetStep) * 4];
            std::copy(sum, sum + 4, out);
        }
    }
}

}  // namespace

PngImage::PngImage(uint32_t width, uint32_t height, std::vector<uint32_t> texels)
    : ImageWidth(width), ImageHeight(height), TexelData(std::move(texels)) {}

bool PngImage::Decode(const void* data, size_t size, PngImage* image, std::string* error) {
    static constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (bytes == nullptr || size < 8 || std::memcmp(bytes, Signature, 8) != 0) {
        *error = "not a PNG file";
        return false;
    }
    if (size > static_cast<size_t>(INT32_MAX)) {
        *error = "PNG file too large";
        return false;
    }
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info_from_memory(bytes, length, &width, &height, &channels) == 0) {
        *error = std::string("PNG decoding failed: ") + stbi_failure_reason();
        return false;
    }
    if (static_cast<uint32_t>(width) > MaxSide || static_cast<uint32_t>(height) > MaxSide) {
        *error = "PNG image too large";
        return false;
    }
    // Every colour type and depth arrives as 8-bit R, G, B, A; gamma chunks are left unapplied.
    std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
        stbi_load_from_memory(bytes, length, &width, &height, &channels, 4), stbi_image_free);
    if (!rgba) {
        *error = std::string("PNG decoding failed: ") + stbi_failure_reason();
        return false;
    }
    std::vector<uint32_t> texels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < texels.size(); ++i) {
        const stbi_uc* p = rgba.get() + i * 4;
        texels[i] = uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    }
    *image =
        PngImage(static_cast<uint32_t>(width), static_cast<uint32_t>(height), std::move(texels));
    return true;
}

PngImage PngImage::Resized(uint32_t width, uint32_t height) const {
    Channels source = Widen(TexelData);
    Channels wide(static_cast<size_t>(width) * ImageHeight * 4);
    FilterAxis(source, wide, {ImageHeight, 1, ImageWidth, 1, width},
               TriangleTaps(ImageWidth, width));
    Channels tall(static_cast<size_t>(width) * height * 4);
    FilterAxis(wide, tall, {width, width, 1, width, 1}, TriangleTaps(ImageHeight, height));
    return PngImage(width, height, Narrow(tall));
}

void PngImage::ApplyColorKey(uint32_t key) {
    if (key == 0) {
        return;
    }
    std::replace(TexelData.begin(), TexelData.end(), key, 0u);
}

PngImage PngImage::AsTexture(uint32_t colorKey) const {
    PngImage keyed = *this;
    keyed.ApplyColorKey(colorKey);
    return keyed.Resized(RoundUpToPowerOfTwo(ImageWidth), RoundUpToPowerOfTwo(ImageHeight));
}

void PngImage::CopyTo(void* rows, int32_t pitch) const {
    for (uint32_t y = 0; y < ImageHeight; ++y) {
        auto* row = static_cast<uint8_t*>(rows) + static_cast<ptrdiff_t>(y) * pitch;
        std::memcpy(row, &TexelData[static_cast<size_t>(y) * ImageWidth], size_t{ImageWidth} * 4);
    }
}

uint32_t RoundUpToPowerOfTwo(uint32_t n) { return std::bit_ceil(n); }

}  // namespace gfx
