#include "platform/gl/gl_light_table.h"

#include <algorithm>
#include <cfloat>
#include <iterator>

#include "geometry/matrix_math.h"

namespace gfx {
namespace {

Vec3 RotateByView(const Vec3& v, const Matrix4& view) {
    return {v.x * view(0, 0) + v.y * view(1, 0) + v.z * view(2, 0),
            v.x * view(0, 1) + v.y * view(1, 1) + v.z * view(2, 1),
            v.x * view(0, 2) + v.y * view(1, 2) + v.z * view(2, 2)};
}

void Store(float (&out)[4], const Vec3& v, float w) {
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
    out[3] = w;
}

void Store(float (&out)[3], const ColorValue& color) {
    out[0] = color.r;
    out[1] = color.g;
    out[2] = color.b;
}

void PackOne(const Light& light, const Matrix4& view, PackedLights& packed, int slot) {
    if (light.Type == LightType::Directional) {
        Vec3 towards = Vec3Normalize(RotateByView(light.Direction, view));
        Store(packed.Position[slot], Vec3{-towards.x, -towards.y, -towards.z}, 0.0f);
        float(&attenuation)[4] = packed.Attenuation[slot];
        attenuation[0] = 1.0f;
        attenuation[1] = attenuation[2] = 0.0f;
        attenuation[3] = FLT_MAX;
    } else {
        // Spot lights are lit as point lights: their cone is not modelled.
        Vec4 position = Vec3Transform(light.Position, view);
        Store(packed.Position[slot], Vec3{position.x, position.y, position.z}, 1.0f);
        float(&attenuation)[4] = packed.Attenuation[slot];
        attenuation[0] = light.Attenuation0;
        attenuation[1] = light.Attenuation1;
        attenuation[2] = light.Attenuation2;
        attenuation[3] = light.Range;
    }
    Store(packed.Diffuse[slot], light.Diffuse);
    Store(packed.Ambient[slot], light.Ambient);
}

}  // namespace

Light GlLightTable::DefaultLight() {
    Light light;
    light.Type = LightType::Directional;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Direction = {0.0f, 0.0f, 1.0f};
    return light;
}

void GlLightTable::SetLight(uint32_t index, const Light& light) {
    Entries[index].Parameters = light;
    Dirty = true;
}

void GlLightTable::Enable(uint32_t index, bool enable) {
    Entry& entry = Entries[index];
    if (entry.Enabled != enable) {
        entry.Enabled = enable;
        Dirty = true;
    }
}

const PackedLights& GlLightTable::Pack(const Matrix4& view) {
    Packed.Count = 0;
    for (const auto& [index, entry] : Entries) {
        if (entry.Enabled && Packed.Count < PackedLights::Capacity) {
            PackOne(entry.Parameters, view, Packed, Packed.Count++);
        }
    }
    Dirty = false;
    return Packed;
}

uint32_t GlLightTable::Reaching(const GlBoundingSphere& sphere, const Matrix4& objectToView) const {
    uint32_t mask = 0;
    for (int slot = 0; slot < Packed.Count; ++slot) {
        bool point = Packed.Position[slot][3] != 0.0f;
        if (!point ||
            !sphere.BeyondReach(objectToView, Packed.Position[slot], Packed.Attenuation[slot][3])) {
            mask |= 1u << slot;
        }
    }
    return mask;
}

void GlLightTable::Select(uint32_t mask, PackedLights& out) const {
    out.Count = 0;
    for (int slot = 0; slot < Packed.Count; ++slot) {
        if ((mask & (1u << slot)) == 0) {
            continue;
        }
        int to = out.Count++;
        std::copy(std::begin(Packed.Position[slot]), std::end(Packed.Position[slot]),
                  out.Position[to]);
        std::copy(std::begin(Packed.Diffuse[slot]), std::end(Packed.Diffuse[slot]),
                  out.Diffuse[to]);
        std::copy(std::begin(Packed.Ambient[slot]), std::end(Packed.Ambient[slot]),
                  out.Ambient[to]);
        std::copy(std::begin(Packed.Attenuation[slot]), std::end(Packed.Attenuation[slot]),
                  out.Attenuation[to]);
    }
}

}  // namespace gfx
