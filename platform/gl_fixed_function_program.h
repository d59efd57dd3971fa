#pragma once

#include <string>

#include "geometry/matrix4.h"
#include "platform/gl_api.h"
#include "platform/gl_light_table.h"
#include "platform/graphics_device.h"

namespace gfx {

// Texture stage 0: operation and two arguments for colour and for alpha, with Direct3D's values.
struct StageSetup {
    uint32_t ColorOp = TextureOpModulate;
    uint32_t ColorArg1 = TextureArgTexture;
    uint32_t ColorArg2 = TextureArgCurrent;
    uint32_t AlphaOp = TextureOpSelectArg1;
    uint32_t AlphaArg1 = TextureArgTexture;
    uint32_t AlphaArg2 = TextureArgCurrent;
};

// The shader program that stands in for the fixed-function pipeline, and its uniforms. Each
// setter uploads at once; the device calls them only for what changed since the last draw.
class GlFixedFunctionProgram {
  public:
    // Compiles and links the program in the current context; false with the compiler's log.
    bool Build(std::string* error);
    void Destroy();
    void Use() const { glUseProgram(ProgramName); }

    // normalMatrix: the inverse transpose of worldView's 3x3 part, row-vector form, rows first.
    void SetTransforms(const Matrix4& worldView, const Matrix4& projection,
                       const float (&normalMatrix)[9]);
    // x, y: clip-space shift per unit w; depthFixup 1 maps clip depth [0, w] to [-w, w].
    void SetClipFixup(float x, float y, float depthFixup);
    void SetLighting(bool enabled, uint32_t ambient);
    void SetMaterial(const Material& material);
    void SetLights(const PackedLights& lights);
    void SetStage(const StageSetup& stage, bool textureBound);

  private:
    void FindUniforms();

    GLuint ProgramName = 0;
    struct {
        GLint WorldView, Projection, NormalMatrix, ClipFixup, Lighting, GlobalAmbient;
        GLint MaterialAmbient, MaterialEmissive, LightCount, LightPosition, LightDiffuse;
        GLint LightAmbient, LightAttenuation, StageTexture, TextureBound, ColorStage, AlphaStage;
    } Uniform = {};
};

}  // namespace gfx
