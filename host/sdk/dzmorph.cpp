#include "dzmorph.h"

#include "dzfloatproperty.h"

DzMorph::DzMorph(QObject* parent)
    : DzModifier(parent),
      m_value(new DzFloatProperty(QStringLiteral("Value"), QStringLiteral("Value"), 0.0f, -10.0f,
                                  10.0f)) {
    addProperty(m_value);
}

void DzMorph::setDeltas(const DzMorphDeltas* deltas) {
    m_deltas = deltas ? *deltas : DzMorphDeltas();
}

void DzMorph::copyFrom(const DzMorph* other) {
    if (!other || other == this)
        return;
    setLabel(other->getLabel());
    m_deltas = other->m_deltas;
    m_value->setValue(other->m_value->getValue());
}

void DzMorph::apply(QVector<DzVec3>& vertices) const {
    const float value = m_value->getValue();
    if (value == 0.0f)
        return;
    for (int i = 0; i < m_deltas.getNumDeltas(); ++i) {
        const int index = m_deltas.getIndex(i);
        if (index >= 0 && index < vertices.size())
            vertices[index] = vertices[index] + m_deltas.getOffset(i) * value;
    }
}
