// Paints the backdrop picture that is wrapped round the turning cylinder and writes it as PNG.
// Usage: banner_backdrop_generator <output.png>

#include <cstdio>

#include "band_painter.h"
#include "canvas.h"
#include "emblem.h"
#include "png_writer.h"

namespace {

constexpr int kWidth = 393;
constexpr int kHeight = 150;
constexpr int kEmblems = 3;

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
    PngWriter writer;
    if (!writer.Write(argv[1], kWidth, kHeight, canvas.ToRgba8())) {
        std::fprintf(stderr, "%s: %s\n", argv[0], writer.Error().c_str());
        return 1;
    }
    return 0;
}
