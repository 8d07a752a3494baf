#include "noise/jpeg_writer.h"

#include <libnoise/exception.h>

#include <QImage>
#include <QSaveFile>

namespace noise::utils {

bool JpegWriter::WriteDestFile() const {
    if (!m_sourceImage)
        throw noise::ExceptionInvalidParam();

    const int width = m_sourceImage->GetWidth();
    const int height = m_sourceImage->GetHeight();
    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull())
        return false;
    for (int y = 0; y < height; ++y) {
        const Color* source = m_sourceImage->GetRowPtr(y);
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(height - 1 - y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(source[x].red, source[x].green, source[x].blue);
    }

    // Written beside the target and renamed over it, so a failed write
    // leaves the previous picture intact.
    QSaveFile file(m_destFilename);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!picture.save(&file, "JPG", 100)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace noise::utils
