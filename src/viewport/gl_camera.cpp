#include "viewport/gl_camera.h"

#include "viewport/item_record.h"

#include <cmath>
#include <limits>

namespace morvane {

namespace {

constexpr float kResetPitch = 20.0f;

void resetAngles(glCamera& camera) {
    camera.roll = 0.0f;
    camera.yaw = 0.0f;
    camera.pitch = kResetPitch;
}

// Truncates towards zero and keeps the result inside int, so a silly
// terrain size cannot overflow the conversion.
int truncatedStep(double value) {
    const double t = std::trunc(value);
    if (t >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (t <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(t);
}

} // namespace

double farPlaneFor(int terrainSize) {
    return 16.0 * terrainSize;
}

// Only the direction counts: one event turns by the speed, however far the
// mouse travelled since the last one.
void orbitCamera(glCamera& camera, double dx, double dy, float speed) {
    if (dx > 0.0)
        camera.yaw += speed;
    else if (dx < 0.0)
        camera.yaw -= speed;
    if (dy > 0.0)
        camera.pitch += speed;
    else if (dy < 0.0)
        camera.pitch -= speed;
}

void panCamera(NavigationPosition& nav, double dx, double dy, float speed, int terrainSize) {
    const double step = terrainSize / 200.0 * speed;
    if (dx > 0.0)
        nav.panX -= step;
    else if (dx < 0.0)
        nav.panX += step;
    if (dy > 0.0)
        nav.panY += step;
    else if (dy < 0.0)
        nav.panY -= step;
}

void zoomByKey(NavigationPosition& nav, bool closer, int terrainSize) {
    int step = truncatedStep(double(terrainSize) * 10.0 / 100.0);
    if (step == 0)
        step = 1;
    nav.distance += closer ? -step : step;
}

// Small terrains would truncate a wheel notch to nothing; such an event
// still moves by one unit.
void zoomByWheel(NavigationPosition& nav, int delta, bool shiftHeld, int terrainSize) {
    const double factor = shiftHeld ? 1.0 : 0.1;
    int step = truncatedStep(delta * factor * terrainSize / 100.0);
    if (step == 0)
        step = delta > 0 ? 1 : (delta < 0 ? -1 : 0);
    nav.distance += step;
}

void resetView(glCamera& camera, NavigationPosition& nav, int terrainSize,
               const ItemRecord* selected) {
    if (!selected) {
        nav.panX = 0.0;
        nav.panY = 0.0;
        nav.distance = 2.0 * terrainSize;
    } else {
        const double height = std::fabs(double(selected->boxMax[1]) - selected->boxMin[1]);
        const double depth = std::fabs(double(selected->boxMax[2]) - selected->boxMin[2]);
        nav.panX = selected->position[0];
        nav.panY = selected->position[1] + 1.5 * height;
        nav.distance = selected->position[2] + 6.0 * depth;
    }
    resetAngles(camera);
}

void resetViewForObjTerrain(glCamera& camera, NavigationPosition& nav, int terrainSize, float minY,
                            float maxY, float scalePercent) {
    nav.panX = 0.0;
    nav.panY = (double(minY) + maxY) * 0.5 * scalePercent / 100.0;
    nav.distance = 2.0 * terrainSize;
    resetAngles(camera);
}

} // namespace morvane
