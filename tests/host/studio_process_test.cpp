#include "studio_process.h"

#include <QImage>

using namespace morvane::testing;

namespace {

const QString kPluginDir = QStringLiteral(HOST_TEST_PLUGIN_DIR);

// %1: the screenshot file.
const char* const kScript = R"(
    var action = findAction("Host Test Item...");
    if (!action || Actions.length != 1 || Actions[0].text != action.text)
        quit(3);
    print("runs", action.runCount(), action.echo("ab", 3));
    if (findWidget("hostTestPanel") == null || findWidget("noSuchWidget") != null)
        quit(4);
    processEvents();
    print("saved", saveScreenshot("hostTestPanel", "%1"));
    print("new", typeof HostTestAction, new HostTestAction().Dark);
    quit(42);
    print("after quit");
)";

class StudioProcessTest : public ::testing::Test {
protected:
    QStringList hostArguments() const {
        return {"--plugins", kPluginDir, "--documents", dir.path(), "--content", dir.path()};
    }
    QTemporaryDir dir;
};

TEST_F(StudioProcessTest, ScriptDrivesTheTestActionAndQuitsWithItsCode) {
    const QString shot = dir.filePath("panel.png");
    const QString script = writeScript(dir, "drive.js", QString(kScript).arg(shot));

    QStringList arguments = hostArguments();
    arguments += {"--run", "Host Test Item...", "--script", script};
    const StudioRun run = runStudio(arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 42) << qPrintable(run.err);
    EXPECT_TRUE(run.out.contains("runs 1 ababab\n")) << qPrintable(run.out);
    EXPECT_TRUE(run.out.contains("saved true\n"));
    EXPECT_TRUE(run.out.contains("new function 2\n"));
    EXPECT_FALSE(run.out.contains("after quit"));
    // The refused libraries are named, the host goes on without them.
    EXPECT_TRUE(run.err.contains("libhost_test_sdk3_plugin.so: built for SDK 3.0.0.1"));
    EXPECT_TRUE(run.err.contains("libhost_test_not_a_plugin.so: not a plug-in"));

    // The panel's green, not an empty grab.
    EXPECT_GT(QImage(shot).pixelColor(80, 45).green(), 150);
}

TEST_F(StudioProcessTest, ScriptErrorsNameTheLineAndFail) {
    const QString script = writeScript(dir, "broken.js",
                                       QStringLiteral("print('one');\n"
                                                      "var x = 1;\n"
                                                      "x.noSuchFunction();\n"
                                                      "quit(0);\n"));
    const StudioRun run = runStudio(hostArguments() << "--script" << script);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains("one\n"));
    EXPECT_TRUE(run.err.contains(script + ":3: TypeError")) << qPrintable(run.err);
}

TEST_F(StudioProcessTest, BadUsageExitsWithTwoAndUnknownRunTextWithOne) {
    const StudioRun run = runStudio({"--frobnicate"});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("unknown option \"--frobnicate\""));

    const StudioRun unknown = runStudio(hostArguments() << "--run" << "No Such Item...");
    ASSERT_TRUE(unknown.finished);
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("no action \"No Such Item...\"")) << qPrintable(unknown.err);
}

} // namespace
