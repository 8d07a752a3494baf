#pragma once

#include "sky/sky_parameters.h"

#include <QString>

#include <array>

namespace morvane {

// The sky panel's sliders, in panel order.
enum class SkySlider {
    SunPitch,
    SunAzimuth,
    RedGain,
    GreenGain,
    BlueGain,
    Turbidity,
    HorizonLuminance,
    HorizonDarkness,
    SolarRegionIntensity,
    SolarRegionWidth,
    BackscatterLight,
    StarIntensity,
    StarPopulation,
};

struct SkySliderSpec {
    SkySlider slider;
    const char* objectName;
    const char* labelName;
    const char* prefix;     // label text before the value; the whole text when fixed
    const char* startLabel; // the label before any change
    int minimum;
    int maximum;
    int start;
    bool fixedLabel;     // the label never shows the value
    bool degreesOnChange; // a changed value is followed by a degree sign
};

constexpr int kSkySliderCount = 13;
const std::array<SkySliderSpec, kSkySliderCount>& skySliderSpecs();
const SkySliderSpec& skySliderSpec(SkySlider slider);

// Stores a slider value into its parameter (angles as they are, gains x
// 0.1, turbidity and horizon luminance x 0.01, the other multipliers x 0.1).
void applySkySlider(SkyParameters& parameters, SkySlider slider, int value);
// The parameter's value as its label shows it.
double skySliderParameter(SkySlider slider, int value);

// The label after the slider moved to `value`.
QString skyLabelAfterChange(SkySlider slider, int value);
// The label after "reset sky dome".
QString skyLabelAfterReset(SkySlider slider);

// Every parameter back to its start value.
void resetSkyParameters(SkyParameters& parameters);

} // namespace morvane
