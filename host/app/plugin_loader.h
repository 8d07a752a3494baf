#pragma once

#include "dzversion.h"

#include <QList>
#include <QString>
#include <QStringList>

class DzPlugin;

namespace morvane::host {

struct LoadedPlugin {
    QString file;
    DzPlugin* definition = nullptr; // owned by the library, valid while it stays loaded
    DzVersion sdkVersion;
};

struct PluginScan {
    QList<LoadedPlugin> plugins; // in file-name order
    QStringList problems;        // one line per library skipped or refused
};

// Loads every "*.so" in `folder`. A library is kept only when it exports
// getSDKVersion and getPluginDefinition, was built for the host's SDK major
// version and gives a definition; the others are unloaded again and named in
// `problems`. Kept libraries stay loaded for the life of the process.
PluginScan loadPlugins(const QString& folder, const DzVersion& hostVersion);

} // namespace morvane::host
