#include "dzshape.h"

#include "dzmaterial.h"

DzShape::DzShape(QObject* parent) : DzElement(parent) {}

DzShape::~DzShape() {
    for (DzMaterial* material : qAsConst(m_materials))
        material->deref();
}

DzMaterial* DzShape::getMaterial(int index) const {
    return index >= 0 && index < m_materials.size() ? m_materials.at(index) : nullptr;
}

bool DzShape::addMaterial(DzMaterial* material) {
    if (!material || m_materials.contains(material))
        return false;
    material->ref();
    m_materials.append(material);
    connect(material, &DzMaterial::materialChanged, this, &DzShape::shapeChanged);
    emit shapeChanged();
    return true;
}

bool DzShape::removeMaterial(DzMaterial* material) {
    if (!m_materials.removeOne(material))
        return false;
    disconnect(material, nullptr, this, nullptr);
    material->deref();
    emit shapeChanged();
    return true;
}

bool DzShape::replaceMaterial(DzMaterial* oldMaterial, DzMaterial* newMaterial) {
    const int index = int(m_materials.indexOf(oldMaterial));
    if (index < 0 || !newMaterial)
        return false;
    if (oldMaterial == newMaterial)
        return true;
    newMaterial->ref();
    m_materials[index] = newMaterial;
    connect(newMaterial, &DzMaterial::materialChanged, this, &DzShape::shapeChanged);
    disconnect(oldMaterial, nullptr, this, nullptr);
    oldMaterial->deref();
    emit shapeChanged();
    return true;
}

void DzShape::update() {
    emit shapeChanged();
}
