#include "dznode.h"

#include "dzboolproperty.h"
#include "dzconsole.h"
#include "dzfacetshape.h"
#include "dzfloatproperty.h"
#include "dzobject.h"

#include <QMatrix3x3>

#include <cmath>

DzNode::DzNode(QObject* parent) : DzElement(parent) {
    static const char* const names[10][2] = {
        {"XTranslate", "X Translate"}, {"YTranslate", "Y Translate"},
        {"ZTranslate", "Z Translate"}, {"XRotate", "X Rotate"},
        {"YRotate", "Y Rotate"},       {"ZRotate", "Z Rotate"},
        {"XScale", "X Scale"},         {"YScale", "Y Scale"},
        {"ZScale", "Z Scale"},         {"Scale", "Scale"}};
    for (int i = 0; i < 10; ++i) {
        m_controls[i] = new DzFloatProperty(QLatin1String(names[i][0]), QLatin1String(names[i][1]),
                                            i >= 6 ? 1.0f : 0.0f);
        addProperty(m_controls[i]);
        connect(m_controls[i], &DzProperty::currentValueChanged, this, &DzNode::transformChanged);
    }
    m_shadow = new DzBoolProperty(QStringLiteral("Cast Shadows"), QStringLiteral("Cast Shadows"),
                                  true);
    addProperty(m_shadow);
}

DzNode::~DzNode() {
    if (m_parent)
        m_parent->m_children.removeOne(this);
    for (DzNode* child : qAsConst(m_children))
        child->m_parent = nullptr;
}

void DzNode::setObject(DzObject* object) {
    if (object == m_object)
        return;
    delete m_object.data();
    m_object = object;
    if (object) {
        object->setParent(this);
        connect(object, &DzObject::objectChanged, this, &DzNode::drawnDataChanged);
    }
    emit drawnDataChanged();
}

void DzNode::setRotationOrder(const DzRotationOrder& order) {
    if (order == m_rotationOrder)
        return;
    m_rotationOrder = order;
    emit transformChanged();
}

QMatrix4x4 DzNode::getLocalTransform() const {
    QMatrix4x4 m;
    m.translate(m_controls[0]->getValue(), m_controls[1]->getValue(), m_controls[2]->getValue());
    m.rotate(m_rotationOrder.toQuaternion(QVector3D(
        m_controls[3]->getValue(), m_controls[4]->getValue(), m_controls[5]->getValue())));
    const float uniform = m_controls[9]->getValue();
    m.scale(m_controls[6]->getValue() * uniform, m_controls[7]->getValue() * uniform,
            m_controls[8]->getValue() * uniform);
    return m;
}

QMatrix4x4 DzNode::getWSTransform() const {
    return m_parent ? m_parent->getWSTransform() * getLocalTransform() : getLocalTransform();
}

DzVec3 DzNode::getWSPos() const {
    return DzVec3(getWSTransform().column(3).toVector3D());
}

void DzNode::setWSPos(const DzVec3& pos) {
    QVector3D local = pos.toQVector3D();
    if (m_parent)
        local = m_parent->getWSTransform().inverted().map(local);
    m_controls[0]->setValue(local.x());
    m_controls[1]->setValue(local.y());
    m_controls[2]->setValue(local.z());
}

DzBox3 DzNode::getWSBoundingBox() const {
    DzBox3 box;
    if (m_object)
        for (const DzVec3& v : m_object->getFinalVertices())
            box.include(v);
    if (box.isEmpty())
        return DzBox3(getWSPos(), getWSPos());
    return box.transformed(getWSTransform());
}

void DzNode::setLocalTransform(const QMatrix4x4& local) {
    QVector3D scale;
    QMatrix3x3 rotation;
    for (int c = 0; c < 3; ++c) {
        const QVector3D axis = local.column(c).toVector3D();
        scale[c] = axis.length();
        for (int r = 0; r < 3; ++r)
            rotation(r, c) = scale[c] > 0.0f ? axis[r] / scale[c] : (r == c ? 1.0f : 0.0f);
    }
    // A mirrored matrix: flip one axis so the rotation stays proper.
    if (QMatrix4x4(rotation).determinant() < 0.0f) {
        scale[0] = -scale[0];
        for (int r = 0; r < 3; ++r)
            rotation(r, 0) = -rotation(r, 0);
    }
    const QVector3D angles = m_rotationOrder.toAngles(rotation);
    const float uniform = m_controls[9]->getValue();
    const QVector3D t = local.column(3).toVector3D();
    for (int i = 0; i < 3; ++i) {
        m_controls[i]->setValue(t[i]);
        m_controls[3 + i]->setValue(angles[i]);
        m_controls[6 + i]->setValue(uniform != 0.0f ? scale[i] / uniform : scale[i]);
    }
}

bool DzNode::addNodeChild(DzNode* child, bool inPlace) {
    for (const DzNode* n = this; n; n = n->m_parent)
        if (n == child || !child) {
            dzConsoleMessage(QStringLiteral("node \"%1\": a node cannot be its own descendant")
                                 .arg(getName()));
            return false;
        }
    if (child->m_parent == this)
        return true;
    const QMatrix4x4 world = child->getWSTransform();
    if (child->m_parent)
        child->m_parent->removeNodeChild(child, true);
    m_children.append(child);
    child->m_parent = this;
    if (!inPlace)
        child->setLocalTransform(getWSTransform().inverted() * world);
    connect(this, &DzNode::transformChanged, child, &DzNode::transformChanged);
    emit hierarchyChanged();
    return true;
}

bool DzNode::removeNodeChild(DzNode* child, bool inPlace) {
    if (!child || !m_children.contains(child))
        return false;
    const QMatrix4x4 world = child->getWSTransform();
    m_children.removeOne(child);
    child->m_parent = nullptr;
    disconnect(this, &DzNode::transformChanged, child, &DzNode::transformChanged);
    if (!inPlace)
        child->setLocalTransform(world);
    emit hierarchyChanged();
    return true;
}

DzNode* DzNode::getNodeChild(int index) const {
    return index >= 0 && index < m_children.size() ? m_children.at(index) : nullptr;
}

void DzNode::copyFrom(const DzNode* source) {
    if (!source || source == this)
        return;
    setLabel(source->getLabel());
    setRotationOrder(source->m_rotationOrder);
    for (int i = 0; i < 10; ++i)
        m_controls[i]->setValue(source->m_controls[i]->getValue());
    m_shadow->setBoolValue(source->m_shadow->getBoolValue());
}

void DzNode::update(bool recursive) {
    emit drawnDataChanged();
    if (recursive)
        for (DzNode* child : qAsConst(m_children))
            child->update(true);
}
