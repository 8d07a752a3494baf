#include "dzaction.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzplugin.h"
#include "host_window.h"
#include "plugin_loader.h"
#include "studio_app.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QScriptEngine>
#include <QTemporaryDir>

using namespace morvane::host;

namespace {

const QString kPluginDir = QStringLiteral(HOST_TEST_PLUGIN_DIR);

TEST(PluginLoaderTest, KeepsOnlyPluginsOfTheHostsMajorVersion) {
    const PluginScan scan = loadPlugins(kPluginDir, dzSDKVersion());

    ASSERT_EQ(scan.plugins.size(), 1);
    const LoadedPlugin& plugin = scan.plugins.front();
    EXPECT_TRUE(plugin.file.endsWith("/libhost_test_plugin.so"));
    ASSERT_NE(plugin.definition, nullptr);
    EXPECT_EQ(plugin.definition->getNumClassFactories(), 1);

    const QString problems = scan.problems.join('\n');
    ASSERT_EQ(scan.problems.size(), 3) << qPrintable(problems);
    for (const char* reason :
         {"/libhost_test_sdk3_plugin.so: built for SDK 3.0.0.1, this host provides SDK 4.5.0.100",
          "/libhost_test_sdk5_plugin.so: built for SDK 5.",
          "/libhost_test_not_a_plugin.so: not a plug-in"})
        EXPECT_TRUE(problems.contains(QLatin1String(reason))) << reason;

    // A host built for another major version refuses the good one too.
    EXPECT_TRUE(loadPlugins(kPluginDir, DzVersion(7, 0, 0, 0)).plugins.isEmpty());
    const PluginScan missing = loadPlugins("/nonexistent/plugins", dzSDKVersion());
    EXPECT_TRUE(missing.plugins.isEmpty());
    EXPECT_TRUE(missing.problems.isEmpty());
}

TEST(StudioAppTest, RegistersFactoriesAndFillsTheCreateMenu) {
    QTemporaryDir documents;
    HostPaths paths;
    paths.pluginsPath = kPluginDir;
    paths.documentsPath = documents.path();
    paths.contentDirectories = QStringList{"/content/a", "/content/b"};
    StudioApp studio(paths);
    ASSERT_NE(dzApp, nullptr);
    EXPECT_EQ(dzApp->getContentMgr()->getPoserDirectory(2), QString()); // past the end

    EXPECT_EQ(studio.loadPlugins().size(), 3);
    ASSERT_NE(dzApp->findClassFactory(QStringLiteral("HostTestAction")), nullptr);

    // The action is in the Create menu, found with or without its mnemonic.
    HostWindow& window = studio.window();
    ASSERT_EQ(window.createActions().size(), 1);
    DzAction* action = window.findAction("Host Test Item...");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(window.findAction("Host &Test Item..."), action);
    EXPECT_EQ(window.findAction("Host Test"), nullptr);
    QMenu* create = window.menuBar()->findChild<QMenu*>("createMenu");
    ASSERT_NE(create, nullptr);
    EXPECT_TRUE(create->actions().contains(action));
    EXPECT_EQ(dzApp->getScriptEngine()->evaluate("typeof HostTestAction").toString(), "function");

    // Loading the same folder again registers nothing twice.
    const QStringList again = studio.loadPlugins();
    EXPECT_TRUE(again.join('\n').contains("HostTestAction is already registered"));
    EXPECT_EQ(window.createActions().size(), 1);
}

} // namespace
