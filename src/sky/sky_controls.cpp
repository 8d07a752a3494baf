#include "sky/sky_controls.h"

namespace morvane {

namespace {

const QChar kDegree(0x00B0);

// Labels show values in the shortest general notation, 6 digits at most.
QString shortest(double value) {
    return QString::number(value, 'g', 6);
}

} // namespace

const std::array<SkySliderSpec, kSkySliderCount>& skySliderSpecs() {
    static const std::array<SkySliderSpec, kSkySliderCount> specs{{
        {SkySlider::SunPitch, "glSunPitchSlider", "glSunPitchLabel", "sun pitch: ",
         "sun pitch: 60", 0, 90, 60, false, true},
        {SkySlider::SunAzimuth, "glSunAzimuthSlider", "glSunAzimuthLabel", "sun azimuth: ",
         "sun azimuth: 0", 0, 360, 0, false, true},
        {SkySlider::RedGain, "glrSkyMxSlider", "glrSkyMxLabel", "red gamma: ", "red gamma: 1.3",
         0, 30, 13, false, true},
        {SkySlider::GreenGain, "glgSkyMxSlider", "glgSkyMxLabel", "green gamma: ",
         "green gamma: 1.3", 0, 30, 13, false, true},
        {SkySlider::BlueGain, "glbSkyMxSlider", "glbSkyMxLabel", "blue gamma: ",
         "blue gamma: 1.2", 0, 30, 12, false, true},
        {SkySlider::Turbidity, "TurbiditySlider", "TurbidityLabel", "turbidity: ",
         "turbidity: 2.0", 0, 1000, 200, false, false},
        {SkySlider::HorizonLuminance, "glHorizonBrightnessSlider", "glHorizonBrightnessLabel",
         "horizon luminance: ", "horizon luminance: 0.0", -100, 100, 0, false, false},
        {SkySlider::HorizonDarkness, "glHorizonLuminanceGradientSlider",
         "glHorizonLuminanceGradientLabel", "horizon darkness: ", "horizon darkness: 0.0", 0,
         250, 0, false, false},
        {SkySlider::SolarRegionIntensity, "glSolarRegionIntensitySlider",
         "glSolarRegionIntensityLabel", "solar region intensity: ",
         "solar region intensity: 1.5", 0, 100, 15, false, false},
        {SkySlider::SolarRegionWidth, "glSolarRegionWidthSlider", "glSolarRegionWidthLabel",
         "solar region width: ", "solar region width: 0.0", 0, 100, 0, false, false},
        {SkySlider::BackscatterLight, "glBackscatterLightSlider", "glBackscatterLightLabel",
         "backscatter light: ", "backscatter light: 0.0", -100, 100, 0, false, false},
        {SkySlider::StarIntensity, "glStarIntensitySlider", "glStarIntensityLabel",
         "star intensity:", "star intensity:", 0, 100, 100, true, false},
        {SkySlider::StarPopulation, "glStarPopulationSlider", "glStarPopulationLabel",
         "star population:", "star population:", 0, 30000, 3000, true, false},
    }};
    return specs;
}

const SkySliderSpec& skySliderSpec(SkySlider slider) {
    return skySliderSpecs()[std::size_t(slider)];
}

double skySliderParameter(SkySlider slider, int value) {
    switch (slider) {
    case SkySlider::RedGain:
    case SkySlider::GreenGain:
    case SkySlider::BlueGain:
    case SkySlider::HorizonDarkness:
    case SkySlider::SolarRegionIntensity:
    case SkySlider::SolarRegionWidth:
    case SkySlider::BackscatterLight:
        return value * 0.1;
    case SkySlider::Turbidity:
    case SkySlider::HorizonLuminance:
        return value * 0.01;
    default:
        return value;
    }
}

void applySkySlider(SkyParameters& p, SkySlider slider, int value) {
    const double v = skySliderParameter(slider, value);
    switch (slider) {
    case SkySlider::SunPitch: p.sunPitch = v; break;
    case SkySlider::SunAzimuth: p.sunAzimuth = v; break;
    case SkySlider::RedGain: p.redGain = v; break;
    case SkySlider::GreenGain: p.greenGain = v; break;
    case SkySlider::BlueGain: p.blueGain = v; break;
    case SkySlider::Turbidity: p.turbidity = v; break;
    case SkySlider::HorizonLuminance: p.horizonLuminance = v; break;
    case SkySlider::HorizonDarkness: p.horizonDarkness = v; break;
    case SkySlider::SolarRegionIntensity: p.solarRegionIntensity = v; break;
    case SkySlider::SolarRegionWidth: p.solarRegionWidth = v; break;
    case SkySlider::BackscatterLight: p.backscatterLight = v; break;
    case SkySlider::StarIntensity: p.starIntensity = value; break;
    case SkySlider::StarPopulation: p.starPopulation = value; break;
    }
}

QString skyLabelAfterChange(SkySlider slider, int value) {
    const SkySliderSpec& spec = skySliderSpec(slider);
    if (spec.fixedLabel)
        return QLatin1String(spec.prefix);
    QString text = QLatin1String(spec.prefix) + shortest(skySliderParameter(slider, value));
    if (spec.degreesOnChange)
        text += kDegree;
    return text;
}

QString skyLabelAfterReset(SkySlider slider) {
    const SkySliderSpec& spec = skySliderSpec(slider);
    // The five angle and gain labels read as after a change; the others
    // get their start texts back.
    if (spec.degreesOnChange)
        return skyLabelAfterChange(slider, spec.start);
    return QLatin1String(spec.startLabel);
}

void resetSkyParameters(SkyParameters& parameters) {
    parameters = SkyParameters{};
}

} // namespace morvane
