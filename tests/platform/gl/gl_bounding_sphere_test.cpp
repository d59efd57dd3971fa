#include "platform/gl/gl_bounding_sphere.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "geometry/matrix_math.h"
#include "geometry/vertex.h"

namespace {

using gfx::GlBoundingSphere;

GlBoundingSphere SphereOf(const std::vector<Vec3>& points) {
    std::vector<Vertex> vertices(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        vertices[i].Position = points[i];
    }
    return GlBoundingSphere::OfVertices(reinterpret_cast<const uint8_t*>(vertices.data()),
                                        vertices.size());
}

// The banner's view and its off-centre projection, with a depth shear as banner_alt has.
Matrix4 ViewProjection(float shear) {
    Matrix4 view = MatrixLookAtLH({0.0f, -0.0f, -3.3f}, {0.0f, 0.0f, 1.0f}, {0, 1, 0});
    float t = 1.0f / std::tan(0.09817477f);
    float q = 100000.0f / (100000.0f - 1.0f);
    float k = 0.68f;
    Matrix4 projection = {
        92.0f / 960.0f * t, 0, 0, 0, shear * k, t, shear * q, shear, k, 0, q, 1, 0, 0, -q, 0};
    return MatrixMultiply(view, projection);
}

bool InsideClipVolume(const Vec3& p, const Matrix4& m) {
    Vec4 c = Vec3Transform(p, m);
    return std::fabs(c.x) <= c.w && std::fabs(c.y) <= c.w && c.z >= 0.0f && c.z <= c.w;
}

TEST(GlBoundingSphere, IsInvalidForNoVerticesOrAPositionThatIsNotFinite) {
    EXPECT_FALSE(SphereOf({}).Valid());
    GlBoundingSphere sphere = SphereOf({{0, 0, 0}, {NAN, 0, 0}});
    EXPECT_FALSE(sphere.Valid());
    EXPECT_FALSE(sphere.OutsideClipVolume(ViewProjection(-0.0f)));
}

// Spheres of points thrown at random around and across the view's edges, near plane included:
// whenever a point of one is inside the clip volume, the sphere must not be culled; and most
// spheres well away from the view are.
TEST(GlBoundingSphere, NeverCullsASphereWithAPointInTheView) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    for (float shear : {-0.0f, -2.438252f}) {
        Matrix4 toClip = ViewProjection(shear);
        int culled = 0;
        for (int trial = 0; trial < 4000; ++trial) {
            Vec3 centre{400.0f * unit(random) - 200.0f, 60.0f * unit(random),
                        300.0f * unit(random) + 280.0f};
            float size = std::pow(10.0f, 2.0f * unit(random));
            std::vector<Vec3> points;
            for (int i = 0; i < 24; ++i) {
                points.push_back(centre + size * Vec3{unit(random), unit(random), unit(random)});
            }
            bool visible = false;
            for (const Vec3& p : points) visible = visible || InsideClipVolume(p, toClip);
            bool outside = SphereOf(points).OutsideClipVolume(toClip);
            EXPECT_FALSE(visible && outside) << "sphere at " << centre.x << ", " << centre.y << ", "
                                             << centre.z << " of size " << size;
            culled += outside ? 1 : 0;
        }
        EXPECT_GT(culled, 1000);
    }
}

TEST(GlBoundingSphere, ReachesALightWhoseRangeTouchesTheScaledSphere) {
    GlBoundingSphere sphere = SphereOf({{-1, 0, 0}, {1, 0, 0}});
    // Doubled and moved to x = 10: the sphere spans x = 8 to 12.
    Matrix4 doubled = Matrix4::Identity();
    doubled(0, 0) = doubled(1, 1) = doubled(2, 2) = 2.0f;
    Matrix4 toView = MatrixMultiply(doubled, MatrixTranslation(10, 0, 0));
    float light[4] = {20.0f, 0.0f, 0.0f, 1.0f};
    EXPECT_FALSE(sphere.BeyondReach(toView, light, 8.01f));
    EXPECT_TRUE(sphere.BeyondReach(toView, light, 7.9f));
    EXPECT_FALSE(sphere.BeyondReach(toView, light, INFINITY));
}

}  // namespace
