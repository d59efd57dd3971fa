#pragma once

#include <cstdint>
#include <map>

#include "geometry/matrix4.h"
#include "platform/gl/gl_bounding_sphere.h"
#include "platform/graphics_device.h"

namespace gfx {

// The enabled lights packed for the vertex shader, in ascending index order and in view space.
// A directional light is packed as a light at infinity: its position holds the unit vector
// towards it with w = 0, and its attenuation is (1, 0, 0, no range), so one formula serves both
// kinds.
struct PackedLights {
    static constexpr int Capacity = 32;
    int Count = 0;
    float Position[Capacity][4] = {};  // view space; w 1 for a point light, 0 for a direction
    float Diffuse[Capacity][3] = {};
    float Ambient[Capacity][3] = {};
    float Attenuation[Capacity][4] = {};  // a0, a1, a2, range
};

// Every light the drawing code has set, by index, and which of them are enabled. Lights are kept
// in world space and packed for a view only when a light or the view has changed since.
class GlLightTable {
public:
    void SetLight(uint32_t index, const Light& light);
    // An index never set gets the default light: white, directional, pointing along +z.
    void Enable(uint32_t index, bool enable);
    void ViewChanged() { Dirty = true; }

    bool NeedsPacking() const { return Dirty; }
    // Packs the first PackedLights::Capacity enabled lights; any more are left out.
    const PackedLights& Pack(const Matrix4& view);

    // Of the lights the last Pack packed, by slot: those that may reach some point of the
    // sphere drawn through objectToView. Directional lights reach everything.
    uint32_t Reaching(const GlBoundingSphere& sphere, const Matrix4& objectToView) const;
    // The packed lights of the slots in mask, in slot order.
    void Select(uint32_t mask, PackedLights& out) const;

private:
    struct Entry {
        Light Parameters = DefaultLight();
        bool Enabled = false;
    };
    static Light DefaultLight();

    std::map<uint32_t, Entry> Entries;
    PackedLights Packed;
    bool Dirty = true;
};

}  // namespace gfx
