#include "viewport/gl_camera.h"
#include "viewport/item_record.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// Only the sign of the movement counts, and the angles are never clamped.
TEST(Camera, OrbitTurnsBySpeedPerEventWithoutClamping) {
    glCamera camera;
    orbitCamera(camera, 100.0 / 800, 1.0 / 600, 5.0f);
    EXPECT_FLOAT_EQ(camera.yaw, 5.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 5.0f);
    for (int i = 0; i < 40; ++i)
        orbitCamera(camera, -1.0, 1.0, 10.0f);
    EXPECT_FLOAT_EQ(camera.yaw, -395.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 405.0f); // upside down and beyond
}

// Steps truncate but never vanish.
TEST(Camera, ZoomStepsScaleWithTerrainSize) {
    NavigationPosition nav;
    nav.distance = 50.0;
    zoomByKey(nav, true, 5); // 10 % of 5 truncates to 0, raised to 1
    EXPECT_DOUBLE_EQ(nav.distance, 49.0);
    zoomByKey(nav, false, 256); // 25.6 truncates to 25
    EXPECT_DOUBLE_EQ(nav.distance, 74.0);
    zoomByWheel(nav, 120, false, 5); // 0.6 truncates to 0: one unit away
    EXPECT_DOUBLE_EQ(nav.distance, 75.0);
    zoomByWheel(nav, -15, true, 5); // -0.75: one unit closer
    EXPECT_DOUBLE_EQ(nav.distance, 74.0);
}

TEST(Camera, ResetFramesTheObjTerrain) {
    glCamera camera;
    camera.pitch = -70.0f;
    NavigationPosition nav{12.0, -3.0, 7.0};
    resetViewForObjTerrain(camera, nav, 300, -10.0f, 30.0f, 50.0f);
    EXPECT_DOUBLE_EQ(nav.panY, 5.0); // (-10 + 30) / 2 at 50 %
    EXPECT_DOUBLE_EQ(nav.distance, 600.0);
    EXPECT_FLOAT_EQ(camera.pitch, 20.0f);
    EXPECT_DOUBLE_EQ(farPlaneFor(300), 4800.0);
}

} // namespace
} // namespace morvane
