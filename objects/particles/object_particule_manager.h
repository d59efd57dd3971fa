#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/object3d.h"
#include "geometry/vec3.h"
#include "objects/effect/object_effect.h"

enum ParticleKind { Swarm = 0, Plume = 1, Explosion = 2 };

// A particle system: particles in parallel arrays, drawn with effects it owns as sprites. It steps
// at most once per 40 ms of scene time (or again at the same time) and draws one sprite per
// particle.
class ObjectParticuleManager : public Object3D {
public:
    // Builds the particles and sprites, drawing from crt::rand; makes no device calls.
    ObjectParticuleManager(int Kind, uint32_t Range, uint32_t Count, uint32_t ColorA,
                           uint32_t ColorB);
    ~ObjectParticuleManager() override = default;

    // Sprite i is placed at particle i's offset, then by m.
    void SetTranslation(const Matrix4* m) override;
    void SetRotation(const Matrix4* m) override;
    HRESULT Create() override;
    int32_t Update() override;
    int32_t Render(uint32_t time) override;

    // From now on plume particles that leave the top are parked at (0, 100).
    void StopEmission();

    // Read-only views for tests and tools.
    struct Particle {
        Vec3 Position;
        Vec3 Velocity;
        float Extra1;
        float Extra2;
    };
    Particle GetParticle(uint32_t index) const;
    uint32_t GetCount() const { return Count; }
    int GetKind() const { return Kind; }
    int GetStage() const { return Stage; }
    uint32_t GetStepCount() const { return StepCount; }
    float GetFade() const { return Fade; }
    bool IsStarted() const { return Started; }
    bool IsEmissionStopped() const { return EmissionStopped; }
    uint32_t GetLastMoveTime() const { return LastMoveTime; }
    uint32_t GetLastStepTime() const { return LastStepTime; }
    size_t GetSpriteCount() const { return Sprites.size(); }
    const ObjectEffect& GetSprite(size_t index) const { return *Sprites.at(index); }
    size_t GetSortedSpriteCount() const { return SortedSprites.size(); }
    const ObjectEffect& GetSortedSprite(size_t index) const { return *SortedSprites.at(index); }
    uint32_t GetDrawOrder(size_t index) const { return DrawOrder.at(index); }

private:
    void BuildSwarm();
    void BuildPlume();
    void BuildExplosion();
    void SortByDepth();
    void AddSprite(std::unique_ptr<ObjectEffect> sprite);

    void Step();
    void MoveSwarm(float a, float b);
    void MovePlume();
    void MoveExplosion();
    bool MoveDue() const;

    void DrawSwarm(uint32_t time);
    void DrawPlume(uint32_t time);
    void DrawExplosion(uint32_t time);
    uint32_t GridSide() const;

    int Kind;
    uint32_t Range;
    uint32_t ColorA;
    uint32_t ColorB;
    uint32_t Count;
    uint32_t LastMoveTime = 0;
    uint32_t LastStepTime = 0;
    uint32_t LastRenderTime = 0;
    std::vector<float> PosX;
    std::vector<float> PosY;
    std::vector<float> PosZ;
    std::vector<float> Extra1;
    std::vector<float> Extra2;
    std::vector<float> VelX;
    std::vector<float> VelY;
    std::vector<float> VelZ;
    std::vector<uint32_t> DrawOrder;
    std::vector<std::unique_ptr<ObjectEffect>> Sprites;
    std::vector<ObjectEffect*> SortedSprites;
    int Stage = 0;
    uint32_t StepCount = 0;
    float Fade = 0.0f;
    bool Started = false;
    bool EmissionStopped = false;

    // Lets the unit tests set up particle states that motion alone cannot reach.
    friend struct ParticleManagerProbe;
};
