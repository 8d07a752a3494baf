// morvane-cli: evaluates a terrain preset without the host, for batch work
// and for driving the whole pipeline from scripts and tests.

#include "cli/cli_options.h"
#include "cli/cli_sky.h"
#include "common/event_log.h"
#include "common/notifier.h"
#include "common/progress_sink.h"
#include "common/safe_file.h"
#include "common/seed_source.h"
#include "hostexport/terrain_export.h"
#include "terrain_gltf.h"
#include "pipeline/terrain_erosion.h"
#include "pipeline/generation_driver.h"
#include "pipeline/heightmap16.h"
#include "pipeline/terrain_arrays.h"
#include "pipeline/pipeline_state.h"
#include "recipe/preset_file.h"

#include <libnoise/exception.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstdio>
#include <memory>
#include <new>

namespace {

using namespace morvane;

void printErr(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

class StderrProgress : public ProgressSink {
public:
    void setBusyText(const QString&) override {}
    void setStatusText(const QString& text) override { printErr(text + '\n'); }
    void processEvents() override {}
};

class StderrNotifier : public Notifier {
public:
    void warn(const QString& title, const QString& text) override {
        printErr(title + QStringLiteral(": ") + text + '\n');
    }
};

// Little-endian floats, row by row. "-" is standard output, so the map can
// be piped into another tool; any other path goes through the safe-file
// layer (a device or pipe is written in place, a plain file replaced only
// when complete).
bool writeRaw(const noise::utils::NoiseMap& map, const QString& path, QString& reason) {
    QByteArray row(map.GetWidth() * 4, Qt::Uninitialized);
    auto fillRow = [&](int y) {
        const float* values = map.GetRowPtr(y);
        for (int x = 0; x < map.GetWidth(); ++x)
            qToLittleEndian<float>(values[x], row.data() + x * 4);
    };
    if (path == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly)) {
            reason = out.errorString();
            return false;
        }
        for (int y = 0; y < map.GetHeight(); ++y) {
            fillRow(y);
            if (out.write(row) != row.size())
                break;
        }
        const bool written = out.flush() && out.error() == QFileDevice::NoError;
        reason = out.errorString();
        return written;
    }
    SafeFileWriter file(path);
    if (!file.open()) {
        reason = file.errorString();
        return false;
    }
    for (int y = 0; y < map.GetHeight(); ++y) {
        fillRow(y);
        if (!file.write(row)) {
            reason = file.errorString();
            return false;
        }
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

// "TERRAFORM !" (the final map at 512 and the terrain arrays) followed by
// the terrain export.
int exportTerrain(const cli::CliOptions& options, GenerationDriver& driver) {
    const QString nameProblem = checkGroupName(options.exportName);
    if (!nameProblem.isEmpty()) {
        printErr(QStringLiteral("morvane-cli: ") + nameProblem + '\n');
        return 1;
    }
    PipelineState& state = driver.state();
    state.finalStage.terrainSizeText = QString::number(options.terrainSize);
    state.finalStage.terrainHeightLow = options.heightLow;
    state.finalStage.terrainHeightUp = options.heightUp;
    if (!driver.generatePreviewTerrain())
        return 1;
    TerrainExportRequest request;
    request.groupName = options.exportName;
    request.textureSize = options.textureSize;
    request.normalMapSize = options.normalMapSize;
    request.bumpSlider = options.bump;
    request.outputDir = QDir(options.outDir).absolutePath();
    bool heightmapWritten = true;
    QString heightmapProblem;
    if (!options.heightmap16File.isEmpty())
        request.onTextureMap = [&](const noise::utils::NoiseMap& map) {
            heightmapWritten = writeHeightmap16(map, options.heightmap16File, &heightmapProblem);
        };
    const TerrainExportResult result = morvane::exportTerrain(driver, state.terrain, request);
    if (!result.ok) {
        printErr(QStringLiteral("morvane-cli: ") + result.error + '\n');
        return 1;
    }
    if (!heightmapWritten) {
        printErr(QStringLiteral("morvane-cli: cannot write ") + options.heightmap16File +
                 QStringLiteral(": ") + heightmapProblem + '\n');
        return 1;
    }
    std::printf("%s\n%s\n", qPrintable(result.objFile), qPrintable(result.textureFile));
    if (!result.normalMapFile.isEmpty())
        std::printf("%s\n", qPrintable(result.normalMapFile));
    if (!options.gltfFile.isEmpty()) {
        QString error;
        if (!writeTerrainGltf(state.terrain, result, options.exportName, options.gltfFile, &error)) {
            printErr(QStringLiteral("morvane-cli: ") + error + '\n');
            return 1;
        }
        std::printf("%s\n", qPrintable(options.gltfFile));
    }
    return 0;
}

int run(const cli::CliOptions& options) {
    PipelinePaths paths;
    paths.pluginDir = options.pluginDir.isEmpty() ? QStringLiteral(MORVANE_DEFAULT_PX_DIR)
                                                  : options.pluginDir;
    paths.mapsDirOverride = QDir(options.mapsDir).absolutePath();

    if (!QFileInfo(paths.gradientsDir()).isDir()) {
        printErr(QStringLiteral("morvane-cli: no gradients folder at ") + paths.gradientsDir() +
                 QStringLiteral(" (use --plugin-dir)\n"));
        return 1;
    }
    const QFileInfo preset(options.preset);
    if (!preset.isFile() || !preset.isReadable()) {
        printErr(QStringLiteral("morvane-cli: cannot read the preset ") + options.preset + '\n');
        return 1;
    }
    if (!QDir().mkpath(paths.mapsDir()) || !QFileInfo(paths.mapsDir()).isWritable()) {
        printErr(QStringLiteral("morvane-cli: cannot write pictures to ") + paths.mapsDir() +
                 '\n');
        return 1;
    }
    FileEventLog fileLog;
    NullEventLog noLog;
    EventLog* log = &noLog;
    if (!options.logFile.isEmpty()) {
        if (!fileLog.open(options.logFile)) {
            printErr(QStringLiteral("morvane-cli: cannot write the log ") + options.logFile +
                     '\n');
            return 1;
        }
        log = &fileLog;
    }

    std::unique_ptr<SeedSource> seeds;
    if (options.seed)
        seeds = std::make_unique<SequenceSeedSource>(*options.seed);
    else
        seeds = std::make_unique<ClockSeedSource>();

    // The plug-in's start-up state; the size asked for is also the preview
    // size, so --size means the output size whatever the flags.
    PipelineState state;
    state.recipe = TerrainRecipe::startup(*seeds);
    state.previewMapSize = options.size;
    state.previewPictureSize = options.size;

    StderrProgress progress;
    StderrNotifier notifier;
    EvaluationContext context;
    context.paths = paths;
    context.log = log;
    context.notifier = &notifier;
    context.progress = &progress;
    context.threadCount = options.threads;
    TerrainErosion erosion(context);
    context.eroder = &erosion;
    GenerationDriver driver(state, context);

    // Loading as a user preset, then one evaluation with the flags given.
    log->write(QStringLiteral("loading preset ") + options.preset + '\n');
    driver.setCurrentMapStyle(1);
    PresetReadOptions readOptions;
    readOptions.type = PresetType::User;
    readOptions.nativePresetsDir = paths.nativePresetsDir();
    readOptions.gradientNames = paths.gradientNames();
    // The GUI keeps the fallback of an unreadable preset (nothing changes);
    // a batch run must not pass the start-up terrain off as the preset's.
    if (readPresetFile(options.preset, state.recipe, readOptions, notifier).linesApplied == 0) {
        printErr(QStringLiteral("morvane-cli: no preset settings found in ") + options.preset +
                 '\n');
        return 1;
    }

    // A log that could not be written to the end is a failed run: the file
    // the user asked for is incomplete.
    auto checkLog = [&](int status) {
        if (!fileLog.writeError().isEmpty()) {
            printErr(QStringLiteral("morvane-cli: cannot write the log ") + options.logFile +
                     QStringLiteral(": ") + fileLog.writeError() + '\n');
            return 1;
        }
        return status;
    };
    if (!options.exportName.isEmpty())
        return checkLog(exportTerrain(options, driver));

    // Without maps there is nothing to write: the files asked for are not
    // replaced by empty ones.
    if (!driver.evaluate(options.finalFlag, options.size, options.fullDetail))
        return checkLog(1);

    int status = 0;
    QString reason;
    if (!options.heightmap16File.isEmpty() &&
        !writeHeightmap16(state.finalHeightMap, options.heightmap16File, &reason)) {
        printErr(QStringLiteral("morvane-cli: cannot write ") + options.heightmap16File +
                 QStringLiteral(": ") + reason + '\n');
        status = 1;
    }
    if (!options.rawFile.isEmpty() && !writeRaw(state.finalHeightMap, options.rawFile, reason)) {
        printErr(QStringLiteral("morvane-cli: cannot write ") + options.rawFile +
                 QStringLiteral(": ") + reason + '\n');
        status = 1;
    }
    if (!options.thumbnailFile.isEmpty() &&
        !writePresetThumbnail(paths.mapFile(QStringLiteral("TFFnoisePreview.jpg")),
                              options.thumbnailFile)) {
        printErr(QStringLiteral("morvane-cli: cannot write ") + options.thumbnailFile + '\n');
        status = 1;
    }
    return checkLog(status);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    const cli::ParseResult parsed = cli::parseCliOptions(arguments);
    if (parsed.help) {
        std::fputs(cli::cliUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!parsed.options) {
        printErr(QStringLiteral("morvane-cli: ") + parsed.error + QStringLiteral("\n\n") +
                 cli::cliUsage());
        return 2;
    }
    try {
        if (parsed.options->skyOnly())
            return cli::runSky(*parsed.options);
        return run(*parsed.options);
    } catch (const noise::ExceptionOutOfMemory&) {
        printErr(QStringLiteral("morvane-cli: out of memory for this map size\n"));
    } catch (const std::bad_alloc&) {
        printErr(QStringLiteral("morvane-cli: out of memory for this map size\n"));
    } catch (const noise::Exception&) {
        printErr(QStringLiteral("morvane-cli: a noise module refused its parameters\n"));
    }
    return 1;
}
