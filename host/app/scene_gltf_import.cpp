#include "scene_gltf_import.h"

#include "dzapp.h"
#include "dzbasiccamera.h"
#include "dzdefaultmaterial.h"
#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzfloatproperty.h"
#include "dzimagemgr.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace morvane::host {

namespace {

constexpr float kCmPerMetre = 100.0f;

DzTexture* loadTexture(const gltf::Texture& t, const QString& folder, int index) {
    if (t.isEmpty() || !dzApp)
        return nullptr;
    QString path = t.path;
    if (path.isEmpty()) {
        path = QDir(folder).filePath(QStringLiteral("picture%1.%2")
                                         .arg(index)
                                         .arg(t.mimeType == QLatin1String("image/jpeg") ? "jpg" : "png"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(t.data) != t.data.size())
            return nullptr;
    }
    return dzApp->getImageMgr()->getImage(path);
}

DzObject* makeObject(const gltf::Mesh& mesh, const gltf::Scene& description, const QString& folder) {
    auto* facets = new DzFacetMesh;
    auto* shape = new DzFacetShape;
    for (const gltf::Primitive& p : mesh.primitives) {
        const int base = facets->getNumVertices();
        const int uvBase = facets->getNumUVs();
        const int count = int(p.positions.size() / 3);
        for (int v = 0; v < count; ++v)
            facets->addVertex(DzVec3(p.positions[size_t(3 * v)] * kCmPerMetre,
                                     p.positions[size_t(3 * v + 1)] * kCmPerMetre,
                                     p.positions[size_t(3 * v + 2)] * kCmPerMetre));
        const bool uvs = !p.uvs.empty();
        if (uvs)
            for (int v = 0; v < count; ++v)
                facets->addUV(QVector2D(p.uvs[size_t(2 * v)], 1.0f - p.uvs[size_t(2 * v + 1)]));
        const QString group = p.material >= 0 ? description.materials[size_t(p.material)].name
                                              : QStringLiteral("default");
        // One group per primitive, even when two share a material.
        const int materialIndex = facets->getNumMaterialGroups();
        QString groupName = group;
        for (int k = 0; k < materialIndex; ++k)
            if (facets->getMaterialGroup(k) == groupName)
                groupName = group + QLatin1Char('_') + QString::number(materialIndex);
        facets->addMaterialGroup(groupName);
        facets->addFaceGroup(mesh.name);
        for (size_t i = 0; i + 2 < p.indices.size(); i += 3) {
            DzFacet f;
            f.materialIndex = materialIndex;
            for (int c = 0; c < 3; ++c) {
                f.vertex[c] = base + int(p.indices[i + size_t(c)]);
                f.uv[c] = uvs ? uvBase + int(p.indices[i + size_t(c)]) : -1;
            }
            facets->addFacet(f);
        }
        auto* material = new DzDefaultMaterial;
        material->setName(groupName);
        material->setLabel(groupName);
        if (p.material >= 0) {
            const gltf::Material& m = description.materials[size_t(p.material)];
            material->setDiffuseColor(m.baseColor);
            DzTexture* color = loadTexture(m.baseColorTexture, folder, 2 * p.material);
            if (m.unlit && color) {
                material->setDiffuseStrength(0.0f);
                material->setAmbientColor(QColor(255, 255, 255));
                material->setAmbientColorMap(color);
            }
            material->setColorMap(color);
        }
        shape->addMaterial(material);
    }
    shape->setFacetMesh(facets);
    auto* object = new DzObject;
    object->addShape(shape);
    return object;
}

} // namespace

int gltfToScene(const gltf::Scene& description, DzScene& scene, const QString& pictureFolder) {
    std::vector<DzNode*> nodes;
    for (const gltf::Node& n : description.nodes) {
        DzNode* node;
        if (n.camera >= 0) {
            auto* camera = new DzBasicCamera;
            const float fov = float(description.cameras[size_t(n.camera)].yfov * 180.0 / M_PI);
            camera->setFocalLength(DzBasicCamera::focalLengthFor(fov));
            node = camera;
        } else {
            node = new DzNode;
        }
        node->setName(n.name);
        node->setLabel(n.name);
        const QVector3D t = n.translation * kCmPerMetre;
        const QVector3D r = node->getRotationOrder().toAngles(n.rotation.normalized().toRotationMatrix());
        for (int i = 0; i < 3; ++i) {
            DzFloatProperty* const pos[3] = {node->getXPosControl(), node->getYPosControl(),
                                             node->getZPosControl()};
            DzFloatProperty* const rot[3] = {node->getXRotControl(), node->getYRotControl(),
                                             node->getZRotControl()};
            DzFloatProperty* const scale[3] = {node->getXScaleControl(), node->getYScaleControl(),
                                               node->getZScaleControl()};
            pos[i]->setValue(t[i]);
            rot[i]->setValue(r[i]);
            scale[i]->setValue(n.scale[i]);
        }
        if (n.mesh >= 0)
            node->setObject(makeObject(description.meshes[size_t(n.mesh)], description, pictureFolder));
        nodes.push_back(node);
    }
    // Children keep their local transforms; a loop in the file is refused
    // by addNodeChild.
    for (size_t i = 0; i < description.nodes.size(); ++i)
        for (int child : description.nodes[i].children)
            nodes[i]->addNodeChild(nodes[size_t(child)], true);
    int added = 0;
    for (DzNode* node : nodes)
        if (!node->getNodeParent()) {
            // addNode brings the children along.
            scene.addNode(node);
        }
    for (DzNode* node : nodes)
        if (scene.findNodeIndex(node) >= 0)
            ++added;
        else
            delete node; // in a loop that no root reaches
    return added;
}

} // namespace morvane::host
