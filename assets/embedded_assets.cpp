#include "assets/embedded_assets.h"

// Defined in embedded_assets.S.
extern "C" {
extern const uint8_t banner_backdrop_image[];
extern const uint64_t banner_backdrop_image_size;
extern const uint8_t banner_music_format[16];
extern const uint8_t banner_music_samples[];
extern const uint64_t banner_music_samples_size;
}

namespace assets {

std::span<const uint8_t> BackdropImage() {
    return {banner_backdrop_image, static_cast<size_t>(banner_backdrop_image_size)};
}

std::span<const uint8_t, 16> MusicFormatRecord() {
    return std::span<const uint8_t, 16>(banner_music_format, 16);
}

std::span<const uint8_t> MusicSamples() {
    return {banner_music_samples, static_cast<size_t>(banner_music_samples_size)};
}

}  // namespace assets
