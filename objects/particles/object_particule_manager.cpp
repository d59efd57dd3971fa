#include "objects/particles/object_particule_manager.h"

#include <utility>

#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/effect/effect_math.h"

using effect_math::RandomBelow;
using effect_math::RandomFloat;

namespace {

// A random value in -1 ... 1 on the manager's scale.
float RandomUnit(uint32_t range) {
    return RandomFloat(range) / static_cast<float>(range) * 2.0f - 1.0f;
}

std::unique_ptr<ObjectEffect> MakeSprite(int kind, uint32_t textureSize, float width,
                                         uint32_t colorA, uint32_t colorB, const Vec3& direction) {
    return std::make_unique<ObjectEffect>(kind, 1, textureSize, width, 5.0f, 1, colorA, colorB,
                                          direction);
}

}  // namespace

ObjectParticuleManager::ObjectParticuleManager(int kind, uint32_t range, uint32_t count,
                                               uint32_t colorA, uint32_t colorB)
    : Kind(kind),
      Range(range),
      ColorA(colorA),
      ColorB(colorB),
      Count(count),
      PosX(count),
      PosY(count),
      PosZ(count),
      Extra1(count),
      Extra2(count),
      VelX(count),
      VelY(count),
      VelZ(count) {
    switch (Kind) {
        case Swarm:
            BuildSwarm();
            break;
        case Plume:
            BuildPlume();
            break;
        case Explosion:
            BuildExplosion();
            break;
        default:
            break;
    }
}

void ObjectParticuleManager::AddSprite(std::unique_ptr<ObjectEffect> sprite) {
    Sprites.push_back(std::move(sprite));
}

// Comets scattered around the origin, 10 units apart in depth, each with its tail behind it.
void ObjectParticuleManager::BuildSwarm() {
    const float offset = static_cast<float>(Range) / 20.0f;
    for (uint32_t w = 0; w < Count; ++w) {
        PosX[w] = RandomFloat(10 * Range) / 100.0f - offset;
        PosY[w] = RandomFloat(10 * Range) / 100.0f - offset;
        PosZ[w] = static_cast<float>(10 * w);
        Extra1[w] = RandomFloat(Range);
        Extra2[w] = RandomFloat(Range);
        VelX[w] = RandomUnit(Range);
        VelY[w] = RandomUnit(Range);
        VelZ[w] = 0.0f;
        AddSprite(MakeSprite(Comet, 32, 50.0f, ColorA, ColorB,
                             {5.0f * VelX[w], 5.0f * VelY[w], 5.0f * VelZ[w]}));
    }
    SortByDepth();
}

// Farthest first; a particle ties ahead of earlier ones at the same depth.
void ObjectParticuleManager::SortByDepth() {
    for (uint32_t q = 0; q < Count; ++q) {
        size_t place = 0;
        while (place < DrawOrder.size() && !(PosZ[DrawOrder[place]] <= PosZ[q])) {
            ++place;
        }
        DrawOrder.insert(DrawOrder.begin() + static_cast<ptrdiff_t>(place), q);
        SortedSprites.insert(SortedSprites.begin() + static_cast<ptrdiff_t>(place),
                             Sprites[q].get());
    }
}

