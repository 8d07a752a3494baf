#include "dzrotationorder.h"

#include <algorithm>
#include <cmath>

namespace {

const int kAxes[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

QVector3D unitAxis(int axis) {
    return QVector3D(axis == 0, axis == 1, axis == 2);
}

float degrees(double radians) {
    return float(radians * 180.0 / M_PI);
}

} // namespace

int DzRotationOrder::axisAt(int step) const {
    return kAxes[m_order][std::clamp(step, 0, 2)];
}

QString DzRotationOrder::toString() const {
    QString text;
    for (int step = 0; step < 3; ++step)
        text += QLatin1Char("XYZ"[axisAt(step)]);
    return text;
}

QQuaternion DzRotationOrder::toQuaternion(const QVector3D& angles) const {
    QQuaternion q;
    // Later axes multiply from the left: they turn the already turned object.
    for (int step = 0; step < 3; ++step) {
        const int axis = axisAt(step);
        q = QQuaternion::fromAxisAndAngle(unitAxis(axis), angles[axis]) * q;
    }
    return q;
}

QVector3D DzRotationOrder::toAngles(const QMatrix3x3& r) const {
    const int a = axisAt(0), b = axisAt(1), c = axisAt(2);
    // Even permutations of XYZ keep the signs of the plain XYZ solution.
    const double s = (m_order == XYZ || m_order == YZX || m_order == ZXY) ? 1.0 : -1.0;
    const double sinB = std::clamp(-s * double(r(c, a)), -1.0, 1.0);
    QVector3D out;
    out[b] = degrees(std::asin(sinB));
    if (std::abs(sinB) < 0.999999) {
        out[a] = degrees(std::atan2(s * r(c, b), double(r(c, c))));
        out[c] = degrees(std::atan2(s * r(b, a), double(r(a, a))));
    } else {
        out[a] = degrees(std::atan2(-s * r(b, c), double(r(b, b))));
        out[c] = 0.0f;
    }
    return out;
}
