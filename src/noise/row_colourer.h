#pragma once

#include "noise/image.h"
#include "noise/noise_map.h"
#include "noise/renderer_image.h"

#include <vector>

namespace noise::utils {

// Colours map rows exactly as a RendererImage with the same gradient and
// light does (same bytes), from tables built once: the gradient segment is
// found from the evenly spaced position and checked against the real
// points, the byte-to-unit divisions are looked up, the light weights are
// computed once, and a segment whose width is a power of two scales by
// its exact reciprocal instead of dividing. Rows may be coloured from
// several threads at once.
class RowColourer {
public:
    explicit RowColourer(const RendererImage& renderer);

    // Colours row y of map into dest (the map's width of colours).
    void colourRow(const NoiseMap& map, int y, Color* dest) const;
    // The same from the row and its neighbours below (the map's row y - 1)
    // and above (y + 1), each `width` values; at the map's edges the row
    // itself stands in for the missing neighbour.
    void colourRow(const float* below, const float* row, const float* above, int width,
                   Color* dest) const;

    // The gradient's colour at value, as GradientColor::GetColor gives it.
    Color gradientColor(double value) const;

private:
    int segmentAbove(double value) const;
    Color destColor(const Color& source, double light) const;

    std::vector<double> m_positions;
    std::vector<Color> m_colors;
    // Per segment ending at point i: 1 / width when that is exact, else 0.
    std::vector<double> m_exactScale;
    double m_first = 0.0;
    double m_stepsPerUnit = 0.0;
    double m_unit[256] = {}; // c / 255.0
    bool m_lightEnabled = false;
    RendererImage::LightTerms m_light{0.0, 0.0, 0.0};
    double m_lightIntensity = 1.0;
    double m_lightChannel[3] = {1.0, 1.0, 1.0};
};

} // namespace noise::utils
