#include "assets/embedded_assets.h"

// In the browser the picture is compiled in from a generated array (web_backdrop_image.cpp) and
// the music lies beside the page, compressed, for the page's player: no samples are built in.
extern "C" {
extern const uint8_t banner_backdrop_image[];
extern const size_t banner_backdrop_image_size;
}

namespace assets {
namespace {

// 2 channels, 37,800 frames a second, 151,200 bytes a second, 4 bytes a frame, 16 bits.
constexpr uint8_t MusicFormat[16] = {1,    0,    2,    0, 0xA8, 0x93, 0,  0,
                                     0xA0, 0x4E, 0x02, 0, 4,    0,    16, 0};

}  // namespace

std::span<const uint8_t> BackdropImage() {
    return {banner_backdrop_image, banner_backdrop_image_size};
}

std::span<const uint8_t, 16> MusicFormatRecord() {
    return std::span<const uint8_t, 16>(MusicFormat);
}

std::span<const uint8_t> MusicSamples() { return {}; }

}  // namespace assets
