#include "hostexport/sdk/dz_host_scene.h"

#include "hostexport/sdk/terrain_shader.h"

#include "common/random_source.h"
#include "dz3dviewport.h"
#include "dzapp.h"
#include "dzbasiccamera.h"
#include "dzboolproperty.h"
#include "dzbox3.h"
#include "dzbrickmaterial.h"
#include "dzcontentmgr.h"
#include "dzdefaultmaterial.h"
#include "dzenumproperty.h"
#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzfileiosettings.h"
#include "dzfloatproperty.h"
#include "dzgeometry.h"
#include "dzimagemgr.h"
#include "dzimportmgr.h"
#include "dzmainwindow.h"
#include "dzmaterial.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzobjimporter.h"
#include "dzproperty.h"
#include "dzscene.h"
#include "dzviewport.h"
#include "dzviewportmgr.h"

#include <QColor>
#include <QDir>

namespace morvane {

namespace {

DzVec3 vec(const SceneVec& v) {
    return DzVec3(v.x, v.y, v.z);
}

void setRotation(DzNode* node, const std::array<int, 3>& degrees) {
    node->getXRotControl()->setValue(float(degrees[0]));
    node->getYRotControl()->setValue(float(degrees[1]));
    node->getZRotControl()->setValue(float(degrees[2]));
}

void place(DzNode* node, const PropPlacement& p) {
    node->getXPosControl()->setValue(p.position.x);
    node->getYPosControl()->setValue(p.position.y);
    node->getZPosControl()->setValue(p.position.z);
    node->getXScaleControl()->setValue(p.scaleFactors.x);
    node->getYScaleControl()->setValue(p.scaleFactors.y);
    node->getZScaleControl()->setValue(p.scaleFactors.z);
}

Dz3DViewport* activeView() {
    DzMainWindow* window = dzApp ? dzApp->getInterface() : nullptr;
    DzViewportMgr* views = window ? window->getViewportMgr() : nullptr;
    DzViewport* pane = views ? views->getActiveViewport() : nullptr;
    return pane ? pane->get3DViewport() : nullptr;
}

DzTexture* textureOf(const QString& path) {
    DzImageMgr* images = dzApp ? dzApp->getImageMgr() : nullptr;
    return images ? images->getImage(QDir::toNativeSeparators(path)) : nullptr;
}

} // namespace

DzHostScene::DzHostScene(EventLog& log, RandomSource& random) : m_log(log), m_random(random) {}

int DzHostScene::nodeCount() const {
    return dzScene ? dzScene->getNumNodes() : 0;
}

QString DzHostScene::nodeName(int index) const {
    const DzNode* node = dzScene ? dzScene->getNode(index) : nullptr;
    return node ? node->getName() : QString();
}

void DzHostScene::removeNode(int index) {
    if (DzNode* node = dzScene ? dzScene->getNode(index) : nullptr)
        dzScene->removeNode(node);
}

DzShape* DzHostScene::importObj(const QString& path, float scale) {
    DzImportMgr* imports = dzApp ? dzApp->getImportMgr() : nullptr;
    const auto* importer = qobject_cast<const DzObjImporter*>(
        imports ? imports->findImporterByClassName(QStringLiteral("DzObjImporter")) : nullptr);
    if (!importer)
        return nullptr;
    DzFileIOSettings settings;
    importer->getDefaultOptions(&settings);
    settings.setStringValue(QStringLiteral("Preset"), QStringLiteral("Lightwave (1 unit = 1m)"));
    settings.setFloatValue(QStringLiteral("Scale"), double(scale));
    settings.setBoolValue(QStringLiteral("SwapYZ"), false);
    settings.setBoolValue(QStringLiteral("IncludeG"), true);
    settings.setBoolValue(QStringLiteral("IncludeVT"), true);
    settings.setBoolValue(QStringLiteral("IncludeUsemtl"), true);
    settings.setBoolValue(QStringLiteral("IncludeMtllib"), false);
    settings.setIntValue(QStringLiteral("RunSilent"), 1);
    return importer->readGeometry(QDir::toNativeSeparators(path), -1, &settings);
}

DzNode* DzHostScene::addShapeNode(DzShape* shape, const QString& name) {
    auto* node = new DzNode;
    node->setName(name);
    node->setLabel(name);
    auto* object = new DzObject;
    object->addShape(shape, -1);
    node->setObject(object);
    dzScene->addNode(node);
    return node;
}

bool DzHostScene::addSkyDome(const QString& meshFile, float importScale, float nodeScale,
                             const QString& texturePath) {
    if (!dzScene)
        return false;
    DzShape* shape = importObj(meshFile, importScale);
    if (!shape)
        return false;
    auto* node = new DzNode;
    node->setName(QStringLiteral("skyDome"));
    node->setLabel(QStringLiteral("skyDome"));
    auto* object = new DzObject;
    object->addShape(shape, -1);
    node->setObject(object);
    node->getScaleControl()->setValue(nodeScale);
    node->getShadowControl()->setBoolValue(false);

    DzTexture* sky = textureOf(texturePath);
    if (DzMaterial* imported = shape->getMaterial(0))
        shape->removeMaterial(imported);
    auto* material = new DzDefaultMaterial;
    material->setName(QStringLiteral("Sky Default"));
    material->setLabel(QStringLiteral("Sky Default"));
    material->setSurfaceType(4);
    material->setAmbientColorMap(sky);
    material->setDiffuseStrength(0.0f);
    material->setAmbientStrength(1.0f);
    material->setDiffuseColor(QColor(255, 255, 255, 255));
    material->setAmbientColor(QColor(255, 255, 255, 255));
    material->setSpecularStrength(0.0f);
    shape->addMaterial(material);
    if (DzMaterial* first = object->getShape(0)->getMaterial(0))
        first->setColorMap(sky);
    dzScene->addNode(node);
    return true;
}

bool DzHostScene::addCustomTerrain(const QString& objFile, float importScale,
                                   const QString& name) {
    if (!dzScene)
        return false;
    DzShape* shape = importObj(objFile, importScale);
    if (!shape)
        return false;
    m_terrain = addShapeNode(shape, name);
    return true;
}

bool DzHostScene::loadTerrainOBJ(const QString& objFile, SceneVec position,
                                 const std::array<int, 3>& rotation, float importScale,
                                 const QString& name, bool subdivision) {
    if (!dzScene)
        return false;
    DzShape* shape = importObj(objFile, importScale);
    if (!shape)
        return false;
    DzNode* node = addShapeNode(shape, name);
    m_terrain = node;
    node->setWSPos(vec(position));
    setRotation(node, rotation);
    shape->update();
    node->update(false);
    if (subdivision) {
        // The node just made: an older terrain of the same name may still
        // be in the scene.
        auto* facetShape = qobject_cast<DzFacetShape*>(node->getObject()->getCurrentShape());
        auto* mesh = qobject_cast<DzFacetMesh*>(DzGeometry::getCurrentGeometryForNode(node));
        if (mesh)
            mesh->enableSubDivision(true);
        if (facetShape && facetShape->getLODControl())
            facetShape->getLODControl()->setValue(QStringLiteral("Base"));
    }
    return true;
}

SceneBox DzHostScene::terrainBox() const {
    SceneBox box;
    if (!m_terrain)
        return box;
    const DzBox3 ws = m_terrain->getWSBoundingBox();
    if (ws.isEmpty())
        return box;
    box.min = {ws.getMin().m_x, ws.getMin().m_y, ws.getMin().m_z};
    box.max = {ws.getMax().m_x, ws.getMax().m_y, ws.getMax().m_z};
    box.empty = false;
    return box;
}

void DzHostScene::parentToTerrain(DzNode* node) {
    if (m_terrain && node != m_terrain)
        m_terrain->addNodeChild(node, false);
}

void DzHostScene::randomiseMorphs(DzNode* node, int percent) {
    DzObject* object = node->getObject();
    for (int i = 0; object && i < object->getNumModifiers(); ++i)
        if (auto* morph = qobject_cast<DzMorph*>(object->getModifier(i)))
            morph->getValueChannel()->setValue(randomMorphValue(m_random, percent));
}

bool DzHostScene::loadPP2(const QString& file, const PropPlacement& placement, int morphPercent,
                          bool* hasChildren) {
    DzContentMgr* content = dzApp ? dzApp->getContentMgr() : nullptr;
    if (!dzScene || !content)
        return false;
    const int before = dzScene->getNumNodes();
    if (!content->openFile(QDir::toNativeSeparators(file), true) ||
        dzScene->getNumNodes() <= before)
        return false;
    DzNode* node = dzScene->getNode(dzScene->getNumNodes() - 1);
    setRotation(node, placement.rotation);
    place(node, placement);
    randomiseMorphs(node, morphPercent);
    parentToTerrain(node);
    m_lastProp = node;
    if (hasChildren)
        *hasChildren = node->getNumNodeChildren() > 0;
    return true;
}

bool DzHostScene::duplicateNode(int, const PropPlacement& placement, int morphPercent) {
    DzNode* source = m_lastProp;
    if (!dzScene || !source)
        return false;
    auto* clone = new DzNode;
    if (DzObject* sourceObject = source->getObject()) {
        auto* object = new DzObject;
        clone->setObject(object);
        clone->copyFrom(source);
        if (auto* shape = qobject_cast<DzFacetShape*>(sourceObject->getCurrentShape())) {
            auto* copy = new DzFacetShape;
            if (shape->getFacetMesh())
                copy->setFacetMesh(shape->getFacetMesh()->makeCopy());
            object->addShape(copy);
            // Shared, not copied: one material edit changes every clone.
            for (int m = 0; m < shape->getNumMaterials(); ++m)
                copy->addMaterial(shape->getMaterial(m));
            for (int i = 0; i < sourceObject->getNumModifiers(); ++i)
                if (auto* morph = qobject_cast<DzMorph*>(sourceObject->getModifier(i))) {
                    auto* twin = new DzMorph;
                    twin->setName(morph->getName());
                    twin->setLabel(morph->getLabel());
                    twin->setDeltas(morph->getDeltas());
                    twin->copyFrom(morph);
                    object->addModifier(twin, i);
                }
        }
    } else {
        clone->copyFrom(source);
    }
    const CloneNames names = cloneNames(source->getLabel());
    clone->setLabel(names.label);
    clone->setName(names.name);
    place(clone, placement);
    dzScene->addNode(clone);
    parentToTerrain(clone);
    clone->setRotationOrder(source->getRotationOrder());
    setRotation(clone, placement.rotation);
    randomiseMorphs(clone, morphPercent);
    m_lastProp = clone;
    return true;
}

bool DzHostScene::applyTerrainShader(const TerrainShaderRequest& request) {
    DzObject* object = m_terrain ? m_terrain->getObject() : nullptr;
    DzShape* shape = object ? object->getShape(0) : nullptr;
    if (!shape)
        return false;
    DzRefPtr<DzMaterial> old(shape->getMaterial(0));
    DzRefPtr<DzBrickMaterial> bricks(new DzBrickMaterial);
    const bool built = buildTerrainShader(bricks.get(), request, m_log) == 0;
    if (old.get())
        shape->replaceMaterial(old.get(), bricks.get());
    else
        shape->addMaterial(bricks.get());
    if (DzMaterial* first = shape->getMaterial(0)) {
        first->select(true);
        first->setName(request.groupName + QStringLiteral(" Default"));
        first->setLabel(request.groupName + QStringLiteral(" Default"));
        if (DzProperty* color = first->findProperty(QStringLiteral("color"))) {
            color->setName(QStringLiteral("Diffuse Color"));
            color->setLabel(QStringLiteral("Diffuse Color"));
        }
    }
    bricks->update();
    return built;
}

void DzHostScene::addCamera(const CameraPlacement& placement, float focalLength) {
    if (!dzScene)
        return;
    auto* camera = new DzBasicCamera(6, false);
    camera->setName(placement.name);
    dzScene->addNode(camera);
    camera->getXPosControl()->setValue(placement.position.x);
    camera->getYPosControl()->setValue(placement.position.y);
    camera->getZPosControl()->setValue(placement.position.z);
    camera->getXRotControl()->setValue(placement.rotation.x);
    camera->getYRotControl()->setValue(placement.rotation.y);
    camera->getZRotControl()->setValue(placement.rotation.z);
    camera->setFocalLength(focalLength);
}

void DzHostScene::addMainCamera(const QString& name, SceneVec rotation, float focalLength,
                                const SceneBox& box) {
    if (!dzScene)
        return;
    auto* camera = new DzBasicCamera(6, false);
    camera->setName(name);
    dzScene->addNode(camera);
    camera->getXRotControl()->setValue(rotation.x);
    camera->getYRotControl()->setValue(rotation.y);
    camera->setFocalLength(focalLength);
    Dz3DViewport* view = activeView();
    if (!box.empty)
        camera->frame(DzBox3(vec(box.min), vec(box.max)),
                      float(view ? view->getHeight() : 480));
    if (view)
        view->setCamera(camera);
}

void DzHostScene::setBoundingBoxShadeStyle() {
    if (Dz3DViewport* view = activeView())
        view->setShadeStyle(1);
}

void DzHostScene::refreshImages() {
    if (DzImageMgr* images = dzApp ? dzApp->getImageMgr() : nullptr)
        images->refresh();
}

} // namespace morvane
