#include "dzfacetshape.h"

#include "dzenumproperty.h"
#include "dzfacetmesh.h"

DzFacetShape::DzFacetShape(QObject* parent)
    : DzShape(parent),
      m_lod(new DzEnumProperty(QStringLiteral("lodlevel"), QStringLiteral("Resolution Level"),
                               {QStringLiteral("Base"), QStringLiteral("High Resolution")}, 1)) {
    addProperty(m_lod);
    connect(m_lod, &DzProperty::currentValueChanged, this, &DzShape::shapeChanged);
}

void DzFacetShape::setFacetMesh(DzFacetMesh* mesh) {
    if (mesh == m_mesh)
        return;
    delete m_mesh;
    m_mesh = mesh;
    if (m_mesh)
        m_mesh->setParent(this);
    emit shapeChanged();
}
