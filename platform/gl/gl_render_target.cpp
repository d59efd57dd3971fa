#include "platform/gl/gl_render_target.h"

#include <algorithm>

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
    size_t row = static_cast<size_t>(TargetWidth) * 4;
    std::vector<uint8_t> bottomFirst(row * TargetHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, Framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, TargetWidth, TargetHeight, GL_RGBA, GL_UNSIGNED_BYTE, bottomFirst.data());
    rgba.resize(bottomFirst.size());
    for (int y = 0; y < TargetHeight; ++y) {
        const uint8_t* source = &bottomFirst[(TargetHeight - 1 - y) * row];
        std::copy(source, source + row, &rgba[y * row]);
    }
    for (size_t i = 3; i < rgba.size(); i += 4) {
        rgba[i] = 255;
    }
}

void GlRenderTarget::CopyToWindow(int windowWidth, int windowHeight) const {
    bool sameSize = windowWidth == TargetWidth && windowHeight == TargetHeight;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, Framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, TargetWidth, TargetHeight, 0, 0, windowWidth, windowHeight,
                      GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
    Bind();
}

}  // namespace gfx
