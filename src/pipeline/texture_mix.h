#pragma once

#include <QImage>
#include <QString>

namespace morvane {

// The two-gradient terrain texture: per pixel, the first texture where the
// control picture is black, the second where it is white, blended by the
// control's red channel in between (single precision, truncated).
QImage mixTextures(const QImage& control, const QImage& first, const QImage& second);

// One row of that mix, `width` pixels of each.
void mixTextureRow(const QRgb* control, const QRgb* first, const QRgb* second, QRgb* out,
                   int width);

// The mix of three JPEG files written as a quality-100 JPEG, row by row:
// the same file mixTextures() of the three decoded pictures saved by the
// toolkit gives, without holding any of the pictures. Returns false (and
// leaves `outFile` as it was) when a picture cannot be read or the file
// cannot be written; `reason` (when given) then says which.
bool mixTextureFiles(const QString& controlFile, const QString& firstFile,
                     const QString& secondFile, const QString& outFile,
                     QString* reason = nullptr);

} // namespace morvane
