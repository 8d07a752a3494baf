#pragma once

#include "dzelement.h"
#include "dzvec3.h"

#include <QList>
#include <QVector>

class DzModifier;
class DzShape;

// What a node shows: its shapes (one current) and the modifiers (morphs)
// applied to the current shape's mesh.
class DZCORE_EXPORT DzObject : public DzElement {
    Q_OBJECT
public:
    explicit DzObject(QObject* parent = nullptr);

    // The object owns shapes and modifiers. index -1 appends; false for
    // null or one already held.
    bool addShape(DzShape* shape, int index = -1);
    int getNumShapes() const { return int(m_shapes.size()); }
    DzShape* getShape(int index) const;
    DzShape* getCurrentShape() const { return getShape(m_currentShape); }
    bool setCurrentShape(int index);

    bool addModifier(DzModifier* modifier, int index = -1);
    int getNumModifiers() const { return int(m_modifiers.size()); }
    DzModifier* getModifier(int index) const;

    // The current shape's vertices with every morph applied at its value;
    // empty when the shape has no facet mesh.
    QVector<DzVec3> getFinalVertices() const;

signals:
    void objectChanged();

private:
    QList<DzShape*> m_shapes;
    QList<DzModifier*> m_modifiers;
    int m_currentShape = 0;
};
