#pragma once

#include <QImage>
#include <QString>

class QIODevice;

namespace morvane {

// Pictures that come from the user (gradients, reference and mask pictures,
// image inputs) are decoded only when their header claims a sane size: a
// small file can claim a picture of gigabytes, which Qt 5's readers would
// try to allocate. The largest side the plug-in makes itself is 16384.
constexpr int kMaxPictureSide = 16384;
constexpr qint64 kMaxPicturePixels = qint64(kMaxPictureSide) * kMaxPictureSide;

struct PictureLimits {
    int maxSide = kMaxPictureSide;
    qint64 maxPixels = kMaxPicturePixels;
};

// The decoded picture, or a null image with `reason` set (unreadable file,
// unknown format, damaged data, or a size beyond the limits).
QImage readPicture(const QString& path, QString* reason = nullptr,
                   const PictureLimits& limits = {});
QImage readPicture(QIODevice* device, QString* reason = nullptr,
                   const PictureLimits& limits = {});

} // namespace morvane
