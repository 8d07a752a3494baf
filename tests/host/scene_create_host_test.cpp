#include "scene_fixture.h"
#include "studio_process.h"

#include "../pipeline_fixture.h"
#include "../scripted_random.h"
#include "hostexport/sdk/dz_host_scene.h"
#include "hostexport/sdk/terrain_shader.h"

#include "dzfloatproperty.h"
#include "dzbrickmaterial.h"
#include "dzbrickparam.h"
#include "dzcolorproperty.h"
#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzimageproperty.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzshaderbrick.h"
#include "dztexture.h"

#include <tiny_gltf.h>

#include <QImage>

namespace morvane::testing {
namespace {

const QString kSamples =
    QStringLiteral(MORVANE_SOURCE_DIR "/host/content/MORVANE Samples/Runtime/Libraries/Props/MORVANE/");

class CreateHostTest : public SceneFixture {
protected:
    // A 2 x 2 quad grid one unit across, with texture coordinates.
    QString terrainObj() {
        return write("T.obj", "v 0 0 0\nv 1 0 0\nv 0 0 1\nv 1 0 1\n"
                              "vt 0 0\nvt 1 0\nvt 0 1\nvt 1 1\nf 1/1 3/3 4/4 2/2\n");
    }
    QString picture(const QString& name) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::gray);
        const QString path = dir.filePath(name);
        image.save(path);
        return path;
    }
    DzBrickParam* param(DzBrickMaterial& material, const char* arg) {
        for (int i = 0; i < material.getNumBricks(); ++i)
            if (DzBrickParam* found = material.getBrick(i)->findParameterByArg(arg))
                return found;
        return nullptr;
    }

    RecordingLog log;
    ScriptedRandom random;
};

TEST_F(CreateHostTest, TerrainShaderConnectsFiveBricksAndSetsItsValues) {
    TerrainShaderRequest request;
    request.groupName = "T";
    request.texturePath = picture("T.jpg");
    request.normalMapPath = picture("NormalMap_T.jpg");
    request.useNormalMap = true;
    DzRefPtr<DzBrickMaterial> material(new DzBrickMaterial);
    ASSERT_EQ(buildTerrainShader(material.get(), request, log), 0);
    ASSERT_EQ(material->getNumBricks(), 5);
    const struct {
        const char *input, *output;
    } connections[] = {
        {"c_in", "ColorOut"}, {"o_in", "OpacityOut"}, {"DiffuseColor", "outColor"}, {"n", "nout"}};
    for (const auto& c : connections) {
        ASSERT_TRUE(param(*material, c.input)) << c.input;
        EXPECT_EQ(param(*material, c.input)->getConnection(), param(*material, c.output))
            << c.input;
    }
    auto* color = qobject_cast<DzColorProperty*>(param(*material, "color")->getProperty());
    ASSERT_TRUE(color && color->getMapValue());
    EXPECT_TRUE(color->getMapValue()->getFilename().endsWith("T.jpg"));
    auto* normal = qobject_cast<DzImageProperty*>(param(*material, "normalmap")->getProperty());
    ASSERT_TRUE(normal && normal->getValue());

    // "no thanks": the network is whole, the normal map picture stays empty.
    request.useNormalMap = false;
    DzRefPtr<DzBrickMaterial> plain(new DzBrickMaterial);
    ASSERT_EQ(buildTerrainShader(plain.get(), request, log), 0);
    EXPECT_EQ(qobject_cast<DzImageProperty*>(param(*plain, "normalmap")->getProperty())->getValue(),
              nullptr);
}

// Without a host application no brick class can be made.
TEST(TerrainShaderTest, MissingBrickClassFailsWithItsOneLineAndLeavesTheMaterialEmpty) {
    ASSERT_EQ(dzApp, nullptr);
    RecordingLog log;
    DzRefPtr<DzBrickMaterial> material(new DzBrickMaterial);
    EXPECT_EQ(buildTerrainShader(material.get(), TerrainShaderRequest{}, log), -1);
    EXPECT_EQ(log.lines, (QStringList{"creating terrain procedural shader\n",
                                      "error creating a shader brick\n"}));
    EXPECT_EQ(material->getNumBricks(), 0);
}

