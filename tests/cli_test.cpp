#include "pipeline_fixture.h"

#include "recipe/preset_file.h"

#include <QProcess>
#include <QtEndian>

#include <cstring>

namespace morvane {
namespace {

using testing::PipelineFixture;

class CliTest : public PipelineFixture {
protected:
    struct Result {
        int exitCode;
        QString errors;
    };
    Result run(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(MORVANE_CLI_PATH), arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardError())};
    }
    QString writePreset(const QByteArray& text) {
        const QString file = QDir(root()).filePath("terrain.ipf");
        QFile preset(file);
        EXPECT_TRUE(preset.open(QIODevice::WriteOnly));
        preset.write(text);
        return file;
    }
};

TEST_F(CliTest, BadUsageAndUnusableInputsAreReported) {
    Result r = run({});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.errors.contains("usage: morvane-cli")) << r.errors.toStdString();
    EXPECT_EQ(run({"a.ipf", "--size", "0"}).exitCode, 2);
    EXPECT_EQ(run({"a.ipf", "--size", "12x"}).exitCode, 2);
    EXPECT_EQ(run({"a.ipf", "--bogus"}).exitCode, 2);
    EXPECT_EQ(run({"a.ipf", "--maps"}).exitCode, 2);

    r = run({QDir(root()).filePath("missing.ipf"), "--plugin-dir", paths.pluginDir});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains("cannot read the preset"));

    const QString preset = writePreset("I1Type=5\n");
    r = run({preset, "--plugin-dir", QDir(root()).filePath("nowhere")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains("no gradients folder"));

    // A maps folder below a plain file cannot exist.
    r = run({preset, "--plugin-dir", paths.pluginDir, "--maps", preset + "/maps"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains("cannot write pictures"));
}

TEST_F(CliTest, RawHeightMapMatchesAnInProcessEvaluation) {
    const QByteArray text = "I1Type=4\nI1seedNumber=6\nI2Type=1\nI2seedNumber=2\n"
                            "C1TerrainType=5\nC1NoiseType=5\nT1power=25\nT1seed=3\n"
                            "gradient1=alpine.bmp\ngradient2=volcanic.bmp\n";
    const QString preset = writePreset(text);
    const QString raw = QDir(root()).filePath("height.raw");
    const QString maps = QDir(root()).filePath("cli maps");
    const Result r = run({preset, "--size", "64", "--final", "--maps", maps, "--raw", raw,
                          "--plugin-dir", paths.pluginDir, "--seed", "5", "--log",
                          QDir(root()).filePath("log.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_TRUE(QFile::exists(maps + "/TFFnoisePreview.jpg"));
    EXPECT_FALSE(QFile::exists(maps + "/HI1noisePreview.jpg")); // final: no node pictures

    QFile log(QDir(root()).filePath("log.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray logText = log.readAll();
    EXPECT_TRUE(logText.startsWith("loading preset " + preset.toUtf8() +
                                   "\ngenerating noise maps...\nnoise node 1 generated\n"));
    EXPECT_TRUE(logText.endsWith("noise node 9 generated\n"));

    QFile file(raw);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 64 * 64 * 4);

    PresetReadOptions options;
    options.gradientNames = paths.gradientNames();
    TerrainRecipe recipe;
    readPresetText(text, recipe, options, notifier);
    state.recipe = recipe;
    driver().evaluate(true, 64, false);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float stored = qFromLittleEndian<float>(bytes.constData() + (y * 64 + x) * 4);
            ASSERT_EQ(stored, state.finalHeightMap.GetValue(x, y)) << x << "," << y;
        }
}

} // namespace
} // namespace morvane
