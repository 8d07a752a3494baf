#include "pipeline/texture_mix.h"

#include "common/safe_file.h"
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
                     const QString& secondFile, const QString& outFile) {
    using noise::utils::JpegStreamReader;
    JpegStreamReader control(controlFile);
    JpegStreamReader first(firstFile);
    JpegStreamReader second(secondFile);
    if (!control.isValid() || !first.isValid() || !second.isValid())
        return false;
    const int width = std::min({control.width(), first.width(), second.width()});
    const int height = std::min({control.height(), first.height(), second.height()});

    SafeFileWriter file(outFile);
    if (!file.open())
        return false;
    noise::utils::JpegStreamWriter writer(*file.device(), width, height);
    JpegStreamReader* readers[3] = {&control, &first, &second};
    std::vector<QRgb> in[3];
    for (int i = 0; i < 3; ++i)
        in[i].resize(std::size_t(readers[i]->width()));
    const auto columns = std::size_t(width);
    std::vector<QRgb> mixed(columns);
    std::vector<noise::utils::Color> colours(columns);
    for (int y = 0; y < height && !writer.failed(); ++y) {
        for (int i = 0; i < 3; ++i)
            if (!readers[i]->readRow(in[i].data()))
                return false; // the writer's file is cancelled with it
        mixTextureRow(in[0].data(), in[1].data(), in[2].data(), mixed.data(), width);
        for (int x = 0; x < width; ++x)
            colours[std::size_t(x)] = noise::utils::Color(
                std::uint8_t(qRed(mixed[std::size_t(x)])),
                std::uint8_t(qGreen(mixed[std::size_t(x)])),
                std::uint8_t(qBlue(mixed[std::size_t(x)])), 255);
        writer.writeRow(colours.data());
    }
    if (!writer.finish())
        return false;
    return file.commit();
}

} // namespace morvane
