#include "platform/png_image.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <csetjmp>
#include <cstring>

namespace gfx {
namespace {

static_assert(std::endian::native == std::endian::little, "texels are stored as B, G, R, A bytes");

struct DecodeState {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    size_t Offset = 0;
    uint32_t Width = 0;
    uint32_t Height = 0;
    std::vector<uint32_t> Texels;
    std::vector<png_bytep> Rows;
    std::string Error;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* state = static_cast<DecodeState*>(png_get_io_ptr(png));
    if (length > state->Size - state->Offset) {
        png_error(png, "PNG data ends early");
    }
    std::memcpy(out, state->Data + state->Offset, length);
    state->Offset += length;
}

void OnError(png_structp png, png_const_charp message) {
    static_cast<DecodeState*>(png_get_error_ptr(png))->Error = message;
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Every colour type and depth arrives as 8-bit B, G, R, A; gamma chunks are left unapplied.
void RequestBgra(png_structp png, png_infop info) {
    png_byte type = png_get_color_type(png, info);
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (type == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
    }
    png_set_strip_16(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
}

// Kept free of C++ objects of its own: libpng leaves it by longjmp on any error, and everything
// it fills lives behind the state pointer.
bool ReadPng(png_structp png, png_infop info, DecodeState* state) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_read_fn(png, state, ReadFromMemory);
    png_read_info(png, info);
    RequestBgra(png, info);
    png_read_update_info(png, info);
    state->Width = png_get_image_width(png, info);
    state->Height = png_get_image_height(png, info);
    if (state->Width > PngImage::MaxSide || state->Height > PngImage::MaxSide) {
        state->Error = "PNG image too large";
        return false;
    }
    if (png_get_rowbytes(png, info) != static_cast<size_t>(state->Width) * 4) {
        state->Error = "PNG layout not convertible to 32-bit texels";
        return false;
    }
    state->Texels.assign(static_cast<size_t>(state->Width) * state->Height, 0);
    state->Rows.resize(state->Height);
    for (uint32_t y = 0; y < state->Height; ++y) {
        state->Rows[y] = reinterpret_cast<png_bytep>(&state->Texels[size_t{y} * state->Width]);
    }
    png_read_image(png, state->Rows.data());
    return true;
}

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
    DecodeState state;
    state.Data = static_cast<const uint8_t*>(data);
    state.Size = data == nullptr ? 0 : size;
    if (state.Size < 8 || png_sig_cmp(state.Data, 0, 8) != 0) {
        *error = "not a PNG file";
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    bool ok = info != nullptr && ReadPng(png, info, &state);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        *error = state.Error.empty() ? "PNG decoding failed" : state.Error;
        return false;
    }
    *image = PngImage(state.Width, state.Height, std::move(state.Texels));
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

uint32_t RoundUpToPowerOfTwo(uint32_t n) { return std::bit_ceil(n); }

}  // namespace gfx
