#include "scene_fixture.h"

#include "dzfloatproperty.h"
#include "dztexture.h"
#include "dzbrickmaterial.h"
#include "dzclassfactory.h"
#include "dzcontentmgr.h"
#include "dzdefaultmaterial.h"
#include "dzenumproperty.h"
#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzfileiosettings.h"
#include "dzimagemgr.h"
#include "dzimportmgr.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobjimporter.h"
#include "dzshaderbrick.h"

#include <QColor>
#include <QImage>

#include <cmath>
#include <memory>

namespace morvane::testing {
namespace {

// A unit quad and a triangle in two material groups, with texture
// coordinates, in a Z-up file.
const QByteArray kObj = "mtllib two.mtl\n"
                        "v 0 0 0\nv 1 0 0\nv 1 2 0\nv 0 2 0\nv 0 0 3\n"
                        "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                        "g quad\nusemtl red\nf 1/1 2/2 3/3 4/4\n"
                        "g tri\nusemtl blue\nf 1/1 2/2 5/3\n";
const QByteArray kMtl = "newmtl red\nKd 1 0 0\nmap_Kd red.png\nnewmtl blue\nKd 0 0 1\n";

class SceneImportTest : public SceneFixture {
protected:
    SceneImportTest() {
        write(QStringLiteral("two.mtl"), kMtl);
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        red.save(dir.filePath(QStringLiteral("red.png")));
        objPath = write(QStringLiteral("two.obj"), kObj);
        importer = qobject_cast<DzObjImporter*>(
            app.getImportMgr()->findImporterByClassName(QStringLiteral("DzObjImporter")));
    }
    std::unique_ptr<DzFacetShape> read(const DzFileIOSettings& settings) {
        return std::unique_ptr<DzFacetShape>(qobject_cast<DzFacetShape*>(importer->readGeometry(objPath, -1, &settings)));
    }
    DzFileIOSettings defaults() {
        DzFileIOSettings settings;
        importer->getDefaultOptions(&settings);
        return settings;
    }

