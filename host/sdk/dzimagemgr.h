#pragma once

#include "dzcore_export.h"

#include <QMap>
#include <QObject>

class DzTexture;

// The pictures used by the scene, one texture per file.
class DZCORE_EXPORT DzImageMgr : public QObject {
    Q_OBJECT
public:
    explicit DzImageMgr(QObject* parent = nullptr);

    // The texture of that file, loaded on first use. Paths written with "\"
    // are accepted. Null (and a console message) when the file does not
    // exist or is no picture Qt can read.
    DzTexture* getImage(const QString& path);
    // Reloads every texture whose file changed on disk.
    void refresh();

private:
    QMap<QString, DzTexture*> m_textures; // by clean absolute path
};
