#include <iterator>

#include "geometry/build_constants.h"
#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/effect/object_effect.h"
#include "objects/particles/object_particule_manager.h"
#include "platform/process_globals.h"
#include "scene/path_parameter.h"
#include "scene/talvo_scene0001.h"

namespace {

Matrix4 TranslationTo(const Vec3& p) { return MatrixTranslation(p.x, p.y, p.z); }

// Drawn with no rotation.
Matrix4 Unrotated() { return MatrixRotationX(0.0f); }

// The n-th element (from 0) of a list, or null when the list is shorter.
Object3D* NthObject(const std::list<Object3D*>& list, size_t n) {
    return n < list.size() ? *std::next(list.begin(), static_cast<long>(n)) : nullptr;
}

void StartEffect(Object3D* object, uint32_t now) {
    if (auto* effect = dynamic_cast<ObjectEffect*>(object); effect != nullptr) {
        effect->Start(now);
    }
}

// Flying back out: the path is run backwards from its end, held at its start.
float ReturnParameter(uint32_t e, uint32_t d) {
    int32_t s = static_cast<int32_t>(2 * d + 10000 - e);
    if (s < 0) {
        s = 0;
    }
    return PathParameter(static_cast<uint32_t>(s), d);
}

float RippleBlend(uint32_t e) {
    if (e < 2000) {
        return static_cast<float>(e / 2000.0);
    }
    if (e < 11000) {
        return 1.0f;
    }
    return static_cast<float>(1 - (e - 11000) / 2000.0);
}

// The colour quad's gradient in six steps of 1500 ms: red fades in from transparent, then blue
// and green rise to magenta and white; the right side leads.
struct Gradient {
    uint32_t Left;
    uint32_t Right;
};

Gradient QuadGradient(uint32_t e) {
    const uint32_t step = e / 1500;
    const float f = static_cast<float>((e - step * 1500) / 1500.0);
    const uint32_t a = static_cast<uint32_t>(f * 255);
    switch (step) {
        case 0:
            return {0x00FF0000, (a << 24) | 0x00FF0000};
        case 1:
            return {(a << 24) | 0x00FF0000, 0xFFFF0000};
        case 2:
            return {0xFFFF0000, 0xFFFF0000 | a};
        case 3:
            return {0xFFFF0000 | a, 0xFFFF00FF};
        case 4:
            return {0xFFFF00FF, 0xFFFF00FF | (a << 8)};
        default:
            return {0xFFFF00FF | (a << 8), 0xFFFFFFFF};
    }
}

}  // namespace

// Three projectors nodding about x and rocking about z, each with its own phase.
void CTalvoScene0001::RunProjectorBlock(float turn) {
    BeginBlock(MaterialSet::DarkGlossy);
    float x = -550.0f;
    for (Object3D* projector : Projectors) {
        const Matrix4 nod = MatrixRotationX(-0.39269909f * f32::cos(turn) - 1.5707964f);
        const Matrix4 rock = MatrixRotationZ(0.78539819f * f32::sin(2.0f * x + turn));
        Place(projector, MatrixTranslation(x, 0.0f, 800.0f), MatrixMultiply(nod, rock));
        x += 100.0f;
    }
}

// The ripples fade in over 2 s, hold, and fade out over the last 2 s of the phase.
void CTalvoScene0001::RunFirstEffectBlock() {
    BeginBlock(MaterialSet::WhiteGlossy);
    Object3D* object = NthObject(Effects, 0);
    auto* ripples = dynamic_cast<ObjectEffect*>(object);
    const uint32_t e = PhaseTime();
    if (e >= 13000) {
        NextPhase(true);
    } else if (ripples != nullptr) {
        ripples->SetBlend(RippleBlend(e));
    }
    if (object != nullptr) {
        StartEffect(object, Now);
        Place(object, MatrixTranslation(0.0f, 0.0f, 400.0f), Unrotated());
    }
}

void CTalvoScene0001::RunFirstParticleBlock() {
    BeginBlock(MaterialSet::WhiteGlossy);
    if (Object3D* swarm = NthObject(ParticleManagers, 0); swarm != nullptr) {
        Place(swarm, MatrixTranslation(0.0f, 0.0f, 1000.0f), Unrotated());
    }
    if (PhaseTime() > 20000) {
        NextPhase(true);
    }
}

// Phases 8 to 10 share one clock: the rigs fly in along their paths, hold at the paths' ends
// facing the eye, and fly back out the way they came.
void CTalvoScene0001::RunCameraBlock(float slow) {
    BeginBlock(MaterialSet::WhiteGlossy);
    const float eye = ProgramConstants->EyeDistance;
    const double restDepth = CameraRestDepth();
    float x = -200.0f;
    CameraPath = CameraPaths.begin();
    for (Object3D* camera : Cameras) {
        if (CameraPath == CameraPaths.end()) {
            break;
        }
        float yaw = f32::atan(static_cast<float>(x / restDepth));
        const uint32_t d = CameraPath->GetDuration();
        const uint32_t e = PhaseTime();
        Vec3 position{x, 10.0f, 410.0f};
        if (Phase == 8 || Phase == 10) {
            const float t = Phase == 8 ? PathParameter(e, d) : ReturnParameter(e, d);
            position = CameraPath->GetPoint(t);
            yaw = f32::atan(position.x / (position.z + eye));
        }
        Place(camera, TranslationTo(position), MatrixRotationY(0.39269909f * f32::sin(slow) + yaw));
        x -= 100.0f;
        ++CameraPath;
    }
}

