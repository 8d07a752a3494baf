#include "dzimagemgr.h"

#include "dzconsole.h"
#include "dztexture.h"

#include <QDir>
#include <QFileInfo>

DzImageMgr::DzImageMgr(QObject* parent) : QObject(parent) {}

DzTexture* DzImageMgr::getImage(const QString& path) {
    QString file = path;
    // Plug-ins written for Windows hand over "\" separators.
    if (!QFileInfo::exists(file))
        file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        dzConsoleMessage(QStringLiteral("image not found: %1").arg(path));
        return nullptr;
    }
    const QString key = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    if (DzTexture* known = m_textures.value(key)) {
        known->reload();
        return known;
    }
    auto* texture = new DzTexture(key, this);
    if (texture->getImage().isNull()) {
        dzConsoleMessage(QStringLiteral("not a readable picture: %1").arg(path));
        delete texture;
        return nullptr;
    }
    m_textures.insert(key, texture);
    return texture;
}

void DzImageMgr::refresh() {
    for (DzTexture* texture : qAsConst(m_textures))
        texture->reload();
}
