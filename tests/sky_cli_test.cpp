// morvane-cli's sky options: the files it writes equal the sky made in
// process from the same parameters and seed.

#include "cli/cli_options.h"
#include "common/random_source.h"
#include "sky/sky_map.h"
#include "sky/sky_state.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <tuple>

namespace morvane {
namespace {

int runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(MORVANE_CLI_PATH), arguments);
    if (!process.waitForFinished(120000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

TEST(SkyCli, PngMapAndDomeEqualTheInProcessSky) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString map = dir.filePath("sky.png");
    const QString dome = dir.filePath("dome.txt");
    ASSERT_EQ(runCli({"--sky-map", map, "--sky-dome", dome, "--sky-size", "1100", "--sun-pitch",
                      "12.5", "--sun-azimuth", "200", "--turbidity", "3.2", "--gains",
                      "1.1,1.4,0.9", "--star-intensity", "70", "--star-population", "900",
                      "--solar-width", "0.4", "--sky-radius", "30", "--seed", "21"}),
              0);

    SkyState sky;
    // In declaration order: turbidity, pitch, azimuth, hA..hE, gains, stars.
    sky.parameters = {3.2, 12.5, 200, 0, 0, 1.5, 0.4, 0, 1.1, 1.4, 0.9, 70, 900};
    SequenceRandomSource random(21);
    sky.recomputeSun();
    sky.rebuildDome(30.0, &random);
    const QImage expected = renderSkyMapPlain({sky.parameters, sky.sun, sky.dome.stars, 1100}, random);

    const QImage written = QImage(map).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(written.size(), QSize(1100, 1100));
    EXPECT_TRUE(written == expected.convertToFormat(QImage::Format_RGB32));

    QFile text(dome);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = text.readAll().split('\n');
    ASSERT_EQ(lines.size(), 128 * 128 + 1); // the last line ends in "\n"
    for (int at : {0, 1, 64 * 128 + 32, 128 * 128 - 1}) {
        const QList<QByteArray> f = lines[at].split(' ');
        ASSERT_EQ(f.size(), 8) << at;
        const int ring = f[0].toInt(), segment = f[1].toInt();
        EXPECT_EQ(ring * 128 + segment, at);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(f[2 + k].toFloat(), sky.dome.position(ring, segment)[std::size_t(k)]);
            EXPECT_EQ(f[5 + k].toFloat(), sky.dome.colour(ring, segment)[std::size_t(k)]);
        }
    }
}

TEST(SkyCli, OptionsTakeTheParametersUnitsAndRefuseBadValues) {
    const cli::ParseResult ok = cli::parseCliOptions(
        {"--sky-map", "a.JPG", "--turbidity", "0", "--horizon-luminance", "-1", "--gains",
         "0,3,1.5", "--sky-size", "16384"});
    ASSERT_TRUE(ok.options) << ok.error.toStdString();
    const SkyParameters& sky = ok.options->sky; // hC keeps its start value
    EXPECT_EQ(std::make_tuple(sky.turbidity, sky.horizonLuminance, sky.greenGain,
                              sky.solarRegionIntensity, ok.options->skySize),
              std::make_tuple(0.0, -1.0, 3.0, 1.5, 16384));

    const std::pair<QStringList, QString> bad[] = {
        {{"--sky-map", "a.bmp"}, "--sky-map needs a .jpg or .png file"},
        {{"--sky-map", "a.png", "--sun-pitch", "91"}, "--sun-pitch needs a number from 0 to 90"},
        {{"--sky-map", "a.png", "--turbidity", "nan"}, "--turbidity needs a number from 0 to 10"},
        {{"--sky-map", "a.png", "--gains", "1,2"},
         "--gains needs three numbers from 0 to 3, as R,G,B"},
        {{"--sky-map", "a.png", "--sky-size", "0"}, "--sky-size needs a number from 1 to 16384"},
        {{"--sky-map", "a.png", "x.ipf"}, "--sky-map and --sky-dome take no preset"},
        {{"--sun-pitch", "10"}, "no preset given"},
    };
    for (const auto& [arguments, error] : bad) {
        const cli::ParseResult r = cli::parseCliOptions(arguments);
        EXPECT_FALSE(r.options) << arguments.join(' ').toStdString();
        EXPECT_EQ(r.error, error);
    }

    // A map that cannot be written fails the run and leaves no file.
    QTemporaryDir dir;
    EXPECT_EQ(runCli({"--sky-map", dir.filePath("none/sky.png"), "--sky-size", "64"}), 1);
    EXPECT_EQ(runCli({"--sky-map", dir.filePath("sky.bmp")}), 2);
}

} // namespace
} // namespace morvane
