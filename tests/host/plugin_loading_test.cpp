#include "dzaction.h"
#include "dzapp.h"
#include "dzclassfactory.h"
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

QStringList problemsNaming(const QStringList& problems, const QString& fileName) {
    QStringList found;
    for (const QString& problem : problems)
        if (problem.contains("/" + fileName + ":"))
            found << problem;
    return found;
}

TEST(PluginLoaderTest, KeepsOnlyPluginsOfTheHostsMajorVersion) {
    const PluginScan scan = loadPlugins(kPluginDir, dzSDKVersion());

    ASSERT_EQ(scan.plugins.size(), 1);
    const LoadedPlugin& plugin = scan.plugins.front();
    EXPECT_TRUE(plugin.file.endsWith("/libhost_test_plugin.so"));
    EXPECT_EQ(plugin.sdkVersion, dzSDKVersion());
    ASSERT_NE(plugin.definition, nullptr);
    EXPECT_EQ(plugin.definition->getName(), "Host Test");
    EXPECT_EQ(plugin.definition->getVersion(), DzVersion(0, 1, 0, 0));
    EXPECT_EQ(plugin.definition->getNumClassFactories(), 1);

    ASSERT_EQ(scan.problems.size(), 3) << qPrintable(scan.problems.join('\n'));
    const QStringList older = problemsNaming(scan.problems, "libhost_test_sdk3_plugin.so");
    const QStringList newer = problemsNaming(scan.problems, "libhost_test_sdk5_plugin.so");
    const QStringList other = problemsNaming(scan.problems, "libhost_test_not_a_plugin.so");
    ASSERT_EQ(older.size(), 1);
    ASSERT_EQ(newer.size(), 1);
    ASSERT_EQ(other.size(), 1);
    EXPECT_TRUE(older.front().contains("built for SDK 3.0.0.1, this host provides SDK 4.5.0.100"));
    EXPECT_TRUE(newer.front().contains("refused"));
    EXPECT_TRUE(other.front().contains("not a plug-in"));

    // A host built for another major version refuses the good one too.
    EXPECT_TRUE(loadPlugins(kPluginDir, DzVersion(7, 0, 0, 0)).plugins.isEmpty());
}

TEST(PluginLoaderTest, MissingFolderLoadsNothing) {
    const PluginScan scan = loadPlugins("/nonexistent/plugins", dzSDKVersion());
    EXPECT_TRUE(scan.plugins.isEmpty());
    EXPECT_TRUE(scan.problems.isEmpty());
}

TEST(StudioAppTest, RegistersFactoriesAndFillsTheCreateMenu) {
    QTemporaryDir documents;
    HostPaths paths;
    paths.pluginsPath = kPluginDir;
    paths.documentsPath = documents.path();
    paths.contentDirectories = QStringList{"/content/a", "/content/b"};
    StudioApp studio(paths);

    ASSERT_NE(dzApp, nullptr);
    EXPECT_EQ(dzApp->getPluginsPath(), kPluginDir);
    EXPECT_EQ(dzApp->getDocumentsPath(), documents.path());
    EXPECT_EQ(dzApp->getContentMgr()->getNumPoserDirectories(), 2);
    EXPECT_EQ(dzApp->getContentMgr()->getPoserDirectory(1), "/content/b");
    EXPECT_EQ(dzApp->getContentMgr()->getPoserDirectory(2), QString());

    const QStringList problems = studio.loadPlugins();
    EXPECT_EQ(problems.size(), 3);

    DzClassFactory* factory = dzApp->findClassFactory(QStringLiteral("HostTestAction"));
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->getGuid().toString(), "3F2C9A10-0B7E-4D1A-9C55-6A8E12F0B001");

    // The action is in the Create menu, found with or without its mnemonic.
    HostWindow& window = studio.window();
    ASSERT_EQ(window.createActions().size(), 1);
    DzAction* action = window.findAction("Host Test Item...");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(window.findAction("Host &Test Item..."), action);
    EXPECT_EQ(window.findAction("Host Test"), nullptr);
    EXPECT_EQ(action->statusTip(), "Opens the test panel"); // init() ran
    QMenu* create = window.menuBar()->findChild<QMenu*>("createMenu");
    ASSERT_NE(create, nullptr);
    EXPECT_TRUE(create->actions().contains(action));

    const QScriptValue type =
        dzApp->getScriptEngine()->evaluate(QStringLiteral("typeof HostTestAction"));
    EXPECT_EQ(type.toString(), "function");

    // Loading the same folder again registers nothing twice.
    const QStringList again = studio.loadPlugins();
    EXPECT_TRUE(again.join('\n').contains("HostTestAction is already registered"));
    EXPECT_EQ(window.createActions().size(), 1);
}

} // namespace
