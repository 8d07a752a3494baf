#pragma once

#include "noise/image.h"

#include <QImage>
#include <QString>

namespace noise::utils {

// Writes an Image as a quality-100 JPEG, raster row 0 as the picture's
// bottom line. Any path QFile accepts works, non-ASCII ones included.
class JpegWriter {
public:
    void SetSourceImage(const Image& image) { m_sourceImage = &image; }
    void SetDestFilename(const QString& fileName) { m_destFilename = fileName; }
    const QString& GetDestFilename() const { return m_destFilename; }

    // Throws ExceptionInvalidParam without a source image. Returns false
    // when the file could not be written (`reason`, when given, then says
    // why); an existing file is then left as it was.
    bool WriteDestFile(QString* reason = nullptr) const;

private:
    QString m_destFilename;
    const Image* m_sourceImage = nullptr;
};

// The picture an Image makes: RGB32, raster row 0 as the bottom line.
QImage ImageToQImage(const Image& image);

// Saves a picture as a quality-100 JPEG through a temporary file, so a failed
// write leaves an existing file intact. Returns whether it was written;
// `reason` (when given) then receives why not.
bool SaveJpeg(const QImage& picture, const QString& fileName, QString* reason = nullptr);

} // namespace noise::utils
