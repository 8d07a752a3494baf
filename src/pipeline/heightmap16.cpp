#include "pipeline/heightmap16.h"

#include "common/safe_file.h"


#include <algorithm>
#include <cmath>

namespace morvane {

QImage heightmap16(const noise::utils::NoiseMap& map) {
    const int width = map.GetWidth();
    const int height = map.GetHeight();
    QImage picture(width, height, QImage::Format_Grayscale16);
    if (picture.isNull())
        return picture;
    float low = 0.0f, high = 0.0f;
    for (int y = 0; y < height; ++y) {
        const float* row = map.GetRowPtr(y);
        const auto [minIt, maxIt] = std::minmax_element(row, row + width);
        low = y == 0 ? *minIt : std::min(low, *minIt);
        high = y == 0 ? *maxIt : std::max(high, *maxIt);
    }
    const double range = double(high) - double(low);
    for (int y = 0; y < height; ++y) {
        const float* row = map.GetRowPtr(y);
        auto* line = reinterpret_cast<quint16*>(picture.scanLine(height - 1 - y));
        for (int x = 0; x < width; ++x) {
            const double level = range > 0.0 ? (row[x] - double(low)) / range * 65535.0 : 0.0;
            line[x] = quint16(std::lround(std::clamp(level, 0.0, 65535.0)));
        }
    }
    return picture;
}

bool writeHeightmap16(const noise::utils::NoiseMap& map, const QString& path, QString* reason) {
    return savePictureSafely(heightmap16(map), path, "PNG", -1, reason);
}

} // namespace morvane
