#include "emblem.h"

#include <cmath>

using shapes::Point;

namespace {

constexpr float kEnamelRadius = 33.5f;
constexpr int kSamples = 4;  // per pixel side

struct Parts {
    float ring;
    float beads;
    float points;
    float petals;
    float boss;
};

Parts Measure(Point p) {
    const Point cardinal = shapes::Fold(p, 4, 0.0f);
    const Point diagonal = shapes::Fold(p, 4, 0.7853982f);
    const Point major = shapes::Fold(p, 8, 0.0f);
    const Point minor = shapes::Fold(p, 8, 0.3926991f);
    const Point bead = shapes::Fold(p, 28, 0.0f);
    Parts parts;
    parts.ring = std::min(shapes::Ring(p, 37.0f, 3.6f), shapes::Ring(p, 30.5f, 1.0f));
    parts.beads = shapes::Circle({bead.x - 44.0f, bead.y}, 2.1f);
    parts.points = std::min(shapes::Rhombus({cardinal.x - 47.5f, cardinal.y}, 10.5f, 5.5f),
                            shapes::Rhombus({diagonal.x - 45.0f, diagonal.y}, 6.5f, 3.6f));
    parts.petals = std::min(shapes::Ellipse({major.x - 17.5f, major.y}, 10.5f, 4.6f),
                            shapes::Ellipse({minor.x - 21.0f, minor.y}, 5.5f, 2.4f));
    parts.boss = std::min(shapes::Circle(p, 4.8f), shapes::Ring(p, 7.6f, 1.0f));
    return parts;
}

// A rounded bevel `width` pixels wide rising to `top` inside a shape.
float Bevel(float distance, float width, float top) {
    if (distance >= 0.0f) {
        return 0.0f;
    }
    return top * std::sin(std::min(1.0f, -distance / width) * 1.5707964f);
}

float Coverage(float distance) {
    return Clamp01(0.5f - distance * static_cast<float>(kSamples) * 0.8f);
}

}  // namespace

float Emblem::GoldDistance(Point p) const {
    const Parts parts = Measure(p);
    return std::min({parts.ring, parts.beads, parts.points, parts.petals, parts.boss});
}

float Emblem::Height(Point p) const {
    const Parts parts = Measure(p);
    return std::max({Bevel(parts.ring, 3.2f, 1.0f), Bevel(parts.beads, 2.1f, 0.8f),
                     Bevel(parts.points, 2.6f, 0.9f), Bevel(parts.petals, 3.0f, 0.85f),
                     Bevel(parts.boss, 4.0f, 1.1f)});
}

Rgb Emblem::Gold(Point p) const {
    constexpr float e = 0.3f;
    constexpr float relief = 2.6f;
    const float dx = (Height({p.x + e, p.y}) - Height({p.x - e, p.y})) / (2.0f * e);
    const float dy = (Height({p.x, p.y + e}) - Height({p.x, p.y - e})) / (2.0f * e);
    float nx = -relief * dx;
    float ny = -relief * dy;
    const float length = std::sqrt(nx * nx + ny * ny + 1.0f);
    nx /= length;
    ny /= length;
    const float nz = 1.0f / length;
    // Light from the upper left and in front; y grows downwards.
    const float lx = -0.45f, ly = -0.55f, lz = 0.70f;
    const float tone = std::max(0.0f, nx * lx + ny * ly + nz * lz) / lz;
    const float hx = lx, hy = ly, hz = lz + 1.0f;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    const float specular = std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hl), 28.0f);
    // A faint sheen that turns with the angle, as on spun metal.
    const float sheen = 0.94f + 0.06f * std::cos(2.0f * std::atan2(p.y, p.x) + 0.8f);
    const Rgb shadow = FromBytes(78, 46, 14);
    const Rgb mid = FromBytes(200, 150, 58) * sheen;
    const Rgb bright = FromBytes(250, 222, 140);
    Rgb colour =
        tone < 1.0f ? Mix(shadow, mid, tone) : Mix(mid, bright, Clamp01((tone - 1.0f) / 0.35f));
    return colour + FromBytes(255, 246, 214) * (0.55f * specular);
}

Rgb Emblem::Enamel(Point p, float goldDistance) const {
    const float r = shapes::Length(p) / kEnamelRadius;
    const Rgb colour = Mix(FromBytes(36, 48, 70), FromBytes(16, 20, 32), r * r);
    // Raised gold casts a little shade onto the enamel round it.
    return colour * (0.55f + 0.45f * SmoothStep(0.0f, 3.0f, goldDistance));
}

Rgb Emblem::Shade(Point p, Rgb background) const {
    const float gold = GoldDistance(p);
    const Point dropped = {p.x - 2.0f, p.y - 3.0f};
    const float cast = std::min(GoldDistance(dropped), shapes::Circle(dropped, kEnamelRadius));
    Rgb colour = background * (1.0f - 0.6f * (1.0f - SmoothStep(-3.0f, 5.0f, cast)));
    colour = Mix(colour, Enamel(p, gold), Coverage(shapes::Circle(p, kEnamelRadius)));
    return Mix(colour, Gold(p), Coverage(gold));
}

void Emblem::Paint(Canvas& canvas, float cx, float cy) const {
    const int x0 = std::max(0, static_cast<int>(std::floor(cx - kExtent)));
    const int x1 = std::min(canvas.Width() - 1, static_cast<int>(std::ceil(cx + kExtent)));
    const int y0 = std::max(0, static_cast<int>(std::floor(cy - kExtent)));
    const int y1 = std::min(canvas.Height() - 1, static_cast<int>(std::ceil(cy + kExtent)));
    const float step = 1.0f / static_cast<float>(kSamples);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const Rgb background = canvas.At(x, y);
            Rgb sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Point p = {
                        static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) * step - cx,
                        static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) * step - cy};
                    sum = sum + Shade(p, background);
                }
            }
            canvas.At(x, y) = sum * (step * step);
        }
    }
}
