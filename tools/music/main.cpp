// Composes and renders the music track and writes it as raw interleaved 16-bit little-endian
// stereo PCM at 37,800 Hz.
// Usage: banner_music_generator <output.pcm>

#include <bit>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "arranger.h"
#include "band.h"
#include "mastering.h"
#include "score.h"
#include "track_format.h"

namespace {

std::vector<int16_t> Render() {
    Band band(track::kFrames);
    Arranger arranger(band);
    WriteOpening(arranger);
    WriteMiddle(arranger);
    WriteFinale(arranger);
    // Silence from 119.3 s: the last chord has died away before the show ends.
    return Mastering({1.0f, 0.87f, 118.6, 119.3}).Finish(band.Bus());
}

bool Save(const std::string& path, const std::vector<int16_t>& samples) {
    static_assert(std::endian::native == std::endian::little, "samples are stored little-endian");
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(samples.data()),
                  static_cast<std::streamsize>(samples.size() * sizeof(int16_t)));
        if (!out) {
            return false;
        }
    }
    std::error_code code;
    std::filesystem::rename(partial, path, code);
    return !code;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.pcm>\n", argv[0]);
        return 2;
    }
    try {
        if (!Save(argv[1], Render())) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
    return 0;
}
