#include "noise/gradient.h"

#include <libnoise/exception.h>

#include <algorithm>

namespace noise::utils {

namespace {

// Blended in double, and the truncation given a hair of slack: in float, or
// without the slack, rounding error drops a whole level now and then (a
// segment between two equal colours came out one darker).
std::uint8_t blendChannel(std::uint8_t c0, std::uint8_t c1, float alpha) {
    const double a = alpha;
    const double v = ((c0 / 255.0) * (1.0 - a) + (c1 / 255.0) * a) * 255.0;
    return std::uint8_t(std::clamp(v + 1e-9, 0.0, 255.0));
}

} // namespace

void GradientColor::AddGradientPoint(double gradientPos, const Color& color) {
    // Pictures add their 2048 points in increasing order: append without
    // the search, which made every gradient load quadratic.
    if (m_points.empty() || m_points.back().pos < gradientPos) {
        m_points.push_back(GradientPoint{gradientPos, color});
        return;
    }
    auto at = std::find_if(m_points.begin(), m_points.end(),
                           [&](const GradientPoint& p) { return p.pos >= gradientPos; });
    if (at != m_points.end() && at->pos == gradientPos)
        throw noise::ExceptionInvalidParam();
    m_points.insert(at, GradientPoint{gradientPos, color});
}

const Color& GradientColor::GetColor(double gradientPos) const {
    const int count = int(m_points.size());
    if (count == 0) {
        m_workingColor = Color();
        return m_workingColor;
    }
    const auto above = std::upper_bound(
        m_points.begin(), m_points.end(), gradientPos,
        [](double pos, const GradientPoint& p) { return pos < p.pos; });
    const int indexPos = int(above - m_points.begin());
    const int index0 = std::clamp(indexPos - 1, 0, count - 1);
    const int index1 = std::clamp(indexPos, 0, count - 1);
    if (index0 == index1) {
        m_workingColor = m_points[index0].color;
        return m_workingColor;
    }
    const GradientPoint& p0 = m_points[index0];
    const GradientPoint& p1 = m_points[index1];
    const float alpha = float((gradientPos - p0.pos) / (p1.pos - p0.pos));
    m_workingColor = Color(blendChannel(p0.color.red, p1.color.red, alpha),
                           blendChannel(p0.color.green, p1.color.green, alpha),
                           blendChannel(p0.color.blue, p1.color.blue, alpha),
                           blendChannel(p0.color.alpha, p1.color.alpha, alpha));
    return m_workingColor;
}

void GradientColor::BuildGrayscaleGradient() {
    ClearGradient();
    AddGradientPoint(-1.0, Color(0, 0, 0, 255));
    AddGradientPoint(1.0, Color(255, 255, 255, 255));
}

} // namespace noise::utils
