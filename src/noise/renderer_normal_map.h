#pragma once

#include "noise/image.h"
#include "noise/noise_map.h"

namespace noise::utils {

// Tangent-space normal map of a height raster. The destination must be
// sized by the caller; points beyond it are skipped.
class RendererNormalMap {
public:
    void SetSourceNoiseMap(const NoiseMap& map) { m_sourceNoiseMap = &map; }
    void SetDestImage(Image& image) { m_destImage = &image; }
    void SetBumpHeight(double bumpHeight) { m_bumpHeight = bumpHeight; }
    double GetBumpHeight() const { return m_bumpHeight; }

    void Render();
    // Row y of the normal map of the whole source width into dest, as
    // Render() gives it into a destination of the source's size.
    void RenderRow(int y, Color* dest) const;

    Color CalcNormalColor(double center, double right, double up) const;

private:
    double m_bumpHeight = 1.0;
    Image* m_destImage = nullptr;
    const NoiseMap* m_sourceNoiseMap = nullptr;
};

} // namespace noise::utils
