#pragma once

#include "dznode.h"

// A node the scene can be seen through. It looks down its local -Z axis
// with +Y up.
class DZCORE_EXPORT DzCamera : public DzNode {
    Q_OBJECT
public:
    explicit DzCamera(QObject* parent = nullptr);

    // Vertical field of view in degrees.
    virtual float getFieldOfView() const = 0;
    // Distances of the clipping planes, centimetres.
    float getNearClippingPlane() const { return 5.0f; }
    float getFarClippingPlane() const { return 1.0e7f; }
    // The world-to-camera matrix.
    QMatrix4x4 getViewMatrix() const;
    DzVec3 getWSDirection() const;
};
