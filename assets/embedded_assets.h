#pragma once

#include <cstdint>
#include <span>

// The data built into the program: the backdrop picture and the music track. Each view stays
// valid and unchanged for the whole run; audio is read from it in place.
namespace assets {

// A complete PNG file: 393 x 150, 8-bit RGBA, every pixel opaque.
std::span<const uint8_t> BackdropImage();
// The music's PCM format record: tag 1, 2 channels, 37,800 Hz, 151,200 bytes/s, block align
// 4, 16 bits, little-endian.
std::span<const uint8_t, 16> MusicFormatRecord();
// 18,045,692 bytes of interleaved signed 16-bit little-endian stereo samples (119.35 s).
std::span<const uint8_t> MusicSamples();

}  // namespace assets
