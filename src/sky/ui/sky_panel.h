#pragma once

#include "sky/sky_controls.h"

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QSlider;

namespace morvane {

class GLTerrain;
class SkyMapControls;

// The sky panel under the viewport, shown in SKY DOME mode: a labelled
// slider per sky parameter, "reset sky dome" and the sky map controls.
struct SkyPanel {
    std::array<QSlider*, kSkySliderCount> sliders{};
    std::array<QLabel*, kSkySliderCount> labels{};
    QPushButton* resetButton = nullptr; // `glSkyResetButton`
    SkyMapControls* mapControls = nullptr;

    QSlider* slider(SkySlider which) const { return sliders[std::size_t(which)]; }
    QLabel* label(SkySlider which) const { return labels[std::size_t(which)]; }
};

// Fills `frame` (the tool area's `glSkyPanelFrame`) and connects every
// slider's sliderMoved to its slot on `viewport`. `mapControls` is
// reparented into the panel.
SkyPanel buildSkyPanel(QFrame* frame, GLTerrain* viewport, SkyMapControls* mapControls);

} // namespace morvane
