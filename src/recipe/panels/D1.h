#pragma once

#include "recipe/panels/panel_context.h"

#include <QFrame>
#include <QString>

#include <memory>

class QLabel;

namespace morvane {

struct DeformerNode;

// A deformer node panel ("DEFORMER 1" or "DEFORMER 2"): type, clamp bounds,
// exponent, scale-bias, the 17 curve and 16 terrace preset buttons, reset
// and preview. Widgets are named with the prefix "D1" for both instances;
// the preset buttons are "curve_N" and "terrace_N".
class D1 : public QFrame {
    Q_OBJECT
public:
    // index 0: DEFORMER 1 (keys D1...), 1: DEFORMER 2 (keys D2...).
    D1(int index, const PanelContext& context, QWidget* parent = nullptr);
    ~D1() override;

    int index() const { return m_index; }
    // Controls and the marked profile buttons from the recipe (signals
    // blocked), then the visibility rules.
    void syncFromRecipe();
    void showPreview(const QString& pictureFile);
    QLabel* previewLabel() const;

public slots:
    void setControlsVisibility();
    void D1ChooseNoise(const QString& typeName);
    void D1ChooseNoise();
    void D1ResetAll();
    void curveItemClicked();
    void terraceItemClicked();

private:
    DeformerNode& node() const;

    int m_index;
    PanelContext m_context;
    struct Widgets;
    std::unique_ptr<Widgets> m_w;
};

} // namespace morvane
