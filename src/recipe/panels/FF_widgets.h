#pragma once

#include "recipe/panels/FF.h"
#include "recipe/panels/panel_widgets.h"

#include <array>

class QComboBox;
class QDial;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QToolButton;

namespace morvane {

// The final stage's controls, shared by its layout (FF_layout.cpp) and its
// behaviour (FF.cpp).
struct FF::Widgets {
    QLabel* preview = nullptr;
    QLabel* startReadout = nullptr; // "x,y" of the window start
    QToolButton* refresh = nullptr;

    CommitSpinBox* bounds = nullptr;
    QLabel* boundsLabel = nullptr;
    panel::ValueSlider* hSlider = nullptr;
    panel::ValueSlider* vSlider = nullptr;
    panel::ValueSlider* previewSize = nullptr;

    QListWidget* left = nullptr;
    QListWidget* right = nullptr;
    QSlider* mapStyle = nullptr;
    QLabel* heightMapLabel = nullptr;
    QLabel* textureMapLabel = nullptr;

    QPushButton* light = nullptr;
    panel::ValueSlider* contrast = nullptr;
    panel::ValueSlider* intensity = nullptr;
    QDial* azimuth = nullptr;
    QDial* elevation = nullptr;
    QLabel* azimuthLabel = nullptr;
    QLabel* elevationLabel = nullptr;

    CommitSpinBox* turbulenceFrequency = nullptr;
    CommitSpinBox* turbulencePower = nullptr;
    CommitSpinBox* turbulenceRoughness = nullptr;
    QPushButton* turbulenceSeed = nullptr;

    QComboBox* erosionType = nullptr;
    CommitSpinBox* iterations = nullptr;
    CommitSpinBox* rain = nullptr;
    CommitSpinBox* solubility = nullptr;
    CommitSpinBox* evaporation = nullptr;
    CommitSpinBox* capacity = nullptr;
    QLabel* iterationsLabel = nullptr;
    std::array<QLabel*, 4> hydraulicLabels{};

    QSlider* terrainSize = nullptr;
    QLineEdit* terrainSizeText = nullptr;
    CommitSpinBox* heightLow = nullptr;
    CommitSpinBox* heightUp = nullptr;

    // The style the lists and labels show, and the gradient rows chosen
    // before the switch to height previews.
    int shownStyle = 0;
    int rememberedLeft = -1;
    int rememberedRight = -1;
};

} // namespace morvane
