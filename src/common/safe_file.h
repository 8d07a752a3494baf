#pragma once

#include <QByteArray>
#include <QString>

class QImage;

namespace morvane {

// Both write to a temporary file beside the target and rename it over the
// target only when everything was written, so a failed write leaves an
// existing file as it was. They return whether the file was written.
bool writeFileSafely(const QString& path, const QByteArray& bytes);
// `quality` as QImage::save takes it (-1: the format's default).
bool savePictureSafely(const QImage& picture, const QString& path, const char* format,
                       int quality = -1);

} // namespace morvane
