#include "recipe/panels/panel_widgets.h"

#include "recipe/panels/panel_style.h"
#include "recipe/recipe_keys.h"

#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>

#include <stdexcept>

namespace morvane::panel {

QString cardStyleSheet(const QString& cardName) {
    const QString card = QLatin1Char('#') + cardName;
    const QString accent = style::rgba(style::kAccent);
    QString sheet;
    sheet +=
        card + QStringLiteral(" { background-color: rgba(40,40,40,255);"
                              " border: 1px solid rgba(24,24,24,255); border-radius: 4px; }\n");
    sheet += card + QStringLiteral(" QLabel { color: rgba(200,200,200,255); font-size: 10px;"
                                   " border: none; background: transparent; }\n");
    sheet += card + QStringLiteral(" QLabel:disabled { color: rgba(90,90,90,255); }\n");
    sheet += card + QStringLiteral(" QComboBox, ") + card + QStringLiteral(" QSpinBox, ") + card +
             QStringLiteral(" QLineEdit { color: rgba(220,220,220,255);"
                            " background-color: rgba(28,28,28,255);"
                            " border: 1px solid rgba(70,70,70,255); border-radius: 2px;"
                            " padding: 1px 3px; font-size: 10px; min-height: 16px; }\n");
    sheet += card + QStringLiteral(" QComboBox:disabled, ") + card +
             QStringLiteral(" QSpinBox:disabled, ") + card +
             QStringLiteral(" QLineEdit:disabled { color: rgba(90,90,90,255);"
                            " border-color: rgba(50,50,50,255); }\n");
    sheet += card +
             QStringLiteral(" QComboBox QAbstractItemView { color: rgba(220,220,220,255);"
                            " background-color: rgba(28,28,28,255);"
                            " selection-background-color: ") +
             style::rgba(style::kBlue) + QStringLiteral("; }\n");
    sheet += card + QStringLiteral(" QPushButton, ") + card +
             QStringLiteral(" QToolButton { color: rgba(220,220,220,255); background-color: ") +
             style::rgba(style::kDark) +
             QStringLiteral("; border: 1px solid rgba(80,80,80,255); border-radius: 3px;"
                            " padding: 2px 8px; font-size: 10px; }\n");
    sheet += card + QStringLiteral(" QPushButton:hover, ") + card +
             QStringLiteral(" QToolButton:hover { border-color: ") + accent +
             QStringLiteral("; }\n");
    sheet += card + QStringLiteral(" QPushButton:disabled { color: rgba(90,90,90,255);"
                                   " border-color: rgba(50,50,50,255); }\n");
    // Sliders: a thin dark groove, the filled part in the accent colour.
    sheet += card + QStringLiteral(" QSlider::groove:horizontal { height: 4px;"
                                   " background: rgba(22,22,22,255); border-radius: 2px; }\n");
    sheet += card + QStringLiteral(" QSlider::groove:vertical { width: 4px;"
                                   " background: rgba(22,22,22,255); border-radius: 2px; }\n");
    sheet += card + QStringLiteral(" QSlider::sub-page:horizontal { background: ") + accent +
             QStringLiteral("; border-radius: 2px; }\n");
    sheet += card + QStringLiteral(" QSlider::add-page:vertical { background: ") + accent +
             QStringLiteral("; border-radius: 2px; }\n");
    sheet += card + QStringLiteral(" QSlider::handle:horizontal { width: 10px; margin: -4px 0;"
                                   " background: rgba(210,210,210,255); border-radius: 5px; }\n");
    sheet += card + QStringLiteral(" QSlider::handle:vertical { height: 10px; margin: 0 -4px;"
                                   " background: rgba(210,210,210,255); border-radius: 5px; }\n");
    sheet += card + QStringLiteral(" QSlider::sub-page:horizontal:disabled, ") + card +
             QStringLiteral(" QSlider::add-page:vertical:disabled {"
                            " background: rgba(70,70,70,255); }\n");
    sheet +=
        card + QStringLiteral(" QSlider::handle:disabled { background: rgba(80,80,80,255); }\n");
    sheet += card + QStringLiteral(" QListWidget { color: rgba(210,210,210,255);"
                                   " background-color: rgba(28,28,28,255);"
                                   " border: 1px solid rgba(70,70,70,255); font-size: 10px; }\n");
    sheet += card +
             QStringLiteral(" QListWidget::item:selected { color: rgba(255,255,255,255);"
                            " background-color: ") +
             style::rgba(style::kBlue) + QStringLiteral("; }\n");
    sheet += card + QStringLiteral(" QListWidget:disabled { color: rgba(110,110,110,255); }\n");
    sheet += card + QStringLiteral(" QDial { background-color: rgba(70,70,70,255); }\n");
    return sheet;
}

QString labelStyle(bool greyed) {
    return greyed ? QStringLiteral("color: ") + QLatin1String(style::kGreyedLabel) + ';'
                  : QString();
}

QLabel* formLabel(const QString& text, const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

QLabel* sectionHeader(const QString& text, const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setStyleSheet(QStringLiteral("* { color: ") + style::rgba(style::kAccent) +
                         QStringLiteral("; font-size: 9px; font-weight: bold;"
                                        " letter-spacing: 1px; padding-top: 4px;"
                                        " border-bottom: 1px solid rgba(70,70,70,255); }"));
    return label;
}

QLabel* cardTitle(const QString& text, const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    // The same title look as the input and deformer cards.
    label->setStyleSheet(QStringLiteral("* { color: ") + style::rgba(style::kAccent) +
                         QStringLiteral("; font-size: 11px; font-weight: bold; }"));
    return label;
}

const RecipeKey& recipeKey(const char* name) {
    const RecipeKey* key = findRecipeKey(QLatin1String(name));
    if (!key)
        throw std::logic_error(std::string("no recipe key ") + name);
    return *key;
}

ValueSlider::ValueSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {}

void ValueSlider::setReadout(QLabel* readout) {
    m_readout = readout;
    updateReadout();
}

void ValueSlider::setReadoutText(ReadoutText text) {
    m_text = std::move(text);
    updateReadout();
}

void ValueSlider::sliderChange(SliderChange change) {
    QSlider::sliderChange(change);
    if (change == SliderValueChange)
        updateReadout();
}

void ValueSlider::updateReadout() {
    if (m_readout)
        m_readout->setText(m_text ? m_text(value()) : QString::number(value()));
}

SliderRow makeSliderRow(const QString& objectName, int minimum, int maximum, QWidget* parent,
                        const SliderRowLook& look) {
    SliderRow r;
    r.row = new QWidget(parent);
    r.row->setObjectName(objectName + QLatin1String(look.rowSuffix));
    auto* layout = new QHBoxLayout(r.row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    r.slider = new ValueSlider(Qt::Horizontal, r.row);
    r.slider->setObjectName(objectName);
    r.slider->setRange(minimum, maximum);
    r.readout = new QLabel(r.row);
    r.readout->setObjectName(objectName + QStringLiteral("Value"));
    r.readout->setFixedWidth(look.readoutWidth);
    r.readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    r.slider->setReadout(r.readout);
    layout->addWidget(r.slider, 1);
    layout->addWidget(r.readout);
    return r;
}

SliderRow makeSliderRow(const QString& objectName, const RecipeKey& key, QWidget* parent) {
    return makeSliderRow(objectName, key.minimum, key.maximum, parent);
}

CommitSpinBox* makeSpinBox(const QString& objectName, int minimum, int maximum, QWidget* parent) {
    auto* spin = new CommitSpinBox(parent);
    spin->setObjectName(objectName);
    spin->setRange(minimum, maximum);
    spin->setAlignment(Qt::AlignRight);
    spin->setMinimumWidth(64);
    return spin;
}

CommitSpinBox* makeSpinBox(const QString& objectName, const RecipeKey& key, QWidget* parent) {
    return makeSpinBox(objectName, key.minimum, key.maximum, parent);
}

QLabel* makePreviewLabel(const QString& objectName, int side, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFixedSize(side, side);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("* { background-color: rgba(20,20,20,255);"
                                        " border: 1px solid rgba(70,70,70,255); }"));
    return label;
}

void showPicture(QLabel* label, const QString& pictureFile) {
    // QImageReader rather than QPixmap(file): the pixmap cache would serve
    // the previous picture of a file rewritten under the same name within
    // the same second.
    QImageReader reader(pictureFile);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        label->clear();
        return;
    }
    // The border of the label's style takes a pixel on each side.
    const QSize room = label->contentsRect().size();
    label->setPixmap(QPixmap::fromImage(picture.scaled(room.isEmpty() ? label->size() : room,
                                                       Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation)));
}

} // namespace morvane::panel
