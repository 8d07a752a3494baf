#pragma once

#include <QString>

namespace morvane {

// The two folders the pipeline works with: the plug-in folder
// (<plug-ins>/morvanePX, read-only data: gradients, shipped presets) and the
// data folder (<documents>/morvanePX: maps, user presets, the log file).
struct PipelinePaths {
    QString pluginDir; // .../morvanePX of the plug-in
    QString dataDir;   // .../morvanePX of the user's documents
    QString mapsDirOverride; // pictures elsewhere than <data>/maps (command line)

    QString resourcesDir() const { return pluginDir + QStringLiteral("/resources"); }
    QString gradientsDir() const { return resourcesDir() + QStringLiteral("/gradients"); }
    QString gradientFile(const QString& name) const { return gradientsDir() + '/' + name; }
    QString nativePresetsDir() const { return pluginDir + QStringLiteral("/presets"); }

    QString mapsDir() const {
        return mapsDirOverride.isEmpty() ? dataDir + QStringLiteral("/maps") : mapsDirOverride;
    }
    QString mapFile(const QString& name) const { return mapsDir() + '/' + name; }
    QString userPresetsDir() const { return dataDir + QStringLiteral("/presets"); }
    QString logFile() const { return dataDir + QStringLiteral("/logFile.txt"); }

    // The *.bmp files of the gradients folder sorted by name: the items of
    // the two gradient lists.
    QStringList gradientNames() const;
};

} // namespace morvane
