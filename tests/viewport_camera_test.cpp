#include "viewport/gl_camera.h"
#include "viewport/item_record.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

void expectNav(const NavigationPosition& nav, double panX, double panY, double distance) {
    EXPECT_DOUBLE_EQ(nav.panX, panX);
    EXPECT_DOUBLE_EQ(nav.panY, panY);
    EXPECT_DOUBLE_EQ(nav.distance, distance);
}

void expectAngles(const glCamera& camera, float yaw, float pitch) {
    EXPECT_FLOAT_EQ(camera.yaw, yaw);
    EXPECT_FLOAT_EQ(camera.pitch, pitch);
}

// Only the sign of the movement counts, and the angles are never clamped.
TEST(Camera, OrbitTurnsBySpeedPerEventWithoutClamping) {
    glCamera small, large;
    orbitCamera(small, 1.0 / 800, 1.0 / 600, 5.0f);
    orbitCamera(large, 100.0 / 800, 100.0 / 600, 5.0f);
    expectAngles(small, 5.0f, 5.0f);
    expectAngles(large, 5.0f, 5.0f);
    orbitCamera(small, 0.0, 0.0, 7.0f);
    expectAngles(small, 5.0f, 5.0f);
    for (int i = 0; i < 40; ++i)
        orbitCamera(small, -1.0, 1.0, 10.0f);
    expectAngles(small, -395.0f, 405.0f); // upside down and beyond
}

TEST(Camera, PanAndZoomStepsScaleWithTerrainSize) {
    NavigationPosition nav;
    panCamera(nav, 3.0, 50.0, 4.0f, 100); // right and down by 100 / 200 * 4
    expectNav(nav, -2.0, 2.0, 0.0);
    panCamera(nav, -1.0, -1.0, 1.0f, 5); // left and up by 0.025
    expectNav(nav, -1.975, 1.975, 0.0);

    // Steps truncate but never vanish.
    nav.distance = 50.0;
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
    expectNav(nav, 0.0, 0.0, 200.0);
    expectAngles(camera, 0.0f, 20.0f);
    EXPECT_FLOAT_EQ(camera.roll, 0.0f);

    ItemRecord item;
    item.position = {3.0f, 2.0f, -5.0f};
    item.boxMin = {-1.0f, 4.0f, 0.5f};
    item.boxMax = {1.0f, 0.0f, 2.5f}; // the extent counts, not its sign
    camera.yaw = 90.0f;
    resetView(camera, nav, 100, &item);
    expectNav(nav, 3.0, 2.0 + 1.5 * 4.0, -5.0 + 6.0 * 2.0);
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f);

    camera.pitch = -70.0f;
    resetViewForObjTerrain(camera, nav, 300, -10.0f, 30.0f, 50.0f);
    expectNav(nav, 0.0, 5.0, 600.0); // pan y: (-10 + 30) / 2 at 50 %
    EXPECT_FLOAT_EQ(camera.pitch, 20.0f);
    EXPECT_DOUBLE_EQ(farPlaneFor(300), 4800.0);
}

} // namespace
} // namespace morvane
