#include "viewport/gl_camera.h"
#include "viewport/item_record.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(Camera, OrbitTurnsBySpeedPerEventWithoutClamping) {
    glCamera small;
    glCamera large;
    orbitCamera(small, 1.0 / 800, 1.0 / 600, 5.0f);
    orbitCamera(large, 100.0 / 800, 100.0 / 600, 5.0f);
    EXPECT_FLOAT_EQ(small.yaw, 5.0f);
    EXPECT_FLOAT_EQ(small.pitch, 5.0f);
    EXPECT_FLOAT_EQ(large.yaw, small.yaw);
    EXPECT_FLOAT_EQ(large.pitch, small.pitch);

    orbitCamera(small, 0.0, 0.0, 7.0f);
    EXPECT_FLOAT_EQ(small.yaw, 5.0f);
    for (int i = 0; i < 40; ++i)
        orbitCamera(small, -1.0, 1.0, 10.0f);
    EXPECT_FLOAT_EQ(small.pitch, 405.0f); // upside down and beyond
    EXPECT_FLOAT_EQ(small.yaw, -395.0f);
}

TEST(Camera, PanStepScalesWithTerrainSizeAndSpeed) {
    NavigationPosition nav;
    panCamera(nav, 3.0, 50.0, 4.0f, 100); // right and down by 100 / 200 * 4
    EXPECT_DOUBLE_EQ(nav.panX, -2.0);
    EXPECT_DOUBLE_EQ(nav.panY, 2.0);
    panCamera(nav, -1.0, -1.0, 1.0f, 5); // left and up by 0.025
    EXPECT_DOUBLE_EQ(nav.panX, -1.975);
    EXPECT_DOUBLE_EQ(nav.panY, 1.975);
    EXPECT_DOUBLE_EQ(nav.distance, 0.0);
}

TEST(Camera, ZoomStepsTruncateButNeverVanish) {
    NavigationPosition nav{0.0, 0.0, 50.0};
    zoomByKey(nav, true, 5); // 10 % of 5 truncates to 0, raised to 1
    EXPECT_DOUBLE_EQ(nav.distance, 49.0);
    zoomByKey(nav, false, 256); // 25.6 truncates to 25
    EXPECT_DOUBLE_EQ(nav.distance, 74.0);

    nav.distance = 0.0;
    zoomByWheel(nav, 120, false, 100); // 120 * 0.1 * 100 / 100
    EXPECT_DOUBLE_EQ(nav.distance, 12.0);
    zoomByWheel(nav, 120, true, 100); // Shift: factor 1
    EXPECT_DOUBLE_EQ(nav.distance, 132.0);
    zoomByWheel(nav, -120, false, 150);
    EXPECT_DOUBLE_EQ(nav.distance, 114.0);
    zoomByWheel(nav, 120, false, 5); // 0.6 truncates to 0: one unit away
    EXPECT_DOUBLE_EQ(nav.distance, 115.0);
    zoomByWheel(nav, -15, true, 5); // -0.75: one unit closer
    EXPECT_DOUBLE_EQ(nav.distance, 114.0);
}

TEST(Camera, ResetFramesTheTerrainTheItemOrTheObjTerrain) {
    glCamera camera;
    orbitCamera(camera, 1.0, -1.0, 33.0f);
    camera.roll = 4.0f;
    NavigationPosition nav{12.0, -3.0, 7.0};
    resetView(camera, nav, 100, nullptr);
    EXPECT_DOUBLE_EQ(nav.panX, 0.0);
    EXPECT_DOUBLE_EQ(nav.panY, 0.0);
    EXPECT_DOUBLE_EQ(nav.distance, 200.0);
    EXPECT_FLOAT_EQ(camera.pitch, 20.0f);
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f);
    EXPECT_FLOAT_EQ(camera.roll, 0.0f);

    ItemRecord item;
    item.position = {3.0f, 2.0f, -5.0f};
    item.boxMin = {-1.0f, 4.0f, 0.5f};
    item.boxMax = {1.0f, 0.0f, 2.5f}; // the extent counts, not its sign
    camera.yaw = 90.0f;
    resetView(camera, nav, 100, &item);
    EXPECT_DOUBLE_EQ(nav.panX, 3.0);
    EXPECT_DOUBLE_EQ(nav.panY, 2.0 + 1.5 * 4.0);
    EXPECT_DOUBLE_EQ(nav.distance, -5.0 + 6.0 * 2.0);
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f);

    camera.pitch = -70.0f;
    resetViewForObjTerrain(camera, nav, 300, -10.0f, 30.0f, 50.0f);
    EXPECT_DOUBLE_EQ(nav.panX, 0.0);
    EXPECT_DOUBLE_EQ(nav.panY, 5.0); // (-10 + 30) / 2 at 50 %
    EXPECT_DOUBLE_EQ(nav.distance, 600.0);
    EXPECT_FLOAT_EQ(camera.pitch, 20.0f);
    EXPECT_DOUBLE_EQ(farPlaneFor(300), 4800.0);
}

} // namespace
} // namespace morvane
