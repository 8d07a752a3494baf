#pragma once

#include "recipe/panels/panel_context.h"

#include <QFrame>
#include <QString>

#include <memory>

class QLabel;

namespace morvane {

class PipelineView;

// The final stage: evaluation window (noise size, start sliders), the two
// gradient lists, light, preview size, map style, turbulence, erosion,
// terrain size and height, the final preview with the refresh button
// (`FFReGenerateNoise`) and the "HEIGHT MAP" / "TEXTURE MAP" labels.
class FF : public QFrame {
    Q_OBJECT
public:
    // `view` is where the map-style switch shows the five swapped pictures
    // (final, inputs, deformers).
    FF(const PanelContext& context, PipelineView& view, QWidget* parent = nullptr);
    ~FF() override;

    // Controls of the window, gradients, turbulence and erosion from the
    // recipe and the light, preview, map-style and terrain controls from the
    // final-stage settings (signals blocked); gradient rows follow the
    // recipe's gradient names when texture previews are shown.
    void syncFromRecipe();
    void showPreview(const QString& pictureFile);
    QLabel* previewLabel() const;
    void setRefreshButtonVisible(bool visible);
    // Start-up: both gradient lists at row 0 and disabled, both stored
    // gradient names "australia 2.bmp".
    void setInitialGradients();

public slots:
    void setControlsVisibility();
    // noiseSize, startX and startY enabled or pinned (values re-read).
    void setWindowControlsEnabled(bool enabled);
    void FFReSeed();
    void setLightState();
    void setAzimuthDial();
    void setElevationDial();
    void setTerrainSize(int sliderValue);
    void setCurrentMapStyles(int style);
    void refreshNoise();
    void refreshNoise(int row);
    void setRefreshButton(int value);

private:
    // Creates the controls and lays them out; the constructor connects them.
    void buildWidgets();

    PanelContext m_context;
    PipelineView& m_view;
    struct Widgets;
    std::unique_ptr<Widgets> m_w;
};

} // namespace morvane
