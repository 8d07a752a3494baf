#pragma once

#include "recipe/panels/panel_context.h"

#include <QFrame>
#include <QString>

#include <memory>

class QLabel;

namespace morvane {

// The combiner panel ("COMBINER"): combiner type, control-noise type, seed,
// sliders, falloff and the control-noise preview.
class C1 : public QFrame {
    Q_OBJECT
public:
    C1(const PanelContext& context, QWidget* parent = nullptr);
    ~C1() override;

    void syncFromRecipe();
    void showPreview(const QString& pictureFile);
    QLabel* previewLabel() const;

public slots:
    void setControlsVisibility();
    void C1ChooseNoise(const QString& typeName);
    void C1ChooseNoise();
    void C1ActivateNoise(const QString& typeName);
    void C1ReSeed();

private:
    PanelContext m_context;
    struct Widgets;
    std::unique_ptr<Widgets> m_w;
};

} // namespace morvane
