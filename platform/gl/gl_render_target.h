#pragma once

#include <cstdint>
#include <vector>

#include "platform/gl/gl_api.h"

namespace gfx {

// The back buffer: an RGBA8 colour buffer and a 24-bit depth buffer of the size the device was
// made with, whatever the window provides. Present copies it into the window.
class GlRenderTarget {
public:
    // In the current context; false when the framebuffer is incomplete.
    bool Create(int width, int height);
    void Destroy();
    void Bind() const { glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer); }

    // RGBA bytes, top row first, alpha 255: the back buffer has no alpha of its own.
    void Read(std::vector<uint8_t>& rgba) const;
    // Stretches the target over the window's default framebuffer of the given size.
    void CopyToWindow(int windowWidth, int windowHeight) const;

    int Width() const { return TargetWidth; }
    int Height() const { return TargetHeight; }

private:
    int TargetWidth = 0;
    int TargetHeight = 0;
    GLuint Framebuffer = 0;
    GLuint ColorBuffer = 0;
    GLuint DepthBuffer = 0;
};

}  // namespace gfx
