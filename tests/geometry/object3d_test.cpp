#include <gtest/gtest.h>

#include <cmath>

#include "geometry/matrix_math.h"
#include "geometry/object3d.h"

namespace {

class Probe final : public Object3D {
public:
    HRESULT Create() override { return S_OK; }
    int32_t Update() override { return 0; }
    int32_t Render(uint32_t) override { return 0; }
};

TEST(Object3D, StartsAtOriginUnrotated) {
    Probe probe;
    EXPECT_EQ(probe.GetWorld(), Matrix4::Identity());
}

TEST(Object3D, WorldRotatesBeforeTranslating) {
    Probe probe;
    const float angle = 0.6f;
    const Matrix4 translation = MatrixTranslation(4, 5, 6);
    const Matrix4 rotation = MatrixRotationZ(angle);
    probe.SetTranslation(&translation);
    probe.SetRotation(&rotation);
    const Vec4 p = Vec3Transform({1, 0, 0}, probe.GetWorld());
    EXPECT_NEAR(p.x, 4 + std::cos(angle), 1e-5);
    EXPECT_NEAR(p.y, 5 + std::sin(angle), 1e-5);
    EXPECT_NEAR(p.z, 6, 1e-5);
}

TEST(Object3D, GetRotationIsLive) {
    Probe probe;
    const Matrix4* live = probe.GetRotation();
    const Matrix4 turned = MatrixRotationY(1.0f);
    probe.SetRotation(&turned);
    EXPECT_EQ(*live, turned);
}

}  // namespace
