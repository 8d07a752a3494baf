#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace morvane::cli {

struct CliOptions {
    QString preset;
    int size = 256;
    bool finalFlag = false;
    bool fullDetail = false;
    QString mapsDir = QStringLiteral("maps");
    QString rawFile;
    QString pluginDir;
    QString logFile;
    QString thumbnailFile;
    std::optional<unsigned> seed;
    int threads = 0;
};

struct ParseResult {
    std::optional<CliOptions> options; // empty: bad usage
    QString error;
    bool help = false;
};

ParseResult parseCliOptions(const QStringList& arguments); // without the program name
QString cliUsage();

} // namespace morvane::cli
