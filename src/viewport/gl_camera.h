#pragma once

#include <array>

namespace morvane {

struct ItemRecord;

// Kept for the camera's layout; the viewport's transform does not use it.
class glQuaternion {
public:
    glQuaternion() = default;
    virtual ~glQuaternion() = default;
    float w = 1.0f, x = 0.0f, y = 0.0f, z = 0.0f;
};

// The one camera orbiting the world origin: the world is turned by yaw,
// then pitch, then roll, then moved by the negated position.
class glCamera {
public:
    glCamera() = default;
    virtual ~glCamera() = default;
    float yaw = 0.0f;
    float pitch = 0.0f;
    float roll = 0.0f;
    std::array<float, 3> position{}; // the translation a frame is drawn with
    glQuaternion orientation;
    glQuaternion step;
};

// What the inputs change: pan x, pan y and distance. Copied into the
// camera's drawn position at the start of every frame.
struct NavigationPosition {
    double panX = 0.0;
    double panY = 0.0;
    double distance = 0.0;
};

constexpr double kFieldOfView = 45.0;
constexpr double kNearPlane = 1.0;
constexpr double kFarPlaneWithoutTerrain = 1000.0;
// Far plane once a terrain of that size exists.
double farPlaneFor(int terrainSize);

// One input event's worth of movement; only the sign of dx, dy counts.
void orbitCamera(glCamera& camera, double dx, double dy, float speed);
void panCamera(NavigationPosition& nav, double dx, double dy, float speed, int terrainSize);
void zoomByKey(NavigationPosition& nav, bool closer, int terrainSize);
void zoomByWheel(NavigationPosition& nav, int delta, bool shiftHeld, int terrainSize);

// Reset view: without a selection the camera looks at the whole terrain,
// with one it frames the item. Angles: yaw 0, roll 0, pitch 20.
void resetView(glCamera& camera, NavigationPosition& nav, int terrainSize,
               const ItemRecord* selected);
// After loading an OBJ terrain: as resetView without selection, but pan y
// centres the model's height range.
void resetViewForObjTerrain(glCamera& camera, NavigationPosition& nav, int terrainSize,
                            float minY, float maxY, float scalePercent);

} // namespace morvane
