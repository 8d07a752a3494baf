#pragma once

#include "sky/sky_parameters.h"

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

    // Terrain export (what "TERRAFORM !" and the scene export write).
    QString exportName;
    QString outDir;
    int terrainSize = 100;
    int heightLow = 0;
    int heightUp = 10;
    int textureSize = 512;
    int normalMapSize = 0;
    int bump = 1000;
    QString heightmap16File;
    QString gltfFile; // the exported terrain as glTF too

    // The sky alone: no preset needed.
    QString skyMapFile;  // .jpg or .png
    QString skyDomeFile; // text, one vertex a line
    int skySize = 4096;
    double skyRadius = 50.0;
    SkyParameters sky;
    bool skyOnly() const { return !skyMapFile.isEmpty() || !skyDomeFile.isEmpty(); }
};

struct ParseResult {
    std::optional<CliOptions> options; // empty: bad usage
    QString error;
    bool help = false;
};

ParseResult parseCliOptions(const QStringList& arguments); // without the program name
QString cliUsage();

} // namespace morvane::cli
