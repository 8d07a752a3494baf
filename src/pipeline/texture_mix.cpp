#include "pipeline/texture_mix.h"

#include "noise/image.h"
#include "noise/jpeg_stream_reader.h"
#include "noise/jpeg_stream_writer.h"

#include <algorithm>
#include <vector>

namespace morvane {

void mixTextureRow(const QRgb* control, const QRgb* first, const QRgb* second, QRgb* out,
                   int width) {
    auto blend = [](int ca, int cb, float t) {
        return int((float(ca) / 255.0f * (1.0f - t) + float(cb) / 255.0f * t) * 255.0f);
    };
    for (int x = 0; x < width; ++x) {
        const float t = float(qRed(control[x])) / 255.0f;
        out[x] = qRgb(blend(qRed(first[x]), qRed(second[x]), t),
                      blend(qGreen(first[x]), qGreen(second[x]), t),
                      blend(qBlue(first[x]), qBlue(second[x]), t));
    }
}

QImage mixTextures(const QImage& control, const QImage& first, const QImage& second) {
    const int width = std::min({control.width(), first.width(), second.width()});
    const int height = std::min({control.height(), first.height(), second.height()});
    QImage out(width, height, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    const QImage c = control.convertToFormat(QImage::Format_RGB32);
    const QImage a = first.convertToFormat(QImage::Format_RGB32);
    const QImage b = second.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        mixTextureRow(reinterpret_cast<const QRgb*>(c.constScanLine(y)),
                      reinterpret_cast<const QRgb*>(a.constScanLine(y)),
                      reinterpret_cast<const QRgb*>(b.constScanLine(y)),
                      reinterpret_cast<QRgb*>(out.scanLine(y)), width);
    return out;
}

bool mixTextureFiles(const QString& controlFile, const QString& firstFile,
                     const QString& secondFile, const QString& outFile, QString* reason) {
    using noise::utils::JpegStreamReader;
    JpegStreamReader control(controlFile);
    JpegStreamReader first(firstFile);
    JpegStreamReader second(secondFile);
    JpegStreamReader* readers[3] = {&control, &first, &second};
    const QString* files[3] = {&controlFile, &firstFile, &secondFile};
    for (int i = 0; i < 3; ++i)
        if (!readers[i]->isValid()) {
            if (reason)
                *reason = QStringLiteral("cannot read ") + *files[i];
            return false;
        }
    const int width = std::min({control.width(), first.width(), second.width()});
    const int height = std::min({control.height(), first.height(), second.height()});

    std::vector<QRgb> in[3];
    for (int i = 0; i < 3; ++i)
        in[i].resize(std::size_t(readers[i]->width()));
    std::vector<QRgb> mixed(static_cast<std::size_t>(width));
    // A picture that ends early stops the writer, which then leaves the
    // file as it was.
    struct CutShort {
        const QString* file;
    };
    try {
        // The rows are asked for in order, so the readers move along with them.
        return noise::utils::WriteJpegRows(
            outFile, width, height,
            [&](int, noise::utils::Color* row) {
                for (int i = 0; i < 3; ++i)
                    if (!readers[i]->readRow(in[i].data()))
                        throw CutShort{files[i]};
                mixTextureRow(in[0].data(), in[1].data(), in[2].data(), mixed.data(), width);
                for (std::size_t x = 0; x < mixed.size(); ++x)
                    row[x] = noise::utils::Color(std::uint8_t(qRed(mixed[x])),
                                                 std::uint8_t(qGreen(mixed[x])),
                                                 std::uint8_t(qBlue(mixed[x])), 255);
            },
            reason);
    } catch (const CutShort& cut) {
        if (reason)
            *reason = QStringLiteral("cannot read ") + *cut.file;
        return false;
    }
}

} // namespace morvane
