#pragma once

#include "dzgeometry.h"

#include <QStringList>
#include <QVector2D>

// One polygon of a facet mesh: a triangle (vertex[3] == -1) or a quad.
// UV indices are -1 where the mesh has no texture coordinates.
struct DzFacet {
    int vertex[4] = {-1, -1, -1, -1};
    int uv[4] = {-1, -1, -1, -1};
    int materialIndex = 0;
    int faceGroupIndex = 0;

    bool isQuad() const { return vertex[3] >= 0; }
    int cornerCount() const { return isQuad() ? 4 : 3; }
};

// A polygon mesh: positions, texture coordinates and facets, each facet in
// one material group and one face group.
class DZCORE_EXPORT DzFacetMesh : public DzGeometry {
    Q_OBJECT
public:
    explicit DzFacetMesh(QObject* parent = nullptr);

    int getNumUVs() const { return int(m_uvs.size()); }
    QVector2D getUV(int index) const;
    int addUV(const QVector2D& uv);

    int getNumFacets() const { return int(m_facets.size()); }
    const QVector<DzFacet>& getFacets() const { return m_facets; }
    // Refused (false) when a corner points past the vertex or UV lists or
    // the material group does not exist.
    bool addFacet(const DzFacet& facet);

    int getNumMaterialGroups() const { return int(m_materialGroups.size()); }
    QString getMaterialGroup(int index) const { return m_materialGroups.value(index); }
    // The index of the group, made when it is new.
    int addMaterialGroup(const QString& name);

    int getNumFaceGroups() const { return int(m_faceGroups.size()); }
    QString getFaceGroup(int index) const { return m_faceGroups.value(index); }
    int addFaceGroup(const QString& name);

    void enableSubDivision(bool onOff) { m_subDivision = onOff; }
    bool isSubDivisionEnabled() const { return m_subDivision; }

    // An independent copy (the caller owns it).
    DzFacetMesh* makeCopy() const;

    // Smooth per-vertex normals of `positions` (one per vertex, same facets),
    // area weighted; vertices on no facet get +Y.
    QVector<DzVec3> computeVertexNormals(const QVector<DzVec3>& positions) const;

private:
    QVector<QVector2D> m_uvs;
    QVector<DzFacet> m_facets;
    QStringList m_materialGroups;
    QStringList m_faceGroups;
    bool m_subDivision = false;
};
