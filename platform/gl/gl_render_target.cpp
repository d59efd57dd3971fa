#include "platform/gl/gl_render_target.h"

#include <cstddef>

namespace gfx {

bool GlRenderTarget::Create(int width, int height) {
    TargetWidth = width;
    TargetHeight = height;
    glGenRenderbuffers(1, &ColorBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, ColorBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &DepthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, DepthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glGenFramebuffers(1, &Framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, ColorBuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, DepthBuffer);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void GlRenderTarget::Destroy() {
    glDeleteFramebuffers(1, &Framebuffer);
    glDeleteRenderbuffers(1, &ColorBuffer);
    glDeleteRenderbuffers(1, &DepthBuffer);
    Framebuffer = ColorBuffer = DepthBuffer = 0;
}

void GlRenderTarget::Read(std::vector<uint8_t>& rgba) const {
    // The target's first row is the image's top.
    rgba.resize(static_cast<size_t>(TargetWidth) * 4 * TargetHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, Framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, TargetWidth, TargetHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (size_t i = 3; i < rgba.size(); i += 4) {
        rgba[i] = 255;
    }
}

void GlRenderTarget::CopyToWindow(int windowWidth, int windowHeight) const {
    bool sameSize = windowWidth == TargetWidth && windowHeight == TargetHeight;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, Framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // Turned right way up: the window's first row is its bottom.
    glBlitFramebuffer(0, 0, TargetWidth, TargetHeight, 0, windowHeight, windowWidth, 0,
                      GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
    Bind();
}

}  // namespace gfx
