#pragma once

#include "dzcore_export.h"
#include "dzvec3.h"

#include <QMatrix4x4>

// An axis-aligned box; empty until a point is included.
class DZCORE_EXPORT DzBox3 {
public:
    DzBox3() = default;
    DzBox3(const DzVec3& min, const DzVec3& max);

    bool isEmpty() const { return m_empty; }
    DzVec3 getMin() const { return m_min; }
    DzVec3 getMax() const { return m_max; }
    DzVec3 getCenter() const;
    // Length of the diagonal; 0 for an empty box.
    float getDiagonal() const;

    void include(const DzVec3& point);
    void include(const DzBox3& box);
    // The box around the eight transformed corners.
    DzBox3 transformed(const QMatrix4x4& matrix) const;

private:
    DzVec3 m_min;
    DzVec3 m_max;
    bool m_empty = true;
};
