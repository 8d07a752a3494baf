#include "pipeline/texture_mix.h"

#include <algorithm>

namespace morvane {

QImage mixTextures(const QImage& control, const QImage& first, const QImage& second) {
    const int width = std::min({control.width(), first.width(), second.width()});
    const int height = std::min({control.height(), first.height(), second.height()});
    QImage out(width, height, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    const QImage c = control.convertToFormat(QImage::Format_RGB32);
    const QImage a = first.convertToFormat(QImage::Format_RGB32);
    const QImage b = second.convertToFormat(QImage::Format_RGB32);
    auto blend = [](int ca, int cb, float t) {
        return int((float(ca) / 255.0f * (1.0f - t) + float(cb) / 255.0f * t) * 255.0f);
    };
    for (int y = 0; y < height; ++y) {
        const auto* cl = reinterpret_cast<const QRgb*>(c.constScanLine(y));
        const auto* al = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* bl = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        auto* ol = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float t = float(qRed(cl[x])) / 255.0f;
            ol[x] = qRgb(blend(qRed(al[x]), qRed(bl[x]), t), blend(qGreen(al[x]), qGreen(bl[x]), t),
                         blend(qBlue(al[x]), qBlue(bl[x]), t));
        }
    }
    return out;
}

} // namespace morvane
