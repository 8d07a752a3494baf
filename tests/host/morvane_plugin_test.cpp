#include "studio_process.h"

#include <QImage>

using namespace morvane::testing;

namespace {

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// %1: the screenshot file.
const char* const kScript = R"(
    var action = findAction("New MORVANE Scene Objects...");
    print("class", typeof DzMorvanePluginAction, action.getPluginPath());
    print("open", action.isWindowOpen());
    var window = findWidget("ecoWin");
    print("window", window.windowTitle);
    action.generatePreviewTerrain();
    processEvents();
    action.trigger(); // open already: raised, not rebuilt
    print("saved", saveScreenshot("ecoWin", "%1"));
    var made = new DzMorvanePluginAction();
    print("made", made.text, made.isWindowOpen());
    quit(0);
)";

// The real plug-in in the host, driven like a user would: Create > "New
// MORVANE Scene Objects...", then "TERRAFORM !".
TEST(MorvanePluginTest, OpensTheWindowAndTerraformsFromTheHost) {
    QTemporaryDir documents;
    const QString shot = documents.filePath("ecoWin.png");
    const QString log = documents.filePath("morvanePX/logFile.txt");
    const QString script = writeScript(documents, "terraform.js", QString(kScript).arg(shot));

    const StudioRun run =
        runStudio({"--plugins", QStringLiteral(MORVANE_PLUGIN_DIR), "--documents", documents.path(),
                   "--run", "New MORVANE Scene Objects...", "--script", script});
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.out.contains(
        QStringLiteral("class function %1\n").arg(QStringLiteral(MORVANE_PLUGIN_DIR))))
        << qPrintable(run.out);
    for (const char* line : {"open true\n", "window MORVANE 1.1\n", "saved true\n",
                             "made New MORVANE Scene Objects... false\n"})
        EXPECT_TRUE(run.out.contains(line)) << line;

    // One build of the window, then the terrain; the second run of the
    // action did not truncate the log by building again.
    const QString lines = readFile(log);
    EXPECT_EQ(lines.count("MORVANE started\n"), 1) << qPrintable(lines);
    const int terraform = lines.indexOf("building terrain arrays\n");
    EXPECT_GT(terraform, lines.indexOf("initialize library...\n"));
    EXPECT_GT(lines.indexOf("build decimated terrain arrays\n"), terraform);
    EXPECT_FALSE(QImage(shot).isNull());
}

} // namespace
