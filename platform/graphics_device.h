#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "geometry/matrix4.h"
#include "geometry/vec3.h"
#include "platform/result.h"

// The graphics operations the drawing code relies on, with fixed-function Direct3D 9 meanings:
// row-vector transforms, per-vertex lighting, texture stage 0, alpha blending, LESSEQUAL depth
// in [0, 1], clockwise culling. The numeric values of states and arguments are Direct3D's, so
// recorded calls read like the original API.
namespace gfx {

enum class TransformState : uint32_t { View = 2, Projection = 3, World = 256 };

enum class RenderState : uint32_t {
    ZEnable = 7,
    ZWriteEnable = 14,
    SrcBlend = 19,
    DestBlend = 20,
    CullMode = 22,
    ZFunc = 23,
    AlphaBlendEnable = 27,
    Lighting = 137,
    Ambient = 139,
    BlendOp = 171,
};

enum class TextureStageState : uint32_t {
    ColorOp = 1,
    ColorArg1 = 2,
    ColorArg2 = 3,
    AlphaOp = 4,
    AlphaArg1 = 5,
    AlphaArg2 = 6,
};

enum class PrimitiveType : uint32_t { TriangleStrip = 5 };

enum class Format : uint32_t { A8R8G8B8 = 21 };

// Render state values.
inline constexpr uint32_t CullNone = 1;
inline constexpr uint32_t CullClockwise = 2;
inline constexpr uint32_t CullCounterClockwise = 3;
inline constexpr uint32_t CompareLessEqual = 4;
inline constexpr uint32_t BlendSrcAlpha = 5;
inline constexpr uint32_t BlendInvSrcAlpha = 6;
inline constexpr uint32_t BlendOpAdd = 1;

// Texture stage operations and arguments.
inline constexpr uint32_t TextureOpDisable = 1;
inline constexpr uint32_t TextureOpSelectArg1 = 2;
inline constexpr uint32_t TextureOpSelectArg2 = 3;
inline constexpr uint32_t TextureOpModulate = 4;
inline constexpr uint32_t TextureOpAdd = 7;
inline constexpr uint32_t TextureArgDiffuse = 0;
inline constexpr uint32_t TextureArgCurrent = 1;
inline constexpr uint32_t TextureArgTexture = 2;

// Clear flags.
inline constexpr uint32_t ClearTarget = 1;
inline constexpr uint32_t ClearZBuffer = 2;

// Texture usage and mip levels.
inline constexpr uint32_t UsageDynamic = 0x200;
inline constexpr uint32_t FullMipChain = 0;  // as many levels as the size allows

// Texture stage 0's operations and arguments as SetTextureStageState sets them; Direct3D's
// defaults to begin with.
struct TextureStageSetup {
    uint32_t ColorOp = TextureOpModulate;
    uint32_t ColorArg1 = TextureArgTexture;
    uint32_t ColorArg2 = TextureArgCurrent;
    uint32_t AlphaOp = TextureOpSelectArg1;
    uint32_t AlphaArg1 = TextureArgTexture;
    uint32_t AlphaArg2 = TextureArgCurrent;

    friend bool operator==(const TextureStageSetup&, const TextureStageSetup&) = default;
};

enum class LightType : uint32_t { Point = 1, Spot = 2, Directional = 3 };

struct ColorValue {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

struct Light {
    LightType Type = LightType::Point;
    ColorValue Diffuse;
    ColorValue Specular;
    ColorValue Ambient;
    Vec3 Position;
    Vec3 Direction;
    float Range = 0.0f;
    float Falloff = 0.0f;
    float Attenuation0 = 0.0f;
    float Attenuation1 = 0.0f;
    float Attenuation2 = 0.0f;
    float Theta = 0.0f;
    float Phi = 0.0f;
};

struct Material {
    ColorValue Diffuse;
    ColorValue Ambient;
    ColorValue Specular;
    ColorValue Emissive;
    float Power = 0.0f;
};

struct LockedRect {
    int32_t Pitch = 0;  // bytes from one row to the next; may exceed width x 4
    void* Bits = nullptr;
};

struct Rect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// A buffer of vertices in the one vertex format. Lock maps the whole buffer for writing; Unlock
// makes the written contents the ones drawn.
class VertexBuffer {
public:
    // offset 0 and size 0 lock the whole buffer.
    virtual HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) = 0;
    virtual HRESULT Unlock() = 0;
    virtual uint32_t Length() const = 0;
    // Frees the buffer. Safe before or after the device that made it is released.
    virtual void Release() = 0;

protected:
    virtual ~VertexBuffer() = default;
};

// A 32-bit ARGB texture. Only level 0 is ever written or sampled.
class Texture {
public:
    virtual HRESULT LockRect(uint32_t level, LockedRect* locked, const Rect* rect,
                             uint32_t flags) = 0;
    virtual HRESULT UnlockRect(uint32_t level) = 0;
    virtual uint32_t Width() const = 0;
    virtual uint32_t Height() const = 0;
    virtual uint32_t LevelCount() const = 0;
    // Frees the texture. Safe before or after the device that made it is released.
    virtual void Release() = 0;

protected:
    virtual ~Texture() = default;
};

class Device {
public:
    virtual HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t format,
                                       VertexBuffer** buffer) = 0;
    // An empty texture; levels FullMipChain gives the whole chain (none of it written).
    virtual HRESULT CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                                  Format format, Texture** texture) = 0;
    // A texture from a PNG file in memory: sides rounded up to powers of two with the image
    // stretched to fill them, one level, texels equal to colorKey made transparent black.
    virtual HRESULT CreateTextureFromPngInMemory(const void* data, size_t size, uint32_t colorKey,
                                                 Texture** texture) = 0;

    virtual HRESULT SetTransform(TransformState state, const Matrix4* matrix) = 0;
    virtual HRESULT SetLight(uint32_t index, const Light* light) = 0;
    virtual HRESULT LightEnable(uint32_t index, bool enable) = 0;
    virtual HRESULT SetRenderState(RenderState state, uint32_t value) = 0;
    virtual HRESULT SetMaterial(const Material* material) = 0;
    // Only stage 0 exists; a null texture unbinds it.
    virtual HRESULT SetTexture(uint32_t stage, Texture* texture) = 0;
    virtual HRESULT SetTextureStageState(uint32_t stage, TextureStageState state,
                                         uint32_t value) = 0;
    virtual HRESULT SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset,
                                    uint32_t stride) = 0;
    virtual HRESULT SetFVF(uint32_t format) = 0;
    virtual HRESULT DrawPrimitive(PrimitiveType type, uint32_t startVertex,
                                  uint32_t primitiveCount) = 0;

    // Not in Direct3D: readies now whatever draws with these stage setups, with a texture and
    // without, will need under the render states set so far, so that no draw has to wait for
    // it later. A device with nothing to ready does nothing.
    virtual HRESULT PrepareToDraw(std::span<const TextureStageSetup> /*setups*/) { return S_OK; }

    virtual HRESULT Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Present() = 0;

    // Ends the device. Resources it made stay safe to release afterwards.
    virtual void Release() = 0;

protected:
    virtual ~Device() = default;
};

}  // namespace gfx
