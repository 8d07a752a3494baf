#include "scene_builder.h"

#include "scene_files.h"

#include <tiny_gltf.h>

#include <QMatrix4x4>
#include <QProcess>
#include <QQuaternion>
#include <QStandardPaths>

#include <cmath>
#include <map>

namespace morvane::testing {
namespace {

class SceneGltfTest : public SceneBuilderFixture {
protected:
    // The file as an independent reader sees it.
    tinygltf::Model load(const QString& path) {
        tinygltf::TinyGLTF loader;
        tinygltf::Model model;
        std::string err, warn;
        const bool ok = path.endsWith(QLatin1String(".glb"))
                            ? loader.LoadBinaryFromFile(&model, &err, &warn, path.toStdString())
                            : loader.LoadASCIIFromFile(&model, &err, &warn, path.toStdString());
        EXPECT_TRUE(ok) << err;
        return model;
    }
    static const tinygltf::Node* node(const tinygltf::Model& model, const char* name, int* index = nullptr) {
        for (size_t i = 0; i < model.nodes.size(); ++i)
            if (model.nodes[i].name == name) {
                if (index)
                    *index = int(i);
                return &model.nodes[i];
            }
        return nullptr;
    }
    static QQuaternion rotationOf(const tinygltf::Node& n) {
        return n.rotation.size() == 4 ? QQuaternion(float(n.rotation[3]), float(n.rotation[0]),
                                                    float(n.rotation[1]), float(n.rotation[2]))
                                      : QQuaternion();
    }
    static QVector3D translationOf(const tinygltf::Node& n) {
        return n.translation.size() == 3 ? QVector3D(float(n.translation[0]), float(n.translation[1]),
                                                     float(n.translation[2]))
                                         : QVector3D();
    }
    static std::vector<float> floats(const tinygltf::Model& model, int accessor) {
        const tinygltf::Accessor& a = model.accessors[size_t(accessor)];
        const tinygltf::BufferView& v = model.bufferViews[size_t(a.bufferView)];
        const int n = a.type == TINYGLTF_TYPE_VEC3 ? 3 : 2;
        const auto* p = reinterpret_cast<const float*>(model.buffers[size_t(v.buffer)].data.data() +
                                                       v.byteOffset + a.byteOffset);
        return std::vector<float>(p, p + a.count * size_t(n));
    }
};

QQuaternion about(float degrees, const QVector3D& axis) {
    return QQuaternion::fromAxisAndAngle(axis, degrees);
}

void expectSameRotation(const QQuaternion& a, const QQuaternion& b, const char* what) {
    // q and -q are one rotation.
    EXPECT_NEAR(std::abs(QQuaternion::dotProduct(a.normalized(), b.normalized())), 1.0f, 1e-5f) << what;
}

TEST_F(SceneGltfTest, SavedSceneReadsBackWithNodesTransformsMaterialsAndTextures) {
    buildAll();
    // The prop turns in the default XYZ order, the clone in YZX.
    DzNode* prop = scene().findNode(QStringLiteral("Tree"));
    ASSERT_NE(prop, nullptr);
    prop->getXRotControl()->setValue(10.0f);
    DzNode* clone = scene().findNode(QStringLiteral("Tree__1"));
    clone->getYRotControl()->setValue(40.0f);

    for (const char* file : {"scene.glb", "scene.gltf"}) {
        const QString path = dir.filePath(QLatin1String(file));
        QString error;
        ASSERT_TRUE(host::saveSceneAs(scene(), path, &error)) << qPrintable(error);
        const tinygltf::Model model = load(path);
        SCOPED_TRACE(file);

        ASSERT_EQ(model.nodes.size(), 9u);
        EXPECT_EQ(model.cameras.size(), 5u);
        // Hierarchy: the loaded prop under the terrain, the clone at the top.
        int propIndex = -1, cloneIndex = -1;
        const tinygltf::Node* terrainNode = node(model, "my Terrain 1");
        const tinygltf::Node* propNode = node(model, "Tree", &propIndex);
        const tinygltf::Node* cloneNode = node(model, "Tree__1", &cloneIndex);
        ASSERT_TRUE(terrainNode && propNode && cloneNode);
        EXPECT_EQ(terrainNode->children, std::vector<int>{propIndex});
        const std::vector<int>& roots = model.scenes[0].nodes;
        EXPECT_EQ(std::count(roots.begin(), roots.end(), propIndex), 0);
        EXPECT_EQ(std::count(roots.begin(), roots.end(), cloneIndex), 1);

        // Centimetres to metres; XYZ turns X first, YZX turns Y first.
        expectNear(translationOf(*propNode), QVector3D(2.0f, 0.0f, -1.0f), 1e-5f, "prop position");
        expectSameRotation(rotationOf(*propNode), about(30, {0, 1, 0}) * about(10, {1, 0, 0}), "XYZ");
        expectSameRotation(rotationOf(*cloneNode), about(20, {1, 0, 0}) * about(40, {0, 1, 0}), "YZX");
        const tinygltf::Node* nw = node(model, "my Terrain 1 NW Camera");
        ASSERT_NE(nw, nullptr);
        expectNear(translationOf(*nw), QVector3D(-87.5f, 9.0f, -87.5f), 1e-3f, "NW camera");
        EXPECT_NEAR(model.cameras[size_t(nw->camera)].perspective.yfov, 2.0 * std::atan(12.0 / 30.0), 1e-5);

        // The terrain's material: colour map and normal map, decodable.
        const tinygltf::Mesh& terrainMesh = model.meshes[size_t(terrainNode->mesh)];
        ASSERT_EQ(terrainMesh.primitives.size(), 1u);
        const tinygltf::Primitive& ground = terrainMesh.primitives[0];
        const tinygltf::Material& groundMaterial = model.materials[size_t(ground.material)];
        const int colorTexture = groundMaterial.pbrMetallicRoughness.baseColorTexture.index;
        ASSERT_GE(colorTexture, 0);
        ASSERT_GE(groundMaterial.normalTexture.index, 0);
        const tinygltf::Image& colorImage = model.images[size_t(model.textures[size_t(colorTexture)].source)];
        ASSERT_EQ(colorImage.width, 8);
        EXPECT_GT(colorImage.image[1 * 4 + 1], 200); // green, past the black corner

        // The corner (-5, 0, -5) m had v = 1, which is glTF's v = 0 (origin at the top).
        const std::vector<float> positions = floats(model, ground.attributes.at("POSITION"));
        const std::vector<float> uvs = floats(model, ground.attributes.at("TEXCOORD_0"));
        ASSERT_EQ(positions.size() / 3, uvs.size() / 2);
        bool found = false;
        for (size_t v = 0; v < positions.size() / 3; ++v)
            if (positions[3 * v] == -5.0f && positions[3 * v + 2] == -5.0f) {
                found = true;
                EXPECT_FLOAT_EQ(uvs[2 * v], 0.0f);
                EXPECT_FLOAT_EQ(uvs[2 * v + 1], 0.0f);
            }
        EXPECT_TRUE(found);

        // Morphs are applied: the box's top is 1 + 0.5 x 1 Poser units (2.4384 m) high.
        const auto& box = model.meshes[size_t(cloneNode->mesh)].primitives[0];
        EXPECT_NEAR(model.accessors[size_t(box.attributes.at("POSITION"))].maxValues[1], 1.5 * 2.4384, 1e-5);
    }
}

TEST_F(SceneGltfTest, AFailedGltfSaveKeepsThePreviousSceneFiles) {
    buildAll();
    const QString path = dir.filePath("scene.gltf");
    QString error;
    ASSERT_TRUE(host::saveSceneAs(scene(), path, &error)) << qPrintable(error);
    auto contents = [&] {
        std::map<QString, QByteArray> files;
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            QFile file(dir.filePath(name));
            file.open(QIODevice::ReadOnly);
            files[name] = file.readAll();
        }
        return files;
    };
    // The buffer cannot be put in place: a folder stands at its name.
    ASSERT_TRUE(QFile::remove(dir.filePath("scene.bin")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("scene.bin/x")));
    const auto before = contents();
    ASSERT_TRUE(before.count("scene.gltf"));
    scene().findNode(QStringLiteral("Tree"))->getXRotControl()->setValue(25.0f);

