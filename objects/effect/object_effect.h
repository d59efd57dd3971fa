#pragma once

#include <cstdint>
#include <vector>

#include "geometry/object3d.h"
#include "geometry/vec3.h"
#include "objects/effect/effect_textures.h"
#include "platform/graphics_device.h"

enum EffectKind {
    Ripples = 0,
    SoftDisc = 1,
    Crescent = 2,
    Comet = 3,
    TintedComet = 4,
    Splatter = 5
};

// A flat rectangle whose texture is computed texel by texel. It draws nothing until started;
// while active, kinds 0, 3, 4 and 5 compute their texture again at most every 40 ms.
class ObjectEffect : public Object3D {
public:
    // Draws its spots from crt::rand; makes no device calls.
    ObjectEffect(int Kind, uint32_t GridSize, uint32_t TextureSize, float Width, float Aspect,
                 uint32_t SpotCount, uint32_t ColorA, uint32_t ColorB, const Vec3& direction);
    ~ObjectEffect() override;

    HRESULT Create() override;
    int32_t Update() override;
    int32_t Render(uint32_t time) override;

    // Only the first call counts.
    void Start(uint32_t time);
    void SetBlend(float blend);
    // Ignored unless some component changes by more than 0.01.
    void SetLightDirection(const Vec3& v);

    // One spot's six values, for tests and tools.
    struct Spot {
        uint32_t X, Y, Amplitude, Phase, Extra1, Extra2;
    };
    Spot GetSpot(uint32_t index) const;
    uint32_t GetSpotCount() const { return SpotCount; }
    int GetKind() const { return Kind; }
    float GetBlend() const { return Blend; }
    const Vec3& GetLightDirection() const { return LightDirection; }
    bool IsDirty() const { return Dirty; }
    bool IsActive() const { return Active; }
    uint32_t GetStartTime() const { return StartTime; }
    uint32_t GetLastRegenTime() const { return LastRegenTime; }
    uint32_t GetLastRenderTime() const { return LastRenderTime; }
    const gfx::Texture* GetTexture() const { return Texture; }
    const gfx::VertexBuffer* GetVertexBuffer() const { return VertexBuffer; }

private:
    void FillSpots();
    void FillSpotTriples(std::vector<uint32_t>& values);
    SpotArrays Spots();
    EffectLook Look() const;

    HRESULT CreateRectangle();
    void WriteRectangle(void* data) const;
    uint32_t VertexCount() const;
    uint32_t PrimitiveCount() const;

    // Locks level 0, runs the kind's generator and unlocks.
    HRESULT ComputeTexture(bool firstTime);
    void RunGenerator(const TexelSurface& surface, bool firstTime);
    void DrawComet(const TexelSurface& surface);
    void FacingAngles(float* yaw, float* pitch) const;
    Matrix4 FacingWorld() const;
    void Draw();

    int Kind;
    uint32_t GridSize;
    uint32_t TextureSize;
    uint32_t ColorA;
    uint32_t ColorB;
    float Blend = 0.0f;
    float Width;
    float Aspect;
    uint32_t SpotCount;
    Vec3 LightDirection;
    bool Dirty = true;
    gfx::VertexBuffer* VertexBuffer = nullptr;
    gfx::Texture* Texture = nullptr;
    bool Active = false;
    uint32_t StartTime = 0;
    uint32_t LastRegenTime = 0;
    uint32_t LastRenderTime = 0;
    std::vector<uint32_t> SpotX;
    std::vector<uint32_t> SpotY;
    std::vector<uint32_t> SpotAmplitude;
    std::vector<uint32_t> SpotPhase;
    std::vector<uint32_t> SpotExtra1;
    std::vector<uint32_t> SpotExtra2;
    // Set once the rectangle's vertices are written; a failed Create leaves it false and the
    // effect then draws nothing rather than an empty or unfilled buffer.
    bool RectangleReady = false;
};
