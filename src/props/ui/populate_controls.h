#pragma once

#include "props/populate_settings.h"

#include <QObject>

class QCheckBox;
class QFormLayout;
class QLabel;
class QSlider;
class QSpinBox;

namespace morvane {

// The populate controls under the instances spin box: distance, angle and
// scale randomisation, the brush diameter and the upright-to-normal blend.
// Painting reads them through `settings()` at every press and drag.
class PopulateControls : public QObject {
    Q_OBJECT
public:
    // Adds the rows to `form`, below the existing `glEcoInstancesSpinBox`.
    PopulateControls(QFormLayout* form, QSpinBox* instances, QObject* parent = nullptr);

    PopulateSettings settings() const;

    // After every terrain build: the brush reaches across the terrain and
    // starts at a sixth of it.
    void terrainBuilt(int terrainSize);

    QSpinBox* instances() const { return m_instances; }
    QSlider* diameterSlider() const { return m_diameter; }
    QLabel* diameterLabel() const { return m_diameterValue; }

signals:
    void focusViewportRequested();

public slots:
    // The value label reads "<value>/<maximum>"; focus goes back to the
    // viewport.
    void EcoDiameterSliderReleased();

private:
    void refreshDiameterLabel();

    QSpinBox* m_instances = nullptr;
    QSpinBox* m_distance = nullptr;
    QSpinBox* m_angle = nullptr;
    QCheckBox* m_angleYOnly = nullptr;
    QCheckBox* m_angleYSnap = nullptr;
    QSpinBox* m_scaleRandom = nullptr;
    QSpinBox* m_scale = nullptr;
    QCheckBox* m_scaleYOnly = nullptr;
    QSlider* m_diameter = nullptr;
    QLabel* m_diameterValue = nullptr;
    QSlider* m_perpVsNormal = nullptr;
};

} // namespace morvane
