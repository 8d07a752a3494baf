#include "sky/sky_map_file.h"

#include "common/notifier.h"
#include "common/progress_sink.h"
#include "common/safe_file.h"

#include <QFileInfo>

#include <optional>

namespace morvane {

namespace {

constexpr int kBarLength = 20;

} // namespace

QString skyMapFileName(const QString& groupName) {
    return groupName + QStringLiteral("_skyDome.jpg");
}

bool saveSkyMap(const QImage& map, const QString& path, QString* reason) {
    const bool png = QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
    return png ? savePictureSafely(map, path, "PNG", -1, reason)
               : savePictureSafely(map, path, "JPEG", 100, reason);
}

QString skyMapProgressText(int done, int total) {
    const int percent = total > 0 ? int(qint64(done) * 100 / total) : 100;
    const int filled = percent * kBarLength / 100;
    return QStringLiteral("computing sky dome map... please wait\n\n") +
           QString(filled, QChar(0x2588)) + QString(kBarLength - filled, QChar(0x2591)) +
           QStringLiteral("  ") + QString::number(percent) + QLatin1Char('%');
}

bool generateSkyMapFile(const SkyMapInput& input, RandomSource& random, const QString& path,
                        ProgressSink& progress, Notifier& notifier,
                        const SkyMapOptions& givenOptions) {
    progress.setStatusText(QStringLiteral("computing sky dome map... please wait"));
    progress.processEvents();

    SkyMapResult result;
    {
        std::optional<BusyScope> busy;
        SkyMapOptions options = givenOptions;
        if (input.side >= kSkyMapProgressSide) {
            busy.emplace(progress);
            progress.setBusyText(skyMapProgressText(0, 1));
            // The bar only moves if the overlay repaints.
            options.onProgress = [&progress](int done, int total) {
                progress.setBusyText(skyMapProgressText(done, total));
                progress.processEvents();
            };
        }
        result = renderSkyMap(input, random, options);
    }
    if (!result.ok()) {
        progress.setStatusText(QStringLiteral("sky dome map not generated"));
        notifier.warn(QStringLiteral("Error"), result.error);
        return false;
    }
    QString reason;
    if (!saveSkyMap(result.image, path, &reason)) {
        progress.setStatusText(QStringLiteral("sky dome map not generated"));
        notifier.warn(QStringLiteral("Error"),
                      QStringLiteral("The sky dome map could not be written to ") + path +
                          QStringLiteral(" (") + reason +
                          QStringLiteral("); the previous map is kept."));
        return false;
    }
    progress.setStatusText(QStringLiteral("sky dome map generated"));
    return true;
}

} // namespace morvane
