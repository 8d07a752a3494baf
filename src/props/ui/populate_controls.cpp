#include "props/ui/populate_controls.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace morvane {

namespace {

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QSpinBox* spinBox(const char* name, int minimum, int maximum, int start, const char* tip) {
    auto* spin = named(new QSpinBox, name);
    spin->setRange(minimum, maximum);
    spin->setValue(start);
    spin->setFixedWidth(96);
    spin->setToolTip(QLatin1String(tip));
    return spin;
}

QCheckBox* checkBox(const char* name, const char* text, const char* tip) {
    auto* box = named(new QCheckBox(QLatin1String(text)), name);
    box->setToolTip(QLatin1String(tip));
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QLabel* label(const char* text, const char* name) {
    return named(new QLabel(QLatin1String(text)), name);
}

} // namespace

PopulateControls::PopulateControls(QFormLayout* form, QSpinBox* instances, QObject* parent)
    : QObject(parent), m_instances(instances) {
    m_distance = spinBox("itemDistanceSpinBox", 0, 9999999, 100,
                         "set the minimum paint distance, in centimeters, from previous item");
    form->addRow(label("distance", "itemDistanceLabel"), m_distance);

    m_angle = spinBox("ecoAngleRandomizationSpinBox", 0, 359, 0,
                      "set the angle randomization limits");
    form->addRow(label("eco angle", "ecoAngleRandomizationLabel"), m_angle);
    m_angleYOnly = checkBox("ecoAngleYOnlyCheckBox", "Y axis only",
                            "angle randomization applied only on Y axis");
    m_angleYSnap = checkBox("ecoAngleYSnap", "Y snap", "snap Y angles: 0-90-180-270");
    auto* angleBoxes = new QHBoxLayout;
    angleBoxes->addWidget(m_angleYOnly);
    angleBoxes->addWidget(m_angleYSnap);
    angleBoxes->addStretch(1);
    form->addRow(QString(), angleBoxes);

    m_scaleRandom = spinBox("ecoScaleRandomizationSpinBox", 0, 100, 0,
                            "set the scale randomization limits");
    form->addRow(label("eco scale", "ecoScaleRandomizationLabel"), m_scaleRandom);
    m_scale = spinBox("ecoMxScaleSpinBox", 0, 999999, 100, "force initial scale for selected prop");
    form->addRow(label("initial scale %", "ecoMxScaleLabel"), m_scale);
    m_scaleYOnly = checkBox("ecoScaleYOnlyCheckBox", "scale Y axis only",
                            "scale transformations applied only on Y axis");
    form->addRow(QString(), m_scaleYOnly);

    m_diameter = named(new QSlider(Qt::Horizontal), "glEcoDiameterSlider");
    m_diameter->setRange(1, 100);
    m_diameter->setValue(1);
    m_diameter->setFocusPolicy(Qt::NoFocus);
    m_diameter->setToolTip(QStringLiteral("brush diameter"));
    m_diameterValue = label("", "glEcoDiameterValueLabel");
    m_diameterValue->setMinimumWidth(64);
    auto* diameterRow = new QHBoxLayout;
    diameterRow->addWidget(m_diameter, 1);
    diameterRow->addWidget(m_diameterValue);
    form->addRow(label("brush diameter", "glEcoDiameterLabel"), diameterRow);
    refreshDiameterLabel();
    connect(m_diameter, &QSlider::sliderReleased, this,
            &PopulateControls::EcoDiameterSliderReleased);

    m_perpVsNormal = named(new QSlider(Qt::Horizontal), "glPerpVsNormalSlider");
    m_perpVsNormal->setRange(0, 100);
    m_perpVsNormal->setSingleStep(1);
    m_perpVsNormal->setValue(20);
    m_perpVsNormal->setFocusPolicy(Qt::NoFocus);
    m_perpVsNormal->setToolTip(QStringLiteral("how far painted items lean with the terrain"));
    auto* blend = new QVBoxLayout;
    blend->setSpacing(0);
    blend->addWidget(m_perpVsNormal);
    auto* ends = new QHBoxLayout;
    ends->addWidget(label("vertical (Y axis)", "glPerpLabel"));
    ends->addStretch(1);
    ends->addWidget(label("normal", "glNormalLabel"));
    blend->addLayout(ends);
    form->addRow(QString(), blend);
}

PopulateSettings PopulateControls::settings() const {
    PopulateSettings s;
    s.instances = m_instances ? m_instances->value() : s.instances;
    s.distanceCm = m_distance->value();
    s.angleRandomization = m_angle->value();
    s.angleYOnly = m_angleYOnly->isChecked();
    s.angleYSnap = m_angleYSnap->isChecked();
    s.scaleRandomization = m_scaleRandom->value();
    s.scale = m_scale->value();
    s.scaleYOnly = m_scaleYOnly->isChecked();
    s.brushDiameter = m_diameter->value();
    s.perpVsNormal = m_perpVsNormal->value();
    return s;
}

void PopulateControls::terrainBuilt(int terrainSize) {
    // A slider needs a maximum of at least its minimum.
    m_diameter->setMaximum(std::max(terrainSize, m_diameter->minimum()));
    m_diameter->setValue(terrainSize / 6);
    refreshDiameterLabel();
}

void PopulateControls::EcoDiameterSliderReleased() {
    refreshDiameterLabel();
    emit focusViewportRequested();
}

void PopulateControls::refreshDiameterLabel() {
    m_diameterValue->setText(QString::number(m_diameter->value()) + QLatin1Char('/') +
                             QString::number(m_diameter->maximum()));
}

} // namespace morvane