// Particles rise from a strip along the bottom; the sprites are tinted comets shared by all of
// them: 81 small yellow-to-red ones, then 121 larger grey ones.
void ObjectParticuleManager::BuildPlume() {
    for (uint32_t w = 0; w < Count; ++w) {
        PosX[w] = RandomFloat(10 * Range) / 100.0f;
        PosY[w] = static_cast<float>(static_cast<int32_t>(RandomBelow(150)) - 50);
        PosZ[w] = static_cast<float>(Count - w);
        Extra1[w] = RandomFloat(Range);
        Extra2[w] = RandomFloat(Range);
        VelX[w] = RandomUnit(Range);
        VelY[w] = (RandomFloat(Range) / static_cast<float>(Range) + 1.0f) * f32::Pi;
        VelZ[w] = 0.0f;
    }
    for (uint32_t k = 0; k < 9; ++k) {
        for (uint32_t l = 0; l < 9; ++l) {
            const Vec3 direction(static_cast<float>(2 * l) / 9.0f - 1.0f, -3.0f, 0.0f);
            auto sprite = MakeSprite(TintedComet, 128, 100.0f, 0x80800000u, 0xFFFFFF00u, direction);
            sprite->SetBlend(static_cast<float>(k) / 9.0f);
            AddSprite(std::move(sprite));
        }
    }
    for (uint32_t k = 0; k < 11; ++k) {
        for (uint32_t l = 0; l < 11; ++l) {
            const Vec3 direction(static_cast<float>(2 * l) / 11.0f - 1.0f, 2.0f, 0.0f);
            auto sprite = MakeSprite(TintedComet, 128, 150.0f, 0x40000000u, 0x80202020u, direction);
            sprite->SetBlend(static_cast<float>(k) / 11.0f);
            AddSprite(std::move(sprite));
        }
    }
}

// Particles on a sphere grid of S x S unit vectors (S = 8 for 64), the azimuth jittered within
// its cell; each has its own sprite. The first pass only advances the generator.
void ObjectParticuleManager::BuildExplosion() {
    for (uint32_t w = 0; w < Count; ++w) {
        PosX[w] = PosY[w] = PosZ[w] = 0.0f;
        Extra1[w] = RandomFloat(Range);
        Extra2[w] = RandomFloat(Range);
        VelX[w] = RandomUnit(Range);
        VelY[w] = RandomUnit(Range);
        VelZ[w] = 0.0f;
    }
    const uint32_t side = GridSide();
    const auto steps = static_cast<float>(static_cast<int64_t>(side) - 1);
    for (uint32_t d = 0; d < side; ++d) {
        for (uint32_t e = 0; e < side; ++e) {
            const uint32_t w = d * side + e;
            const float theta = static_cast<float>(d) * f32::Pi / steps;
            const float jitter = static_cast<float>(RandomBelow(100)) / 100.0f;
            const float phi =
                static_cast<float>(e) * f32::TwoPi / steps + jitter * f32::TwoPi / steps;
            const Vec3 unit(f32::cos(phi) * f32::sin(theta), f32::sin(phi) * f32::sin(theta),
                            f32::cos(theta));
            PosX[w] = VelX[w] = unit.x;
            PosY[w] = VelY[w] = unit.y;
            PosZ[w] = VelZ[w] = unit.z;
            AddSprite(MakeSprite(TintedComet, 32, 10.0f, ColorA, ColorB, 5.0f * unit));
        }
    }
}

// trunc(sqrt(Count)), never more than Count cells.
uint32_t ObjectParticuleManager::GridSide() const {
    auto side = static_cast<uint32_t>(f32::sqrt(static_cast<float>(Count)));
    while (static_cast<uint64_t>(side) * side > Count) {
        --side;
    }
    return side;
}

void ObjectParticuleManager::SetTranslation(const Matrix4* m) {
    Object3D::SetTranslation(m);
    for (size_t i = 0; i < Sprites.size() && i < Count; ++i) {
        const Matrix4 placed = MatrixMultiply(MatrixTranslation(PosX[i], PosY[i], PosZ[i]), *m);
        Sprites[i]->SetTranslation(&placed);
    }
}

void ObjectParticuleManager::SetRotation(const Matrix4* m) {
    Object3D::SetRotation(m);
    for (const auto& sprite : Sprites) {
        sprite->SetRotation(m);
    }
}

HRESULT ObjectParticuleManager::Create() {
    for (const auto& sprite : Sprites) {
        sprite->Create();
    }
    return S_OK;
}

int32_t ObjectParticuleManager::Update() { return 0; }

void ObjectParticuleManager::StopEmission() { EmissionStopped = true; }

ObjectParticuleManager::Particle ObjectParticuleManager::GetParticle(uint32_t index) const {
    return {{PosX.at(index), PosY.at(index), PosZ.at(index)},
            {VelX.at(index), VelY.at(index), VelZ.at(index)},
            Extra1.at(index),
            Extra2.at(index)};
}