    QString objPath;
    DzObjImporter* importer = nullptr;
};

TEST_F(SceneImportTest, ReadGeometryAppliesUnitScaleAndFlags) {
    ASSERT_NE(importer, nullptr);
    struct Case {
        const char* name;
        const char* preset;
        double scale;
        bool swapYZ, includeVT, includeUsemtl;
        QVector3D farCorner; // where the file's (1, 2, 0) lands
        int uvs, materials;
    };
    const Case cases[] = {
        {"metres at 50 %", "Lightwave (1 unit = 1m)", 50, false, true, true, {50, 100, 0}, 4, 2},
        {"Poser units", "Poser (1 unit = 8ft)", 100, false, true, true, {243.84f, 487.68f, 0}, 4, 2},
        {"Z up", "DAZ Studio (1 unit = 1cm)", 100, true, true, true, {1, 0, 2}, 4, 2},
        {"no UVs, one group", "DAZ Studio (1 unit = 1cm)", 200, false, false, false, {2, 4, 0}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DzFileIOSettings settings = defaults();
        settings.setStringValue(QStringLiteral("Preset"), QLatin1String(c.preset));
        settings.setFloatValue(QStringLiteral("Scale"), c.scale);
        settings.setBoolValue(QStringLiteral("SwapYZ"), c.swapYZ);
        settings.setBoolValue(QStringLiteral("IncludeVT"), c.includeVT);
        settings.setBoolValue(QStringLiteral("IncludeUsemtl"), c.includeUsemtl);
        settings.setIntValue(QStringLiteral("RunSilent"), 1);
        const auto shape = read(settings);
        ASSERT_TRUE(shape);
        const DzFacetMesh* mesh = shape->getFacetMesh();
        ASSERT_EQ(std::make_pair(mesh->getNumVertices(), mesh->getNumFacets()), std::make_pair(5, 2));
        EXPECT_EQ(std::make_pair(mesh->getNumUVs(), shape->getNumMaterials()),
                  std::make_pair(c.uvs, c.materials));
        QVector<QVector3D> points;
        for (const DzVec3& v : mesh->getVertices())
            points << v.toQVector3D();
        EXPECT_TRUE(points.contains(c.farCorner));

        // A swap must not flip the quad's winding: its normal is the file's +Z turned into +Y.
        for (const DzFacet& f : mesh->getFacets())
            if (f.isQuad()) {
                const QVector3D a = mesh->getVertex(f.vertex[0]).toQVector3D();
                const QVector3D b = mesh->getVertex(f.vertex[1]).toQVector3D();
                const QVector3D d = mesh->getVertex(f.vertex[2]).toQVector3D();
                EXPECT_NEAR(QVector3D::crossProduct(b - a, d - a).normalized()[c.swapYZ ? 1 : 2], 1.0f, 1e-5f);
            }
    }

    // The material library's colour and map reach the default materials.
    const auto shape = read(defaults());
    auto* red = qobject_cast<DzDefaultMaterial*>(shape->getMaterial(0));
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->getDiffuseColor(), QColor(255, 0, 0));
    ASSERT_NE(red->getColorMap(), nullptr);
    EXPECT_EQ(red->getColorMap()->getImage().pixelColor(0, 0), QColor(Qt::red));
}

TEST_F(SceneImportTest, UnreadableInputGivesNullAndSaysWhy) {
    struct Case {
        QString path;
        const char* preset;
        double scale;
        const char* said;
    };
    const char* cm = "DAZ Studio (1 unit = 1cm)";
    const Case cases[] = {
        {dir.filePath(QStringLiteral("none.obj")), cm, 100, "no such file"},
        {write(QStringLiteral("points.obj"), "v 0 0 0\nv 1 0 0\n"), cm, 100, "cannot import"},
        {write(QStringLiteral("model.txt"), kObj), cm, 100, "not an .obj file"},
        {objPath, "Furlongs", 100, "unknown preset"},
        {objPath, cm, 0, "scale must be above 0"},
    };
    for (const Case& c : cases) {
        dzConsoleClear();
        DzFileIOSettings settings = defaults();
        settings.setStringValue(QStringLiteral("Preset"), QLatin1String(c.preset));
        settings.setFloatValue(QStringLiteral("Scale"), c.scale);
        EXPECT_EQ(importer->readGeometry(c.path, -1, &settings), nullptr) << c.said;
        EXPECT_TRUE(consoleMentions(QLatin1String(c.said))) << c.said;
    }
}

TEST_F(SceneImportTest, PropFileBecomesLastNodeWithMorphsApplied) {
    // A prop with inline geometry (a quad, Poser units of 243.84 cm) and a
    // morph that lifts its first vertex.
    const QByteArray pp2 = "{\nprop quad\n\t{\n\tgeomCustom\n\t\t{\n\t\tnumbVerts 4\n"
                           "\t\tv 0 0 0\n\t\tv 1 0 0\n\t\tv 1 0 1\n\t\tv 0 0 1\n"
                           "\t\tf 1 2 3 4\n\t\t}\n\t}\n"
                           "prop quad\n\t{\n\tchannels\n\t\t{\n\t\ttargetGeom Lift\n\t\t\t{\n"
                           "\t\t\tname Lift\n\t\t\tnumbDeltas 1\n\t\t\tdeltas\n\t\t\t\t{\n"
                           "\t\t\t\td 0 0 0.5 0\n\t\t\t\td -3 0 1 0\n\t\t\t\td 99 0 1 0\n"
                           "\t\t\t\t}\n\t\t\t}\n\t\t}\n\t}\n}\n";
    QDir().mkpath(dir.filePath(QStringLiteral("Runtime/Libraries/Props")));
    const QString path = write(QStringLiteral("Runtime/Libraries/Props/Quad.pp2"), pp2);

    scene().addNode(new DzNode);
    ASSERT_TRUE(app.getContentMgr()->openFile(path, true));
    ASSERT_EQ(scene().getNumNodes(), 2);
    DzNode* node = scene().getNode(1);
    DzObject* object = node->getObject();
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->getNumModifiers(), 1);
    auto* morph = qobject_cast<DzMorph*>(object->getModifier(0));
    ASSERT_NE(morph, nullptr);
    // The negative index is dropped on reading, the one past the mesh on use.
    EXPECT_EQ(morph->getDeltas()->getNumDeltas(), 2);

    ASSERT_TRUE(morph->getValueChannel()->setValue(0.5f));
    // 0.5 units x 0.5 = 60.96 cm up for the first vertex.
    EXPECT_FLOAT_EQ(object->getFinalVertices().at(0).m_y, 60.96f);
    EXPECT_FLOAT_EQ(node->getWSBoundingBox().getMax().m_y, 60.96f);

