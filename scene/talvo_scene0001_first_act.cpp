#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/bubble/object_bubble.h"
#include "objects/concave_box/object_concav_box.h"
#include "platform/crt_random.h"
#include "scene/path_parameter.h"
#include "scene/talvo_scene0001.h"

namespace {

Matrix4 TranslationTo(const Vec3& p) { return MatrixTranslation(p.x, p.y, p.z); }

// The angle by which the first wheel of a pair leads so that a 16-tooth wheel (root to tip 6/7)
// meshes with an 8-tooth one: the root-land angle of the 16-tooth profile.
float MeshingOffset() {
    const float q = 0.85714287f;
    const float w = f32::fabs(f32::acos(q) - f32::sqrt(1.0f / q / q - 1.0f));
    const float toothPitch = 0.39269909f;
    return (toothPitch - 2.0f * w) / (q + 1.0f);
}

// A turn of 11.25 degrees about the world axis k (0: x, 1: y, 2: z).
Matrix4 TumbleStep(int k) {
    const float angle = static_cast<float>(1.0 * 3.1415927410125732 / 16);
    switch (k) {
        case 0:
            return MatrixRotationX(angle);
        case 1:
            return MatrixRotationY(angle);
        default:
            return MatrixRotationZ(angle);
    }
}

}  // namespace

// Wheels in consecutive pairs on one path each: the first turns at half the speed of the second
// and the other way round, as a wheel meshing with one of half its teeth.
void CTalvoScene0001::RunGearBlock(float turn) {
    BeginBlock(MaterialSet::Dark);
    const float g = MeshingOffset();
    GearPath = GearPaths.begin();
    auto gear = Gears.begin();
    while (gear != Gears.end() && GearPath != GearPaths.end()) {
        const Vec3 p = GearPath->GetPoint(PathParameter(PhaseTime(), GearPath->GetDuration()));
        const float halfSpeed = static_cast<float>(-turn / 2 + 0.19634954631328583 - g);
        Place(*gear, TranslationTo(p), MatrixRotationZ(halfSpeed));
        if (++gear != Gears.end()) {
            const float x = static_cast<float>(p.x - 50.0 - 0.20000000298023224);
            Place(*gear, MatrixTranslation(x, p.y, p.z), MatrixRotationZ(turn));
            ++gear;
        }
        ++GearPath;
    }
    GearPath = GearPaths.begin();
}

void CTalvoScene0001::RunBubbleBlock() {
    BeginBlock(MaterialSet::WhiteGlossy);
    BubblePath = BubblePaths.begin();
    for (Object3D* object : Bubbles) {
        if (BubblePath == BubblePaths.end()) {
            break;
        }
        const uint32_t e = PhaseTime();
        const uint32_t d = BubblePath->GetDuration();
        Place(object, TranslationTo(BubblePath->GetPoint(PathParameter(e, d))),
              MatrixRotationZ(0.0f));
        // Burst acts on its first call only: the bubble bursts on the first frame past its path.
        if (auto* bubble = dynamic_cast<ObjectBubble*>(object); bubble != nullptr && e > d) {
            bubble->Burst(Now);
        }
        ++BubblePath;
    }
    BubblePath = BubblePaths.begin();
}

// The box stands still until phase 5, then tumbles by a random axis each frame and falls.
void CTalvoScene0001::RunBoxBlock() {
    BeginBlock(MaterialSet::White);
    BoxPath = BoxPaths.begin();
    float x = -200.0f;
    for (Object3D* box : Boxes) {
        Matrix4 translation;
        Matrix4 rotation;
        if (Phase == 5 && BoxPath != BoxPaths.end()) {
            const Matrix4 current = *box->GetRotation();
            rotation = MatrixMultiply(current, TumbleStep(crt::rand() % 3));
            const float t = PathParameter(PhaseTime() - 3400, BoxPath->GetDuration());
            translation = TranslationTo(BoxPath->GetPoint(t));
        } else {
            translation = MatrixTranslation(x, 0.0f, 800.0f);
            rotation = MatrixRotationY(0.0f);
        }
        x += 200.0f;
        Place(box, translation, rotation);
    }
    RunBoxTransitions();
}

void CTalvoScene0001::RunBoxTransitions() {
    auto* box = Boxes.empty() ? nullptr : dynamic_cast<ObjectConcavBox*>(Boxes.front());
    const auto switchLight = [box](bool on) {
        if (box != nullptr) {
            box->SetLightEnabled(on);
        }
    };
    const uint32_t e = PhaseTime();
    switch (Phase) {
        case 0:
            if (e > 18000) {
                NextPhase(true);
                switchLight(true);
                GearPath = GearPaths.begin();
            }
            break;
        case 1:
            if (GearPath != GearPaths.end() && e > GearPath->GetDuration()) {
                NextPhase(true);
                switchLight(false);
            }
            break;
        case 2:
            if (e > 1000) {
                NextPhase(true);
                switchLight(true);
            }
            break;
        case 3:
            // Phases 3 to 5 share one clock.
            if (e > 1000) {
                NextPhase(false);
                switchLight(false);
            }
            break;
        case 4:
            if (e > 3400) {
                NextPhase(false);
            }
            break;
        case 5:
            if (e > 5100) {
                NextPhase(true);
            }
            break;
        default:
            break;
    }
}
