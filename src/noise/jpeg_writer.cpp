#include "noise/jpeg_writer.h"

#include "common/safe_file.h"

#include <libnoise/exception.h>

#include <QImage>

namespace noise::utils {

QImage ImageToQImage(const Image& image) {
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    for (int y = 0; y < height; ++y) {
        const Color* source = image.GetRowPtr(y);
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(height - 1 - y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(source[x].red, source[x].green, source[x].blue);
    }
    return picture;
}

bool SaveJpeg(const QImage& picture, const QString& fileName, QString* reason) {
    return morvane::savePictureSafely(picture, fileName, "JPG", 100, reason);
}

bool JpegWriter::WriteDestFile(QString* reason) const {
    if (!m_sourceImage)
        throw noise::ExceptionInvalidParam();
    return SaveJpeg(ImageToQImage(*m_sourceImage), m_destFilename, reason);
}

} // namespace noise::utils
