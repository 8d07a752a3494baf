#pragma once

#include "noise/gradient.h"
#include "noise/image.h"
#include "noise/noise_map.h"

#include <QImage>
#include <QString>

namespace noise::utils {

// Colours a noise map through a gradient and optionally shades it with a
// directional light computed from the height differences of neighbours.
class RendererImage {
public:
    RendererImage();

    void SetSourceNoiseMap(const NoiseMap& map) { m_sourceNoiseMap = &map; }
    void SetDestImage(Image& image) { m_destImage = &image; }

    void ClearGradient() { m_gradient.ClearGradient(); }
    void AddGradientPoint(double pos, const Color& color) { m_gradient.AddGradientPoint(pos, color); }
    void BuildGrayscaleGradient() { m_gradient.BuildGrayscaleGradient(); }
    // Replaces the gradient by the 2048 pixels of the picture's top row.
    // Returns false when the picture cannot be read or is narrower than
    // 2048 pixels; the gradient then is a greyscale ramp (unreadable) or the
    // picture's row stretched to 2048 points (too narrow), so rendering
    // still works.
    bool LoadGradientFromImage(const QString& fileName);
    // The same from a picture already decoded (a null one is unreadable).
    bool LoadGradientFromPicture(const QImage& picture);
    const GradientColor& GetGradient() const { return m_gradient; }

    void EnableLight(bool enable = true) { m_isLightEnabled = enable; }
    bool IsLightEnabled() const { return m_isLightEnabled; }
    void SetLightAzimuth(double degrees);
    void SetLightElev(double degrees);
    // Throws ExceptionInvalidParam unless contrast > 0.
    void SetLightContrast(double contrast);
    // Throws ExceptionInvalidParam when intensity < 0.
    void SetLightIntensity(double intensity);
    void SetLightColor(const Color& color);
    double GetLightAzimuth() const { return m_lightAzimuth; }
    double GetLightElev() const { return m_lightElev; }
    double GetLightContrast() const { return m_lightContrast; }
    double GetLightIntensity() const { return m_lightIntensity; }

    void Render();
    // Colours row y of the source map into dest (the map's width of
    // colours), as Render() colours that row. Needs a source map and a
    // gradient of two points or more.
    void RenderRow(int y, Color* dest) const;

    double CalcLightIntensity(double center, double left, double right, double down,
                              double up) const;
    // The weights of the light: intensity = x * (left - right) +
    // y * (down - up) + base, before the clamp at 0.
    struct LightTerms {
        double x, y, base;
    };
    LightTerms CalcLightTerms() const;
    const Color& GetLightColor() const { return m_lightColor; }
    Color CalcDestColor(const Color& source, double light) const;

private:
    GradientColor m_gradient;
    bool m_isLightEnabled = false;
    double m_lightAzimuth = 45.0;
    Color m_lightColor{255, 255, 255, 255};
    double m_lightContrast = 1.0;
    double m_lightElev = 45.0;
    double m_lightIntensity = 1.0;
    mutable double m_cosAzimuth = 0.0;
    mutable double m_sinAzimuth = 0.0;
    mutable double m_cosElev = 0.0;
    mutable double m_sinElev = 0.0;
    mutable bool m_recalcLightValues = true;
    Image* m_destImage = nullptr;
    const NoiseMap* m_sourceNoiseMap = nullptr;
};

} // namespace noise::utils
