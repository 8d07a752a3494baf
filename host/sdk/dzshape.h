#pragma once

#include "dzelement.h"

#include <QList>

class DzMaterial;

// The materials of a piece of geometry, one per material group. The shape
// holds a reference to each.
class DZCORE_EXPORT DzShape : public DzElement {
    Q_OBJECT
public:
    explicit DzShape(QObject* parent = nullptr);
    ~DzShape() override;

    int getNumMaterials() const { return int(m_materials.size()); }
    DzMaterial* getMaterial(int index) const;
    // False for null or a material already on the shape.
    bool addMaterial(DzMaterial* material);
    // False when the material is not on the shape.
    bool removeMaterial(DzMaterial* material);
    // Puts `newMaterial` in the place of `oldMaterial`; false (nothing
    // changed) when the old one is not there or the new one is null.
    bool replaceMaterial(DzMaterial* oldMaterial, DzMaterial* newMaterial);

    // Tells viewers that the shape's data changed.
    void update();

signals:
    void shapeChanged();

private:
    QList<DzMaterial*> m_materials;
};
