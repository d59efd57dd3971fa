#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/bubble/object_bubble.h"
#include "platform/crt_random.h"

namespace {

constexpr float Pi = f32::Pi;

}  // namespace

// Each band runs between two meridians from pole to pole, alternating direction so that the
// strip joins consecutive bands at a pole with degenerate triangles instead of jumping.
void ObjectBubble::BuildShells(Vertex* outer, Vertex* inner) const {
    const uint32_t h = SegmentCount / 2;
    const auto angle = [h](uint32_t index) {
        return static_cast<float>(index) * Pi / static_cast<float>(h);
    };
    const auto emit = [&](float theta, float phi) {
        *outer++ = ShellVertex(theta, phi, true);
        *inner++ = ShellVertex(theta, phi, false);
    };
    for (uint32_t b = 0; b < SegmentCount; ++b) {
        const bool odd = b % 2 == 1;
        const float first = angle(odd ? b : b + 1);
        const float second = angle(odd ? b + 1 : b);
        for (uint32_t k = 0; k <= h; ++k) {
            const float theta = angle(odd ? k : h - k);
            emit(theta, first);
            if (k > 0 && k < h) {
                emit(theta, second);
            }
        }
    }
}

// x is the polar axis. The outer shell faces the centre and the inner one faces away, so that
// each is lit from the gap between them.
Vertex ObjectBubble::ShellVertex(float theta, float phi, bool outer) const {
    const float r = outer ? Radius : Radius - ShellThickness;
    const float x = f32::cos(theta) * r;
    const float q = f32::sin(theta) * r;
    const float y = f32::cos(phi) * q;
    const float z = f32::sin(phi) * q;
    Vertex vertex;
    vertex.Position = {x, y, z};
    vertex.Normal = outer ? Vec3Normalize({-x, -y, -z}) : Vec3Normalize({x, y, z});
    vertex.Diffuse = outer ? OuterColor : InnerColor;
    vertex.U = (x / r + 1.0f) / 2.0f;
    vertex.V = (1.0f - y / r) / 2.0f;
    return vertex;
}

void ObjectBubble::BuildBurstQuad(Vertex* vertices) const {
    const float s = BurstSize;
    const float corners[4][4] = {{s, s, 1, 0}, {-s, s, 0, 0}, {s, -s, 1, 1}, {-s, -s, 0, 1}};
    for (const auto& corner : corners) {
        Vertex vertex;
        vertex.Position = {corner[0], corner[1], 0.0f};
        vertex.Normal = {0.0f, 0.0f, -1.0f};
        vertex.U = corner[2];
        vertex.V = corner[3];
        *vertices++ = vertex;
    }
}

void ObjectBubble::FillBurstTexture(const gfx::LockedRect& locked, uint32_t size) {
    const int32_t half = static_cast<int32_t>(size / 2);
    for (uint32_t& radius : SpokeRadii) {
        radius = static_cast<uint32_t>(crt::rand() % (half - 40) + 40);
    }
    auto* bytes = static_cast<uint8_t*>(locked.Bits);
    for (uint32_t i = 0; i < size; ++i) {
        auto* row = reinterpret_cast<uint32_t*>(bytes + static_cast<size_t>(i) * locked.Pitch);
        for (uint32_t j = 0; j < size; ++j) {
            row[j] = SplashTexel(static_cast<int32_t>(i), static_cast<int32_t>(j), half);
        }
    }
}

// Rows 0 .. half take the spokes from pi to 2 pi, the rows below from 0 to pi. A texel inside
// its spoke draws two random numbers (colour, then the one-in-five test); the centre, having no
// angle, takes spoke 0 and is always kept.
uint32_t ObjectBubble::SplashTexel(int32_t i, int32_t j, int32_t half) const {
    if (SpokeRadii.empty()) {
        return 0;
    }
    const int32_t dx = j - half;
    const int32_t dy = i - half;
    const float d = f32::sqrt(static_cast<float>(dx * dx + dy * dy));
    uint32_t spoke = 0;
    if (d > 0.0f) {
        float a = f32::acos(static_cast<float>(dx) / d);
        if (i <= half) {
            a = a + Pi;
        }
        const float spokes = static_cast<float>(SpokeRadii.size() - 1);
        spoke = static_cast<uint32_t>(spokes * a / f32::TwoPi);
    }
    const uint32_t r = SpokeRadii[spoke];
    if (!(d < static_cast<float>(r))) {
        return 0;
    }
    // The exact square of d (a double holds it), which a float product may round up to a whole.
    const auto squared = static_cast<uint32_t>(static_cast<double>(d) * static_cast<double>(d));
    const uint32_t alpha = 255 - ((squared * 255) / r) / r;
    const uint32_t shade = static_cast<uint32_t>(crt::rand() % 256);
    const int kept = static_cast<uint32_t>(d) > 0 ? crt::rand() % 5 : 0;
    return kept == 0 ? alpha << 24 | shade << 16 | (255 - shade) << 8 | shade : 0;
}
