#include "studio_process.h"

#include <tiny_gltf.h>

#include <QFileInfo>

using namespace morvane::testing;

namespace {

// A user's road through the host: File > Open... a sample prop (the file
// dialog answered), then the scene saved by the script and by --save-scene.
TEST(StudioSaveSceneTest, PropOpenedThroughTheFileMenuIsSavedAsGltf) {
    QTemporaryDir dir;
    const QString prop = QStringLiteral(MORVANE_SOURCE_DIR
                                        "/host/content/MORVANE Samples/Runtime/Libraries/Props/"
                                        "MORVANE/Pine Tree.pp2");
    const QString scripted = dir.filePath("scripted.glb");
    const QString script = writeScript(dir, "save.js",
                                       QStringLiteral("answerDialogs([\"%1\"]);\n"
                                                      "keyClick(\"studioSceneView\", \"O\", \"ctrl\");\n"
                                                      "print(\"saved\", saveScene(\"%2\"));\n"
                                                      "print(\"refused\", saveScene(\"%3\"));\n"
                                                      "quit(0);\n")
                                           .arg(prop, scripted, dir.filePath("scene.txt")));
    const QString afterwards = dir.filePath("after.gltf");
    const StudioRun run = runStudio({"--plugins", dir.path(), "--documents", dir.path(), "--content",
                                     dir.path(), "--script", script, "--save-scene", afterwards});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.out.contains("saved true")) << qPrintable(run.out);
    EXPECT_TRUE(run.out.contains("refused false")) << qPrintable(run.out);

    for (const QString& file : {scripted, afterwards}) {
        tinygltf::TinyGLTF loader;
        tinygltf::Model model;
        std::string err, warn;
        const bool ok = file.endsWith(".glb")
                            ? loader.LoadBinaryFromFile(&model, &err, &warn, file.toStdString())
                            : loader.LoadASCIIFromFile(&model, &err, &warn, file.toStdString());
        ASSERT_TRUE(ok) << err;
        ASSERT_EQ(model.nodes.size(), 1u);
        EXPECT_EQ(model.nodes[0].name, "Pine Tree");
        ASSERT_EQ(model.meshes.size(), 1u);
    }
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("after.bin")));

    // A scene that cannot be saved ends the host with 1 and says why.
    const StudioRun bad = runStudio({"--plugins", dir.path(), "--documents", dir.path(), "--script",
                                     writeScript(dir, "quit.js", "quit(0);\n"), "--save-scene",
                                     dir.filePath("no/such/folder/x.glb")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains("cannot save the scene")) << qPrintable(bad.err);
}

} // namespace
