#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/vertex.h"
#include "platform/desktop/gl_graphics_system.h"

struct SDL_Window;

namespace gl_testing {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// A presented frame as read back: top row first.
struct Frame {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgba;
    Rgb At(int x, int y) const;
};

// A hidden window of SDL's offscreen driver with a GL device drawing into it.
class GlTestRig {
public:
    explicit GlTestRig(int width = 64, int height = 64,
                       const gfx::GlGraphicsSystem::Options& options = {});
    ~GlTestRig();
    GlTestRig(const GlTestRig&) = delete;
    GlTestRig& operator=(const GlTestRig&) = delete;

    bool Ready() const { return Device != nullptr; }

    // Identity transforms, lighting, culling and blending off, black target: vertex colours and
    // clip-space positions as given.
    void UsePlainState();
    void ClearTo(uint32_t argb);
    // Draws the vertices as one strip from a buffer of their own.
    HRESULT DrawStrip(const std::vector<Vertex>& vertices);
    Frame PresentAndRead();

    gfx::GlGraphicsSystem* System = nullptr;
    SDL_Window* Window = nullptr;
    gfx::GlDevice* Device = nullptr;
    std::string Error;
};

// A square in the z plane at depth z, from -half to +half in x and y, wound counter-clockwise
// on screen so that clockwise culling keeps it.
std::vector<Vertex> Square(float z, uint32_t diffuse, float half = 1.0f,
                           Vec3 normal = {0.0f, 0.0f, -1.0f});
// The same square wound clockwise.
std::vector<Vertex> ClockwiseSquare(float z, uint32_t diffuse);

// Writes one colour into every texel of a square texture's level 0; false if it cannot be locked
// or unlocked.
bool Fill(gfx::Texture* texture, int size, uint32_t argb);

// 0..255 channel of an ARGB colour, and a float colour channel on the 0..255 scale.
int Byte(uint32_t argb, int shift);
float Scaled(float channel);

}  // namespace gl_testing
