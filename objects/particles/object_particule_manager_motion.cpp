#include "geometry/matrix_math.h"
#include "objects/effect/effect_math.h"
#include "objects/particles/object_particule_manager.h"
#include "objects/particles/sprite_pick.h"

using effect_math::RandomBelow;
using effect_math::RandomFloat;

namespace {

constexpr uint32_t StepInterval = 40;
constexpr float FadeStep = 0.01f;
constexpr float FadeLimit = 0.995f;
constexpr float SwarmPull = 0.01f;
constexpr float SwarmSpeed = 1.5f;
constexpr float ExplosionSpeed = 2.0f;
constexpr float PlumeTop = 100.0f;

// One axis of the pull towards the origin: v is the velocity before, p the position after this
// step's move. Speeds stay below about 1.
float Steer(float v, float p, float a, float b) {
    const float toOrigin = -p;
    if (v > 0.0f && toOrigin > 0.0f && v < 1.0f - b) {
        return v + b;
    }
    if (v > 0.0f && toOrigin < 0.0f && v > a - 1.0f) {
        return v - a;
    }
    if (v < 0.0f && toOrigin < 0.0f && v > b - 1.0f) {
        return v - b;
    }
    if (v < 0.0f && toOrigin > 0.0f && v < 1.0f - a) {
        return v + a;
    }
    return v;
}

float TowardsZero(float v, float amount) {
    if (v > 0.0f) {
        return v - amount;
    }
    return v < 0.0f ? v + amount : v;
}

}  // namespace

int32_t ObjectParticuleManager::Render(uint32_t time) {
    LastRenderTime = time;
    if (!Started) {
        Started = true;
        for (const auto& sprite : Sprites) {
            sprite->Start(time);
        }
    }
    if (time - LastStepTime > StepInterval || time == LastStepTime) {
        Step();
        LastStepTime = time;
        ++StepCount;
    }
    switch (Kind) {
        case Swarm:
            DrawSwarm(time);
            break;
        case Plume:
            DrawPlume(time);
            break;
        case Explosion:
            DrawExplosion(time);
            break;
        default:
            break;
    }
    return 0;
}

void ObjectParticuleManager::Step() {
    switch (Kind) {
        case Swarm:
            if (Stage == 2 && Fade < FadeLimit) {
                Fade += FadeStep;
            }
            if (StepCount < 301) {
                if (StepCount > 100) {
                    Stage = 1;
                }
            } else {
                Stage = 2;
            }
            MoveSwarm(SwarmPull, SwarmPull);
            break;
        case Plume:
            MovePlume();
            break;
        case Explosion:
            if (Stage == 1 && Fade < FadeLimit) {
                Fade += FadeStep;
            }
            if (StepCount > 20) {
                Stage = 1;
            }
            MoveExplosion();
            break;
        default:
            break;
    }
}

// The movement procedures' own gate: repeated calls at one time move once at most.
bool ObjectParticuleManager::MoveDue() const {
    return LastRenderTime - LastMoveTime > StepInterval;
}

// Every particle swings around the origin; from stage 1 the second half scatters towards -x.
void ObjectParticuleManager::MoveSwarm(float a, float b) {
    const bool steering = MoveDue();
    for (uint32_t q = 0; q < Count; ++q) {
        PosX[q] += SwarmSpeed * VelX[q];
        PosY[q] += SwarmSpeed * VelY[q];
        PosZ[q] += SwarmSpeed * VelZ[q];
        if (steering && (Stage == 0 || q < Count / 2)) {
            VelX[q] = Steer(VelX[q], PosX[q], a, b);
            VelY[q] = Steer(VelY[q], PosY[q], a, b);
        } else if (steering) {
            VelX[q] = VelX[q] <= -1.0f ? -1.0f : VelX[q] - SwarmPull;
            VelY[q] = TowardsZero(VelY[q], SwarmPull);
        }
        if (q < Sprites.size()) {
            Sprites[q]->SetLightDirection({5.0f * VelX[q], 5.0f * VelY[q], 5.0f * VelZ[q]});
        }
    }
    if (steering) {
        LastMoveTime = LastRenderTime;
    }
}

// Rising with a random sideways wander; a particle above the top starts again at the bottom, or
// is parked at (0, 100) once emission has stopped (the draws are made either way).
void ObjectParticuleManager::MovePlume() {
    if (!MoveDue()) {
        return;
    }
    for (uint32_t q = 0; q < Count; ++q) {
        PosX[q] += VelX[q];
        PosY[q] += VelY[q];
        VelX[q] += static_cast<float>(2 * static_cast<int32_t>(RandomBelow(2)) - 1) / 10.0f;
        VelX[q] = VelX[q] < -1.0f ? -1.0f : (VelX[q] > 1.0f ? 1.0f : VelX[q]);
        if (PosY[q] > PlumeTop) {
            PosX[q] = RandomFloat(10 * Range) / 100.0f;
            PosY[q] = -50.0f;
            VelX[q] = RandomFloat(Range) / static_cast<float>(Range) * 2.0f - 1.0f;
            if (EmissionStopped) {
                PosX[q] = 0.0f;
                PosY[q] = PlumeTop;
                VelX[q] = 0.0f;
            }
        }
    }
    LastMoveTime = LastRenderTime;
}

void ObjectParticuleManager::MoveExplosion() {
    if (!MoveDue()) {
        return;
    }
    for (uint32_t q = 0; q < Count; ++q) {
        PosX[q] += ExplosionSpeed * VelX[q];
        PosY[q] += ExplosionSpeed * VelY[q];
        PosZ[q] += ExplosionSpeed * VelZ[q];
    }
    LastMoveTime = LastRenderTime;
}

// Farthest first, at the places SetTranslation gave the sprites.
void ObjectParticuleManager::DrawSwarm(uint32_t time) {
    for (ObjectEffect* sprite : SortedSprites) {
        if (Stage == 2) {
            sprite->SetBlend(Fade);
        }
        if (Fade < FadeLimit) {
            sprite->Render(time);
        }
    }
}

// The particles share the sprites: each is moved to its particle just before it is drawn.
void ObjectParticuleManager::DrawPlume(uint32_t time) {
    for (uint32_t r = 0; r < Count && !Sprites.empty(); ++r) {
        const int32_t pick = sprite_pick::Plume(PosY[r], VelX[r], Sprites.size());
        if (pick < 0) {
            continue;
        }
        ObjectEffect& sprite = *Sprites[static_cast<size_t>(pick)];
        const Matrix4 placed =
            MatrixMultiply(MatrixTranslation(PosX[r], PosY[r], PosZ[r]), Translation);
        sprite.SetTranslation(&placed);
        sprite.Render(time);
    }
}

// Drawn where SetTranslation last placed the sprites; hidden once faded.
void ObjectParticuleManager::DrawExplosion(uint32_t time) {
    if (Sprites.empty() || !(Fade < FadeLimit)) {
        return;
    }
    const uint32_t side = GridSide();
    for (uint32_t r = 0; r < side * side; ++r) {
        const int32_t pick =
            sprite_pick::Explosion({VelX[r], VelY[r], VelZ[r]}, side, Sprites.size());
        if (pick >= 0) {
            Sprites[static_cast<size_t>(pick)]->Render(time);
        }
    }
}
