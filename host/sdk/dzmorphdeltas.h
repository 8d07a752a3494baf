#pragma once

#include "dzcore_export.h"
#include "dzvec3.h"

#include <QVector>

// Offsets (centimetres) of some vertices of a mesh at a morph value of 1.
class DZCORE_EXPORT DzMorphDeltas {
public:
    void addDelta(int vertexIndex, const DzVec3& offset);
    int getNumDeltas() const { return int(m_indices.size()); }
    int getIndex(int i) const { return m_indices.value(i, -1); }
    DzVec3 getOffset(int i) const { return m_offsets.value(i); }

private:
    QVector<int> m_indices;
    QVector<DzVec3> m_offsets;
};
