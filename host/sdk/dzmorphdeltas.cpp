#include "dzmorphdeltas.h"

void DzMorphDeltas::addDelta(int vertexIndex, const DzVec3& offset) {
    m_indices.append(vertexIndex);
    m_offsets.append(offset);
}
