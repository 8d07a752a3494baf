#pragma once

#include "dzbasiccamera.h"
#include "dzbrickmaterial.h"
#include "dzclassfactory.h"
#include "dzcolorproperty.h"
#include "dzcontentmgr.h"
#include "dzdefaultmaterial.h"
#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzfloatproperty.h"
#include "dzimagemgr.h"
#include "dzimageproperty.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzshaderbrick.h"
#include "scene_fixture.h"

#include <QDir>
#include <QImage>

namespace morvane::testing {

// Builds what the scene creation makes, through the SDK calls it uses: a
// textured terrain with a brick material and a normal map, two props (one
// loaded and parented, one clone), a sky dome and five cameras.
class SceneBuilderFixture : public SceneFixture {
protected:
    QString picture(const QString& name, const QColor& color) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(color);
        image.setPixelColor(0, 0, Qt::black); // a corner to tell the orientation
        const QString path = dir.filePath(name);
        image.save(path);
        return path;
    }

    // An n x n grid of quads, size cm wide, UVs over the whole.
    static DzFacetMesh* grid(int n, float size) {
        auto* mesh = new DzFacetMesh;
        mesh->addMaterialGroup(QStringLiteral("default"));
        mesh->addFaceGroup(QStringLiteral("default"));
        for (int r = 0; r <= n; ++r)
            for (int c = 0; c <= n; ++c) {
                mesh->addVertex(DzVec3(c * size / n - size / 2, float((r * c) % 3), r * size / n - size / 2));
                mesh->addUV(QVector2D(float(c) / n, 1.0f - float(r) / n));
            }
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                DzFacet f;
                const int a = r * (n + 1) + c, b = (r + 1) * (n + 1) + c;
                const int corners[4] = {a, b, b + 1, a + 1};
                for (int k = 0; k < 4; ++k)
                    f.vertex[k] = f.uv[k] = corners[k];
                mesh->addFacet(f);
            }
        return mesh;
    }

    DzShaderBrick* brick(const char* name) {
        return qobject_cast<DzShaderBrick*>(app.findClassFactory(QLatin1String(name))->createInstance());
    }

    DzNode* buildTerrain() {
        auto* shape = new DzFacetShape;
        shape->setFacetMesh(grid(4, 1000.0f));
        shape->addMaterial(new DzDefaultMaterial);
        auto* object = new DzObject;
        object->addShape(shape);
        terrain = new DzNode;
        terrain->setName(QStringLiteral("my Terrain 1"));
        terrain->setLabel(QStringLiteral("my Terrain 1"));
        terrain->setObject(object);
        scene().addNode(terrain);

        DzTexture* color = app.getImageMgr()->getImage(picture(QStringLiteral("my Terrain 1.jpg"), Qt::green));
        DzTexture* normals = app.getImageMgr()->getImage(
            picture(QStringLiteral("NormalMap_my Terrain 1.jpg"), QColor(128, 128, 255)));
        DzRefPtr<DzBrickMaterial> material(new DzBrickMaterial);
        DzShaderBrick* root = brick("DzSimpleSurfaceBrick");
        DzShaderBrick* lighting = brick("DzDefaultMaterialBrick");
        DzShaderBrick* image = brick("DzImageBrick");
        DzShaderBrick* normal = brick("DzNormalMapBrick");
        DzShaderBrick* displace = brick("DzDisplaceBrick");
        qobject_cast<DzColorProperty*>(image->findParameterByArg(QStringLiteral("color"))->getProperty())
            ->setMap(color);
        qobject_cast<DzImageProperty*>(normal->findParameterByArg(QStringLiteral("normalmap"))->getProperty())
            ->setValue(normals);
        material->beginEdit();
        for (DzShaderBrick* b : {lighting, image, normal, displace, root})
            material->addBrick(b);
        root->findParameterByArg(QStringLiteral("c_in"))
            ->addConnection(lighting->findParameterByArg(QStringLiteral("ColorOut")));
        lighting->findParameterByArg(QStringLiteral("DiffuseColor"))
            ->addConnection(image->findParameterByArg(QStringLiteral("outColor")));
        displace->findParameterByArg(QStringLiteral("n"))
            ->addConnection(normal->findParameterByArg(QStringLiteral("nout")));
        material->finishEdit();
        shape->replaceMaterial(shape->getMaterial(0), material);
        material->setName(QStringLiteral("my Terrain 1 Default"));
        return terrain;
    }

    // A prop loaded from a .pp2 (a small box with a morph), placed as the
    // scene builder places props, and a clone of it.
    void buildProps() {
        const QByteArray pp2 = "{\nprop box\n\t{\n\tgeomCustom\n\t\t{\n"
                               "\t\tv 0 0 0\n\t\tv 1 0 0\n\t\tv 1 1 0\n\t\tv 0 1 0\n"
                               "\t\tvt 0 0\n\t\tvt 1 0\n\t\tvt 1 1\n\t\tvt 0 1\n"
                               "\t\tf 1/1 2/2 3/3 4/4\n\t\t}\n\t}\n"
                               "\ttargetGeom Tall\n\t\t{\n\t\tdeltas\n\t\t\t{\n"
                               "\t\t\td 2 0 1 0\n\t\t\t}\n\t\t}\n}\n";
        QDir().mkpath(dir.filePath(QStringLiteral("Runtime/Libraries/Props")));
        const QString file = write(QStringLiteral("Runtime/Libraries/Props/Tree.pp2"), pp2);
        ASSERT_TRUE(app.getContentMgr()->openFile(file, true));
        DzNode* prop = scene().getNode(scene().getNumNodes() - 1);
        terrain->addNodeChild(prop, false);
        prop->getXPosControl()->setValue(200.0f);
        prop->getZPosControl()->setValue(-100.0f);
        prop->getYRotControl()->setValue(30.0f);
        qobject_cast<DzMorph*>(prop->getObject()->getModifier(0))->getValueChannel()->setValue(0.5f);

        // The clone shares materials and copies mesh and morphs.
        auto* clone = new DzNode;
        auto* object = new DzObject;
        clone->setObject(object);
        clone->copyFrom(prop);
        auto* sourceShape = qobject_cast<DzFacetShape*>(prop->getObject()->getCurrentShape());
        auto* shape = new DzFacetShape;
        shape->setFacetMesh(sourceShape->getFacetMesh()->makeCopy());
        object->addShape(shape);
        for (int m = 0; m < sourceShape->getNumMaterials(); ++m)
            shape->addMaterial(sourceShape->getMaterial(m));
        auto* sourceMorph = qobject_cast<DzMorph*>(prop->getObject()->getModifier(0));
        auto* morph = new DzMorph;
        morph->setName(sourceMorph->getName());
        morph->setDeltas(sourceMorph->getDeltas());
        morph->copyFrom(sourceMorph);
        object->addModifier(morph, 0);
        clone->setLabel(QStringLiteral("Tree_1"));
        clone->setName(QStringLiteral("Tree__1"));
        clone->getXPosControl()->setValue(-300.0f);
        clone->setRotationOrder(DzRotationOrder::YZX);
        clone->getXRotControl()->setValue(20.0f);
        scene().addNode(clone);
    }

    void buildSky() {
        auto* shape = new DzFacetShape;
        shape->setFacetMesh(grid(2, 5000.0f));
        auto* sky = new DzDefaultMaterial;
        sky->setName(QStringLiteral("Sky Default"));
        DzTexture* texture = app.getImageMgr()->getImage(picture(QStringLiteral("my Terrain 1_skyDome.jpg"), Qt::blue));
        sky->setSurfaceType(4);
        sky->setAmbientColorMap(texture);
        sky->setDiffuseStrength(0.0f);
        sky->setSpecularStrength(0.0f);
        shape->addMaterial(sky);
        auto* object = new DzObject;
        object->addShape(shape);
        auto* node = new DzNode;
        node->setName(QStringLiteral("skyDome"));
        node->setObject(object);
        node->getScaleControl()->setValue(10.0f);
        scene().addNode(node);
    }

    void buildCameras() {
        const struct {
            const char* suffix;
            float x, z, yaw;
        } corners[] = {{" NW Camera", -1, -1, -135}, {" NE Camera", 1, -1, 135},
                       {" SE Camera", 1, 1, 45},     {" SW Camera", -1, 1, -45}};
        const float d = 100 * 175 * 0.5f;
        for (const auto& c : corners) {
            auto* camera = new DzBasicCamera(6, false);
            camera->setName(QStringLiteral("my Terrain 1") + QLatin1String(c.suffix));
            scene().addNode(camera);
            camera->getXPosControl()->setValue(c.x * d);
            camera->getYPosControl()->setValue(900.0f);
            camera->getZPosControl()->setValue(c.z * d);
            camera->getXRotControl()->setValue(-25.0f);
            camera->getYRotControl()->setValue(c.yaw);
            camera->setFocalLength(30.0f);
        }
        auto* main = new DzBasicCamera(6, false);
        main->setName(QStringLiteral("my Terrain 1 Main Camera"));
        scene().addNode(main);
        main->getXRotControl()->setValue(-20.0f);
        main->setFocalLength(DzBasicCamera::focalLengthFor(45.0f));
        main->frame(terrain->getWSBoundingBox(), 480.0f);
    }

    void buildAll() {
        buildTerrain();
        buildProps();
        buildSky();
        buildCameras();
    }

    DzNode* terrain = nullptr;
};

} // namespace morvane::testing
