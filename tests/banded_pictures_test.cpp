#include "pipeline_fixture.h"

#include "noise/jpeg_writer.h"
#include "pipeline/picture_jobs.h"
#include "pipeline/texture_mix.h"

#include <QTemporaryDir>

#include <cmath>
#include <random>

namespace morvane {
namespace {

using noise::utils::Color;
using noise::utils::NoiseMap;
using noise::utils::RendererImage;
using testing::readFile;
using testing::writeFile;

// Rough, so the light changes sharply between neighbouring rows.
NoiseMap roughMap(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-1.1, 1.1);
    NoiseMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.SetValue(x, y, float(std::sin(x * 0.3 + y * 0.11) * 0.5 + value(random) * 0.5));
    return map;
}

std::vector<PictureJob> threeJobs(const QTemporaryDir& dir, const QString& prefix) {
    RendererImage lit;
    lit.ClearGradient();
    lit.AddGradientPoint(-1.0, Color(10, 40, 200, 255));
    lit.AddGradientPoint(0.1, Color(240, 220, 30, 255));
    lit.AddGradientPoint(1.0, Color(250, 250, 250, 255));
    lit.EnableLight(true);
    lit.SetLightContrast(3.0);
    lit.SetLightAzimuth(135.0);
    RendererImage litGrey;
    litGrey.EnableLight(true);
    return {PictureJob{RendererImage(), nullptr, dir.filePath(prefix + "control.jpg")},
            PictureJob{lit, nullptr, dir.filePath(prefix + "first.jpg")},
            PictureJob{litGrey, nullptr, dir.filePath(prefix + "second.jpg")}};
}

// Hands out rows of whole maps as a sampler would, picture row first.
BandSampler bandsOf(const std::vector<NoiseMap>& maps, std::vector<int>* firstRows = nullptr) {
    return [&maps, firstRows](int firstRow, int rows, NoiseMap* const* bands) {
        if (firstRows)
            firstRows->push_back(firstRow);
        for (std::size_t j = 0; j < maps.size(); ++j) {
            const int width = maps[j].GetWidth();
            const int height = maps[j].GetHeight();
            bands[j]->SetSize(width, rows);
            for (int i = 0; i < rows; ++i) {
                const float* from = maps[j].GetRowPtr(height - 1 - firstRow - i);
                std::copy(from, from + width, bands[j]->GetRowPtr(i));
            }
        }
    };
}

// The lit colour of a band's edge rows needs the neighbouring bands' rows:
// heights of one band, one band and a row, several with a short last band.
TEST(BandedPicturesTest, BandedPicturesEqualThoseOfTheWholeMaps) {
    QTemporaryDir dir;
    const std::pair<int, int> sizes[] = {{5, 1}, {7, 2}, {40, 64}, {33, 65}, {21, 130}, {3, 193}};
    unsigned seed = 1;
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(::testing::Message() << width << " x " << height);
        std::vector<NoiseMap> maps;
        for (int j = 0; j < 3; ++j)
            maps.push_back(roughMap(width, height, seed++));
        std::vector<PictureJob> whole = threeJobs(dir, "whole-");
        for (std::size_t j = 0; j < 3; ++j)
            whole[j].map = &maps[j];
        writePictures(whole, 2);

        std::vector<PictureJob> banded = threeJobs(dir, "banded-");
        std::vector<int> firstRows;
        writeBandedPictures(banded, width, height, bandsOf(maps, &firstRows));
        EXPECT_EQ(firstRows.size(), std::size_t((height + 63) / 64));
        for (std::size_t j = 0; j < 3; ++j) {
            const QByteArray expected = readFile(whole[j].file);
            ASSERT_FALSE(expected.isEmpty());
            EXPECT_TRUE(readFile(banded[j].file) == expected) << "picture " << j;
        }
    }
}

// A sampler that runs out of memory part-way leaves every file as it was; a
// file that cannot be written does not keep the others from being written.
TEST(BandedPicturesTest, FailuresLeaveTheFilesThatCannotBeWrittenAsTheyWere) {
    QTemporaryDir dir;
    std::vector<NoiseMap> maps;
    for (unsigned j = 0; j < 3; ++j)
        maps.push_back(roughMap(16, 200, j));
    std::vector<PictureJob> jobs = threeJobs(dir, "");
    for (const PictureJob& job : jobs)
        ASSERT_TRUE(writeFile(job.file, "old bytes"));
    const BandSampler whole = bandsOf(maps);
    EXPECT_THROW(writeBandedPictures(jobs, 16, 200,
                                     [&](int firstRow, int rows, NoiseMap* const* bands) {
                                         if (firstRow >= 128)
                                             throw std::bad_alloc();
                                         whole(firstRow, rows, bands);
                                     }),
                 std::bad_alloc);
    for (const PictureJob& job : jobs)
        EXPECT_EQ(readFile(job.file), "old bytes");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);

    jobs[1].file = dir.filePath("no/such/folder/first.jpg");
    writeBandedPictures(jobs, 16, 200, whole);
    EXPECT_EQ(QImage(jobs[0].file).height(), 200);
    EXPECT_EQ(QImage(jobs[2].file).height(), 200);
    EXPECT_FALSE(QFileInfo::exists(jobs[1].file));
}

// The file mix writes what mixing the decoded pictures and saving gives,
// also for pictures of different sizes (the smallest wins).
TEST(BandedPicturesTest, FileMixEqualsTheMixOfTheDecodedPictures) {
    QTemporaryDir dir;
    const QString files[3] = {dir.filePath("c.jpg"), dir.filePath("a.jpg"), dir.filePath("b.jpg")};
    const std::pair<int, int> sizes[][3] = {{{40, 30}, {40, 30}, {40, 30}},
                                            {{70, 90}, {64, 100}, {80, 81}}};
    unsigned seed = 3;
    for (const auto& set : sizes) {
        for (int i = 0; i < 3; ++i) {
            const NoiseMap map = roughMap(set[i].first, set[i].second, seed++);
            PictureJob job{RendererImage(), &map, files[i]};
            if (i > 0)
                job.renderer.EnableLight(true);
            ASSERT_TRUE(writePicture(job));
        }
        const QString inMemory = dir.filePath("in-memory.jpg");
        const QString streamed = dir.filePath("streamed.jpg");
        ASSERT_TRUE(noise::utils::SaveJpeg(
            mixTextures(QImage(files[0]), QImage(files[1]), QImage(files[2])), inMemory));
        ASSERT_TRUE(mixTextureFiles(files[0], files[1], files[2], streamed));
        EXPECT_TRUE(readFile(streamed) == readFile(inMemory));
    }

    const QString out = dir.filePath("out.jpg");
    ASSERT_TRUE(writeFile(out, "old bytes"));
    EXPECT_FALSE(mixTextureFiles(files[0], dir.filePath("missing.jpg"), files[2], out));
    EXPECT_FALSE(mixTextureFiles(files[0], files[1], files[2], dir.filePath("no/such/out.jpg")));
    EXPECT_EQ(readFile(out), "old bytes");
}

} // namespace
} // namespace morvane
