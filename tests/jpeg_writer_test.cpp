#include "noise/jpeg_writer.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>

using noise::utils::Color;
using noise::utils::Image;
using noise::utils::JpegWriter;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 32;

// Raster colour of a quadrant; raster row 0 is the bottom of the picture.
Color quadrantColor(int x, int y) {
    const bool right = x >= kWidth / 2;
    const bool upperRows = y >= kHeight / 2;
    if (!upperRows)
        return right ? Color(220, 40, 40, 255) : Color(30, 200, 60, 255);
    return right ? Color(40, 60, 230, 255) : Color(240, 230, 20, 255);
}

Image quadrantImage() {
    Image image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.SetValue(x, y, quadrantColor(x, y));
    return image;
}

testing::AssertionResult near(QRgb actual, const Color& expected, int tolerance) {
    const int dr = std::abs(qRed(actual) - expected.red);
    const int dg = std::abs(qGreen(actual) - expected.green);
    const int db = std::abs(qBlue(actual) - expected.blue);
    if (dr <= tolerance && dg <= tolerance && db <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "got (" << qRed(actual) << "," << qGreen(actual) << "," << qBlue(actual)
           << "), expected (" << int(expected.red) << "," << int(expected.green) << ","
           << int(expected.blue) << ")";
}

// Reads the picture back and compares the centres of the 8x8 blocks, away
// from the colour edges that JPEG smears.
void expectPictureMatches(const QString& path) {
    QImage picture(path);
    ASSERT_FALSE(picture.isNull()) << path.toStdString();
    ASSERT_EQ(picture.width(), kWidth);
    ASSERT_EQ(picture.height(), kHeight);
    for (int row = 4; row < kHeight; row += 8)
        for (int x = 4; x < kWidth; x += 8) {
            const int rasterRow = kHeight - 1 - row;
            EXPECT_TRUE(near(picture.pixel(x, row), quadrantColor(x, rasterRow), 8))
                << "picture " << x << "," << row;
        }
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

// A non-ASCII path, so that the name on disk is checked too.
TEST(JpegWriter, WritesRasterBottomUpToTheNameAskedFor) {
    QTemporaryDir dir;
    const QString folderName = QString::fromUtf8("Gel\xC3\xA4nde \xC3\xB1 \xE5\x9C\xB0\xE5\xBD\xA2");
    ASSERT_TRUE(QDir(dir.path()).mkdir(folderName));
    const QString path = dir.path() + '/' + folderName + QString::fromUtf8("/h\xC3\xB6he.jpg");
    const Image image = quadrantImage();
    JpegWriter writer;
    writer.SetSourceImage(image);
    writer.SetDestFilename(path);
    ASSERT_TRUE(writer.WriteDestFile());
    EXPECT_EQ(readAll(path).left(2), QByteArray("\xFF\xD8", 2)); // JPEG signature
    EXPECT_EQ(QDir(dir.path() + '/' + folderName).entryList(QDir::Files),
              QStringList{QString::fromUtf8("h\xC3\xB6he.jpg")});
    expectPictureMatches(path);
}

TEST(JpegWriter, FailuresLeaveTheDiskAlone) {
    QTemporaryDir dir;
    JpegWriter writer;
    writer.SetDestFilename(dir.filePath("never.jpg"));
    EXPECT_THROW(writer.WriteDestFile(), noise::ExceptionInvalidParam);

    const Image image = quadrantImage();
    writer.SetSourceImage(image);
    writer.SetDestFilename(dir.filePath("no/such/folder/out.jpg"));
    EXPECT_FALSE(writer.WriteDestFile());
    // A parent that is a regular file cannot hold the picture, even for root.
    const QString blocker = dir.filePath("blocker");
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    writer.SetDestFilename(blocker + "/out.jpg");
    EXPECT_FALSE(writer.WriteDestFile());
    EXPECT_EQ(readAll(blocker), QByteArray("keep me"));

    // Nothing can be encoded from an empty image; the old file stays.
    const QString path = dir.filePath("terrain.jpg");
    writer.SetDestFilename(path);
    ASSERT_TRUE(writer.WriteDestFile());
    const QByteArray before = readAll(path);
    const Image empty;
    writer.SetSourceImage(empty);
    EXPECT_FALSE(writer.WriteDestFile());
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"blocker", "terrain.jpg"}));
}
