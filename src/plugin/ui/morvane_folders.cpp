#include "plugin/ui/morvane_folders.h"

#include <QDir>

namespace morvane {

MorvaneFolders morvaneFolders(const QString& pluginsPath, const QString& documentsPath) {
    MorvaneFolders folders;
    folders.documents =
        QString(documentsPath).replace(QStringLiteral("Studio4"), QStringLiteral("Studio"));
    folders.pluginDir = pluginsPath + QStringLiteral("/morvanePX");
    folders.dataDir = folders.documents + QStringLiteral("/morvanePX");
    return folders;
}

void makeDataFolders(const MorvaneFolders& folders) {
    QDir data(folders.dataDir);
    for (const QString& sub : {QStringLiteral("maps"), QStringLiteral("presets")})
        data.mkpath(sub);
}

} // namespace morvane
