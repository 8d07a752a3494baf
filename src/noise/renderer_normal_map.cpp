#include "noise/renderer_normal_map.h"

#include <libnoise/exception.h>

#include <algorithm>
#include <cmath>

namespace noise::utils {

Color RendererNormalMap::CalcNormalColor(double center, double right, double up) const {
    center *= m_bumpHeight;
    right *= m_bumpHeight;
    up *= m_bumpHeight;
    const double ncr = center - right;
    const double ncu = center - up;
    const double d = std::sqrt(ncu * ncu + ncr * ncr + 1.0);
    auto channel = [](double n) {
        return std::uint8_t(std::clamp(std::floor((n + 1.0) * 127.5), 0.0, 255.0));
    };
    return Color(channel(ncr / d), channel(ncu / d), channel(1.0 / d), 0);
}

void RendererNormalMap::RenderRow(int y, Color* dest) const {
    const NoiseMap& source = *m_sourceNoiseMap;
    const float* row = source.GetRowPtr(y);
    const float* rowUp = y + 1 < source.GetHeight() ? source.GetRowPtr(y + 1) : row;
    const int width = source.GetWidth();
    for (int x = 0; x < width; ++x) {
        const double center = row[x];
        const double right = x + 1 < width ? row[x + 1] : center;
        dest[x] = CalcNormalColor(center, right, rowUp[x]);
    }
}

void RendererNormalMap::Render() {
    if (!m_sourceNoiseMap || !m_destImage || m_sourceNoiseMap->IsEmpty())
        throw noise::ExceptionInvalidParam();

    const NoiseMap& source = *m_sourceNoiseMap;
    const int width = std::min(source.GetWidth(), m_destImage->GetWidth());
    const int height = std::min(source.GetHeight(), m_destImage->GetHeight());
    for (int y = 0; y < height; ++y) {
        const float* row = source.GetRowPtr(y);
        const float* rowUp = y + 1 < source.GetHeight() ? source.GetRowPtr(y + 1) : row;
        Color* dest = m_destImage->GetRowPtr(y);
        for (int x = 0; x < width; ++x) {
            const double center = row[x];
            const double right = x + 1 < source.GetWidth() ? row[x + 1] : center;
            dest[x] = CalcNormalColor(center, right, rowUp[x]);
        }
    }
}

} // namespace noise::utils
