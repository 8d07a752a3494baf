#pragma once

#include <QImage>

namespace morvane {

// The two-gradient terrain texture: per pixel, the first texture where the
// control picture is black, the second where it is white, blended by the
// control's red channel in between (single precision, truncated).
QImage mixTextures(const QImage& control, const QImage& first, const QImage& second);

} // namespace morvane
