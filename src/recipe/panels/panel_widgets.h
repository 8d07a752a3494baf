#pragma once

#include "recipe/panels/commit_spin_box.h"

#include <QSlider>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace morvane {

struct RecipeKey;

// Building blocks of the node cards: the dark card
// style, small form labels, sliders with a read-out, spin boxes ranged from
// the recipe keys, preview pictures, and the "button released" of a spin box.
namespace panel {

// Light text on the dark card, compact controls, accent-coloured slider
// fill. Keyed by the card's object name so it cannot leak into other cards.
QString cardStyleSheet(const QString& cardName);

// The colour of a label whose control the node type does not read, or the
// card's normal label colour (an empty sheet).
QString labelStyle(bool greyed);

QLabel* formLabel(const QString& text, const QString& objectName, QWidget* parent);
QLabel* sectionHeader(const QString& text, const QString& objectName, QWidget* parent);
QLabel* cardTitle(const QString& text, const QString& objectName, QWidget* parent);

// The recipe key of `name`; the panels take their ranges from it.
const RecipeKey& recipeKey(const char* name);

// A slider that keeps a read-out label current, also while its signals are
// blocked (a preset load sets values that way). The read-out shows the
// number unless a text function is set.
class ValueSlider : public QSlider {
  public:
    using ReadoutText = std::function<QString(int)>;

    ValueSlider(Qt::Orientation orientation, QWidget* parent);
    void setReadout(QLabel* readout);
    void setReadoutText(ReadoutText text);

  protected:
    void sliderChange(SliderChange change) override;

  private:
    void updateReadout();

    QLabel* m_readout = nullptr;
    ReadoutText m_text;
};

struct SliderRow {
    QWidget* row = nullptr; // slider and read-out side by side
    ValueSlider* slider = nullptr;
    QLabel* readout = nullptr; // `objectName` + "Value"
};
// The combiner and final-stage cards name the row "<slider>Row" and keep the
// read-out narrow; the input cards, whose rows carry a label, use "Field".
struct SliderRowLook {
    const char* rowSuffix = "Row";
    int readoutWidth = 28;
};
// A horizontal slider named `objectName` with its read-out; the row widget
// is named `objectName` + the look's suffix.
SliderRow makeSliderRow(const QString& objectName, int minimum, int maximum, QWidget* parent,
                        const SliderRowLook& look = {});
SliderRow makeSliderRow(const QString& objectName, const RecipeKey& key, QWidget* parent);

CommitSpinBox* makeSpinBox(const QString& objectName, int minimum, int maximum, QWidget* parent);
CommitSpinBox* makeSpinBox(const QString& objectName, const RecipeKey& key, QWidget* parent);

// A square preview label of `side` pixels.
QLabel* makePreviewLabel(const QString& objectName, int side, QWidget* parent);
// Shows a picture scaled smoothly to the label; a missing picture clears it.
void showPicture(QLabel* label, const QString& pictureFile);

} // namespace panel
} // namespace morvane
