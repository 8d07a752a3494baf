#include "dzfacetmesh.h"

DzFacetMesh::DzFacetMesh(QObject* parent) : DzGeometry(parent) {}

QVector2D DzFacetMesh::getUV(int index) const {
    return index >= 0 && index < m_uvs.size() ? m_uvs.at(index) : QVector2D();
}

int DzFacetMesh::addUV(const QVector2D& uv) {
    m_uvs.append(uv);
    return int(m_uvs.size()) - 1;
}

bool DzFacetMesh::addFacet(const DzFacet& facet) {
    if (facet.materialIndex < 0 || facet.materialIndex >= m_materialGroups.size() ||
        facet.faceGroupIndex < 0 || facet.faceGroupIndex >= m_faceGroups.size())
        return false;
    for (int c = 0; c < facet.cornerCount(); ++c) {
        if (facet.vertex[c] < 0 || facet.vertex[c] >= m_vertices.size())
            return false;
        if (facet.uv[c] >= m_uvs.size())
            return false;
    }
    m_facets.append(facet);
    return true;
}

int DzFacetMesh::addMaterialGroup(const QString& name) {
    const int known = int(m_materialGroups.indexOf(name));
    if (known >= 0)
        return known;
    m_materialGroups.append(name);
    return int(m_materialGroups.size()) - 1;
}

int DzFacetMesh::addFaceGroup(const QString& name) {
    const int known = int(m_faceGroups.indexOf(name));
    if (known >= 0)
        return known;
    m_faceGroups.append(name);
    return int(m_faceGroups.size()) - 1;
}

DzFacetMesh* DzFacetMesh::makeCopy() const {
    auto* copy = new DzFacetMesh;
    copy->setName(getName());
    copy->m_vertices = m_vertices;
    copy->m_uvs = m_uvs;
    copy->m_facets = m_facets;
    copy->m_materialGroups = m_materialGroups;
    copy->m_faceGroups = m_faceGroups;
    copy->m_subDivision = m_subDivision;
    return copy;
}

QVector<DzVec3> DzFacetMesh::computeVertexNormals(const QVector<DzVec3>& positions) const {
    QVector<QVector3D> sums(positions.size());
    for (const DzFacet& f : m_facets) {
        // A quad as two triangles; the cross product's length weighs by area.
        const int tris = f.isQuad() ? 2 : 1;
        for (int t = 0; t < tris; ++t) {
            const int i0 = f.vertex[0], i1 = f.vertex[t + 1], i2 = f.vertex[t + 2];
            if (i0 >= positions.size() || i1 >= positions.size() || i2 >= positions.size())
                continue;
            const QVector3D p0 = positions[i0].toQVector3D();
            const QVector3D n = QVector3D::crossProduct(positions[i1].toQVector3D() - p0,
                                                        positions[i2].toQVector3D() - p0);
            sums[i0] += n;
            sums[i1] += n;
            sums[i2] += n;
        }
    }
    QVector<DzVec3> normals(positions.size());
    for (int i = 0; i < sums.size(); ++i)
        normals[i] = sums[i].isNull() ? DzVec3(0, 1, 0) : DzVec3(sums[i].normalized());
    return normals;
}
