#include "dzgeometry.h"

#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dznode.h"
#include "dzobject.h"

DzGeometry::DzGeometry(QObject* parent) : DzBase(parent) {}

DzVec3 DzGeometry::getVertex(int index) const {
    return index >= 0 && index < m_vertices.size() ? m_vertices.at(index) : DzVec3();
}

int DzGeometry::addVertex(const DzVec3& vertex) {
    m_vertices.append(vertex);
    return int(m_vertices.size()) - 1;
}

void DzGeometry::setVertex(int index, const DzVec3& vertex) {
    if (index >= 0 && index < m_vertices.size())
        m_vertices[index] = vertex;
}

DzBox3 DzGeometry::getBoundingBox() const {
    DzBox3 box;
    for (const DzVec3& v : m_vertices)
        box.include(v);
    return box;
}

DzGeometry* DzGeometry::getCurrentGeometryForNode(const DzNode* node) {
    DzObject* object = node ? node->getObject() : nullptr;
    auto* shape = object ? qobject_cast<DzFacetShape*>(object->getCurrentShape()) : nullptr;
    return shape ? shape->getFacetMesh() : nullptr;
}