TEST_F(CreateHostTest, PropsLoadUnderTheTerrainAndClonesShareMaterialsAndCountLabels) {
    DzHostScene host(log, random);
    ASSERT_TRUE(host.loadTerrainOBJ(terrainObj(), {}, {0, 0, 0}, 100.0f, "T", true));
    DzNode* terrain = host.terrainNode();
    auto* mesh = qobject_cast<DzFacetShape*>(terrain->getObject()->getCurrentShape());
    ASSERT_TRUE(mesh);
    EXPECT_TRUE(mesh->getFacetMesh()->isSubDivisionEnabled());
    // One unit = one metre.
    EXPECT_NEAR(host.terrainBox().max.x, 100.0f, 1e-3f);

    PropPlacement at;
    at.position = {150.0f, 0.0f, -20.0f};
    at.rotation = {0, 90, 0};
    at.scaleFactors = {0.5f, 1.0f, 2.0f};
    bool children = true;
    ASSERT_TRUE(host.loadPP2(kSamples + "Pine Tree.pp2", at, 0, &children));
    EXPECT_FALSE(children);
    DzNode* pine = scene().getNode(scene().getNumNodes() - 1);
    EXPECT_EQ(pine->getNodeParent(), terrain);
    EXPECT_FLOAT_EQ(pine->getYRotControl()->getValue(), 90.0f);
    EXPECT_FLOAT_EQ(pine->getZScaleControl()->getValue(), 2.0f);

    at.position = {-300.0f, 10.0f, 0.0f};
    ASSERT_TRUE(host.duplicateNode(1, at, 0));
    ASSERT_TRUE(host.duplicateNode(2, at, 0));
    DzNode* first = scene().getNode(scene().getNumNodes() - 2);
    DzNode* second = scene().getNode(scene().getNumNodes() - 1);
    EXPECT_EQ(first->getName(), pine->getLabel() + "__1");
    EXPECT_EQ(second->getLabel(), pine->getLabel() + "_2");
    EXPECT_EQ(second->getNodeParent(), terrain);
    EXPECT_FLOAT_EQ(second->getXPosControl()->getValue(), -300.0f);
    DzShape* source = pine->getObject()->getCurrentShape();
    DzShape* copy = second->getObject()->getCurrentShape();
    ASSERT_TRUE(source && copy && source != copy);
    ASSERT_EQ(copy->getNumMaterials(), source->getNumMaterials());
    for (int m = 0; m < source->getNumMaterials(); ++m)
        EXPECT_EQ(copy->getMaterial(m), source->getMaterial(m));
    EXPECT_NE(qobject_cast<DzFacetShape*>(copy)->getFacetMesh(),
              qobject_cast<DzFacetShape*>(source)->getFacetMesh());

    // An unreadable prop file is a failure, and the scene stays as it was.
    const int nodes = scene().getNumNodes();
    EXPECT_FALSE(host.loadPP2(write("broken.pp2", "not a prop"), at, 0, &children));
    EXPECT_EQ(scene().getNumNodes(), nodes);
}

