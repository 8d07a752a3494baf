#include "pipeline_fixture.h"

#include "recipe/preset_file.h"

#include <QProcess>
#include <QtEndian>

namespace morvane {
namespace {

class CliTest : public testing::PipelineFixture {
protected:
    // Exit code (-1 for a crash) and standard error.
    std::pair<int, QString> run(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(MORVANE_CLI_PATH), arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardError())};
    }
    QString file(const QString& name) const { return QDir(root()).filePath(name); }
};

TEST_F(CliTest, BadUsageAndUnusableInputsAreReported) {
    const QString preset = file("terrain.ipf");
    ASSERT_TRUE(testing::writeFile(preset, "I1Type=5\n"));
    const struct {
        QStringList arguments;
        int exitCode;
        const char* error;
    } cases[] = {
        {{}, 2, "usage: morvane-cli"},
        {{"a.ipf", "--size", "0"}, 2, "--size needs a number from 1 to 32767"},
        {{"a.ipf", "--bogus"}, 2, "unknown option --bogus"},
        {{file("missing.ipf"), "--plugin-dir", paths.pluginDir}, 1, "cannot read the preset"},
        {{preset, "--plugin-dir", file("nowhere")}, 1, "no gradients folder"},
        // A maps folder below a plain file cannot exist.
        {{preset, "--plugin-dir", paths.pluginDir, "--maps", preset + "/maps"}, 1,
         "cannot write pictures"},
    };
    for (const auto& c : cases) {
        const auto [exitCode, errors] = run(c.arguments);
        EXPECT_EQ(exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(errors.contains(c.error)) << errors.toStdString();
    }
}

TEST_F(CliTest, RawHeightMapMatchesAnInProcessEvaluation) {
    const QByteArray text = "I1Type=4\nI1seedNumber=6\nI2Type=1\nI2seedNumber=2\n"
                            "C1TerrainType=5\nC1NoiseType=5\nT1power=25\nT1seed=3\n"
                            "gradient1=alpine.bmp\ngradient2=volcanic.bmp\n";
    const QString preset = file("terrain.ipf"), maps = file("cli maps");
    ASSERT_TRUE(testing::writeFile(preset, text));
    const auto [exitCode, errors] =
        run({preset, "--size", "64", "--final", "--maps", maps, "--raw", file("height.raw"),
             "--plugin-dir", paths.pluginDir, "--seed", "5", "--log", file("log.txt")});
    ASSERT_EQ(exitCode, 0) << errors.toStdString();
    EXPECT_TRUE(QFile::exists(maps + "/TFFnoisePreview.jpg"));
    EXPECT_FALSE(QFile::exists(maps + "/HI1noisePreview.jpg")); // final: no node pictures

    const QByteArray logText = testing::readFile(file("log.txt"));
    EXPECT_TRUE(logText.startsWith("loading preset " + preset.toUtf8() +
                                   "\ngenerating noise maps...\nnoise node 1 generated\n"));
    EXPECT_TRUE(logText.endsWith("noise node 9 generated\n"));

    const QByteArray bytes = testing::readFile(file("height.raw"));
    ASSERT_EQ(bytes.size(), 64 * 64 * 4);
    PresetReadOptions options;
    options.gradientNames = paths.gradientNames();
    readPresetText(text, state.recipe, options, notifier);
    driver().evaluate(true, 64, false);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(qFromLittleEndian<float>(bytes.constData() + (y * 64 + x) * 4),
                      state.finalHeightMap.GetValue(x, y))
                << x << "," << y;
}

} // namespace
} // namespace morvane
