#pragma once

#include "recipe/panels/panel_context.h"

#include <QFrame>
#include <QString>

#include <memory>

class QLabel;

namespace morvane {

struct InputNode;

// A noise input node panel ("INPUT 1" or "INPUT 2"): type, seed, the noise
// sliders, the MultiFractal and Gabor frames and the preview. Every control
// writes its value into the recipe at once; releases and type changes ask
// the driver for an evaluation (or the refresh button in manual mode).
// Widgets are named with the prefix "I1" for both instances.
class I1 : public QFrame {
    Q_OBJECT
public:
    // index 0: INPUT 1 (keys I1..., image slot 0), 1: INPUT 2 (keys I2...,
    // image slot 1).
    I1(int index, const PanelContext& context, QWidget* parent = nullptr);
    ~I1() override;

    int index() const { return m_index; }
    // Sets every control from the recipe (signals blocked) and applies the
    // visibility rules; used after a preset load and a reset.
    void syncFromRecipe();
    // Shows a picture of the maps folder in the preview label.
    void showPreview(const QString& pictureFile);
    QLabel* previewLabel() const;

signals:
    // The input type pinned or released the evaluation window: the final
    // stage enables or disables noiseSize, startX and startY and re-reads
    // their values.
    void windowControlsEnabled(bool enabled);

public slots:
    void setControlsVisibility();
    void I1ChooseNoise(const QString& typeName);
    void I1ChooseNoise();
    void I1ActivateNoise(const QString& typeName);
    void I1ReSeed();
    void I1GaborAniso(int state);

private:
    InputNode& node() const;

    int m_index;
    PanelContext m_context;
    struct Widgets;
    std::unique_ptr<Widgets> m_w;
};

} // namespace morvane
