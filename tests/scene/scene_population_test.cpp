#include <gtest/gtest.h>

#include "objects/bubble/object_bubble.h"
#include "objects/camera/object_camera.h"
#include "objects/concave_box/object_concav_box.h"
#include "objects/effect/object_effect.h"
#include "objects/gear/object_gear.h"
#include "objects/particles/object_particule_manager.h"
#include "objects/projector/object_projector.h"
#include "platform/crt_random.h"
#include "tests/scene/scene_harness.h"

namespace {

using testing_support::SceneHarness;

template <typename Kind>
bool AllOfKind(const CTalvoScene0001::ObjectList& list) {
    for (Object3D* object : list) {
        if (dynamic_cast<Kind*>(object) == nullptr) {
            return false;
        }
    }
    return true;
}

TEST(ScenePopulation, ListsHoldBothActsInOrder) {
    SceneHarness harness(100000, false);
    const CTalvoScene0001& scene = harness.Scene();
    EXPECT_EQ(scene.GetBackdropPaths().size(), 2u);
    EXPECT_EQ(scene.GetGearPaths().size(), 2u);
    EXPECT_EQ(scene.GetBubblePaths().size(), 5u);
    EXPECT_EQ(scene.GetBoxPaths().size(), 1u);
    EXPECT_EQ(scene.GetCameraPaths().size(), 2u);
    EXPECT_EQ(scene.GetEffectPaths().size(), 3u);
    EXPECT_EQ(scene.GetLoopPaths().size(), 2u);

    EXPECT_EQ(scene.GetGears().size(), 4u);
    EXPECT_EQ(scene.GetBoxes().size(), 1u);
    EXPECT_EQ(scene.GetBubbles().size(), 5u);
    EXPECT_EQ(scene.GetCameras().size(), 2u);
    EXPECT_EQ(scene.GetProjectors().size(), 3u);
    EXPECT_EQ(scene.GetEffects().size(), 7u);
    EXPECT_EQ(scene.GetParticleManagers().size(), 3u);

    EXPECT_TRUE(AllOfKind<ObjectGear>(scene.GetGears()));
    EXPECT_TRUE(AllOfKind<ObjectConcavBox>(scene.GetBoxes()));
    EXPECT_TRUE(AllOfKind<ObjectBubble>(scene.GetBubbles()));
    EXPECT_TRUE(AllOfKind<ObjectCamera>(scene.GetCameras()));
    EXPECT_TRUE(AllOfKind<ObjectProjector>(scene.GetProjectors()));
    EXPECT_TRUE(AllOfKind<ObjectEffect>(scene.GetEffects()));
    EXPECT_TRUE(AllOfKind<ObjectParticuleManager>(scene.GetParticleManagers()));
}

TEST(ScenePopulation, PathsKeepTheirOrderAndDurations) {
    SceneHarness harness(100000, false);
    const CTalvoScene0001& scene = harness.Scene();
    std::vector<uint32_t> bubbleDurations;
    for (const BezierPath& path : scene.GetBubblePaths()) {
        bubbleDurations.push_back(path.GetDuration());
    }
    EXPECT_EQ(bubbleDurations, (std::vector<uint32_t>{1000, 1200, 2100, 5000, 3000}));
    EXPECT_EQ(scene.GetGearPaths().front().GetDuration(), 5000u);
    EXPECT_EQ(scene.GetGearPaths().back().GetDuration(), 2000u);
    EXPECT_EQ(scene.GetLoopPaths().front().GetDuration(), 5000u);
    EXPECT_EQ(scene.GetLoopPaths().back().GetDuration(), 2000u);
}

TEST(ScenePopulation, BackdropPathsJoin) {
    SceneHarness harness(100000, false);
    const auto& paths = harness.Scene().GetBackdropPaths();
    EXPECT_EQ(paths.front().GetPoint(1.0f), Vec3(-20, -1, 90));
    EXPECT_EQ(paths.back().GetPoint(0.0f), Vec3(-20, -1, 90));
}

TEST(ScenePopulation, RandomValuesDependOnlyOnTheStartingState) {
    std::vector<uint32_t> spots[2];
    for (auto& values : spots) {
        SceneHarness harness(100000, false);
        for (Object3D* object : harness.Scene().GetEffects()) {
            const auto* effect = dynamic_cast<const ObjectEffect*>(object);
            for (uint32_t i = 0; i < effect->GetSpotCount(); ++i) {
                values.push_back(effect->GetSpot(i).X);
                values.push_back(effect->GetSpot(i).Amplitude);
            }
        }
        values.push_back(crt::RandomState());
    }
    EXPECT_EQ(spots[0], spots[1]);
}

}  // namespace
