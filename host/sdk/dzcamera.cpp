#include "dzcamera.h"

DzCamera::DzCamera(QObject* parent) : DzNode(parent) {}

QMatrix4x4 DzCamera::getViewMatrix() const {
    return getWSTransform().inverted();
}

DzVec3 DzCamera::getWSDirection() const {
    return DzVec3(getWSTransform().mapVector(QVector3D(0, 0, -1)).normalized());
}
