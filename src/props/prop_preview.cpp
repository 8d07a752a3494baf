#include "props/prop_preview.h"

#include "props/pp2_reader.h"

#include <QDateTime>
#include <QFileInfo>

namespace morvane {

namespace {

// Only the last ".pp2" is the file's own: a folder may carry one too.
QString withSuffix(QString pp2File, const QString& suffix) {
    const int at = pp2File.lastIndexOf(QLatin1String(".pp2"));
    return at < 0 ? pp2File : pp2File.replace(at, 4, suffix);
}

QString shownTime(const QDateTime& time) {
    return time.toString(QStringLiteral("dd MMMM yyyy, hh:mm"));
}

} // namespace

QString propsFolderOf(const QString& library) {
    return findIgnoringCase(library, QStringLiteral("Runtime/Libraries/Props"));
}

QString propThumbnailFor(const QString& pp2File, const QString& noneJpg) {
    for (const char* suffix : {".png", ".jpg"}) {
        const QString picture = withSuffix(pp2File, QLatin1String(suffix));
        if (picture != pp2File && QFileInfo(picture).isFile())
            return picture;
    }
    return noneJpg;
}

QString propInfoText(const QFileInfo& file) {
    // Not every file system keeps a birth time; the metadata change time is
    // what "created" meant on those.
    const QDateTime created =
        file.birthTime().isValid() ? file.birthTime() : file.metadataChangeTime();
    return QStringLiteral("size: ") + QString::number(file.size() / 1024) +
           QStringLiteral("Kb\ncreated: ") + shownTime(created) + QStringLiteral("\nmodified: ") +
           shownTime(file.lastModified());
}

} // namespace morvane
