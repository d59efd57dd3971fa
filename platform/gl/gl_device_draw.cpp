// The draw path of GlDevice: the state a draw needs, brought up to date just before it.
#include <cstddef>
#include <cstring>

#include "geometry/matrix_math.h"
#include "geometry/vertex.h"
#include "platform/gl/gl_device.h"
#include "platform/gl/gl_texture.h"
#include "platform/gl/gl_vertex_buffer.h"

namespace gfx {
namespace {

// The inverse transpose of m's 3x3 part (its cofactors over its determinant), rows first.
void NormalMatrix(const Matrix4& m, float (&out)[9]) {
    float c[9] = {m(1, 1) * m(2, 2) - m(1, 2) * m(2, 1), m(1, 2) * m(2, 0) - m(1, 0) * m(2, 2),
                  m(1, 0) * m(2, 1) - m(1, 1) * m(2, 0), m(0, 2) * m(2, 1) - m(0, 1) * m(2, 2),
                  m(0, 0) * m(2, 2) - m(0, 2) * m(2, 0), m(0, 1) * m(2, 0) - m(0, 0) * m(2, 1),
                  m(0, 1) * m(1, 2) - m(0, 2) * m(1, 1), m(0, 2) * m(1, 0) - m(0, 0) * m(1, 2),
                  m(0, 0) * m(1, 1) - m(0, 1) * m(1, 0)};
    float determinant = m(0, 0) * c[0] + m(0, 1) * c[1] + m(0, 2) * c[2];
    for (int i = 0; i < 9; ++i) {
        out[i] = determinant == 0.0f ? 0.0f : c[i] / determinant;
    }
}

}  // namespace

HRESULT GlDevice::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    GlVertexBuffer* buffer = Context->StreamSource;
    if (type != PrimitiveType::TriangleStrip || buffer == nullptr || !Context->MakeCurrent()) {
        return E_FAIL;
    }
    uint64_t first = uint64_t{StreamOffset / VertexStride} + startVertex;
    uint64_t count = uint64_t{primitiveCount} + 2;
    if (first + count > buffer->VertexCount()) {
        return E_FAIL;
    }
    if (primitiveCount == 0 || Culled(*buffer)) {
        return S_OK;
    }
    PrepareDraw(*buffer);
    CountUnprepared();
    glDrawArrays(GL_TRIANGLE_STRIP, static_cast<GLint>(startVertex), static_cast<GLsizei>(count));
#ifndef BANNER_GL_ES
    // A browser's GPU process takes the draws as they come.
    if (Optimise) {
        SubmitSome(primitiveCount);
    }
#endif
    return S_OK;
}

// The software rasteriser starts on a frame's pixels only when it is handed the draws; handing
// them over in parts lets its threads work on one part while this one prepares the next. A part
// is handed over only once the one before is drawn: parts piling up would each keep the
// textures they read marked as in use long after, and every later upload of one of those would
// wait for the rasteriser.
void GlDevice::SubmitSome(uint32_t primitiveCount) {
    static constexpr uint32_t DrawsPerPart = 32;
    static constexpr uint64_t TrianglesPerPart = 16000;
    ++DrawsSinceSubmit;
    TrianglesSinceSubmit += primitiveCount;
    if (DrawsSinceSubmit < DrawsPerPart && TrianglesSinceSubmit < TrianglesPerPart) {
        return;
    }
    if (SubmittedPart != nullptr) {
        if (glClientWaitSync(SubmittedPart, 0, 0) == GL_TIMEOUT_EXPIRED) {
            return;
        }
        glDeleteSync(SubmittedPart);
    }
    // A fence hands the draws so far over to the rasteriser.
    SubmittedPart = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    DrawsSinceSubmit = 0;
    TrianglesSinceSubmit = 0;
}

void GlDevice::EndParts() {
    if (SubmittedPart != nullptr) {
        glDeleteSync(SubmittedPart);
        SubmittedPart = nullptr;
    }
    DrawsSinceSubmit = 0;
    TrianglesSinceSubmit = 0;
}

