#include "common/picture_reader.h"

#include <QImageReader>

namespace morvane {

namespace {

// Formats whose header tells the true size of the picture. A GIF's frames
// can reach past its screen size (a 40-byte file decodes to gigabytes), so
// it and the rarer formats are not read; the plug-in's pictures are JPEG,
// BMP and PNG.
bool isTrustedFormat(const QByteArray& format) {
    return format == "jpeg" || format == "jpg" || format == "bmp" || format == "png";
}

QImage readWith(QImageReader& reader, QString* reason, const PictureLimits& limits) {
    auto refuse = [&](const QString& why) {
        if (reason)
            *reason = why;
        return QImage();
    };
    if (!reader.canRead())
        return refuse(reader.errorString());
    const QByteArray format = reader.format().toLower();
    if (!isTrustedFormat(format))
        return refuse(QStringLiteral("pictures of the format \"%1\" are not read; use JPEG, "
                                     "BMP or PNG")
                          .arg(QString::fromLatin1(format)));
    // The size from the header, before anything is allocated. A format that
    // cannot tell it up front is not read at all.
    const QSize size = reader.size();
    if (!size.isValid())
        return refuse(QStringLiteral("the picture does not tell its size"));
    if (size.width() > limits.maxSide || size.height() > limits.maxSide ||
        qint64(size.width()) * size.height() > limits.maxPixels)
        return refuse(QStringLiteral("the picture is too large (%1 x %2)")
                          .arg(size.width())
                          .arg(size.height()));
    QImage picture = reader.read();
    if (picture.isNull())
        return refuse(reader.errorString());
    // A decoder that ignored its own header must not slip past the limits.
    if (picture.width() > limits.maxSide || picture.height() > limits.maxSide ||
        qint64(picture.width()) * picture.height() > limits.maxPixels)
        return refuse(QStringLiteral("the picture is too large"));
    return picture;
}

} // namespace

QImage readPicture(const QString& path, QString* reason, const PictureLimits& limits) {
    QImageReader reader(path);
    return readWith(reader, reason, limits);
}

QImage readPicture(QIODevice* device, QString* reason, const PictureLimits& limits) {
    QImageReader reader(device);
    return readWith(reader, reason, limits);
}

} // namespace morvane
