#include "noise/row_colourer.h"

#include <algorithm>
#include <cmath>

namespace noise::utils {

namespace {

// 1 / width when multiplying by it gives the same double as dividing by
// width: width a power of two whose reciprocal is a normal number.
double exactReciprocal(double width) {
    int exponent = 0;
    if (!(width > 0.0) || !std::isfinite(width) || std::frexp(width, &exponent) != 0.5)
        return 0.0;
    const double reciprocal = 1.0 / width;
    return std::isnormal(reciprocal) ? reciprocal : 0.0;
}

} // namespace

RowColourer::RowColourer(const RendererImage& renderer) {
    const std::vector<GradientPoint>& points = renderer.GetGradient().GetGradientPoints();
    m_positions.reserve(points.size());
    m_colors.reserve(points.size());
    m_exactScale.assign(points.size(), 0.0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        m_positions.push_back(points[i].pos);
        m_colors.push_back(points[i].color);
        if (i > 0)
            m_exactScale[i] = exactReciprocal(points[i].pos - points[i - 1].pos);
    }
    if (points.size() >= 2) {
        m_first = m_positions.front();
        const double span = m_positions.back() - m_first;
        if (span > 0.0 && std::isfinite(span))
            m_stepsPerUnit = double(points.size() - 1) / span;
    }
    for (int c = 0; c < 256; ++c)
        m_unit[c] = c / 255.0;
    m_lightEnabled = renderer.IsLightEnabled();
    m_light = renderer.CalcLightTerms();
    m_lightIntensity = renderer.GetLightIntensity();
    const Color& light = renderer.GetLightColor();
    m_lightChannel[0] = light.red / 255.0;
    m_lightChannel[1] = light.green / 255.0;
    m_lightChannel[2] = light.blue / 255.0;
}

// The index of the first point above value (the end when none is), as
// std::upper_bound finds it: start from where evenly spaced points would
// put it, then step until the real points agree.
int RowColourer::segmentAbove(double value) const {
    const int count = int(m_positions.size());
    const double guess = (value - m_first) * m_stepsPerUnit;
    int index = guess > 0.0 ? (guess < double(count) ? int(guess) + 1 : count) : 0;
    while (index < count && !(value < m_positions[std::size_t(index)]))
        ++index;
    while (index > 0 && value < m_positions[std::size_t(index - 1)])
        --index;
    return index;
}

Color RowColourer::gradientColor(double value) const {
    const int count = int(m_positions.size());
    if (count == 0)
        return Color();
    const int above = segmentAbove(value);
    const int index0 = std::clamp(above - 1, 0, count - 1);
    const int index1 = std::clamp(above, 0, count - 1);
    if (index0 == index1)
        return m_colors[std::size_t(index0)];
    const double offset = value - m_positions[std::size_t(index0)];
    const double scale = m_exactScale[std::size_t(index1)];
    const float alpha =
        float(scale != 0.0 ? offset * scale
                           : offset / (m_positions[std::size_t(index1)] -
                                       m_positions[std::size_t(index0)]));
    const double a = alpha;
    const double b = 1.0 - a;
    auto blend = [&](std::uint8_t c0, std::uint8_t c1) {
        const double v = (m_unit[c0] * b + m_unit[c1] * a) * 255.0;
        return std::uint8_t(std::clamp(v + 1e-9, 0.0, 255.0));
    };
    const Color& c0 = m_colors[std::size_t(index0)];
    const Color& c1 = m_colors[std::size_t(index1)];
    return Color(blend(c0.red, c1.red), blend(c0.green, c1.green), blend(c0.blue, c1.blue),
                 blend(c0.alpha, c1.alpha));
}

Color RowColourer::destColor(const Color& source, double light) const {
    const double a = m_unit[source.alpha];
    const double base = (1.0 - a) * 1.0;
    auto channel = [&](std::uint8_t value, int lightChannel) {
        double v = base + a * m_unit[value];
        if (m_lightEnabled)
            v *= light * m_lightChannel[lightChannel];
        v = std::clamp(v, 0.0, 1.0);
        return std::uint8_t(v * 255.0);
    };
    return Color(channel(source.red, 0), channel(source.green, 1), channel(source.blue, 2), 255);
}

void RowColourer::colourRow(const NoiseMap& map, int y, Color* dest) const {
    const int height = map.GetHeight();
    const float* row = map.GetRowPtr(y);
    colourRow(y > 0 ? map.GetRowPtr(y - 1) : row, row, y + 1 < height ? map.GetRowPtr(y + 1) : row,
              map.GetWidth(), dest);
}

void RowColourer::colourRow(const float* rowDown, const float* row, const float* rowUp, int width,
                            Color* dest) const {
    if (!m_lightEnabled) {
        for (int x = 0; x < width; ++x)
            dest[x] = destColor(gradientColor(row[x]), 1.0);
        return;
    }
    for (int x = 0; x < width; ++x) {
        const double center = row[x];
        const double left = x > 0 ? row[x - 1] : center;
        const double right = x + 1 < width ? row[x + 1] : center;
        const double intensity =
            m_light.x * (left - right) + m_light.y * (double(rowDown[x]) - rowUp[x]) +
            m_light.base;
        const double light = (intensity < 0.0 ? 0.0 : intensity) * m_lightIntensity;
        dest[x] = destColor(gradientColor(center), light);
    }
}

} // namespace noise::utils
