#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/gl/gl_uniform_state.h"

namespace gfx {

// Fragment shaders for texture stage 0 with the stage's operations written into the code
// instead of read from uniforms: the same arithmetic as the general shader for that setup,
// without the branches that the software rasteriser pays for on every pixel.
class GlStageShader {
public:
    // Equal keys mean the same specialised shader.
    using KeyType = std::array<uint32_t, 7>;
    static KeyType Key(const StageSetup& stage, bool textureBound);
    static std::string Source(const StageSetup& stage, bool textureBound);

private:
    static bool PassesDiffuse(const StageSetup& stage, bool textureBound);
    static std::string Argument(uint32_t argument);
    static std::string Combine(uint32_t op, uint32_t arg1, uint32_t arg2);
};

}  // namespace gfx
