#include "cli/cli_sky.h"

#include "cli/cli_options.h"
#include "common/notifier.h"
#include "common/progress_sink.h"
#include "common/random_source.h"
#include "common/safe_file.h"
#include "sky/sky_map_file.h"
#include "sky/sky_state.h"

#include <QTextStream>

#include <cstdio>
#include <random>

namespace morvane::cli {

namespace {

void printErr(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

class StderrSkyProgress : public ProgressSink {
public:
    void setBusyText(const QString&) override {}
    void setStatusText(const QString& text) override { printErr(text + '\n'); }
    void processEvents() override {}
};

class StderrSkyNotifier : public Notifier {
public:
    void warn(const QString& title, const QString& text) override {
        printErr(title + QStringLiteral(": ") + text + '\n');
    }
};

QString number(float value) {
    return QString::number(double(value), 'g', 9);
}

bool writeDome(const SkyDome& dome, const QString& path) {
    QByteArray text;
    QTextStream out(&text);
    for (int ring = 0; ring < SkyDome::kRings; ++ring)
        for (int segment = 0; segment < SkyDome::kSegments; ++segment) {
            const auto& p = dome.position(ring, segment);
            const auto& c = dome.colour(ring, segment);
            out << ring << ' ' << segment << ' ' << number(p[0]) << ' ' << number(p[1]) << ' '
                << number(p[2]) << ' ' << number(c[0]) << ' ' << number(c[1]) << ' '
                << number(c[2]) << '\n';
        }
    out.flush();
    return writeFileSafely(path, text);
}

} // namespace

int runSky(const CliOptions& options) {
    SequenceRandomSource random(options.seed ? *options.seed : std::random_device{}());
    SkyState sky;
    sky.parameters = options.sky;
    sky.recomputeSun();
    sky.rebuildDome(options.skyRadius, &random);

    if (!options.skyDomeFile.isEmpty()) {
        if (!writeDome(sky.dome, options.skyDomeFile)) {
            printErr(QStringLiteral("morvane-cli: cannot write ") + options.skyDomeFile + '\n');
            return 1;
        }
        std::printf("%s\n", qPrintable(options.skyDomeFile));
    }
    if (!options.skyMapFile.isEmpty()) {
        StderrSkyProgress progress;
        StderrSkyNotifier notifier;
        SkyMapOptions mapOptions;
        mapOptions.threads = options.threads;
        const SkyMapInput input{sky.parameters, sky.sun, sky.dome.stars, options.skySize};
        if (!generateSkyMapFile(input, random, options.skyMapFile, progress, notifier,
                                mapOptions))
            return 1;
        std::printf("%s\n", qPrintable(options.skyMapFile));
    }
    return 0;
}

} // namespace morvane::cli
