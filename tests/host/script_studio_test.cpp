#include "studio_process.h"

#include "../pipeline_fixture.h"

using namespace morvane::testing;

namespace {

// A user's session with MORVANE, by mouse only: "TERRAFORM !", then QUIT,
// answered "Cancel" once and "Yes" the second time.
const char* const kSession = R"(
    var morvane = findAction("New MORVANE Scene Objects...");
    print("populate before", findWidget("populateTab").enabled);
    mouseClick("terraformButton", 10, 10);
    processEvents();
    print("populate after", findWidget("populateTab").enabled);
    print("status", findWidget("statusLine").text);

    answerDialogs(["Cancel"]);
    mouseClick("quitButton", 5, 5);
    processEvents();
    print("open after Cancel", morvane.isWindowOpen());

    answerDialogs(["Yes"]);
    mouseClick("quitButton", 5, 5);
    processEvents();
    print("open after Yes", morvane.isWindowOpen());
    quit(0);
)";

TEST(ScriptStudioTest, MorvaneIsTerraformedAndQuitByMouse) {
    QTemporaryDir documents;
    const QString script = writeScript(documents, "session.js", kSession);
    const StudioRun run =
        runStudio({"--plugins", QStringLiteral(MORVANE_PLUGIN_DIR), "--documents", documents.path(),
                   "--run", "New MORVANE Scene Objects...", "--script", script});
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    for (const char* line : {"populate before false\n", "populate after true\n",
                             "open after Cancel true\n", "open after Yes false\n"})
        EXPECT_TRUE(run.out.contains(line)) << line << qPrintable(run.out);
    EXPECT_FALSE(run.err.contains("answerDialogs:")) << qPrintable(run.err);

    const QString log = QString::fromUtf8(readFile(documents.filePath("morvanePX/logFile.txt")));
    EXPECT_TRUE(log.contains("building terrain arrays\n")) << qPrintable(log);
    EXPECT_TRUE(log.contains("closing MORVANE\n")) << qPrintable(log);
}

TEST(ScriptStudioTest, AnUnknownWidgetEndsTheScriptAndTheHostWithOne) {
    QTemporaryDir dir;
    const QString script =
        writeScript(dir, "bad.js",
                    QStringLiteral("print('start');\nmouseClick('noSuchWidget', 1, 1);\n"
                                   "print('after');\nquit(0);\n"));
    const StudioRun run = runStudio({"--plugins", QStringLiteral(HOST_TEST_PLUGIN_DIR),
                                     "--documents", dir.path(), "--script", script});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains("start\n"));
    EXPECT_FALSE(run.out.contains("after"));
    EXPECT_TRUE(run.err.contains(script +
                                 ":2: Error: mouseClick: no widget named \"noSuchWidget\""))
        << qPrintable(run.err);
}

} // namespace
