#include "pipeline_fixture.h"

#include "noise/jpeg_stream_reader.h"

#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <random>

namespace noise::utils {
namespace {

using morvane::testing::readFile;
using morvane::testing::writeFile;

QImage noisyPicture(int width, int height, QImage::Format format, unsigned seed) {
    std::mt19937 random(seed);
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb((x * 255) / std::max(1, width - 1), int(random() & 255),
                                        (y * 7) & 255));
    return picture.convertToFormat(format);
}

// Every row against the toolkit's decoding of the same file.
void expectRowsOfTheToolkit(const QString& file) {
    const QImage expected = QImage(file).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull());
    JpegStreamReader reader(file);
    ASSERT_TRUE(reader.isValid());
    ASSERT_EQ(QSize(reader.width(), reader.height()), expected.size());
    std::vector<QRgb> row(std::size_t(reader.width()));
    for (int y = 0; y < reader.height(); ++y) {
        ASSERT_TRUE(reader.readRow(row.data())) << "row " << y;
        const auto* line = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        ASSERT_TRUE(std::equal(row.begin(), row.end(), line)) << "row " << y;
    }
    EXPECT_FALSE(reader.readRow(row.data()));
}

// Sizes off the 16-pixel blocks, single rows and columns, colour and grey,
// high and low quality (other sampling and tables), progressive.
TEST(JpegStreamReaderTest, DecodesTheToolkitReadersPixels) {
    QTemporaryDir dir;
    const struct {
        int width, height;
        QImage::Format format;
        int quality;
        bool progressive;
    } cases[] = {{1, 1, QImage::Format_RGB32, 100, false},
                 {37, 64, QImage::Format_RGB32, 100, false},
                 {300, 17, QImage::Format_RGB32, 40, false},
                 {1, 90, QImage::Format_RGB32, 75, true},
                 {45, 33, QImage::Format_Grayscale8, 100, false}};
    unsigned seed = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << " q" << c.quality
                                          << (c.progressive ? " progressive" : ""));
        const QString file = dir.filePath("picture.jpg");
        QImageWriter writer(file, "jpg");
        writer.setQuality(c.quality);
        writer.setProgressiveScanWrite(c.progressive);
        ASSERT_TRUE(writer.write(noisyPicture(c.width, c.height, c.format, seed++)));
        expectRowsOfTheToolkit(file);
    }
}

// A cut file decodes as the toolkit decodes it (missing rows grey); what is
// not a JPEG, or not there, gives no rows.
TEST(JpegStreamReaderTest, CutMissingOrForeignFilesAreHandled) {
    QTemporaryDir dir;
    const QString whole = dir.filePath("whole.jpg");
    ASSERT_TRUE(noisyPicture(64, 64, QImage::Format_RGB32, 9).save(whole, "jpg", 100));
    const QString cut = dir.filePath("cut.jpg");
    ASSERT_TRUE(writeFile(cut, readFile(whole).left(readFile(whole).size() / 2)));
    expectRowsOfTheToolkit(cut);

    const QString foreign = dir.filePath("foreign.jpg");
    ASSERT_TRUE(writeFile(foreign, "not a picture at all"));
    for (const QString& file : {foreign, dir.filePath("missing.jpg")}) {
        JpegStreamReader reader(file);
        EXPECT_FALSE(reader.isValid());
        EXPECT_EQ(reader.width(), 0);
        QRgb pixel = 0;
        EXPECT_FALSE(reader.readRow(&pixel));
    }
}

} // namespace
} // namespace noise::utils