// Nothing of a buffer wholly outside the clip volume reaches the target.
bool GlDevice::Culled(const GlVertexBuffer& buffer) {
    if (!Optimise) {
        return false;
    }
    if (TransformsDirty) {
        UpdateTransforms();
    }
    return buffer.Bound().OutsideClipVolume(ObjectToClip);
}

void GlDevice::PrepareDraw(const GlVertexBuffer& buffer) {
    if (States.NeedsApply()) {
        States.Apply();
    }
    if (States.TakeLightingChange()) {
        Uniforms.LightingOn = States.Lighting();
        Uniforms.Ambient = States.Ambient();
        Uniforms.Touch(GlUniformState::Lighting);
    }
    if (TransformsDirty) {
        UpdateTransforms();
    }
    if (Lights.NeedsPacking()) {
        const PackedLights& all = Lights.Pack(View);
        SelectionStale = true;
        if (!Optimise) {
            Uniforms.PackedLightSet = all;
            Uniforms.Touch(GlUniformState::Lights);
        }
    }
    if (Optimise && Uniforms.LightingOn) {
        SelectLights(buffer);
    }
    bool textureBound = Context->BoundTexture != nullptr;
    if (textureBound != Uniforms.TextureBound) {
        Uniforms.TextureBound = textureBound;
        Uniforms.Touch(GlUniformState::Stage);
    }
    UseProgram();
    CurrentProgram->Sync(Uniforms);
    BindTexture();
    if (Context->StreamChanged) {
        BindStream();
    }
}

void GlDevice::UpdateTransforms() {
    Matrix4 worldView = MatrixMultiply(World, View);
    if (!Optimise || std::memcmp(&worldView, &Uniforms.WorldView, sizeof worldView) != 0) {
        Uniforms.WorldView = worldView;
        NormalMatrix(worldView, Uniforms.NormalMatrix);
        Uniforms.Touch(GlUniformState::Transforms);
    }
    if (!Optimise || std::memcmp(&Projection, &Uniforms.ProjectionMatrix, sizeof Projection) != 0) {
        Uniforms.ProjectionMatrix = Projection;
        Uniforms.Touch(GlUniformState::Projection);
    }
    if (Optimise) {
        ObjectToClip = MatrixMultiply(worldView, Projection);
    }
    TransformsDirty = false;
}

// A light beyond its range gives nothing, so leaving out the ones that cannot reach any vertex
// of the buffer leaves every sum in the shader as it was.
void GlDevice::SelectLights(const GlVertexBuffer& buffer) {
    uint32_t reaching = Lights.Reaching(buffer.Bound(), Uniforms.WorldView);
    if (SelectionStale || reaching != SelectedLights) {
        Lights.Select(reaching, Uniforms.PackedLightSet);
        Uniforms.Touch(GlUniformState::Lights);
        SelectedLights = reaching;
        SelectionStale = false;
    }
}

void GlDevice::UseProgram() {
    GlFixedFunctionProgram* wanted = CurrentProgram;
    if (Optimise && ProgramStageVersion != Uniforms.Versions[GlUniformState::Stage]) {
        wanted = &Programs.For(Uniforms.CurrentStage, Uniforms.TextureBound);
        ProgramStageVersion = Uniforms.Versions[GlUniformState::Stage];
    }
    if (!Optimise || wanted != CurrentProgram) {
        CurrentProgram = wanted;
        CurrentProgram->Use();
    }
}

void GlDevice::BindTexture() {
    GlTexture* texture = Context->BoundTexture;
    if (texture == nullptr) {
        return;
    }
    texture->Prepare();
    if (!Optimise || Context->BoundTextureName != texture->Name()) {
        glBindTexture(GL_TEXTURE_2D, texture->Name());
        Context->BoundTextureName = texture->Name();
    }
}

void GlDevice::BindStream() {
    Context->StreamSource->BindLayout(StreamOffset);
    Context->StreamChanged = false;
}

}  // namespace gfx
