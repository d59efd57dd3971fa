#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/gl/gl_fixed_function_program.h"
#include "platform/gl/gl_stage_shader.h"

namespace gfx {

// The shader programs of one device: the general one, whose fragment shader reads the stage
// setup from uniforms, and the specialised ones, built the first time a stage setup is drawn.
class GlProgramCache {
public:
    bool BuildGeneral(std::string* error);
    void Destroy();

    GlFixedFunctionProgram& General() { return *GeneralProgram; }
    // The general program where a specialised one cannot be built.
    GlFixedFunctionProgram& For(const StageSetup& stage, bool textureBound);
    // How many programs have been compiled and linked so far, the general one included.
    uint32_t Built() const { return BuildCount; }

private:
    std::unique_ptr<GlFixedFunctionProgram> GeneralProgram;
    std::map<GlStageShader::KeyType, std::unique_ptr<GlFixedFunctionProgram>> Specialised;
    uint32_t BuildCount = 0;
};

}  // namespace gfx
