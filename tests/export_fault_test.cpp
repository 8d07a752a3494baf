#include "fault_support.h"
#include "pipeline_fixture.h"

#include "hostexport/terrain_export.h"
#include "pipeline/terrain_arrays.h"
#include "recipe/node_types.h"

#include <new>

namespace morvane {
namespace {

using testing::entriesOf;
using testing::failing;
using testing::readFile;
using testing::ScopedFileFault;
using testing::writeFile;

// A failed export leaves the previous one whole: never a new texture beside
// an old or missing mesh.
class ExportFaultTest : public testing::PipelineFixture {
protected:
    void SetUp() override {
        PipelineFixture::SetUp();
        state.recipe.inputs[0].type = int(InputType::Perlin);
        GenerationDriver d = driver();
        ASSERT_TRUE(d.generatePreviewTerrain());
        folder = QDir(root()).filePath("export");
        request.groupName = "t";
        request.textureSize = 32;
        request.outputDir = folder;
        const TerrainExportResult first = exportTerrain(d, state.terrain, request);
        ASSERT_TRUE(first.ok) << first.error.toStdString();
        oldObj = readFile(folder + "/t.obj");
        oldTexture = readFile(folder + "/t.jpg");
        request.normalMapSize = 32;
        state.recipe.inputs[0].seedNumber += 1; // the next texture differs
        log.lines.clear();
        progress.events.clear();
    }

    void expectPreviousExport(const char* name) {
        EXPECT_EQ(readFile(folder + "/t.obj"), oldObj) << name;
        EXPECT_EQ(readFile(folder + "/t.jpg"), oldTexture) << name;
        EXPECT_FALSE(QFileInfo(folder + "/NormalMap_t.jpg").isFile()) << name;
        EXPECT_EQ(entriesOf(folder).filter(".morvane-staging").size(), 0) << name;
        EXPECT_FALSE(progress.events.contains("status:terrain geometry generated")) << name;
    }

    QString folder;
    TerrainExportRequest request;
    QByteArray oldObj, oldTexture;
};

TEST_F(ExportFaultTest, AFailedExportKeepsThePreviousSetAndSaysWhy) {
    const struct {
        const char* name;
        FileFaultHook fault;
        const char* error;
    } cases[] = {
        {"disk full while writing the mesh",
         [](const QString& p, FileStep step) {
             return p.endsWith("t.obj") && step == FileStep::Write ? ENOSPC : 0;
         },
         "The terrain mesh could not be written"},
        {"disk full as the set is put in place", failing(folder + "/t.obj", FileStep::Commit),
         "No space left on device"},
    };
    for (const auto& c : cases) {
        ScopedFileFault fault(c.fault);
        progress.events.clear();
        GenerationDriver d = driver();
        const TerrainExportResult result = exportTerrain(d, state.terrain, request);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_TRUE(result.error.contains(c.error)) << c.name << ": "
                                                     << result.error.toStdString();
        expectPreviousExport(c.name);
    }
}

TEST_F(ExportFaultTest, RunningOutOfMemoryMidExportKeepsThePreviousSetAndTheDriverUsable) {
    // Thrown where a real failure at a large texture size would be.
    request.onTextureMap = [](const noise::utils::NoiseMap&) { throw std::bad_alloc(); };
    GenerationDriver d = driver();
    EXPECT_THROW(exportTerrain(d, state.terrain, request), std::bad_alloc);
    expectPreviousExport("out of memory");

    request.onTextureMap = nullptr;
    const TerrainExportResult again = exportTerrain(d, state.terrain, request);
    ASSERT_TRUE(again.ok) << again.error.toStdString();
    EXPECT_NE(readFile(folder + "/t.jpg"), oldTexture);
    EXPECT_EQ(entriesOf(folder), (QStringList{"NormalMap_t.jpg", "t.jpg", "t.obj"}));
}

TEST_F(ExportFaultTest, AFolderRemovedDuringTheExportIsReportedNotCountedAsDone) {
    request.onTextureMap = [&](const noise::utils::NoiseMap&) {
        QDir(folder).removeRecursively();
    };
    GenerationDriver d = driver();
    const TerrainExportResult result = exportTerrain(d, state.terrain, request);
    EXPECT_FALSE(result.ok) << entriesOf(folder).join(',').toStdString();
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder + "/t.obj"));
}

