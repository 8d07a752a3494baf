#include "dztexture.h"

#include <QFileInfo>

DzTexture::DzTexture(const QString& filename, QObject* parent)
    : DzBase(parent), m_filename(filename) {
    setName(QFileInfo(filename).completeBaseName());
    reload();
}

bool DzTexture::reload() {
    const QFileInfo info(m_filename);
    const QDateTime stamp = info.exists() ? info.lastModified() : QDateTime();
    if (!m_image.isNull() && stamp == m_loadedStamp)
        return true;
    QImage image(m_filename);
    m_loadedStamp = stamp;
    if (image.isNull() && m_image.isNull())
        return false;
    m_image = image;
    emit imageChanged();
    return !m_image.isNull();
}
