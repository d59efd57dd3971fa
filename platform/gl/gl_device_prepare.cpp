// Readying GlDevice's programs at start-up, so that drawing never stops to build one.
#include <algorithm>

#include "geometry/vertex.h"
#include "platform/gl/gl_device.h"
#include "platform/gl/gl_texture.h"
#include "platform/gl/gl_vertex_buffer.h"

namespace gfx {

// Building a program is only half of it: a software rasteriser compiles its own code for each
// program and pipeline state at the first draw that uses them, which takes longer than a frame.
// One tiny draw per program, into a target of the back buffer's formats, and one copy of the
// back buffer into the window have that done now.
HRESULT GlDevice::PrepareToDraw(std::span<const TextureStageSetup> setups) {
    if (!Context->MakeCurrent()) {
        return E_FAIL;
    }
    // The driver's code for a program that samples depends on whether there is a texture.
    std::vector<WarmDraw> wanted;
    auto want = [&wanted](GlFixedFunctionProgram& program, bool textured) {
        const WarmDraw draw{&program, textured};
        if (std::find(wanted.begin(), wanted.end(), draw) == wanted.end()) {
            wanted.push_back(draw);
        }
    };
    if (Optimise) {
        for (const TextureStageSetup& setup : setups) {
            want(Programs.For(setup, false), false);
            want(Programs.For(setup, true), true);
        }
    } else {
        want(Programs.General(), false);
        want(Programs.General(), true);
    }
    if (States.NeedsApply()) {
        States.Apply();
    }
    if (!WarmUp(wanted)) {
        return E_FAIL;
    }
    // Nothing shows until Present swaps, and Present copies the whole target again first.
    CopyTargetToWindow();
    for (const WarmDraw& draw : wanted) {
        Prepared.insert(draw.Program);
    }
    PreparedStates = States.Applications();
    CheckedProgram = nullptr;
    return S_OK;
}

// The triangle has no area: nothing is drawn, but everything a draw needs is made.
bool GlDevice::WarmUp(const std::vector<WarmDraw>& draws) {
    GlRenderTarget scratch;
    GlVertexBuffer* triangle = nullptr;
    GlTexture* texture = nullptr;
    const bool ready = scratch.Create(1, 1) &&
                       Succeeded(GlVertexBuffer::Create(Context, 3 * VertexStride, &triangle)) &&
                       Succeeded(GlTexture::Create(Context, 1, 1, 1, &texture));
    if (ready) {
        glViewport(0, 0, 1, 1);
        triangle->BindLayout(0);
        for (const WarmDraw& draw : draws) {
            draw.Program->Use();
            glBindTexture(GL_TEXTURE_2D, draw.Textured ? texture->Name() : 0);
            glDrawArrays(GL_TRIANGLE_STRIP, 0, 3);
        }
    }
    // Leave GL as the draw path believes it to be.
    scratch.Destroy();
    if (triangle != nullptr) {
        triangle->Release();
    }
    if (texture != nullptr) {
        texture->Release();
    }
    Target.Bind();
    glViewport(0, 0, Target.Width(), Target.Height());
    glBindTexture(GL_TEXTURE_2D, Context->BoundTextureName);
    Context->StreamChanged = true;
    CurrentProgram->Use();
    return ready;
}

// Counted per draw, looked up only when the program or the render states changed.
void GlDevice::CountUnprepared() {
    if (CheckedProgram != CurrentProgram || CheckedStates != States.Applications()) {
        CheckedProgram = CurrentProgram;
        CheckedStates = States.Applications();
        CheckedReady = PreparedStates == CheckedStates && Prepared.contains(CurrentProgram);
    }
    if (!CheckedReady) {
        ++Unprepared;
    }
}

}  // namespace gfx
