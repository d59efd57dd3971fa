#pragma once

#include <string>

#include "platform/gl/gl_api.h"
#include "platform/gl/gl_uniform_state.h"

namespace gfx {

// One shader program that stands in for the fixed-function pipeline: the vertex lighting shader
// with a fragment shader for texture stage 0. It remembers which version of each uniform group
// it holds and uploads only the groups that moved on since.
class GlFixedFunctionProgram {
public:
    // Compiles and links the program in the current context; false with the compiler's log.
    bool Build(const std::string& fragmentSource, std::string* error);
    void Destroy();
    void Use() const { glUseProgram(ProgramName); }

    // Brings the uniforms in line with state; the program must be in use.
    void Sync(const GlUniformState& state);

private:
    void FindUniforms();
    void Upload(GlUniformState::Group group, const GlUniformState& state);
    void UploadLights(const PackedLights& lights);
    void UploadStage(const StageSetup& stage, bool textureBound);

    GLuint ProgramName = 0;
    uint64_t Held[GlUniformState::GroupCount] = {};
    struct {
        GLint WorldView, Projection, NormalMatrix, ClipFixup, Lighting, GlobalAmbient;
        GLint MaterialAmbient, MaterialEmissive, LightCount, LightPosition, LightDiffuse;
        GLint LightAmbient, LightAttenuation, StageTexture, TextureBound, ColorStage, AlphaStage;
    } Uniform = {};
};

}  // namespace gfx
