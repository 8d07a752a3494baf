// The sky map: layout, star rules, parallel path against the serial
// definition, and the written file with its failure paths.

#include "sky/sky_map.h"
#include "sky/sky_map_file.h"
#include "sky/sky_model.h"
#include "sky/sky_state.h"
#include "fault_support.h"
#include "pipeline_fixture.h"
#include "sky_random.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

namespace morvane {
namespace {

using testing::CountingRandom;
using testing::readFile;
using testing::RecordingNotifier;
using testing::RecordingProgress;

SkyMapInput mapInput(int side, double pitch, int population = 300, int intensity = 100,
                     std::uint32_t seed = 5) {
    SkyState sky;
    sky.parameters.sunPitch = pitch;
    sky.parameters.sunAzimuth = 120.0;
    sky.parameters.starPopulation = population;
    sky.parameters.starIntensity = intensity;
    sky.recomputeSun();
    SequenceRandomSource random(seed);
    sky.rebuildDome(50.0, &random);
    return {sky.parameters, sky.sun, sky.dome.stars, side};
}

int countDifferences(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

TEST(SkyMap, RowZeroIsTheZenithAndTheMiddleRowTheHorizon) {
    const SkyMapInput input = mapInput(64, 45.0);
    SequenceRandomSource random(1);
    const SkyMapResult map = renderSkyMap(input, random);
    ASSERT_TRUE(map.ok()) << map.error.toStdString();
    const SkyModel model(input.parameters, input.sun);
    for (int column : {0, 13, 63}) {
        const double azimuth = column * 360.0 / 64;
        for (auto [row, elevation] : {std::pair{0, 90.0}, {32, 0.0}, {48, -45.0}}) {
            const SkyRgb c = model.colour(elevation, azimuth);
            EXPECT_EQ(map.image.pixel(column, row),
                      qRgb(int(255 * c.red), int(255 * c.green), int(255 * c.blue)))
                << column << "," << row;
        }
    }
}

// The banded parallel composition must match the layered QPainter build.
TEST(SkyMap, ParallelPathEqualsTheSerialDefinition) {
    struct Case {
        const char* name;
        int side;
        double pitch;
        int population, intensity, threads, bandRows;
    };
    const Case cases[] = {
        {"stars of several pixels", 2048, 10.0, 3000, 100, 3, 37},
        {"half intensity, bands of one row", 2048, 20.0, 800, 50, 2, 1},
        {"odd side, one-pixel stars", 1027, 0.0, 1500, 80, 4, 16},
        {"no stars above pitch 20", 300, 21.0, 3000, 100, 2, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SkyMapInput input = mapInput(c.side, c.pitch, c.population, c.intensity);
        CountingRandom plainRandom(99), fastRandom(99);
        const QImage plain = renderSkyMapPlain(input, plainRandom);
        SkyMapOptions options;
        options.threads = c.threads;
        options.bandRows = c.bandRows;
        const SkyMapResult fast = renderSkyMap(input, fastRandom, options);
        ASSERT_TRUE(fast.ok());
        EXPECT_EQ(countDifferences(plain, fast.image), 0);
        EXPECT_EQ(plainRandom.count, fastRandom.count);
    }
}

TEST(SkyMap, StarsOnlyWithTheSunAtPitch20OrBelow) {
    struct Case {
        double pitch;
        int population, intensity;
        bool stars;
    };
    const Case cases[] = {
        {20.0, 2000, 100, true}, {20.5, 2000, 100, false},
        {10.0, 0, 100, false},   {10.0, 2000, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pitch << " " << c.population << " " << c.intensity);
        const SkyMapInput withStars = mapInput(1024, c.pitch, c.population, c.intensity);
        SkyMapInput without = withStars;
        without.parameters.starPopulation = 0;
        SequenceRandomSource a(3), b(3);
        const SkyMapResult starry = renderSkyMap(withStars, a);
        const SkyMapResult plain = renderSkyMap(without, b);
        ASSERT_TRUE(starry.ok() && plain.ok());
        EXPECT_EQ(skyMapHasStars(withStars), c.stars);
        if (c.stars)
            EXPECT_GT(countDifferences(starry.image, plain.image), 500);
        else
            EXPECT_EQ(countDifferences(starry.image, plain.image), 0);
    }
}

TEST(SkyMap, StarsKeepClearOfThePoles) {
    const SkyMapInput input = mapInput(2048, 5.0, 6000);
    SkyMapInput without = input;
    without.parameters.starPopulation = 0;
    SequenceRandomSource a(8), b(8);
    const QImage starry = renderSkyMap(input, a).image;
    const QImage plain = renderSkyMap(without, b).image;
    // Centres keep N/16 rows from the edges; footprints reach 2 rows out.
    for (int y : {0, 125, 1923, 2047})
        for (int x = 0; x < 2048; ++x)
            ASSERT_EQ(starry.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
}

TEST(SkyMapFile, WritesTheMapAndReportsFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const SkyMapInput input = mapInput(2048, 10.0, 500);
    RecordingProgress progress;
    RecordingNotifier notifier;

    // PNG is lossless: the file holds exactly the map.
    const QString png = dir.filePath("sky.png");
    SequenceRandomSource r1(4), r2(4);
    ASSERT_TRUE(generateSkyMapFile(input, r1, png, progress, notifier));
    EXPECT_EQ(progress.events.count("show"), 1);
    EXPECT_FALSE(progress.events.filter("busy:computing sky dome map").isEmpty());
    EXPECT_EQ(progress.events.mid(progress.events.size() - 2),
              (QStringList{"hide", "status:sky dome map generated"}));
    const QImage expected = renderSkyMap(input, r2).image;
    EXPECT_EQ(countDifferences(QImage(png).convertToFormat(QImage::Format_RGB32), expected), 0);

    // The ".jpg" name the window writes must give a JPEG.
    const QString jpg = dir.filePath(skyMapFileName("my Terrain 1"));
    SequenceRandomSource r3(4);
    ASSERT_TRUE(generateSkyMapFile(mapInput(256, 60.0), r3, jpg, progress, notifier));
    EXPECT_TRUE(readFile(jpg).startsWith("\xFF\xD8\xFF"));
    EXPECT_TRUE(notifier.messages.empty());

    // A map too large to hold: a clear message, the previous file kept.
    const QByteArray before = readFile(png);
    SkyMapOptions tight;
    tight.memoryLimit = 2048u * 2048u * 4u; // the picture, but no room for the bands
    EXPECT_FALSE(generateSkyMapFile(input, r1, png, progress, notifier, tight));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, "Not enough memory for a 2048 x 2048 sky dome map; "
                                           "the previous map is kept.");
    EXPECT_EQ(progress.events.last(), "status:sky dome map not generated");
    EXPECT_TRUE(readFile(png) == before);

    // An unwritable place: reported, nothing claimed.
    EXPECT_FALSE(generateSkyMapFile(mapInput(64, 60.0), r1, dir.filePath("missing/sky.jpg"),
                                    progress, notifier));
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_TRUE(notifier.messages[1].second.startsWith("The sky dome map could not be written"));

    EXPECT_EQ(skyMapProgressText(1, 4), QString("computing sky dome map... please wait\n\n") +
                                            QString(5, QChar(0x2588)) +
                                            QString(15, QChar(0x2591)) + "  25%");
}

// Each way a write can fail: one clear message, the previous map exactly as
// it was, no success, nothing half-written under any name.
TEST(SkyMapFile, AFailedWriteKeepsThePreviousMapAndSaysWhy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath("maps");
    const QString path = folder + "/t_skyDome.jpg";
    const struct {
        const char* name;
        FileFaultHook fault;
        const char* reason;
    } cases[] = {
        {"disk full",
         [&](const QString& p, FileStep step) {
             return p == path && step == FileStep::Write ? ENOSPC : 0;
         },
         "No space left on device"},
        {"read-only folder",
         [&](const QString& p, FileStep step) {
             return p == path && step == FileStep::Open ? EROFS : 0;
         },
         "Read-only file system"},
        {"folder removed",
         [&](const QString& p, FileStep step) {
             if (p == path && step == FileStep::Open)
                 QDir(folder).removeRecursively();
             return 0;
         },
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(testing::writeFile(path, "old map"));
        RecordingProgress progress;
        RecordingNotifier notifier;
        SequenceRandomSource random(4);
        testing::ScopedFileFault fault(c.fault);
        EXPECT_FALSE(generateSkyMapFile(mapInput(64, 60.0), random, path, progress, notifier));
        ASSERT_EQ(notifier.messages.size(), 1u);
        const auto& [title, text] = notifier.messages[0];
        EXPECT_EQ(title, "Error");
        EXPECT_TRUE(text.startsWith("The sky dome map could not be written to " + path + " ("));
        EXPECT_TRUE(text.contains(c.reason)) << text.toStdString();
        EXPECT_EQ(progress.events.last(), "status:sky dome map not generated");
        if (QFileInfo::exists(folder)) {
            EXPECT_EQ(readFile(path), "old map");
            EXPECT_EQ(testing::entriesOf(folder), QStringList{"t_skyDome.jpg"});
        }
    }
}

} // namespace
} // namespace morvane
