#pragma once

#include "canvas.h"
#include "periodic_noise.h"

// Paints the backdrop behind the emblems: soft vertical bands that repeat three times across
// the picture, with a cloudy tone, vertical fibres and fine grain on top.
class BandPainter {
public:
    explicit BandPainter(int repeats);

    void Paint(Canvas& canvas) const;

    // The plain band colour at u (0..1 around the cylinder), before texture and shading.
    Rgb BandColour(float u) const;

private:
    Rgb Gilding(Rgb colour, float u, int width) const;
    Rgb Texture(Rgb colour, float u, float v, int x, int y) const;

    int repeats_;
    PeriodicNoise mottle_;
    PeriodicNoise fibres_;
};
