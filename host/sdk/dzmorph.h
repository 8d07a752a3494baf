#pragma once

#include "dzmodifier.h"
#include "dzmorphdeltas.h"

class DzFloatProperty;

// A shape change: deltas scaled by the value channel.
class DZCORE_EXPORT DzMorph : public DzModifier {
    Q_OBJECT
public:
    explicit DzMorph(QObject* parent = nullptr);

    DzMorphDeltas* getDeltas() { return &m_deltas; }
    const DzMorphDeltas* getDeltas() const { return &m_deltas; }
    // Copies the deltas, so a morph may take another's (null clears).
    void setDeltas(const DzMorphDeltas* deltas);
    // The morph's value, -10 to 10; 0 leaves the shape unchanged.
    DzFloatProperty* getValueChannel() const { return m_value; }
    // Label, value and deltas of `other`; the name stays.
    void copyFrom(const DzMorph* other);

    // Adds value x delta to each listed vertex; indices outside `vertices`
    // are skipped.
    void apply(QVector<DzVec3>& vertices) const;

private:
    DzMorphDeltas m_deltas;
    DzFloatProperty* m_value;
};
