#include "platform/gl/gl_program_cache.h"

#include "platform/gl/gl_fixed_function_shaders.h"

namespace gfx {

bool GlProgramCache::BuildGeneral(std::string* error) {
    GeneralProgram = std::make_unique<GlFixedFunctionProgram>();
    ++BuildCount;
    if (!GeneralProgram->Build(FixedFunctionFragmentShader, error)) {
        GeneralProgram.reset();
        return false;
    }
    return true;
}

void GlProgramCache::Destroy() {
    if (GeneralProgram != nullptr) {
        GeneralProgram->Destroy();
    }
    for (auto& [key, program] : Specialised) {
        program->Destroy();
    }
    Specialised.clear();
}

GlFixedFunctionProgram& GlProgramCache::For(const StageSetup& stage, bool textureBound) {
    auto key = GlStageShader::Key(stage, textureBound);
    auto found = Specialised.find(key);
    if (found == Specialised.end()) {
        auto program = std::make_unique<GlFixedFunctionProgram>();
        ++BuildCount;
        std::string error;
        if (!program->Build(GlStageShader::Source(stage, textureBound), &error)) {
            program.reset();
        }
        found = Specialised.emplace(key, std::move(program)).first;
    }
    return found->second != nullptr ? *found->second : *GeneralProgram;
}

}  // namespace gfx
