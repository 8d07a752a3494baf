#pragma once

#include "dzbase.h"
#include "dzbox3.h"
#include "dzvec3.h"

#include <QVector>

class DzNode;

// Vertex positions (centimetres) shared by every kind of mesh.
class DZCORE_EXPORT DzGeometry : public DzBase {
    Q_OBJECT
public:
    explicit DzGeometry(QObject* parent = nullptr);

    int getNumVertices() const { return int(m_vertices.size()); }
    DzVec3 getVertex(int index) const;
    const QVector<DzVec3>& getVertices() const { return m_vertices; }
    int addVertex(const DzVec3& vertex);
    void setVertex(int index, const DzVec3& vertex);
    DzBox3 getBoundingBox() const;

    // The geometry of the node's object's current shape; null when the node
    // has no object or the shape no geometry.
    static DzGeometry* getCurrentGeometryForNode(const DzNode* node);

protected:
    QVector<DzVec3> m_vertices;
};
