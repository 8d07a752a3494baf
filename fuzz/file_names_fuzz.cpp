// Preset and terrain group names on any text: a refused name writes nothing
// anywhere, an accepted one writes its files directly in their folder and
// nowhere else, and a name the file system rejects is reported, not saved
// half-way.

#include "fuzz_support.h"

#include "common/event_log.h"
#include "common/notifier.h"
#include "common/progress_sink.h"
#include "common/safe_file.h"
#include "hostexport/terrain_export.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/terrain_arrays.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace {

using namespace morvane;

struct CountingNotifier : Notifier {
    int count = 0;
    void warn(const QString&, const QString&) override { ++count; }
};

// In memory where the system has a tmpfs: every save syncs its file, which
// on a disk would hold each input up for milliseconds.
QString workspaceTemplate() {
    const QString shm = QStringLiteral("/dev/shm");
    return QFileInfo(shm).isDir() && QFileInfo(shm).isWritable()
               ? shm + QStringLiteral("/morvane-fuzz-XXXXXX")
               : QDir::tempPath() + QStringLiteral("/morvane-fuzz-XXXXXX");
}

struct Workspace {
    QTemporaryDir root{workspaceTemplate()};
    QString presets, exports;
    Workspace() {
        presets = root.filePath("data/presets");
        exports = root.filePath("export");
        QDir().mkpath(presets);
        QDir().mkpath(exports);
    }
    // Every file below the root, folders left out.
    QStringList files() const {
        QStringList found;
        QDirIterator it(root.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }
    void clear() const {
        for (const QString& file : files())
            QFile::remove(file);
        for (const QString& folder : {presets, exports}) {
            QDir(folder).removeRecursively();
            QDir().mkpath(folder);
        }
    }
};

Workspace& workspace() {
    static Workspace w;
    return w;
}

bool directlyIn(const QString& file, const QString& folder) {
    const QFileInfo info(file);
    return info.isFile() && info.dir().canonicalPath() == QDir(folder).canonicalPath();
}

// One driver for the run: building one starts the sampling threads.
struct PresetSaver {
    PipelineState state;
    EvaluationContext context;
    NullEventLog log;
    CountingNotifier notifier;
    NullProgressSink progress;
    std::unique_ptr<GenerationDriver> driver;
    PresetSaver() {
        context.paths.pluginDir = workspace().root.filePath("plugins");
        context.paths.dataDir = workspace().root.filePath("data");
        context.log = &log;
        context.notifier = &notifier;
        context.progress = &progress;
        driver = std::make_unique<GenerationDriver>(state, context);
    }
};

void checkPresetName(const QString& name) {
    Workspace& w = workspace();
    static PresetSaver saver;
    CountingNotifier& notifier = saver.notifier;
    notifier.count = 0;
    GenerationDriver& driver = *saver.driver;

    const bool saved = driver.savePreset(name);
    const QStringList files = w.files();
    if (saved) {
        FUZZ_CHECK(files.size() == 1);
        FUZZ_CHECK(directlyIn(files[0], w.presets));
        FUZZ_CHECK(QFileInfo(files[0]).fileName() == name + ".ipf");
        FUZZ_CHECK(notifier.count == 0);
    } else {
        // Refused, or not writable under that name: said so, nothing left.
        FUZZ_CHECK(files.isEmpty());
        FUZZ_CHECK(notifier.count == (name.isEmpty() ? 0 : 1));
    }
    w.clear();
}

void checkExportName(const QString& name) {
    Workspace& w = workspace();
    const QString refusal = morvane::checkGroupName(name);
    {
        // The export itself: a refused name stops it before any file.
        static PresetSaver exporter;
        TerrainExportRequest request;
        request.groupName = name;
        request.outputDir = w.exports;
        const TerrainExportResult result =
            exportTerrain(*exporter.driver, TerrainArrays(), request);
        FUZZ_CHECK(!result.ok);
        if (!refusal.isEmpty())
            FUZZ_CHECK(result.error == refusal);
        FUZZ_CHECK(w.files().isEmpty());
    }
    if (!refusal.isEmpty())
        return;

    // An accepted name: the export's three files land in its folder or,
    // when the file system rejects the name, none of them anywhere.
    const QStringList names = {name + ".obj", name + ".jpg", "NormalMap_" + name + ".jpg"};
    bool committed = false;
    {
        FileSet set(w.exports);
        FUZZ_CHECK(set.isValid());
        bool written = true;
        for (const QString& file : names)
            written = writeFileSafely(set.stage(file), file.toUtf8()) && written;
        committed = written && set.commit();
        if (written && !committed)
            FUZZ_CHECK(!set.errorString().isEmpty());
    }
    const QStringList files = w.files();
    if (committed) {
        FUZZ_CHECK(files.size() == 3);
        for (const QString& file : names)
            FUZZ_CHECK(directlyIn(w.exports + '/' + file, w.exports));
    } else {
        FUZZ_CHECK(files.isEmpty());
    }
    w.clear();
}

} // namespace

int morvane::fuzz::fileNamesOneInput(const std::uint8_t* data, std::size_t size) {
    const QString name = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    checkPresetName(name);
    checkExportName(name);
    return 0;
}

MORVANE_FUZZ_TARGET(fileNamesOneInput)
