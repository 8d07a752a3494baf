#pragma once

#include "dzshape.h"

class DzEnumProperty;
class DzFacetMesh;

// A shape whose geometry is a facet mesh.
class DZCORE_EXPORT DzFacetShape : public DzShape {
    Q_OBJECT
public:
    explicit DzFacetShape(QObject* parent = nullptr);

    DzFacetMesh* getFacetMesh() const { return m_mesh; }
    // The shape owns the mesh; the previous one is deleted.
    void setFacetMesh(DzFacetMesh* mesh);
    // The resolution: "Base" or "High Resolution" (subdivided).
    DzEnumProperty* getLODControl() const { return m_lod; }

private:
    DzFacetMesh* m_mesh = nullptr;
    DzEnumProperty* m_lod;
};
