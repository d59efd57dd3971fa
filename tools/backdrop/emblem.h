#pragma once

#include "canvas.h"
#include "shapes.h"

// A golden ornamental medallion: a beaded, rope-like ring with compass points round a dark
// enamel disc that carries an eight-petalled rosette. Shaded as embossed metal lit from the
// upper left, with a soft drop shadow.
class Emblem {
public:
    // Paints the emblem centred on (cx, cy), supersampled for smooth edges.
    void Paint(Canvas& canvas, float cx, float cy) const;

    // Half the width of the square the emblem and its shadow cover.
    static constexpr float kExtent = 62.0f;

private:
    Rgb Shade(shapes::Point p, Rgb background) const;
    Rgb Gold(shapes::Point p) const;
    Rgb Enamel(shapes::Point p, float goldDistance) const;
    float GoldDistance(shapes::Point p) const;
    float Height(shapes::Point p) const;
};
