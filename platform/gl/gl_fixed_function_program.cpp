#include "platform/gl/gl_fixed_function_program.h"

#include "platform/gl/gl_fixed_function_shaders.h"

namespace gfx {
namespace {

std::string ShaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    return log;
}

GLuint Compile(GLenum kind, const char* source, std::string* error) {
    GLuint shader = glCreateShader(kind);
    const char* parts[] = {ShaderPrelude, source};
    glShaderSource(shader, 2, parts, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        *error = "shader compilation failed: " + ShaderLog(shader);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

float Channel(uint32_t argb, int shift) {
    return static_cast<float>((argb >> shift) & 0xFF) / 255.0f;
}

}  // namespace

bool GlFixedFunctionProgram::Build(const std::string& fragmentSource, std::string* error) {
    GLuint vertex = Compile(GL_VERTEX_SHADER, FixedFunctionVertexShader, error);
    GLuint fragment = vertex == 0 ? 0 : Compile(GL_FRAGMENT_SHADER, fragmentSource.c_str(), error);
    if (fragment == 0) {
        glDeleteShader(vertex);
        return false;
    }
    ProgramName = glCreateProgram();
    glAttachShader(ProgramName, vertex);
    glAttachShader(ProgramName, fragment);
    glLinkProgram(ProgramName);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(ProgramName, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        *error = "shader program did not link";
        Destroy();
        return false;
    }
    FindUniforms();
    Use();
    glUniform1i(Uniform.StageTexture, 0);
    return true;
}

void GlFixedFunctionProgram::Destroy() {
    glDeleteProgram(ProgramName);
    ProgramName = 0;
}

void GlFixedFunctionProgram::FindUniforms() {
    auto find = [this](const char* name) { return glGetUniformLocation(ProgramName, name); };
    Uniform.WorldView = find("WorldView");
    Uniform.Projection = find("Projection");
    Uniform.NormalMatrix = find("NormalMatrix");
    Uniform.ClipFixup = find("ClipFixup");
    Uniform.Lighting = find("Lighting");
    Uniform.GlobalAmbient = find("GlobalAmbient");
    Uniform.MaterialAmbient = find("MaterialAmbient");
    Uniform.MaterialEmissive = find("MaterialEmissive");
    Uniform.LightCount = find("LightCount");
    Uniform.LightPosition = find("LightPosition");
    Uniform.LightDiffuse = find("LightDiffuse");
    Uniform.LightAmbient = find("LightAmbient");
    Uniform.LightAttenuation = find("LightAttenuation");
    Uniform.StageTexture = find("StageTexture");
    Uniform.TextureBound = find("TextureBound");
    Uniform.ColorStage = find("ColorStage");
    Uniform.AlphaStage = find("AlphaStage");
}

void GlFixedFunctionProgram::Sync(const GlUniformState& state) {
    for (int group = 0; group < GlUniformState::GroupCount; ++group) {
        if (Held[group] != state.Versions[group]) {
            Upload(static_cast<GlUniformState::Group>(group), state);
            Held[group] = state.Versions[group];
        }
    }
}

void GlFixedFunctionProgram::Upload(GlUniformState::Group group, const GlUniformState& state) {
    switch (group) {
        case GlUniformState::Transforms:
            glUniformMatrix4fv(Uniform.WorldView, 1, GL_FALSE, state.WorldView.Data());
            glUniformMatrix3fv(Uniform.NormalMatrix, 1, GL_FALSE, state.NormalMatrix);
            break;
        case GlUniformState::Projection:
            glUniformMatrix4fv(Uniform.Projection, 1, GL_FALSE, state.ProjectionMatrix.Data());
            break;
        case GlUniformState::ClipFixup:
            glUniform3fv(Uniform.ClipFixup, 1, state.Fixup);
            break;
        case GlUniformState::Lighting:
            glUniform1i(Uniform.Lighting, state.LightingOn ? 1 : 0);
            glUniform3f(Uniform.GlobalAmbient, Channel(state.Ambient, 16),
                        Channel(state.Ambient, 8), Channel(state.Ambient, 0));
            break;
        case GlUniformState::Material: {
            const Material& material = state.CurrentMaterial;
            glUniform3f(Uniform.MaterialAmbient, material.Ambient.r, material.Ambient.g,
                        material.Ambient.b);
            glUniform3f(Uniform.MaterialEmissive, material.Emissive.r, material.Emissive.g,
                        material.Emissive.b);
            break;
        }
        case GlUniformState::Lights:
            UploadLights(state.PackedLightSet);
            break;
        case GlUniformState::Stage:
            UploadStage(state.CurrentStage, state.TextureBound);
            break;
        default:
            break;
    }
}

void GlFixedFunctionProgram::UploadLights(const PackedLights& lights) {
    glUniform1i(Uniform.LightCount, lights.Count);
    if (lights.Count == 0) {
        return;
    }
    glUniform4fv(Uniform.LightPosition, lights.Count, &lights.Position[0][0]);
    glUniform3fv(Uniform.LightDiffuse, lights.Count, &lights.Diffuse[0][0]);
    glUniform3fv(Uniform.LightAmbient, lights.Count, &lights.Ambient[0][0]);
    glUniform4fv(Uniform.LightAttenuation, lights.Count, &lights.Attenuation[0][0]);
}

void GlFixedFunctionProgram::UploadStage(const StageSetup& stage, bool textureBound) {
    glUniform1i(Uniform.TextureBound, textureBound ? 1 : 0);
    glUniform3i(Uniform.ColorStage, static_cast<GLint>(stage.ColorOp),
                static_cast<GLint>(stage.ColorArg1), static_cast<GLint>(stage.ColorArg2));
    glUniform3i(Uniform.AlphaStage, static_cast<GLint>(stage.AlphaOp),
                static_cast<GLint>(stage.AlphaArg1), static_cast<GLint>(stage.AlphaArg2));
}

}  // namespace gfx
