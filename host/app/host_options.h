#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace morvane::host {

// The command line of `studio`. Empty fields were not given.
struct HostOptions {
    QString pluginsPath;
    QString documentsPath;
    QStringList contentDirectories; // --content, repeatable, in order
    QString runAction;              // text of the action to trigger at start
    QString scriptFile;
    QString saveScenePath; // glTF file written after the script
};

struct HostParseResult {
    std::optional<HostOptions> options; // empty: bad usage or --help
    QString error;
    bool help = false;
};

HostParseResult parseHostOptions(const QStringList& arguments); // without the program name
QString hostUsage();

} // namespace morvane::host
