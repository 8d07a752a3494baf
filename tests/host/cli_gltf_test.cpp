#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <QProcess>
#include <QTemporaryDir>

namespace {

QProcess* runCli(QProcess& cli, const QStringList& arguments) {
    cli.start(QStringLiteral(MORVANE_CLI_PATH), arguments);
    cli.waitForFinished(120000);
    return &cli;
}

// The exported terrain as a glTF for users without the host: the full grid,
// its texture as base colour and the normal map as normal texture.
TEST(CliGltfTest, ExportWritesATexturedTerrainGltf) {
    QTemporaryDir dir;
    const QString glb = dir.filePath("alps.glb");
    QProcess cli;
    runCli(cli, {QStringLiteral(MORVANE_SOURCE_DIR "/resources/presets/alpine ridges.ipf"), "--seed",
                 "1", "--maps", dir.filePath("maps"), "--export", "alps", "--out", dir.path(),
                 "--normal-map", "512", "--gltf", glb});
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().constData();

    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string err, warn;
    ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &err, &warn, glb.toStdString())) << err;
    ASSERT_EQ(model.nodes.size(), 1u);
    EXPECT_EQ(model.nodes[0].name, "alps");
    const tinygltf::Primitive& ground = model.meshes.at(0).primitives.at(0);
    EXPECT_EQ(model.accessors[size_t(ground.attributes.at("POSITION"))].count, 512u * 512u);
    EXPECT_EQ(model.accessors[size_t(ground.indices)].count, 6u * 511u * 511u);
    const tinygltf::Material& material = model.materials.at(size_t(ground.material));
    for (int texture : {material.pbrMetallicRoughness.baseColorTexture.index, material.normalTexture.index}) {
        ASSERT_GE(texture, 0);
        const tinygltf::Image& image = model.images[size_t(model.textures[size_t(texture)].source)];
        EXPECT_EQ(image.width, 512);
    }

    QProcess misuse;
    runCli(misuse, {QStringLiteral(MORVANE_SOURCE_DIR "/resources/presets/alpine ridges.ipf"), "--gltf", glb});
    EXPECT_EQ(misuse.exitCode(), 2);
    EXPECT_TRUE(misuse.readAllStandardError().contains("--gltf is only used with --export"));
}

} // namespace