    // Unusable files leave the scene as it was and say why.
    for (const QString& bad : {write(QStringLiteral("Runtime/Libraries/Props/Empty.pp2"), "{\n}\n"),
                               write(QStringLiteral("Runtime/Libraries/Props/Gone.pp2"),
                                     "objFileGeom 0 0 :Runtime:Geometries:gone.obj\n"),
                               objPath, QStringLiteral("/no/such.pp2")}) {
        dzConsoleClear();
        EXPECT_FALSE(app.getContentMgr()->openFile(bad, true)) << qPrintable(bad);
        EXPECT_FALSE(dzConsoleLines().isEmpty()) << qPrintable(bad);
    }
    EXPECT_EQ(scene().getNumNodes(), 2);
}

// The positive links are exercised by the terrain shader tests; here the refusals.
TEST_F(SceneImportTest, BricksRefuseUnknownNamesWrongKindsAndEditsOutsideAnEdit) {
    auto make = [&](const char* name) -> DzShaderBrick* {
        DzClassFactory* factory = app.findClassFactory(QLatin1String(name));
        return factory ? qobject_cast<DzShaderBrick*>(factory->createInstance()) : nullptr;
    };
    std::unique_ptr<DzShaderBrick> root(make("DzSimpleSurfaceBrick"));
    std::unique_ptr<DzShaderBrick> lighting(make("DzDefaultMaterialBrick"));
    std::unique_ptr<DzShaderBrick> image(make("DzImageBrick"));
    ASSERT_TRUE(root && lighting && image);
    EXPECT_EQ(make("DzNoSuchBrick"), nullptr);
    EXPECT_EQ(root->findParameterByArg(QStringLiteral("nope")), nullptr);
    auto* model = qobject_cast<DzEnumProperty*>(lighting->findProperty(QStringLiteral("Lighting Model")));
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(model->setValue(4));
    EXPECT_FALSE(model->setValue(6));

    auto param = [](DzShaderBrick* brick, const char* arg) {
        return brick->findParameterByArg(QLatin1String(arg));
    };
    const struct {
        DzBrickParam *input, *output;
        bool accepted;
    } links[] = {
        {param(root.get(), "o_in"), param(lighting.get(), "OpacityOut"), true},
        {param(root.get(), "o_in"), param(lighting.get(), "ColorOut"), false}, // kinds differ
        {param(lighting.get(), "ColorOut"), param(image.get(), "outColor"), false}, // output
    };
    for (const auto& link : links) {
        ASSERT_TRUE(link.input && link.output);
        EXPECT_EQ(link.input->accepts(link.output), link.accepted) << qPrintable(link.input->getName());
        EXPECT_EQ(link.input->addConnection(link.output), link.accepted);
    }

    DzRefPtr<DzBrickMaterial> material(new DzBrickMaterial);
    EXPECT_FALSE(material->addBrick(root.get()));
    material->beginEdit();
    EXPECT_TRUE(material->addBrick(root.release()));
    material->finishEdit();
    EXPECT_EQ(material->getNumBricks(), 1);
}

TEST_F(SceneImportTest, SettersRefuseValuesOutOfRangeAndKeepTheOldOne) {
    DzRefPtr<DzDefaultMaterial> material(new DzDefaultMaterial);
    EXPECT_TRUE(material->setSurfaceType(4));
    EXPECT_FALSE(material->setSurfaceType(9));
    EXPECT_EQ(material->getSurfaceType(), 4);
    EXPECT_TRUE(material->setDiffuseStrength(0.0f));
    EXPECT_FALSE(material->setAmbientStrength(-1.0f));
    EXPECT_FALSE(material->setSpecularStrength(std::nanf("")));
    EXPECT_FLOAT_EQ(material->getAmbientStrength(), 1.0f);
    EXPECT_FALSE(material->setDiffuseColor(QColor()));
    EXPECT_TRUE(consoleMentions(QStringLiteral("refused")));
    EXPECT_EQ(app.getImageMgr()->getImage(dir.filePath(QStringLiteral("none.jpg"))), nullptr);
    EXPECT_TRUE(consoleMentions(QStringLiteral("image not found")));

    // A sky: no diffuse light, an ambient picture; drawn as it is.
    QImage sky(2, 2, QImage::Format_RGB32);
    sky.fill(Qt::blue);
    sky.save(dir.filePath(QStringLiteral("sky.jpg")));
    // The plug-in hands paths over with "\" separators.
    DzTexture* texture =
        app.getImageMgr()->getImage(dir.filePath(QStringLiteral("sky.jpg")).replace('/', '\\'));
    ASSERT_NE(texture, nullptr);
    EXPECT_TRUE(material->isLit());
    material->setAmbientColorMap(texture);
    EXPECT_FALSE(material->isLit());
    EXPECT_EQ(material->getColorMap(), texture);
}

} // namespace
} // namespace morvane::testing
