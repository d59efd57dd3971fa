#pragma once

#include <memory>
#include <vector>

#include "platform/gl/gl_api.h"
#include "platform/gl/gl_context.h"
#include "platform/graphics_device.h"

namespace gfx {

// A 32-bit ARGB texture. It reports the mip levels it was asked for, but only level 0 exists:
// its texels live in GL alone, read back by LockRect and uploaded by UnlockRect, and it is
// sampled bilinearly with wrap addressing, never through mip levels. Zero until first written.
// OpenGL ES gives no texels back: there the texture keeps the texels it gives GL, and gives them
// only when a draw needs them.
class GlTexture final : public Texture {
public:
    // levels 0 asks for the full chain.
    static HRESULT Create(std::shared_ptr<GlContext> context, uint32_t width, uint32_t height,
                          uint32_t levels, GlTexture** texture);

    // Rows lie Pitch bytes apart, texels are bytes B, G, R, A. Other levels cannot be locked.
    HRESULT LockRect(uint32_t level, LockedRect* locked, const Rect* rect, uint32_t flags) override;
    HRESULT UnlockRect(uint32_t level) override;
    uint32_t Width() const override { return TextureWidth; }
    uint32_t Height() const override { return TextureHeight; }
    uint32_t LevelCount() const override { return Levels; }
    void Release() override;

    GLuint Name() const { return TextureName; }
    // Hands GL the texels it has not been given yet; a draw that samples the texture calls it
    // first. Only OpenGL ES defers them.
    void Prepare();
    // Hands GL the texels of the textures waiting longest, about `bytes` of them: the device
    // sends a few each frame, so that a phase that first draws hundreds of textures made at
    // start-up does not send them all in its first frames.
    static void PrepareWaiting(GlContext& context, size_t bytes);

private:
    GlTexture(std::shared_ptr<GlContext> context, uint32_t width, uint32_t height, uint32_t levels,
              GLuint name);
    ~GlTexture() override = default;
    uint32_t Pitch() const { return TextureWidth * 4; }
    size_t ByteSize() const { return static_cast<size_t>(Pitch()) * TextureHeight; }
    // Fills the lock's buffers with the texels as they are.
    void BeginLock();
    bool Changed() const;
    void EndLock();
    void Upload(const uint8_t* texels);
    void ReplaceStorage();

    std::shared_ptr<GlContext> Context;
    uint32_t TextureWidth;
    uint32_t TextureHeight;
    uint32_t Levels;
    GLuint TextureName;
    bool Uploaded = false;
    // While locked: the buffer handed out and the texels as they were, the context's or own.
    std::vector<uint8_t>* Written = nullptr;
    std::vector<uint8_t>* Original = nullptr;
    std::vector<uint8_t> OwnWritten;
    std::vector<uint8_t> OwnOriginal;
#ifdef BANNER_GL_ES
    std::vector<uint8_t> Kept;
    bool Pending = false;  // GL has not been given Kept yet
#endif
};

}  // namespace gfx
