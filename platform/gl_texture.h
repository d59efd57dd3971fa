#pragma once

#include <memory>
#include <vector>

#include "platform/gl_api.h"
#include "platform/gl_context.h"
#include "platform/graphics_device.h"

namespace gfx {

// A 32-bit ARGB texture. It reports the mip levels it was asked for, but only level 0 exists:
// it is kept in memory for LockRect, uploaded by UnlockRect and sampled bilinearly with wrap
// addressing, never through mip levels.
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

  private:
    GlTexture(std::shared_ptr<GlContext> context, uint32_t width, uint32_t height, uint32_t levels,
              GLuint name);
    ~GlTexture() override = default;
    uint32_t Pitch() const { return TextureWidth * 4; }
    // The bytes a lock hands out: the context's scratch copy of Level0 where it can be had.
    uint8_t* LockTarget();
    void Upload();

    std::shared_ptr<GlContext> Context;
    uint32_t TextureWidth;
    uint32_t TextureHeight;
    uint32_t Levels;
    std::vector<uint8_t> Level0;
    GLuint TextureName;
    bool Locked = false;
    bool LockedInScratch = false;
    bool Uploaded = false;
    uint8_t* LockedBits = nullptr;
};

}  // namespace gfx
