#include "studio_process.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

using namespace morvane::testing;

namespace {

// A user's populate session driven by script as a person would drive it:
// load a sample prop, paint with the Shift brush, raise a hill in TERRAIN
// mode, and take the hill back with Ctrl+Z. The viewport is photographed
// in EDIT mode (no brush sphere) before the stroke, after it and after the
// undo.
const char* const kSession = R"(
    var morvane = findAction("New MORVANE Scene Objects...");
    mouseClick("terraformButton", 10, 10);
    processEvents();
    print("load", morvane.loadProp(PROP));
    setValue("glEcoInstancesSpinBox", 30);
    setValue("glEcoDiameterSlider", 30);
    mouseClick("glTerrain", 380, 300, "left", "shift");
    processEvents();
    print("status", findWidget("statusLine").text);
    print("count", findWidget("triangleCountLabel").text);

    mouseClick("glEditButton", 5, 5);
    processEvents();
    saveScreenshot("glTerrain", SHOTS + "/before.png");
    mouseClick("glTerrainButton", 5, 5);
    setValue("glEcoInstancesSpinBox", 200);
    mousePress("glTerrain", 380, 300);
    for (var i = 1; i <= 10; ++i) {
        mouseMove("glTerrain", 380 + i, 300);
        processEvents();
    }
    mouseRelease("glTerrain", 390, 300);
    mouseClick("glEditButton", 5, 5);
    processEvents();
    saveScreenshot("glTerrain", SHOTS + "/hill.png");
    print("undo", findWidget("glUndoButton").enabled);
    keyClick("glTerrain", "Z", "ctrl");
    processEvents();
    saveScreenshot("glTerrain", SHOTS + "/undone.png");
    print("redo", findWidget("glRedoButton").enabled);
    quit(0);
)";

TEST(PopulateSessionTest, PaintSculptAndUndoByScript) {
    QTemporaryDir documents;
    const QString prop = QFileInfo(QStringLiteral(STUDIO_PATH)).dir().absoluteFilePath(
        "../content/MORVANE Samples/Runtime/Libraries/Props/MORVANE/Pine Tree.pp2");
    ASSERT_TRUE(QFileInfo(prop).isFile()) << qPrintable(prop);
    const QString prelude = QStringLiteral("var PROP = \"%1\";\nvar SHOTS = \"%2\";\n")
                                .arg(QFileInfo(prop).canonicalFilePath(), documents.path());
    const QString script =
        writeScript(documents, "populate.js", prelude + QString::fromUtf8(kSession));
    const StudioRun run =
        runStudio({"--plugins", QStringLiteral(MORVANE_PLUGIN_DIR), "--documents", documents.path(),
                   "--run", "New MORVANE Scene Objects...", "--script", script});
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    for (const char* line : {"load 0\n", "status added items up to # 30\n", "undo true\n",
                             "redo true\n"})
        EXPECT_TRUE(run.out.contains(line)) << line << qPrintable(run.out);
    EXPECT_FALSE(run.out.contains("count triangles: 522242\n")) << qPrintable(run.out);

    const QImage before(documents.filePath("before.png"));
    const QImage hill(documents.filePath("hill.png"));
    const QImage undone(documents.filePath("undone.png"));
    ASSERT_FALSE(before.isNull() || hill.isNull() || undone.isNull());
    EXPECT_NE(before, hill);   // the stroke raised the terrain where it shows
    EXPECT_EQ(before, undone); // and Ctrl+Z put every vertex back
}

} // namespace
