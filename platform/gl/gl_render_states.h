#pragma once

#include <cstdint>

#include "platform/graphics_device.h"

namespace gfx {

// The render states with Direct3D's values and defaults. Setting one only records it; Apply
// brings the GL state in line before a draw.
class GlRenderStates {
public:
    // Unknown states are refused.
    bool Set(RenderState state, uint32_t value);

    bool Lighting() const { return LightingValue != 0; }
    uint32_t Ambient() const { return AmbientValue; }
    bool DepthWrite() const { return ZWriteEnableValue != 0; }
    // Lighting or Ambient changed since the last call.
    bool TakeLightingChange();

    bool NeedsApply() const { return Dirty; }
    void Apply();
    // How many times Apply has run: the same count means the same GL state.
    uint64_t Applications() const { return ApplyCount; }

private:
    uint32_t ZEnableValue = 1;
    uint32_t ZWriteEnableValue = 1;
    uint32_t SrcBlendValue = 2;   // one
    uint32_t DestBlendValue = 1;  // zero
    uint32_t CullModeValue = CullCounterClockwise;
    uint32_t ZFuncValue = CompareLessEqual;
    uint32_t AlphaBlendEnableValue = 0;
    uint32_t LightingValue = 1;
    uint32_t AmbientValue = 0;
    uint32_t BlendOpValue = BlendOpAdd;
    bool Dirty = true;
    bool LightingChanged = true;
    uint64_t ApplyCount = 0;
};

}  // namespace gfx
