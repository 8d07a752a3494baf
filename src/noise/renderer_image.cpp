#include "noise/renderer_image.h"

#include "common/picture_reader.h"

#include <libnoise/exception.h>

#include <QImage>

#include <algorithm>
#include <cmath>

namespace noise::utils {

namespace {
constexpr int kGradientPoints = 2048;
constexpr double kDegToRad = 0.017453292519943295;
} // namespace

RendererImage::RendererImage() { m_gradient.BuildGrayscaleGradient(); }

bool RendererImage::LoadGradientFromImage(const QString& fileName) {
    // Gradients can be the user's own files: read within the picture limits.
    return LoadGradientFromPicture(morvane::readPicture(fileName));
}

bool RendererImage::LoadGradientFromPicture(const QImage& picture) {
    m_gradient.ClearGradient();
    if (picture.isNull()) {
        for (int i = 0; i < kGradientPoints; ++i) {
            const float pos = float(i + 1) * 0.0009765625f - 1.0f;
            const auto grey = std::uint8_t(i * 255 / (kGradientPoints - 1));
            m_gradient.AddGradientPoint(pos, Color(grey, grey, grey, 255));
        }
        return false;
    }
    const int width = picture.width();
    for (int i = 0; i < kGradientPoints; ++i) {
        // A narrower picture is stretched over the 2048 points.
        const int column = width >= kGradientPoints ? i : int(std::int64_t(i) * width / kGradientPoints);
        const QRgb pixel = picture.pixel(column, 0);
        const float pos = float(i + 1) * 0.0009765625f - 1.0f;
        m_gradient.AddGradientPoint(
            pos, Color(std::uint8_t(qRed(pixel)), std::uint8_t(qGreen(pixel)),
                       std::uint8_t(qBlue(pixel)), 255));
    }
    return width >= kGradientPoints;
}

void RendererImage::SetLightAzimuth(double degrees) {
    m_lightAzimuth = degrees;
    m_recalcLightValues = true;
}

void RendererImage::SetLightElev(double degrees) {
    m_lightElev = degrees;
    m_recalcLightValues = true;
}

void RendererImage::SetLightContrast(double contrast) {
    if (!(contrast > 0.0))
        throw noise::ExceptionInvalidParam();
    m_lightContrast = contrast;
    m_recalcLightValues = true;
}

void RendererImage::SetLightIntensity(double intensity) {
    if (intensity < 0.0 || std::isnan(intensity))
        throw noise::ExceptionInvalidParam();
    m_lightIntensity = intensity;
    m_recalcLightValues = true;
}

void RendererImage::SetLightColor(const Color& color) {
    m_lightColor = color;
    m_recalcLightValues = true;
}

RendererImage::LightTerms RendererImage::CalcLightTerms() const {
    const double cosAzimuth = std::cos(m_lightAzimuth * kDegToRad);
    const double sinAzimuth = std::sin(m_lightAzimuth * kDegToRad);
    const double cosElev = std::cos(m_lightElev * kDegToRad);
    const double sinElev = std::sin(m_lightElev * kDegToRad);
    const double sqrt2 = std::sqrt(2.0);
    const double io = sqrt2 * sinElev / 2.0;
    const double ix = (1.0 - io) * m_lightContrast * sqrt2 * cosElev * cosAzimuth;
    const double iy = (1.0 - io) * m_lightContrast * sqrt2 * cosElev * sinAzimuth;
    return LightTerms{ix, iy, io};
}

double RendererImage::CalcLightIntensity(double /*center*/, double left, double right,
                                         double down, double up) const {
    if (m_recalcLightValues) {
        m_cosAzimuth = std::cos(m_lightAzimuth * kDegToRad);
        m_sinAzimuth = std::sin(m_lightAzimuth * kDegToRad);
        m_cosElev = std::cos(m_lightElev * kDegToRad);
        m_sinElev = std::sin(m_lightElev * kDegToRad);
        m_recalcLightValues = false;
    }
    const double sqrt2 = std::sqrt(2.0);
    const double io = sqrt2 * m_sinElev / 2.0;
    const double ix = (1.0 - io) * m_lightContrast * sqrt2 * m_cosElev * m_cosAzimuth;
    const double iy = (1.0 - io) * m_lightContrast * sqrt2 * m_cosElev * m_sinAzimuth;
    const double intensity = ix * (left - right) + iy * (down - up) + io;
    return intensity < 0.0 ? 0.0 : intensity;
}

Color RendererImage::CalcDestColor(const Color& source, double light) const {
    const double a = source.alpha / 255.0;
    auto channel = [&](std::uint8_t value, std::uint8_t lightChannel) {
        double v = (1.0 - a) * 1.0 + a * (value / 255.0);
        if (m_isLightEnabled)
            v *= light * (lightChannel / 255.0);
        v = std::clamp(v, 0.0, 1.0);
        return std::uint8_t(v * 255.0);
    };
    return Color(channel(source.red, m_lightColor.red), channel(source.green, m_lightColor.green),
                 channel(source.blue, m_lightColor.blue), 255);
}

void RendererImage::RenderRow(int y, Color* dest) const {
    const NoiseMap& source = *m_sourceNoiseMap;
    const int width = source.GetWidth();
    const int height = source.GetHeight();
    const float* row = source.GetRowPtr(y);
    const float* rowDown = y > 0 ? source.GetRowPtr(y - 1) : row;
    const float* rowUp = y + 1 < height ? source.GetRowPtr(y + 1) : row;
    for (int x = 0; x < width; ++x) {
        const double center = row[x];
        const Color& color = m_gradient.GetColor(center);
        double light = 1.0;
        if (m_isLightEnabled) {
            const double left = x > 0 ? row[x - 1] : center;
            const double right = x + 1 < width ? row[x + 1] : center;
            light = CalcLightIntensity(center, left, right, rowDown[x], rowUp[x]) *
                    m_lightIntensity;
        }
        dest[x] = CalcDestColor(color, light);
    }
}

void RendererImage::Render() {
    if (!m_sourceNoiseMap || !m_destImage || m_sourceNoiseMap->IsEmpty() ||
        m_gradient.GetGradientPointCount() < 2)
        throw noise::ExceptionInvalidParam();

    const int height = m_sourceNoiseMap->GetHeight();
    m_destImage->SetSize(m_sourceNoiseMap->GetWidth(), height);
    for (int y = 0; y < height; ++y)
        RenderRow(y, m_destImage->GetRowPtr(y));
}

} // namespace noise::utils
