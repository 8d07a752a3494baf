#pragma once

#include "dzbox3.h"
#include "dzelement.h"
#include "dzrotationorder.h"
#include "dzvec3.h"

#include <QList>
#include <QMatrix4x4>
#include <QPointer>

class DzBoolProperty;
class DzFloatProperty;
#include "dzobject.h"

// A thing in the scene with a transform, an optional object, and children.
// Translations are centimetres, rotations degrees, scales factors
// (1 = 100 %). The local transform is T * R(order) * S(xyz) * S(uniform).
class DZCORE_EXPORT DzNode : public DzElement {
    Q_OBJECT
public:
    explicit DzNode(QObject* parent = nullptr);
    ~DzNode() override;

    DzObject* getObject() const { return m_object; }
    // The node owns the object; the previous one is deleted.
    void setObject(DzObject* object);

    DzFloatProperty* getXPosControl() const { return m_controls[0]; }
    DzFloatProperty* getYPosControl() const { return m_controls[1]; }
    DzFloatProperty* getZPosControl() const { return m_controls[2]; }
    DzFloatProperty* getXRotControl() const { return m_controls[3]; }
    DzFloatProperty* getYRotControl() const { return m_controls[4]; }
    DzFloatProperty* getZRotControl() const { return m_controls[5]; }
    DzFloatProperty* getXScaleControl() const { return m_controls[6]; }
    DzFloatProperty* getYScaleControl() const { return m_controls[7]; }
    DzFloatProperty* getZScaleControl() const { return m_controls[8]; }
    DzFloatProperty* getScaleControl() const { return m_controls[9]; }
    DzBoolProperty* getShadowControl() const { return m_shadow; }

    DzRotationOrder getRotationOrder() const { return m_rotationOrder; }
    void setRotationOrder(const DzRotationOrder& order);

    QMatrix4x4 getLocalTransform() const;
    QMatrix4x4 getWSTransform() const;
    DzVec3 getWSPos() const;
    // Moves the node so its origin lies at `pos` in world space.
    void setWSPos(const DzVec3& pos);
    // The world-space box of the node's own geometry (morphs applied); the
    // world position alone for a node without geometry.
    DzBox3 getWSBoundingBox() const;

    // Makes `child` a child of this node. With inPlace false the child keeps
    // its world transform (its controls are recomputed); with true it keeps
    // its control values and moves with the parent. Refused (false, console
    // message) for null, the node itself or one of its ancestors.
    bool addNodeChild(DzNode* child, bool inPlace = false);
    bool removeNodeChild(DzNode* child, bool inPlace = false);
    int getNumNodeChildren() const { return int(m_children.size()); }
    DzNode* getNodeChild(int index) const;
    DzNode* getNodeParent() const { return m_parent; }

    // Transform, rotation order, shadow and label of `source`.
    virtual void copyFrom(const DzNode* source);
    // Tells viewers the node's drawn data changed.
    void update(bool recursive = false);

signals:
    void transformChanged();
    void drawnDataChanged();
    void hierarchyChanged();

private:
    // Sets the controls so that the local transform is `local` (rotation
    // and scale without shear).
    void setLocalTransform(const QMatrix4x4& local);

    QPointer<DzObject> m_object;
    DzFloatProperty* m_controls[10];
    DzBoolProperty* m_shadow;
    DzRotationOrder m_rotationOrder;
    DzNode* m_parent = nullptr;
    QList<DzNode*> m_children;
};
