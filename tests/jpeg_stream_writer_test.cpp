#include "fault_support.h"
#include "pipeline_fixture.h"

#include "noise/image.h"
#include "noise/jpeg_stream_writer.h"
#include "noise/jpeg_writer.h"

#include <QTemporaryDir>

#include <random>

namespace noise::utils {
namespace {

using morvane::testing::readFile;
using morvane::testing::writeFile;

Image noisyImage(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto smooth = std::uint8_t((x * 255) / std::max(1, width - 1));
            image.SetValue(x, y,
                           Color(smooth, std::uint8_t(random()), std::uint8_t((y * 7) & 255),
                                 std::uint8_t(random())));
        }
    return image;
}

// Rows top down, as the writer asks for them; the raster runs bottom up.
auto rowsOf(const Image& image) {
    return [&image](int row, Color* out) {
        const Color* source = image.GetRowPtr(image.GetHeight() - 1 - row);
        std::copy(source, source + image.GetWidth(), out);
    };
}

bool streamImage(const Image& image, const QString& file) {
    return WriteJpegRows(file, image.GetWidth(), image.GetHeight(), rowsOf(image));
}

// Sizes off the 16-pixel blocks and single rows and columns included.
TEST(JpegStreamWriterTest, WritesTheToolkitWritersBytes) {
    QTemporaryDir dir;
    const std::pair<int, int> sizes[] = {{1, 1}, {16, 16}, {37, 64}, {300, 17}, {1, 90}};
    unsigned seed = 1;
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(::testing::Message() << width << " x " << height);
        const Image image = noisyImage(width, height, seed++);
        const QString viaToolkit = dir.filePath("toolkit.jpg"), streamed = dir.filePath("s.jpg");
        JpegWriter writer;
        writer.SetSourceImage(image);
        writer.SetDestFilename(viaToolkit);
        ASSERT_TRUE(writer.WriteDestFile());
        ASSERT_TRUE(streamImage(image, streamed));
        const QByteArray expected = readFile(viaToolkit);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_TRUE(readFile(streamed) == expected);
    }
}

// Partial last bands, pictures too small to split, more threads than bands.
TEST(JpegStreamWriterTest, RowsFilledOnSeveralThreadsGiveTheSameBytes) {
    QTemporaryDir dir;
    const struct {
        int width, height, threads;
    } cases[] = {{40, 16, 2}, {33, 31, 2}, {70, 257, 3}, {9, 100, 8}, {300, 64, 1}};
    unsigned seed = 20;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << " on " << c.threads);
        const Image image = noisyImage(c.width, c.height, seed++);
        const QString serial = dir.filePath("serial.jpg"), banded = dir.filePath("banded.jpg");
        ASSERT_TRUE(streamImage(image, serial));
        ASSERT_TRUE(WriteJpegRows(banded, c.width, c.height, c.threads, rowsOf(image)));
        EXPECT_TRUE(readFile(banded) == readFile(serial));
    }
}

// An unwritable target is reported; a row that throws, on one thread or on a
// filling thread, reaches the caller and leaves the old file as it was.
TEST(JpegStreamWriterTest, FailedOrAbandonedWriteKeepsTheOldFile) {
    QTemporaryDir dir;
    EXPECT_FALSE(streamImage(noisyImage(8, 8, 3), dir.filePath("no/such/folder/x.jpg")));
    EXPECT_FALSE(streamImage(noisyImage(8, 8, 3), dir.path()));
    EXPECT_FALSE(WriteJpegRows(dir.filePath("no/such/folder/x.jpg"), 50, 200, 2,
                               [](int, Color*) {}));
    const QString file = dir.filePath("old.jpg");
    ASSERT_TRUE(writeFile(file, "old bytes"));
    for (int failingRow : {0, 17, 199}) {
        auto fill = [&](int row, Color*) {
            if (row == failingRow)
                throw std::bad_alloc();
        };
        EXPECT_THROW(WriteJpegRows(file, 8, 200, fill), std::bad_alloc);
        EXPECT_THROW(WriteJpegRows(file, 50, 200, 2, fill), std::bad_alloc);
        EXPECT_EQ(readFile(file), "old bytes");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.jpg"});

    // The banded writer goes through the file layer too: a failed rename
    // keeps the old file, a full device is written in place (not replaced
    // by a plain file) and reported.
    const QString device = dir.filePath("full");
    const bool haveDevice = morvane::testing::makeFullDevice(device);
    for (int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        {
            const morvane::testing::ScopedFileFault fault(
                [](const QString&, morvane::FileStep step) {
                    return step == morvane::FileStep::Commit ? EXDEV : 0;
                });
            EXPECT_FALSE(WriteJpegRows(file, 300, 200, threads, [](int, Color*) {}));
            EXPECT_EQ(readFile(file), "old bytes");
        }
        if (haveDevice) {
            EXPECT_FALSE(WriteJpegRows(device, 300, 200, threads, [](int, Color*) {}));
            EXPECT_TRUE(morvane::testing::isCharacterDevice(device));
        }
    }
}

} // namespace
} // namespace noise::utils
