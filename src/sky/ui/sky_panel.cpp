#include "sky/ui/sky_panel.h"

#include "recipe/panels/panel_widgets.h"
#include "sky/ui/sky_map_controls.h"
#include "viewport/ui/gl_terrain.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace morvane {

namespace {

using Slot = void (GLTerrain::*)(int);

Slot slotFor(SkySlider slider) {
    switch (slider) {
    case SkySlider::SunPitch: return &GLTerrain::glSunPitchSliderReleased;
    case SkySlider::SunAzimuth: return &GLTerrain::glSunAzimuthSliderReleased;
    case SkySlider::RedGain: return &GLTerrain::glrSkyMxSliderReleased;
    case SkySlider::GreenGain: return &GLTerrain::glgSkyMxSliderReleased;
    case SkySlider::BlueGain: return &GLTerrain::glbSkyMxSliderReleased;
    case SkySlider::Turbidity: return &GLTerrain::TurbiditySliderReleased;
    case SkySlider::HorizonLuminance: return &GLTerrain::glHorizonBrightnessSliderReleased;
    case SkySlider::HorizonDarkness: return &GLTerrain::glHorizonLuminanceGradientSliderReleased;
    case SkySlider::SolarRegionIntensity:
        return &GLTerrain::glSolarRegionIntensitySliderReleased;
    case SkySlider::SolarRegionWidth: return &GLTerrain::glSolarRegionWidthSliderReleased;
    case SkySlider::BackscatterLight: return &GLTerrain::glBackscatterLightSliderReleased;
    case SkySlider::StarIntensity: return &GLTerrain::glStarIntensitySliderReleased;
    case SkySlider::StarPopulation: return &GLTerrain::glStarPopulationSliderReleased;
    }
    return nullptr;
}

constexpr int kColumns = 4;

} // namespace

SkyPanel buildSkyPanel(QFrame* frame, GLTerrain* viewport, SkyMapControls* mapControls) {
    SkyPanel panel;
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(10, 6, 10, 8);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(1);
    grid->addWidget(panel::sectionHeader(QStringLiteral("SKY DOME"),
                                         QStringLiteral("glSkyHeaderLabel"), frame),
                    0, 0, 1, kColumns);

    int index = 0;
    for (const SkySliderSpec& spec : skySliderSpecs()) {
        auto* label = new QLabel(QLatin1String(spec.startLabel), frame);
        label->setObjectName(QLatin1String(spec.labelName));
        auto* slider = new QSlider(Qt::Horizontal, frame);
        slider->setObjectName(QLatin1String(spec.objectName));
        slider->setRange(spec.minimum, spec.maximum);
        slider->setValue(spec.start);
        // Keys belong to the viewport.
        slider->setFocusPolicy(Qt::NoFocus);
        const int row = 1 + (index / kColumns) * 2;
        const int column = index % kColumns;
        grid->addWidget(label, row, column);
        grid->addWidget(slider, row + 1, column);
        panel.sliders[std::size_t(spec.slider)] = slider;
        panel.labels[std::size_t(spec.slider)] = label;
        QObject::connect(slider, &QSlider::sliderMoved, viewport, slotFor(spec.slider));
        ++index;
    }

    panel.resetButton = new QPushButton(QStringLiteral("reset sky dome"), frame);
    panel.resetButton->setObjectName(QStringLiteral("glSkyResetButton"));
    panel.resetButton->setFocusPolicy(Qt::NoFocus);
    panel.resetButton->setCursor(Qt::PointingHandCursor);
    QObject::connect(panel.resetButton, &QPushButton::clicked, viewport,
                     &GLTerrain::glSkyResetButtonClicked);
    const int lastRow = 1 + ((kSkySliderCount + kColumns - 1) / kColumns) * 2;
    const int freeColumn = kSkySliderCount % kColumns;
    grid->addWidget(panel.resetButton, lastRow - 2, freeColumn + 1, 1, kColumns - freeColumn - 1);
    if (mapControls) {
        mapControls->setParent(frame);
        grid->addWidget(mapControls, lastRow - 1, freeColumn + 1, 1, kColumns - freeColumn - 1);
        panel.mapControls = mapControls;
    }
    grid->setRowStretch(lastRow, 1);

    const auto labels = panel.labels;
    QObject::connect(viewport, &GLTerrain::skyLabelChanged, frame,
                     [labels](int slider, const QString& text) {
                         if (slider >= 0 && slider < kSkySliderCount)
                             labels[std::size_t(slider)]->setText(text);
                     });
    const auto sliders = panel.sliders;
    QObject::connect(viewport, &GLTerrain::skyReset, frame, [labels, sliders] {
        for (const SkySliderSpec& spec : skySliderSpecs()) {
            QSlider* slider = sliders[std::size_t(spec.slider)];
            const QSignalBlocker blocker(slider);
            slider->setValue(spec.start);
            labels[std::size_t(spec.slider)]->setText(skyLabelAfterReset(spec.slider));
        }
    });
    return panel;
}

} // namespace morvane
