#pragma once

#include "noise/image.h"

#include <vector>

namespace noise::utils {

struct GradientPoint {
    double pos = 0.0;
    Color color;
};

// Colour ramp over noise values, points kept sorted by strictly increasing
// position. Values outside the points take the colour of the nearest end.
class GradientColor {
public:
    void ClearGradient() { m_points.clear(); }
    // Throws ExceptionInvalidParam when a point already sits at gradientPos.
    void AddGradientPoint(double gradientPos, const Color& color);
    const Color& GetColor(double gradientPos) const;
    void BuildGrayscaleGradient();

    int GetGradientPointCount() const { return int(m_points.size()); }
    const std::vector<GradientPoint>& GetGradientPoints() const { return m_points; }

private:
    std::vector<GradientPoint> m_points;
    mutable Color m_workingColor;
};

} // namespace noise::utils
