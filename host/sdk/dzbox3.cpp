#include "dzbox3.h"

#include <algorithm>

DzBox3::DzBox3(const DzVec3& min, const DzVec3& max) {
    include(min);
    include(max);
}

DzVec3 DzBox3::getCenter() const {
    return (m_min + m_max) * 0.5f;
}

float DzBox3::getDiagonal() const {
    return m_empty ? 0.0f : (m_max - m_min).toQVector3D().length();
}

void DzBox3::include(const DzVec3& p) {
    if (m_empty) {
        m_min = m_max = p;
        m_empty = false;
        return;
    }
    m_min = {std::min(m_min.m_x, p.m_x), std::min(m_min.m_y, p.m_y), std::min(m_min.m_z, p.m_z)};
    m_max = {std::max(m_max.m_x, p.m_x), std::max(m_max.m_y, p.m_y), std::max(m_max.m_z, p.m_z)};
}

void DzBox3::include(const DzBox3& box) {
    if (box.m_empty)
        return;
    include(box.m_min);
    include(box.m_max);
}

DzBox3 DzBox3::transformed(const QMatrix4x4& matrix) const {
    DzBox3 result;
    if (m_empty)
        return result;
    for (int corner = 0; corner < 8; ++corner) {
        const QVector3D p((corner & 1) ? m_max.m_x : m_min.m_x, (corner & 2) ? m_max.m_y : m_min.m_y,
                          (corner & 4) ? m_max.m_z : m_min.m_z);
        result.include(DzVec3(matrix.map(p)));
    }
    return result;
}
