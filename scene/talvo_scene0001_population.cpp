#include "objects/bubble/object_bubble.h"
#include "objects/camera/object_camera.h"
#include "objects/concave_box/object_concav_box.h"
#include "objects/effect/object_effect.h"
#include "objects/gear/object_gear.h"
#include "objects/particles/object_particule_manager.h"
#include "objects/projector/object_projector.h"
#include "scene/talvo_scene0001.h"

// The choreography addresses paths and objects by their position in these lists, so the order of
// every append below matters.

void CTalvoScene0001::AddBackdropPaths() {
    BackdropPaths.push_back(BezierPath(0, 0, 1000, 0, 0, 900, 80, -1, 90, -20, -1, 90, 10000));
    BackdropPaths.push_back(BezierPath(-20, -1, 90, -120, -1, 90, 60, 0, 60, -100, 0, 110, 10000));
}

void CTalvoScene0001::AddFirstActPaths() {
    GearPaths.push_back(BezierPath(-230, 0, 1000, -500, 0, 1000, 0, 0, 100, 0, 0, 0, 5000));
    GearPaths.push_back(
        BezierPath(-230, 0, 1100, -500, 20, 1100, -100, -20, 100, -100, -20, 0, 2000));
    BubblePaths.push_back(
        BezierPath(-200, 0, 1300, 300, 0, 1300, -10, 0, 1300, 0, -20, 1300, 1000));
    BubblePaths.push_back(
        BezierPath(-200, 0, 1200, -150, 50, 1200, -10, 10, 1200, 100, -20, 1200, 1200));
    BubblePaths.push_back(
        BezierPath(-200, 0, 1100, 0, 50, 1100, 20, -20, 1100, -40, -30, 1100, 2100));
    BubblePaths.push_back(
        BezierPath(-200, 0, 1000, 300, 50, 1000, -10, 0, 1000, 0, -20, 1000, 5000));
    BubblePaths.push_back(BezierPath(-200, 0, 900, 300, 50, 900, -10, 0, 900, -50, -30, 900, 3000));
    BoxPaths.push_back(
        BezierPath(-200, 0, 800, -200, -50, 800, -200, -50, 800, -200, -100, 800, 500));
}

void CTalvoScene0001::AddSecondActPaths() {
    CameraPaths.push_back(
        BezierPath(-200, -100, 810, -200, -90, 800, -200, 0, 420, -200, 10, 410, 1000));
    CameraPaths.push_back(
        BezierPath(-300, -100, 810, -300, -90, 800, -300, 0, 420, -300, 10, 410, 1000));
    EffectPaths.push_back(
        BezierPath(-120, -100, 202, -120, -50, 202, -40, 20, 202, -20, 0, 202, 1000));
    EffectPaths.push_back(BezierPath(50, -100, 201, 60, -50, 201, 20, 20, 201, 0, 0, 201, 1000));
    EffectPaths.push_back(BezierPath(100, -100, 200, 60, 0, 200, 20, 0, 200, -10, 0, 200, 1000));
    LoopPaths.push_back(
        BezierPath(-700, 20, 400, -20, 20, 400, -20, -20, 400, -700, -20, 400, 5000));
    LoopPaths.push_back(BezierPath(-700, 0, 400, -500, 0, 400, -100, 0, 400, 100, 0, 400, 2000));
}

void CTalvoScene0001::AddFirstActObjects() {
    Gears.push_back(new ObjectGear(2048, 10.0f, 30.0f, 35.0f, 5.0f, 16, 0xFFFF0000, 0xFFFF8000));
    Gears.push_back(new ObjectGear(2048, 10.0f, 15.0f, 20.0f, 5.0f, 8, 0xFFFF0000, 0xFFFF8000));
    Gears.push_back(new ObjectGear(2048, 10.0f, 15.0f, 20.0f, 5.0f, 8, 0xFF00FFFF, 0xFF0000FF));
    Gears.push_back(new ObjectGear(2048, 10.0f, 30.0f, 35.0f, 5.0f, 16, 0xFF00FFFF, 0xFF0000FF));
    Boxes.push_back(new ObjectConcavBox(256, 10.0f, 30.0f, 40.0f, 0xFF808080, 0xFF808080));
    const uint32_t outer = 0x4010FFDF;
    const uint32_t inner = 0x80EF10EF;
    Bubbles.push_back(new ObjectBubble(128, 10.0f, 0.1f, 20.0f, outer, inner));
    Bubbles.push_back(new ObjectBubble(128, 15.0f, 0.1f, 60.0f, outer, inner));
    Bubbles.push_back(new ObjectBubble(128, 18.0f, 0.1f, 60.0f, outer, inner));
    Bubbles.push_back(new ObjectBubble(128, 30.0f, 0.1f, 60.0f, outer, inner));
    Bubbles.push_back(new ObjectBubble(128, 20.0f, 0.1f, 60.0f, outer, inner));
}

// The effect and particle constructors draw from the random generator, so this order also fixes
// every random value they get.
void CTalvoScene0001::AddSecondActObjects() {
    Cameras.push_back(
        new ObjectCamera(256, 1.0f, 10.0f, 40.0f, 5.0f, 0xFF202020, 0xFFFF0000, 1000));
    Cameras.push_back(
        new ObjectCamera(256, 1.0f, 10.0f, 40.0f, 5.0f, 0xFF202020, 0xFF008000, 1000));
    for (int i = 0; i < 3; ++i) {
        Projectors.push_back(
            new ObjectProjector(256, 15.0f, 10.0f, 25.0f, 0xFF808080, 0xFFFFFF80, 0.5f));
    }
    const Vec3 none{0.0f, 0.0f, 0.0f};
    const uint32_t deepBlue = 0xFF000040;
    Effects.push_back(
        new ObjectEffect(Ripples, 1, 128, 51.0f, 3.0f, 5, deepBlue, 0xFF00FFFF, none));
    Effects.push_back(
        new ObjectEffect(SoftDisc, 1, 512, 51.0f, 2.0f, 5, deepBlue, 0x800000FF, none));
    Effects.push_back(
        new ObjectEffect(SoftDisc, 1, 512, 51.0f, 2.0f, 5, deepBlue, 0x80FF0000, none));
    Effects.push_back(
        new ObjectEffect(SoftDisc, 1, 512, 51.0f, 2.0f, 5, deepBlue, 0x4000FF00, none));
    Effects.push_back(
        new ObjectEffect(Crescent, 1, 512, 10.0f, 2.0f, 5, deepBlue, 0xFFFF8000, none));
    Effects.push_back(
        new ObjectEffect(Crescent, 1, 512, 10.0f, 2.0f, 5, deepBlue, 0xFF00FFFF, none));
    Effects.push_back(
        new ObjectEffect(Splatter, 1, 1024, 80.0f, 10.0f, 10, 0xFFFFFFFF, 0xFFFFFFFF, none));
    // The swarm's first colour is blue with alpha 0: its comets fade to nothing.
    ParticleManagers.push_back(new ObjectParticuleManager(Swarm, 500, 8, 0x000000FF, 0xFFFF0000));
    ParticleManagers.push_back(
        new ObjectParticuleManager(Explosion, 1000, 64, 0xFF0000FF, 0xFFFFFF00));
    ParticleManagers.push_back(
        new ObjectParticuleManager(Plume, 1000, 400, 0xFF800000, 0xFFFF8000));
}
