#include "host_paths.h"

#include <QDir>

namespace morvane::host {

namespace {

QString absoluteClean(const QString& path) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

QString firstGiven(const QString& option, const QProcessEnvironment& environment,
                   const char* variable) {
    if (!option.isEmpty())
        return option;
    return environment.value(QString::fromLatin1(variable));
}

} // namespace

QString shippedSampleLibrary(const QString& applicationDir) {
    const QString folder = absoluteClean(applicationDir + "/../content/MORVANE Samples");
    return QDir(folder + "/Runtime").exists() ? folder : QString();
}

HostPaths resolveHostPaths(const HostOptions& options, const QProcessEnvironment& environment,
                           const QString& applicationDir, const QString& homeDir) {
    HostPaths paths;

    const QString plugins = firstGiven(options.pluginsPath, environment, "MORVANE_PLUGINS");
    paths.pluginsPath = absoluteClean(plugins.isEmpty() ? applicationDir + "/../plugins" : plugins);

    const QString defaultDocuments = homeDir + "/Documents/DAZ 3D/Studio";
    const QString documents = firstGiven(options.documentsPath, environment, "MORVANE_DOCUMENTS");
    paths.documentsIsDefault = documents.isEmpty();
    paths.documentsPath = absoluteClean(documents.isEmpty() ? defaultDocuments : documents);

    QStringList content = options.contentDirectories;
    if (content.isEmpty())
        content = environment.value(QStringLiteral("MORVANE_CONTENT"))
                      .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (content.isEmpty()) {
        // The sample library shipped beside the application, so a new user
        // has props to paint; else the host's usual content folder.
        const QString samples = shippedSampleLibrary(applicationDir);
        content << (samples.isEmpty() ? defaultDocuments + "/content" : samples);
    }
    for (const QString& folder : content)
        if (!folder.isEmpty())
            paths.contentDirectories << absoluteClean(folder);
    paths.contentDirectories.removeDuplicates();
    return paths;
}

bool ensureDocumentsFolder(const HostPaths& paths) {
    if (QDir(paths.documentsPath).exists())
        return true;
    return paths.documentsIsDefault && QDir().mkpath(paths.documentsPath);
}

} // namespace morvane::host
