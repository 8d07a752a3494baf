// User pictures on any bytes, through Qt's readers as the plug-in reads a
// gradient, a reference or mask picture or an image input: a picture is
// either refused with a reason or decoded within the limits, a gradient made
// from it has its 2048 opaque points in increasing order, and the mask test
// reads inside the picture at every edge of the terrain.

#include "fuzz_support.h"

#include "common/picture_reader.h"
#include "noise/renderer_image.h"
#include "props/item_placement.h"

#include <QBuffer>

namespace {

using namespace morvane;

// Smaller than the plug-in's limits so a run spends its time in the
// decoders, not in clearing gigabytes.
constexpr PictureLimits kLimits{4096, 4096 * 1024};

void checkGradient(const QImage& picture) {
    noise::utils::RendererImage renderer;
    const bool full = renderer.LoadGradientFromPicture(picture);
    FUZZ_CHECK(full == (!picture.isNull() && picture.width() >= 2048));
    const auto& points = renderer.GetGradient().GetGradientPoints();
    FUZZ_CHECK(points.size() == 2048);
    for (std::size_t i = 0; i < points.size(); ++i) {
        FUZZ_CHECK(points[i].color.alpha == 255);
        if (i > 0)
            FUZZ_CHECK(points[i - 1].pos < points[i].pos);
    }
    FUZZ_CHECK(points.back().pos == 1.0);
}

} // namespace

int morvane::fuzz::pictureReaderOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes = fuzz::bytesOf(data, size);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QString reason;
    const QImage picture = readPicture(&buffer, &reason, kLimits);
    if (picture.isNull()) {
        FUZZ_CHECK(!reason.isEmpty());
    } else {
        FUZZ_CHECK(picture.width() <= kLimits.maxSide && picture.height() <= kLimits.maxSide);
        FUZZ_CHECK(qint64(picture.width()) * picture.height() <= kLimits.maxPixels);
        // Grid-space points at and past every edge of a terrain.
        const int terrainSize = 100;
        for (float gx : {-1.0f, 0.0f, 50.0f, 99.999f, 100.0f, 101.0f})
            for (float gz : {-1.0f, 0.0f, 99.999f, 100.0f})
                maskedAt(picture, terrainSize, gx, gz);
    }
    // The fallback ramp of an unreadable picture is the same every time.
    static const bool rampChecked = (checkGradient(QImage()), true);
    (void)rampChecked;
    if (!picture.isNull())
        checkGradient(picture);
    return 0;
}

MORVANE_FUZZ_TARGET(pictureReaderOneInput)
