#include "platform/gl/gl_render_states.h"

#include <iterator>

#include "platform/gl/gl_api.h"

namespace gfx {
namespace {

// Tables indexed by Direct3D's values; anything outside them gets the Direct3D default.
GLenum BlendFactor(uint32_t value) {
    static constexpr GLenum Factors[] = {GL_ONE,
                                         GL_ZERO,
                                         GL_ONE,
                                         GL_SRC_COLOR,
                                         GL_ONE_MINUS_SRC_COLOR,
                                         GL_SRC_ALPHA,
                                         GL_ONE_MINUS_SRC_ALPHA,
                                         GL_DST_ALPHA,
                                         GL_ONE_MINUS_DST_ALPHA,
                                         GL_DST_COLOR,
                                         GL_ONE_MINUS_DST_COLOR,
                                         GL_SRC_ALPHA_SATURATE};
    return value < std::size(Factors) ? Factors[value] : GL_ONE;
}

GLenum BlendEquation(uint32_t value) {
    static constexpr GLenum Equations[] = {
        GL_FUNC_ADD, GL_FUNC_ADD, GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT, GL_MIN, GL_MAX};
    return value < std::size(Equations) ? Equations[value] : GL_FUNC_ADD;
}

GLenum DepthFunction(uint32_t value) {
    static constexpr GLenum Functions[] = {GL_LEQUAL,  GL_NEVER,    GL_LESS,   GL_EQUAL, GL_LEQUAL,
                                           GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return value < std::size(Functions) ? Functions[value] : GL_LEQUAL;
}

void Toggle(GLenum capability, bool on) {
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

// Direct3D's "both" factors set the destination factor too.
void ApplyBlendFactors(uint32_t source, uint32_t destination) {
    constexpr uint32_t BothSrcAlpha = 12;
    constexpr uint32_t BothInvSrcAlpha = 13;
    if (source == BothSrcAlpha) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else if (source == BothInvSrcAlpha) {
        glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    } else {
        glBlendFunc(BlendFactor(source), BlendFactor(destination));
    }
}

}  // namespace

bool GlRenderStates::Set(RenderState state, uint32_t value) {
    uint32_t* slot = nullptr;
    switch (state) {
        case RenderState::ZEnable:
            slot = &ZEnableValue;
            break;
        case RenderState::ZWriteEnable:
            slot = &ZWriteEnableValue;
            break;
        case RenderState::SrcBlend:
            slot = &SrcBlendValue;
            break;
        case RenderState::DestBlend:
            slot = &DestBlendValue;
            break;
        case RenderState::CullMode:
            slot = &CullModeValue;
            break;
        case RenderState::ZFunc:
            slot = &ZFuncValue;
            break;
        case RenderState::AlphaBlendEnable:
            slot = &AlphaBlendEnableValue;
            break;
        case RenderState::Lighting:
            slot = &LightingValue;
            break;
        case RenderState::Ambient:
            slot = &AmbientValue;
            break;
        case RenderState::BlendOp:
            slot = &BlendOpValue;
            break;
    }
    if (slot == nullptr) {
        return false;
    }
    if (*slot != value) {
        *slot = value;
        bool lighting = state == RenderState::Lighting || state == RenderState::Ambient;
        LightingChanged = LightingChanged || lighting;
        Dirty = Dirty || !lighting;
    }
    return true;
}

bool GlRenderStates::TakeLightingChange() {
    bool changed = LightingChanged;
    LightingChanged = false;
    return changed;
}

void GlRenderStates::Apply() {
    Toggle(GL_DEPTH_TEST, ZEnableValue != 0);
    glDepthMask(ZWriteEnableValue != 0 ? GL_TRUE : GL_FALSE);
    glDepthFunc(DepthFunction(ZFuncValue));
    Toggle(GL_BLEND, AlphaBlendEnableValue != 0);
    ApplyBlendFactors(SrcBlendValue, DestBlendValue);
    glBlendEquation(BlendEquation(BlendOpValue));
    // Both APIs judge winding in the target's coordinates. The target is drawn upside down
    // (its first row is the image's top), so a triangle counter-clockwise on screen, the front
    // when clockwise ones are culled, is clockwise to GL.
    Toggle(GL_CULL_FACE, CullModeValue != CullNone);
    glCullFace(GL_BACK);
    glFrontFace(CullModeValue == CullClockwise ? GL_CW : GL_CCW);
    Dirty = false;
    ++ApplyCount;
}

}  // namespace gfx
