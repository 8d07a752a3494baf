#include "common/safe_file.h"

#include <QImage>
#include <QSaveFile>

namespace morvane {

bool writeFileSafely(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool savePictureSafely(const QImage& picture, const QString& path, const char* format,
                       int quality) {
    if (picture.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!picture.save(&file, format, quality)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace morvane
