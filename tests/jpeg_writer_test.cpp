#include "noise/jpeg_writer.h"

#include "pipeline_fixture.h"

#include <libnoise/exception.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>

using noise::utils::Color;
using noise::utils::Image;
using noise::utils::JpegWriter;
using morvane::testing::readFile;

namespace {

constexpr int kWidth = 64, kHeight = 32;

// Raster colour of a quadrant; raster row 0 is the bottom of the picture.
Color quadrantColor(int x, int y) {
    if (y < kHeight / 2)
        return x >= kWidth / 2 ? Color(220, 40, 40, 255) : Color(30, 200, 60, 255);
    return x >= kWidth / 2 ? Color(40, 60, 230, 255) : Color(240, 230, 20, 255);
}

Image quadrantImage() {
    Image image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.SetValue(x, y, quadrantColor(x, y));
    return image;
}

} // namespace

// A non-ASCII name, so that the name on disk is checked too.
TEST(JpegWriter, WritesRasterBottomUpToTheNameAskedFor) {
    QTemporaryDir dir;
    const QString name = QString::fromUtf8("Gel\xC3\xA4nde \xE5\x9C\xB0.jpg");
    const Image image = quadrantImage();
    JpegWriter writer;
    writer.SetSourceImage(image);
    writer.SetDestFilename(dir.filePath(name));
    ASSERT_TRUE(writer.WriteDestFile());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{name});

    // Block centres only, away from the colour edges that JPEG smears.
    const QImage picture(dir.filePath(name), "JPEG");
    ASSERT_EQ(picture.size(), QSize(kWidth, kHeight));
    for (int row = 4; row < kHeight; row += 8)
        for (int x = 4; x < kWidth; x += 8) {
            const QRgb got = picture.pixel(x, row);
            const Color want = quadrantColor(x, kHeight - 1 - row);
            EXPECT_LE(std::max({std::abs(qRed(got) - want.red), std::abs(qGreen(got) - want.green),
                                std::abs(qBlue(got) - want.blue)}), 8) << x << "," << row;
        }
}

TEST(JpegWriter, FailuresLeaveTheDiskAlone) {
    QTemporaryDir dir;
    JpegWriter writer;
    writer.SetDestFilename(dir.filePath("never.jpg"));
    EXPECT_THROW(writer.WriteDestFile(), noise::ExceptionInvalidParam);

    // A parent that is a regular file cannot hold the picture, even for root.
    const Image image = quadrantImage();
    writer.SetSourceImage(image);
    const QString blocker = dir.filePath("blocker");
    ASSERT_TRUE(morvane::testing::writeFile(blocker, "keep me"));
    writer.SetDestFilename(blocker + "/out.jpg");
    EXPECT_FALSE(writer.WriteDestFile());
    EXPECT_EQ(readFile(blocker), QByteArray("keep me"));

    // Nothing can be encoded from an empty image; the old file stays.
    const QString path = dir.filePath("terrain.jpg");
    writer.SetDestFilename(path);
    ASSERT_TRUE(writer.WriteDestFile());
    const QByteArray before = readFile(path);
    const Image empty;
    writer.SetSourceImage(empty);
    EXPECT_FALSE(writer.WriteDestFile());
    EXPECT_EQ(readFile(path), before);
}