// Three soft discs fly in with the rigs, wobbling, and hold at their paths' ends.
void CTalvoScene0001::RunCompanionEffectBlock(float turn) {
    BeginBlock(MaterialSet::WhiteGlossy);
    const float sway = 10.0f * f32::sin(turn);
    const float bob = 20.0f * f32::cos(2.0f * turn);
    EffectPath = EffectPaths.begin();
    for (size_t i = 0; i < 3 && EffectPath != EffectPaths.end(); ++i, ++EffectPath) {
        Object3D* effect = NthObject(Effects, 1 + i);
        if (effect == nullptr) {
            break;
        }
        const uint32_t d = EffectPath->GetDuration();
        const uint32_t e = PhaseTime();
        Vec3 p;
        if (Phase == 9) {
            const Vec3 held[3] = {
                {-20.0f - sway, 0.0f, 202.0f}, {sway, 0.0f, 201.0f}, {-10.0f, bob, 200.0f}};
            p = held[i];
        } else {
            p = EffectPath->GetPoint(Phase == 8 ? PathParameter(e, d) : ReturnParameter(e, d));
            if (i == 0) p.x = p.x - sway;
            if (i == 1) p.x = p.x + sway;
            if (i == 2) p.y = p.y + bob;
        }
        StartEffect(effect, Now);
        Place(effect, TranslationTo(p), Unrotated());
    }
    EffectPath = EffectPaths.begin();
    if (EffectPath == EffectPaths.end()) {
        return;
    }
    const uint32_t d = EffectPath->GetDuration();
    const uint32_t e = PhaseTime();
    if (Phase == 8 && e > d) {
        NextPhase(false);
    } else if (Phase == 9 && e > d + 10000) {
        NextPhase(false);
    } else if (Phase == 10 && e > 2 * d + 10000) {
        NextPhase(true);
    }
}

void CTalvoScene0001::RunSecondParticleBlock() {
    BeginBlock(MaterialSet::WhiteGlossy);
    if (Object3D* explosion = NthObject(ParticleManagers, 1); explosion != nullptr) {
        Place(explosion, MatrixTranslation(-100.0f, 0.0f, 400.0f), Unrotated());
    }
    if (PhaseTime() > 10000) {
        NextPhase(true);
    }
}

// The plume drifts left and down; after 3 s it stops emitting.
void CTalvoScene0001::RunThirdParticleBlock() {
    BeginBlock(MaterialSet::WhiteGlossy);
    const uint32_t e = PhaseTime();
    if (Object3D* plume = NthObject(ParticleManagers, 2); plume != nullptr) {
        const float x = static_cast<float>(200.0 - e / 5.0);
        const float y = static_cast<float>(-20.0 - e / 200.0);
        Place(plume, MatrixTranslation(x, y, 800.0f), Unrotated());
        if (auto* manager = dynamic_cast<ObjectParticuleManager*>(plume);
            manager != nullptr && e > 3000) {
            manager->StopEmission();
        }
    }
    if (e > 6000) {
        NextPhase(true);
    }
}

// Two crescents chase each other round one path, half a lap apart, turned along its heading.
void CTalvoScene0001::RunLoopEffectBlock() {
    BeginBlock(MaterialSet::WhiteGlossy);
    LoopPath = LoopPaths.begin();
    if (Phase == 14 && LoopPath != LoopPaths.end()) {
        ++LoopPath;
    }
    const uint32_t e = PhaseTime();
    for (uint32_t i = 0; i < 2 && LoopPath != LoopPaths.end(); ++i) {
        Object3D* effect = NthObject(Effects, 4 + i);
        if (effect == nullptr) {
            break;
        }
        const uint32_t d = LoopPath->GetDuration();
        const float t = PathParameter((e + (d * i) / 2) % d, d);
        const Vec3 p = LoopPath->GetPoint(t);
        const Vec3 heading = LoopPath->GetTangent(t);
        const float a =
            f32::acos(heading.x / f32::sqrt(heading.x * heading.x + heading.y * heading.y));
        StartEffect(effect, Now);
        Place(effect, TranslationTo(p), MatrixRotationZ(a));
    }
    if (Phase == 13 && e > 15000) {
        NextPhase(true);
    } else if (Phase == 14 && e > 4000) {
        NextPhase(true);
    }
}

void CTalvoScene0001::RunColourQuadBlock() {
    BeginBlock(MaterialSet::Quad);
    const uint32_t e = PhaseTime();
    if (e < 9000) {
        const Gradient gradient = QuadGradient(e);
        SetQuadColors(gradient.Left, gradient.Left, gradient.Right, gradient.Right);
    }
    const Matrix4 world = MatrixTranslation(0.0f, 0.0f, 0.0f);
    GraphicsDevice->SetTransform(gfx::TransformState::World, &world);
    GraphicsDevice->SetStreamSource(0, QuadVertexBuffer, 0, VertexStride);
    GraphicsDevice->SetFVF(VertexFormat);
    GraphicsDevice->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 2);
    if (e > 10000) {
        NextPhase(true);
    }
}
