#include "noise/noise_image.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

using morvane::module::NoiseImage;

namespace {

constexpr int kSide = 512;
constexpr int kWhiteColumn = 300, kBlackColumn = 301, kExtremesRow = 100;

// Red channel of picture pixel (column, row); neighbours in either
// direction differ, so an off-by-one shows.
int redAt(int column, int row, int salt) { return (column * 7 + row * 61 + salt) & 0xFF; }

QImage makePicture(int salt) {
    QImage picture(kSide, kSide, QImage::Format_RGB32);
    for (int row = 0; row < kSide; ++row)
        for (int column = 0; column < kSide; ++column) {
            const int red = redAt(column, row, salt);
            picture.setPixel(column, row, qRgb(red, (column + 3 * row) & 0xFF, 255 - red));
        }
    // Extremes whose green and blue say the opposite of red.
    picture.setPixel(kWhiteColumn, kExtremesRow, qRgb(255, 0, 0));
    picture.setPixel(kBlackColumn, kExtremesRow, qRgb(0, 255, 255));
    return picture;
}

double heightOf(int column, int row, int salt) { return redAt(column, row, salt) / 127.5 - 1.0; }

// Sample at the centre of picture pixel (column, row): x spans columns, z
// runs up from the bottom row.
double at(const NoiseImage& image, int column, int row) {
    return image.GetValue((column + 0.5) / 128.0, 0.0, (kSide - 1 - row + 0.5) / 128.0);
}

void loadAtOrigin(const NoiseImage& image) { image.GetValue(0.0, 0.0, 0.0); }

class NoiseImageTest : public testing::Test {
protected:
    void SetUp() override {
        NoiseImage::ClearSlots();
        m_first = m_dir.filePath("first.png");
        m_second = m_dir.filePath("second.png");
        ASSERT_TRUE(makePicture(0).save(m_first, "PNG"));
        ASSERT_TRUE(makePicture(100).save(m_second, "PNG"));
    }
    void TearDown() override { NoiseImage::ClearSlots(); }

    QTemporaryDir m_dir;
    QString m_first, m_second;
};

} // namespace

TEST_F(NoiseImageTest, LoadsOnlyAtTheOriginAndMapsXToColumnsAndZToRowsFromTheBottom) {
    NoiseImage image;
    image.SetFileName(m_first);
    EXPECT_EQ(image.GetValue(0.0, 0.0, 1e-9), -1.0);
    EXPECT_TRUE(NoiseImage::SlotImage(0).isNull());

    // The origin reads column 0 of the bottom row.
    EXPECT_NEAR(image.GetValue(0.0, 0.0, 0.0), heightOf(0, kSide - 1, 0), 1e-6);
    EXPECT_NEAR(at(image, 10, 20), heightOf(10, 20, 0), 1e-6);

    // The same name is read again at each origin sample: a changed file shows.
    ASSERT_TRUE(QFile::remove(m_first) && QFile::copy(m_second, m_first));
    EXPECT_NEAR(at(image, 10, 20), heightOf(10, 20, 0), 1e-6);
    loadAtOrigin(image);
    EXPECT_NEAR(at(image, 10, 20), heightOf(10, 20, 100), 1e-6);

    // x = 2 is column 256; z = 1 is picture row 383. Only red counts;
    // outside the picture is the lowest height.
    EXPECT_NEAR(image.GetValue(2.0, 0.0, 1.0), heightOf(256, 383, 100), 1e-6);
    EXPECT_NEAR(image.GetValue(3.999, -7.0, 3.999), heightOf(511, 0, 100), 1e-6);
    EXPECT_EQ(at(image, kWhiteColumn, kExtremesRow), 1.0);
    EXPECT_EQ(at(image, kBlackColumn, kExtremesRow), -1.0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double outside[][2] = {{-0.01, 2.0}, {4.0, 2.0}, {2.1, 4.0}, {1e12, 1.0}, {1.0, nan}};
    for (const auto& p : outside)
        EXPECT_EQ(image.GetValue(p[0], 0.0, p[1]), -1.0) << p[0] << "," << p[1];
}

TEST_F(NoiseImageTest, SlotsAreIndependentAndShared) {
    const double fromFirst = heightOf(40, 70, 0), fromSecond = heightOf(40, 70, 100);

    NoiseImage a, b;
    a.SetFileName(m_first);
    b.SetFileName(m_second);
    b.SetSlot(1);
    loadAtOrigin(a);
    loadAtOrigin(b);
    EXPECT_NEAR(at(a, 40, 70), fromFirst, 1e-6);
    EXPECT_NEAR(at(b, 40, 70), fromSecond, 1e-6);

    // Another module on slot 0 sees what is loaded there, not its own file.
    NoiseImage c;
    EXPECT_NEAR(at(c, 40, 70), fromFirst, 1e-6);

    // An unreadable file empties slot 0 and leaves slot 1 alone.
    c.SetFileName(m_dir.filePath("missing.png"));
    EXPECT_EQ(c.GetValue(0.0, 0.0, 0.0), -1.0);
    EXPECT_TRUE(NoiseImage::SlotImage(0).isNull());
    EXPECT_EQ(at(a, 40, 70), -1.0);
    EXPECT_NEAR(at(b, 40, 70), fromSecond, 1e-6);

    // So does no name at all (an "Image" input whose picture was never chosen).
    loadAtOrigin(a);
    c.SetFileName(QString());
    EXPECT_EQ(c.GetValue(0.0, 0.0, 0.0), -1.0);
    EXPECT_TRUE(NoiseImage::SlotImage(0).isNull());
}
