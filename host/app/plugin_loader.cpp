#include "plugin_loader.h"

#include "dzplugin.h"

#include <QDir>
#include <QLibrary>

namespace morvane::host {

PluginScan loadPlugins(const QString& folder, const DzVersion& hostVersion) {
    PluginScan scan;
    const QDir dir(folder);
    const QStringList files =
        dir.entryList({QStringLiteral("*.so")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : files) {
        const QString file = dir.absoluteFilePath(name);
        // QLibrary's destructor leaves the library loaded: a kept plug-in's
        // factories and actions live until the process ends.
        QLibrary library(file);
        auto refuse = [&](const QString& why) {
            scan.problems << QStringLiteral("%1: %2").arg(file, why);
            library.unload();
        };
        if (!library.load()) {
            scan.problems << QStringLiteral("%1: cannot load: %2").arg(file, library.errorString());
            continue;
        }
        const auto sdkVersion = reinterpret_cast<DzGetSDKVersionFunction>(
            library.resolve(DZ_SDK_VERSION_FUNCTION_NAME));
        const auto definition = reinterpret_cast<DzGetPluginDefinitionFunction>(
            library.resolve(DZ_PLUGIN_DEFINITION_FUNCTION_NAME));
        if (!sdkVersion || !definition) {
            refuse(QStringLiteral("not a plug-in (getSDKVersion or getPluginDefinition missing), "
                                  "skipped"));
            continue;
        }
        const DzVersion version = sdkVersion();
        if (version.getMajor() != hostVersion.getMajor()) {
            refuse(QStringLiteral("built for SDK %1, this host provides SDK %2, refused")
                       .arg(version.toString(), hostVersion.toString()));
            continue;
        }
        DzPlugin* plugin = definition();
        if (!plugin) {
            refuse(QStringLiteral("gives no plug-in definition, refused"));
            continue;
        }
        scan.plugins.append({file, plugin, version});
    }
    return scan;
}

} // namespace morvane::host
