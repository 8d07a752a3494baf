#pragma once

#include "dzbase.h"

#include <QDateTime>
#include <QImage>

// A picture file the image manager has loaded. Materials refer to it; the
// manager owns it.
class DZCORE_EXPORT DzTexture : public DzBase {
    Q_OBJECT
public:
    explicit DzTexture(const QString& filename, QObject* parent = nullptr);

    QString getFilename() const { return m_filename; }
    // The picture as last loaded; null if the file could not be decoded.
    QImage getImage() const { return m_image; }
    // Reloads when the file changed since the last load. True when the
    // texture holds a picture afterwards.
    bool reload();

signals:
    void imageChanged();

private:
    QString m_filename;
    QImage m_image;
    QDateTime m_loadedStamp;
};
