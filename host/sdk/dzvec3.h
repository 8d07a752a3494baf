#pragma once

#include "dzcore_export.h"

#include <QVector3D>

// A point or direction in scene units (centimetres).
class DZCORE_EXPORT DzVec3 {
public:
    DzVec3() = default;
    DzVec3(float x, float y, float z) : m_x(x), m_y(y), m_z(z) {}
    explicit DzVec3(const QVector3D& v) : m_x(v.x()), m_y(v.y()), m_z(v.z()) {}

    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_z = 0.0f;

    QVector3D toQVector3D() const { return QVector3D(m_x, m_y, m_z); }
    DzVec3 operator+(const DzVec3& o) const { return {m_x + o.m_x, m_y + o.m_y, m_z + o.m_z}; }
    DzVec3 operator-(const DzVec3& o) const { return {m_x - o.m_x, m_y - o.m_y, m_z - o.m_z}; }
    DzVec3 operator*(float f) const { return {m_x * f, m_y * f, m_z * f}; }
    bool operator==(const DzVec3& o) const {
        return m_x == o.m_x && m_y == o.m_y && m_z == o.m_z;
    }
};
