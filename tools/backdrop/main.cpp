// Paints the backdrop picture that is wrapped round the turning cylinder and writes it as PNG.
// Usage: banner_backdrop_generator <output.png>

#include <cstdio>
#include <filesystem>
#include <string>

#include "band_painter.h"
#include "canvas.h"
#include "emblem.h"
#include "platform/png_encoder.h"

namespace {

constexpr int kWidth = 393;
constexpr int kHeight = 150;
constexpr int kEmblems = 3;

// Written beside the target and renamed, so an interrupted build never leaves half a file that
// looks up to date.
bool WriteWhole(const std::string& path, const std::vector<uint8_t>& rgba, std::string* error) {
    const std::string partial = path + ".partial";
    if (!gfx::WritePngFile(partial, kWidth, kHeight, 4, rgba, error)) {
        std::remove(partial.c_str());
        return false;
    }
    std::error_code code;
    std::filesystem::rename(partial, path, code);
    if (code) {
        *error = "cannot rename to " + path + ": " + code.message();
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.png>\n", argv[0]);
        return 2;
    }
    Canvas canvas(kWidth, kHeight);
    BandPainter(kEmblems).Paint(canvas);
    const float spacing = static_cast<float>(kWidth) / kEmblems;
    const Emblem emblem;
    for (int i = 0; i < kEmblems; ++i) {
        emblem.Paint(canvas, spacing * (static_cast<float>(i) + 0.5f), kHeight * 0.5f);
    }
    std::string error;
    if (!WriteWhole(argv[1], canvas.ToRgba8(), &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    return 0;
}
