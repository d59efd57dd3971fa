#include "platform/gl/gl_stage_shader.h"

namespace gfx {
namespace {

constexpr uint32_t SourceMask = 15;
constexpr uint32_t Complement = 16;
constexpr uint32_t AlphaReplicate = 32;

}  // namespace

// Without a texture the stage is not processed, whatever its operations read.
bool GlStageShader::PassesDiffuse(const StageSetup& stage, bool textureBound) {
    return !textureBound || stage.ColorOp == TextureOpDisable;
}

GlStageShader::KeyType GlStageShader::Key(const StageSetup& stage, bool textureBound) {
    if (PassesDiffuse(stage, textureBound)) {
        return {};
    }
    return {1,
            stage.ColorOp,
            stage.ColorArg1,
            stage.ColorArg2,
            stage.AlphaOp,
            stage.AlphaArg1,
            stage.AlphaArg2};
}

std::string GlStageShader::Argument(uint32_t argument) {
    uint32_t source = argument & SourceMask;
    std::string value = "vec4(0.0)";
    if (source == TextureArgTexture) {
        value = "texel";
    } else if (source == TextureArgDiffuse || source == TextureArgCurrent) {
        value = "VertexColor";
    }
    if ((argument & AlphaReplicate) != 0) {
        value = "(" + value + ").aaaa";
    }
    if ((argument & Complement) != 0) {
        value = "(1.0 - " + value + ")";
    }
    return value;
}

std::string GlStageShader::Combine(uint32_t op, uint32_t arg1, uint32_t arg2) {
    switch (op) {
        case TextureOpSelectArg1:
            return Argument(arg1);
        case TextureOpSelectArg2:
            return Argument(arg2);
        case TextureOpModulate:
            return "(" + Argument(arg1) + " * " + Argument(arg2) + ")";
        case TextureOpAdd:
            return "clamp(" + Argument(arg1) + " + " + Argument(arg2) + ", 0.0, 1.0)";
        default:
            return "VertexColor";
    }
}

std::string GlStageShader::Source(const StageSetup& stage, bool textureBound) {
    std::string source =
        "in vec4 VertexColor;\n"
        "in vec2 VertexTexCoord;\n"
        "out vec4 FragColor;\n"
        "uniform sampler2D StageTexture;\n"
        "void main() {\n";
    if (PassesDiffuse(stage, textureBound)) {
        return source + "    FragColor = VertexColor;\n}\n";
    }
    return source + "    vec4 texel = texture(StageTexture, VertexTexCoord).ColorOrder;\n" +
           "    FragColor = vec4(" + Combine(stage.ColorOp, stage.ColorArg1, stage.ColorArg2) +
           ".rgb, " + Combine(stage.AlphaOp, stage.AlphaArg1, stage.AlphaArg2) + ".a);\n}\n";
}

}  // namespace gfx