    EXPECT_FALSE(host::saveSceneAs(scene(), path, &error));
    EXPECT_TRUE(error.contains("not a plain file")) << qPrintable(error);
    EXPECT_EQ(contents(), before);
    EXPECT_TRUE(QDir(dir.path()).entryList({".gltf-staging*"}, QDir::AllEntries | QDir::Hidden).isEmpty());
}

TEST_F(SceneGltfTest, OpenSceneBringsBackWorldTransformsHierarchyAndPictures) {
    buildAll();
    DzNode* clone = scene().findNode(QStringLiteral("Tree__1"));
    clone->getYRotControl()->setValue(40.0f);
    clone->getZRotControl()->setValue(-15.0f);
    std::map<QString, QMatrix4x4> world;
    for (int i = 0; i < scene().getNumNodes(); ++i)
        world[scene().getNode(i)->getName()] = scene().getNode(i)->getWSTransform();

    const QString path = dir.filePath(QStringLiteral("round.glb"));
    QString error;
    ASSERT_TRUE(host::saveSceneAs(scene(), path, &error)) << qPrintable(error);
    scene().clear();
    ASSERT_EQ(scene().getNumNodes(), 0);
    QTemporaryDir pictures;
    ASSERT_TRUE(host::openScene(scene(), path, pictures.path(), &error)) << qPrintable(error);
    ASSERT_EQ(scene().getNumNodes(), 9);
    for (const auto& [name, matrix] : world) {
        const DzNode* node = scene().findNode(name);
        ASSERT_NE(node, nullptr) << qPrintable(name);
        expectMatrixNear(node->getWSTransform(), matrix, 2e-2f, qPrintable(name));
    }
    EXPECT_EQ(scene().findNode(QStringLiteral("Tree"))->getNodeParent(),
              scene().findNode(QStringLiteral("my Terrain 1")));
    // The colour map came back as a picture of the same colour.
    auto* shape = qobject_cast<DzFacetShape*>(
        scene().findNode(QStringLiteral("my Terrain 1"))->getObject()->getCurrentShape());
    ASSERT_NE(shape->getMaterial(0)->getColorMap(), nullptr);
    EXPECT_GT(shape->getMaterial(0)->getColorMap()->getImage().pixelColor(4, 4).green(), 200);
    EXPECT_FALSE(qobject_cast<DzDefaultMaterial*>(
                     qobject_cast<DzFacetShape*>(
                         scene().findNode(QStringLiteral("skyDome"))->getObject()->getCurrentShape())
                         ->getMaterial(0))
                     ->isLit());

    // A file that is no glTF is refused with a reason, the scene untouched.
    EXPECT_FALSE(host::openScene(scene(), write(QStringLiteral("junk.glb"), "not a scene"), pictures.path(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(host::saveSceneAs(scene(), dir.filePath(QStringLiteral("scene.obj")), &error));
    EXPECT_EQ(scene().getNumNodes(), 9);
}

TEST_F(SceneGltfTest, KhronosValidatorFindsNoErrors) {
    if (QStandardPaths::findExecutable(QStringLiteral("npm")).isEmpty())
        GTEST_SKIP() << "npm is not installed: the glTF validator cannot run";
    const QString script = QStringLiteral(MORVANE_SOURCE_DIR "/scripts/gltf_validate.js");
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral(MORVANE_SOURCE_DIR "/tools/node_modules/gltf-validator")))
        << "run scripts/deps to install the glTF validator";
    buildAll();
    for (const char* file : {"valid.glb", "valid.gltf"}) {
        const QString path = dir.filePath(QLatin1String(file));
        QString error;
        ASSERT_TRUE(host::saveSceneAs(scene(), path, &error)) << qPrintable(error);
        QProcess node;
        node.start(QStringLiteral("node"), {script, path});
        ASSERT_TRUE(node.waitForFinished(60000));
        const QString out = QString::fromUtf8(node.readAllStandardOutput() + node.readAllStandardError());
        EXPECT_EQ(node.exitCode(), 0) << qPrintable(out);
        EXPECT_TRUE(out.contains(QLatin1String(" 0 errors"))) << qPrintable(out);
    }
}

} // namespace
} // namespace morvane::testing
