#include "noise/noise_image.h"

#include "common/picture_reader.h"

#include <QImage>

#include <cmath>

namespace morvane::module {

namespace {

// Pictures of the two slots, shared by every NoiseImage in the process.
// Kept in RGB32 so that a sample is one scan-line read.
QImage& slotImage(int slot) {
    static QImage pictures[NoiseImage::kSlotCount];
    return pictures[slot == 1 ? 1 : 0];
}

} // namespace

NoiseImage::NoiseImage() : noise::module::Module(0) {}
NoiseImage::~NoiseImage() = default;

bool NoiseImage::LoadSlot() const {
    // No name (an "Image" input whose picture was never chosen) is an empty
    // picture; asking Qt to open it would only print a warning.
    QImage picture = m_fileName.isEmpty() ? QImage() : morvane::readPicture(m_fileName);
    if (!picture.isNull() && picture.format() != QImage::Format_RGB32 &&
        picture.format() != QImage::Format_ARGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    slotImage(m_slot) = picture;
    return !picture.isNull();
}

const QImage& NoiseImage::SlotImage(int slot) { return slotImage(slot); }

void NoiseImage::ClearSlots() {
    for (int slot = 0; slot < kSlotCount; ++slot)
        slotImage(slot) = QImage();
}

double NoiseImage::GetValue(double x, double y, double z) const {
    if (x == 0.0 && y == 0.0 && z == 0.0)
        LoadSlot();

    const QImage& picture = slotImage(m_slot);
    // The picture is taken as square: its width spans both axes; an empty
    // slot has width 0 and so reads black everywhere.
    const double side = picture.width();
    const double columnValue = side * x * 0.25;
    const double rowValue = side * z * 0.25;
    // Beyond the int range the point is far outside the picture anyway.
    if (!(std::fabs(columnValue) < 2e9) || !(std::fabs(rowValue) < 2e9))
        return -1.0;
    const int column = int(columnValue);
    const int k = int(rowValue);
    const int row = picture.width() - k - 1;
    if (column < 0 || row < 0 || column >= picture.width() || row >= picture.height())
        return -1.0;
    const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(row));
    const float red = float(qRed(line[column]));
    return double((red / 255.0f - 0.5f) * 2.0f);
}

} // namespace morvane::module