TEST_F(CreateHostTest, MorphsTakeRandomValuesUpToThePercentageAndClonesCopyThem) {
    // The sample rock with one morph target, in a runtime of its own.
    ASSERT_TRUE(QDir().mkpath(dir.filePath("Runtime/Geometries/MORVANE")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("Runtime/Libraries/Props/Test")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MORVANE_SOURCE_DIR "/host/content/MORVANE Samples/"
                                           "Runtime/Geometries/MORVANE/Rock.obj"),
                            dir.filePath("Runtime/Geometries/MORVANE/Rock.obj")));
    QByteArray prop = readFile(kSamples + "Rock.pp2");
    const int named = prop.indexOf("name Rock");
    ASSERT_GT(named, 0);
    prop.insert(named, "channels\n{\ntargetGeom Bulge\n{\nname Bulge\ndeltas\n{\n"
                       "d 0 0 0.1 0\nd 1 0 0.1 0\n}\n}\n}\n");
    const QString file = write("Runtime/Libraries/Props/Test/Bulgy Rock.pp2", prop);

    DzHostScene host(log, random);
    random.values = {30, 7};
    random.strict = true;
    bool children = false;
    ASSERT_TRUE(host.loadPP2(file, PropPlacement{}, 50, &children));
    DzNode* rock = scene().getNode(scene().getNumNodes() - 1);
    ASSERT_EQ(rock->getObject()->getNumModifiers(), 1);
    auto* morph = qobject_cast<DzMorph*>(rock->getObject()->getModifier(0));
    ASSERT_TRUE(morph);
    EXPECT_FLOAT_EQ(morph->getValueChannel()->getValue(), 0.30f); // 30 mod 51

    ASSERT_TRUE(host.duplicateNode(1, PropPlacement{}, 50));
    DzNode* clone = scene().getNode(scene().getNumNodes() - 1);
    ASSERT_EQ(clone->getObject()->getNumModifiers(), 1);
    auto* twin = qobject_cast<DzMorph*>(clone->getObject()->getModifier(0));
    ASSERT_TRUE(twin && twin != morph);
    EXPECT_EQ(twin->getDeltas()->getNumDeltas(), 2);
    EXPECT_FLOAT_EQ(twin->getValueChannel()->getValue(), 0.07f); // 7 mod 51
    EXPECT_EQ(random.used(), 2u);
}

// The whole road from a script: a terrain, painted props of two kinds, a
// sky dome, "CREATE Studio SCENE !" and the scene saved as glTF.
TEST(CreateStudioTest, ScriptedSceneIsSavedAsGltfWithEveryNode) {
    QTemporaryDir dir;
    const QString out = dir.filePath("scene.glb");
    const QString script = writeScript(dir, "build.js", QStringLiteral(R"(
        var morvane = findAction("New MORVANE Scene Objects...");
        morvane.generatePreviewTerrain();
        processEvents();
        print("pine", morvane.loadProp("%1Pine Tree.pp2"));
        mouseClick("glTerrain", 330, 300);
        mouseClick("glTerrain", 420, 330);
        print("rock", morvane.loadProp("%1Rock.pp2"));
        mouseClick("glTerrain", 380, 260);
        chooseItem("skyDomeMapSizeComboBox", "4096");
        chooseItem("normalMapSizeComboBox", "512");
        morvane.createDAZScene();
        print("status", findWidget("createDAZHoldOnLabel").text);
        quit(0);
    )").arg(kSamples));
    const StudioRun run =
        runStudio({"--plugins", QStringLiteral(MORVANE_PLUGIN_DIR), "--documents", dir.path(),
                   "--run", "New MORVANE Scene Objects...", "--script", script, "--save-scene", out});
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.out.contains("pine 0\n") && run.out.contains("rock 0\n")) << qPrintable(run.out);
    EXPECT_TRUE(run.out.contains("status Studio scene created successfully.")) << qPrintable(run.out);

    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string err, warn;
    ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &err, &warn, out.toStdString())) << err;
    QStringList names;
    for (const auto& node : model.nodes)
        names << QString::fromStdString(node.name);
    // Terrain, three items (the second pine a clone), sky dome, five cameras.
    EXPECT_EQ(model.nodes.size(), 10u) << qPrintable(names.join(", "));
    for (const char* name : {"my Terrain 1", "skyDome", "Pine Tree__1"})
        EXPECT_TRUE(names.contains(name)) << name << ": " << qPrintable(names.join(", "));
    EXPECT_EQ(model.cameras.size(), 5u);
}

} // namespace
} // namespace morvane::testing
