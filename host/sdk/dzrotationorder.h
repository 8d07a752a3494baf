#pragma once

#include "dzcore_export.h"

#include <QMatrix3x3>
#include <QQuaternion>
#include <QString>
#include <QVector3D>

// The order in which a node's three rotations apply: the first named axis
// turns the object first. XYZ is R = Rz * Ry * Rx for column vectors.
class DZCORE_EXPORT DzRotationOrder {
public:
    enum Order { XYZ, XZY, YXZ, YZX, ZXY, ZYX };

    DzRotationOrder(Order order = XYZ) : m_order(order) {}
    Order getOrder() const { return m_order; }
    bool operator==(const DzRotationOrder& o) const { return m_order == o.m_order; }
    bool operator!=(const DzRotationOrder& o) const { return m_order != o.m_order; }

    // Axis index (0 X, 1 Y, 2 Z) applied at step 0, 1, 2.
    int axisAt(int step) const;
    QString toString() const;

    // Angles in degrees about X, Y, Z.
    QQuaternion toQuaternion(const QVector3D& degrees) const;
    // Angles (degrees about X, Y, Z) that give `rotation` in this order. At
    // gimbal lock the last axis gets 0.
    QVector3D toAngles(const QMatrix3x3& rotation) const;

private:
    Order m_order;
};
