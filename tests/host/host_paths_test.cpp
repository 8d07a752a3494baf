#include "host_paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace morvane::host;

namespace {

QProcessEnvironment
environmentWith(std::initializer_list<std::pair<const char*, const char*>> vars) {
    QProcessEnvironment environment;
    for (const auto& [name, value] : vars)
        environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
    return environment;
}

const QString kAppDir = QStringLiteral("/opt/studio/bin");
const QString kHome = QStringLiteral("/home/ann");

TEST(HostPathsTest, OptionBeatsEnvironmentBeatsDefault) {
    const QProcessEnvironment environment =
        environmentWith({{"MORVANE_PLUGINS", "/env/plugins"},
                         {"MORVANE_DOCUMENTS", "/env/docs"},
                         {"MORVANE_CONTENT", "/env/a::/env/b/"}});
    HostOptions options;
    options.pluginsPath = "/opt/plugins/";
    options.documentsPath = "/opt/docs";
    options.contentDirectories = QStringList{"/opt/c1", "./props/../props"};

    // Relative option paths become absolute.
    HostPaths paths = resolveHostPaths(options, environment, kAppDir, kHome);
    EXPECT_EQ(paths.pluginsPath, "/opt/plugins");
    EXPECT_EQ(paths.contentDirectories,
              QStringList({"/opt/c1", QDir::current().absoluteFilePath("props")}));

    paths = resolveHostPaths(HostOptions(), environment, kAppDir, kHome);
    EXPECT_EQ(paths.pluginsPath, "/env/plugins");
    EXPECT_EQ(paths.contentDirectories, QStringList({"/env/a", "/env/b"}));

    // Variables set but empty count as not set.
    paths = resolveHostPaths(HostOptions(),
                             environmentWith({{"MORVANE_DOCUMENTS", ""}, {"MORVANE_CONTENT", ":"}}),
                             kAppDir, kHome);
    EXPECT_EQ(paths.pluginsPath, "/opt/studio/plugins");
    EXPECT_EQ(paths.documentsPath, "/home/ann/Documents/DAZ 3D/Studio");
    EXPECT_EQ(paths.contentDirectories, QStringList({"/home/ann/Documents/DAZ 3D/Studio/content"}));
    EXPECT_TRUE(paths.documentsIsDefault);
}

TEST(HostPathsTest, OnlyTheDefaultDocumentsFolderIsCreated) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());

    HostOptions named;
    named.documentsPath = home.filePath("mine/Studio");
    EXPECT_FALSE(ensureDocumentsFolder(
        resolveHostPaths(named, QProcessEnvironment(), kAppDir, home.path())));
    EXPECT_FALSE(QDir(named.documentsPath).exists());

    const HostPaths defaults =
        resolveHostPaths(HostOptions(), QProcessEnvironment(), kAppDir, home.path());
    EXPECT_TRUE(ensureDocumentsFolder(defaults));
    EXPECT_TRUE(QDir(home.filePath("Documents/DAZ 3D/Studio")).exists());
}

TEST(HostPathsTest, ShippedSampleLibraryIsTheDefaultContentWhenPresent) {
    QTemporaryDir install;
    ASSERT_TRUE(install.isValid());
    const QString bin = install.filePath("bin");
    const QString samples = install.filePath("content/MORVANE Samples");
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(samples));

    auto content = [&](const QProcessEnvironment& environment = {}) {
        return resolveHostPaths(HostOptions(), environment, bin, kHome).contentDirectories;
    };
    // Without its Runtime folder it is no library: the documents' content.
    EXPECT_EQ(content(), QStringList({"/home/ann/Documents/DAZ 3D/Studio/content"}));
    ASSERT_TRUE(QDir().mkpath(samples + "/Runtime"));
    EXPECT_EQ(content(), QStringList({samples}));
    // A named folder still wins.
    EXPECT_EQ(content(environmentWith({{"MORVANE_CONTENT", "/c"}})), QStringList({"/c"}));
}

TEST(HostOptionsTest, ParsesRepeatedAndInlineValuesAndRejectsTheRest) {
    const HostParseResult parsed =
        parseHostOptions({"--plugins", "/p", "--content=/c1", "--content", "/c2", "--run",
                          "New X...", "--script", "s.js", "--documents", "/d"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->documentsPath, "/d");
    EXPECT_EQ(parsed.options->contentDirectories, QStringList({"/c1", "/c2"}));
    EXPECT_EQ(parsed.options->runAction, "New X...");
    EXPECT_EQ(parsed.options->scriptFile, "s.js");

    EXPECT_FALSE(parseHostOptions({"--run"}).options);
    EXPECT_FALSE(parseHostOptions({"stray"}).options);
    EXPECT_TRUE(parseHostOptions({"--help"}).help);
}

} // namespace
