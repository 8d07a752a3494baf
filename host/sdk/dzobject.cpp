#include "dzobject.h"

#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"

DzObject::DzObject(QObject* parent) : DzElement(parent) {}

bool DzObject::addShape(DzShape* shape, int index) {
    if (!shape || m_shapes.contains(shape))
        return false;
    shape->setParent(this);
    if (index < 0 || index > m_shapes.size())
        m_shapes.append(shape);
    else
        m_shapes.insert(index, shape);
    connect(shape, &DzShape::shapeChanged, this, &DzObject::objectChanged);
    emit objectChanged();
    return true;
}

DzShape* DzObject::getShape(int index) const {
    return index >= 0 && index < m_shapes.size() ? m_shapes.at(index) : nullptr;
}

bool DzObject::setCurrentShape(int index) {
    if (index < 0 || index >= m_shapes.size())
        return false;
    m_currentShape = index;
    emit objectChanged();
    return true;
}

bool DzObject::addModifier(DzModifier* modifier, int index) {
    if (!modifier || m_modifiers.contains(modifier))
        return false;
    modifier->setParent(this);
    if (index < 0 || index > m_modifiers.size())
        m_modifiers.append(modifier);
    else
        m_modifiers.insert(index, modifier);
    if (auto* morph = qobject_cast<DzMorph*>(modifier))
        connect(morph->getValueChannel(), &DzProperty::currentValueChanged, this,
                &DzObject::objectChanged);
    emit objectChanged();
    return true;
}

DzModifier* DzObject::getModifier(int index) const {
    return index >= 0 && index < m_modifiers.size() ? m_modifiers.at(index) : nullptr;
}

QVector<DzVec3> DzObject::getFinalVertices() const {
    auto* shape = qobject_cast<DzFacetShape*>(getCurrentShape());
    if (!shape || !shape->getFacetMesh())
        return {};
    QVector<DzVec3> vertices = shape->getFacetMesh()->getVertices();
    for (DzModifier* modifier : m_modifiers)
        if (auto* morph = qobject_cast<DzMorph*>(modifier))
            morph->apply(vertices);
    return vertices;
}
