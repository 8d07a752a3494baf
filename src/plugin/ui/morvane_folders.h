#pragma once

#include <QString>

namespace morvane {

// The folders one window build works with.
struct MorvaneFolders {
    QString documents; // the host documents folder, "Studio4" read as "Studio"
    QString pluginDir; // <plug-ins>/morvanePX: read-only data shipped with the plug-in
    QString dataDir;   // <documents>/morvanePX: maps, user presets, the log file
};

MorvaneFolders morvaneFolders(const QString& pluginsPath, const QString& documentsPath);

// Makes the data folder with its `maps` and `presets` folders where they are
// missing. Failures show up later as files that cannot be written.
void makeDataFolders(const MorvaneFolders& folders);

} // namespace morvane
