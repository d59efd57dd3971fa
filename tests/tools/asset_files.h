#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The generated asset files in the build tree and the generators that made them.
namespace asset_files {

inline const std::string kBackdrop = BANNER_BACKDROP_FILE;
inline const std::string kMusic = BANNER_MUSIC_FILE;
inline const std::string kBackdropGenerator = BANNER_BACKDROP_GENERATOR;
inline const std::string kMusicGenerator = BANNER_MUSIC_GENERATOR;

std::vector<uint8_t> Read(const std::string& path);
// Runs a generator into a fresh file under the test's temporary directory; returns its bytes,
// or nothing if the generator failed.
std::vector<uint8_t> Regenerate(const std::string& generator, const std::string& name);

}  // namespace asset_files