TEST_F(ExportFaultTest, AFailedPresetSaveKeepsTheOldPresetAndSaysSo) {
    const QString preset = paths.userPresetsDir() + "/mine.ipf";
    ASSERT_TRUE(QDir().mkpath(paths.userPresetsDir()));
    const QString thumbnail = paths.userPresetsDir() + "/mine.jpg";
    ASSERT_TRUE(writeFile(preset, "I1Type=3\n"));
    ASSERT_TRUE(writeFile(thumbnail, "old picture"));
    const struct {
        const char* name;
        FileFaultHook fault;
    } cases[] = {
        {"disk full", failing(preset, FileStep::Write)},
        {"read-only folder", failing(preset, FileStep::Open, EROFS)},
        {"folder removed",
         [&](const QString& p, FileStep step) {
             if (p == preset && step == FileStep::Open)
                 QDir(paths.userPresetsDir()).removeRecursively();
             return 0;
         }},
    };
    for (const auto& c : cases) {
        ScopedFileFault fault(c.fault);
        notifier.messages.clear();
        log.lines.clear();
        EXPECT_FALSE(driver().savePreset("mine")) << c.name;
        ASSERT_EQ(notifier.messages.size(), 1u) << c.name;
        EXPECT_EQ(notifier.messages[0].second,
                  "The preset could not be written to " + paths.userPresetsDir() + "/mine.ipf");
        EXPECT_FALSE(log.lines.contains("preset saved\n")) << c.name;
        if (QFileInfo::exists(paths.userPresetsDir())) {
            EXPECT_EQ(readFile(preset), "I1Type=3\n") << c.name;
            EXPECT_EQ(readFile(thumbnail), "old picture") << c.name;
        }
        EXPECT_EQ(entriesOf(paths.userPresetsDir()).filter(".ipf.").size(), 0) << c.name;
    }

    // A thumbnail that cannot be written leaves the saved preset without one,
    // never with an older preset's picture.
    ASSERT_TRUE(QDir().mkpath(paths.userPresetsDir()));
    ASSERT_TRUE(writeFile(thumbnail, "old picture"));
    ScopedFileFault fault(failing(thumbnail, FileStep::Write));
    EXPECT_TRUE(driver().savePreset("mine"));
    EXPECT_NE(readFile(preset), "I1Type=3\n");
    EXPECT_FALSE(QFileInfo::exists(thumbnail));
}

// Pictures that cannot be written fail the evaluation, which says so once
// for a run of failures (a full disk fails every slider move) and again
// after pictures were written in between.
TEST_F(ExportFaultTest, PicturesThatCannotBeWrittenAreToldOnceAFailureRun) {
    const QString texture = paths.mapFile("TFFnoisePreview.jpg");
    const QByteArray oldTexture = readFile(texture);
    ASSERT_FALSE(oldTexture.isEmpty());
    const FileFaultHook fullDisk = failing(texture, FileStep::Write);
    GenerationDriver d = driver();
    notifier.messages.clear();
    {
        ScopedFileFault fault(fullDisk);
        EXPECT_FALSE(d.evaluate(false, 64, false));
        EXPECT_FALSE(d.evaluate(false, 64, false));
    }
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, d.lastEvaluationError());
    EXPECT_TRUE(d.lastEvaluationError().startsWith("The pictures could not be written: " + texture +
                                                   ": No space left on device"))
        << d.lastEvaluationError().toStdString();
    EXPECT_EQ(readFile(texture), oldTexture);

    EXPECT_TRUE(d.evaluate(false, 64, false));
    EXPECT_TRUE(d.lastEvaluationError().isEmpty());
    ScopedFileFault fault(fullDisk);
    EXPECT_FALSE(d.evaluate(false, 64, false));
    EXPECT_EQ(notifier.messages.size(), 2u);
}

} // namespace
} // namespace morvane
