#include "scene_gltf_export.h"

#include "dzbasiccamera.h"
#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzfloatproperty.h"
#include "dzmaterial.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dztexture.h"

#include <QHash>
#include <QMap>

#include <cmath>

namespace morvane::host {

namespace {

constexpr float kMetresPerCm = 0.01f;

gltf::Texture textureOf(DzTexture* texture) {
    gltf::Texture t;
    if (texture)
        t.path = texture->getFilename();
    return t;
}

class Exporter {
public:
    explicit Exporter(gltf::Scene& out) : m_out(out) {}

    int material(DzMaterial* material) {
        if (!material)
            return -1;
        auto it = m_materials.constFind(material);
        if (it != m_materials.constEnd())
            return *it;
        gltf::Material m;
        m.name = material->getLabel().isEmpty() ? material->getName() : material->getLabel();
        m.baseColor = material->getDiffuseColor();
        m.baseColorTexture = textureOf(material->getColorMap());
        m.normalTexture = textureOf(material->getNormalMap());
        m.unlit = !material->isLit();
        m_out.materials.push_back(m);
        const int index = int(m_out.materials.size()) - 1;
        m_materials.insert(material, index);
        return index;
    }

    int mesh(const DzNode& node) {
        DzObject* object = node.getObject();
        auto* shape = object ? qobject_cast<DzFacetShape*>(object->getCurrentShape()) : nullptr;
        const DzFacetMesh* facets = shape ? shape->getFacetMesh() : nullptr;
        if (!facets || facets->getNumFacets() == 0)
            return -1;
        const QVector<DzVec3> positions = object->getFinalVertices();
        const QVector<DzVec3> normals = facets->computeVertexNormals(positions);
        gltf::Mesh mesh;
        mesh.name = node.getName();
        for (int group = 0; group < facets->getNumMaterialGroups(); ++group) {
            gltf::Primitive p;
            // One glTF vertex per distinct (position, texture coordinate).
            QMap<QPair<int, int>, quint32> corners;
            auto corner = [&](int v, int uv) {
                const auto key = qMakePair(v, uv);
                auto it = corners.constFind(key);
                if (it != corners.constEnd())
                    return *it;
                const DzVec3 pos = positions.value(v);
                const DzVec3 n = normals.value(v);
                p.positions.insert(p.positions.end(), {pos.m_x * kMetresPerCm, pos.m_y * kMetresPerCm,
                                                       pos.m_z * kMetresPerCm});
                p.normals.insert(p.normals.end(), {n.m_x, n.m_y, n.m_z});
                const QVector2D t = facets->getUV(uv);
                // glTF's texture origin is the top left.
                p.uvs.insert(p.uvs.end(), {t.x(), 1.0f - t.y()});
                const quint32 index = quint32(corners.size());
                corners.insert(key, index);
                return index;
            };
            for (const DzFacet& f : facets->getFacets()) {
                if (f.materialIndex != group)
                    continue;
                const int tris = f.isQuad() ? 2 : 1;
                for (int t = 0; t < tris; ++t)
                    for (int c : {0, t + 1, t + 2})
                        p.indices.push_back(corner(f.vertex[c], f.uv[c]));
            }
            if (p.indices.empty())
                continue;
            p.material = material(shape->getMaterial(group) ? shape->getMaterial(group)
                                                            : shape->getMaterial(0));
            mesh.primitives.push_back(std::move(p));
        }
        if (mesh.primitives.empty())
            return -1;
        m_out.meshes.push_back(std::move(mesh));
        return int(m_out.meshes.size()) - 1;
    }

    int camera(const DzNode& node) {
        auto* camera = qobject_cast<const DzCamera*>(&node);
        if (!camera)
            return -1;
        gltf::Camera c;
        c.name = node.getName();
        c.yfov = float(camera->getFieldOfView() * M_PI / 180.0);
        c.znear = camera->getNearClippingPlane() * kMetresPerCm;
        c.zfar = camera->getFarClippingPlane() * kMetresPerCm;
        m_out.cameras.push_back(c);
        return int(m_out.cameras.size()) - 1;
    }

private:
    gltf::Scene& m_out;
    QHash<DzMaterial*, int> m_materials;
};

} // namespace

gltf::Scene sceneToGltf(const DzScene& scene) {
    gltf::Scene out;
    Exporter exporter(out);
    for (int i = 0; i < scene.getNumNodes(); ++i) {
        const DzNode& node = *scene.getNode(i);
        gltf::Node n;
        n.name = node.getName();
        n.translation = QVector3D(node.getXPosControl()->getValue(), node.getYPosControl()->getValue(),
                                  node.getZPosControl()->getValue()) *
                        kMetresPerCm;
        n.rotation = node.getRotationOrder().toQuaternion(QVector3D(node.getXRotControl()->getValue(),
                                                                    node.getYRotControl()->getValue(),
                                                                    node.getZRotControl()->getValue()));
        const float uniform = node.getScaleControl()->getValue();
        n.scale = QVector3D(node.getXScaleControl()->getValue(), node.getYScaleControl()->getValue(),
                            node.getZScaleControl()->getValue()) *
                  uniform;
        n.mesh = exporter.mesh(node);
        n.camera = exporter.camera(node);
        for (int c = 0; c < node.getNumNodeChildren(); ++c) {
            const int child = scene.findNodeIndex(node.getNodeChild(c));
            if (child >= 0)
                n.children.push_back(child);
        }
        const DzNode* parent = node.getNodeParent();
        if (!parent || scene.findNodeIndex(parent) < 0)
            out.roots.push_back(i);
        out.nodes.push_back(n);
    }
    return out;
}

} // namespace morvane::host
