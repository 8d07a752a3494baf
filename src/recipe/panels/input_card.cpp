#include "recipe/panels/input_card.h"

#include "recipe/panels/panel_style.h"

#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

namespace morvane::card {

QString styleSheet(const QString& prefix) {
    const QString accent = style::rgba(style::kAccent);
    const QString blue = style::rgba(style::kBlue);
    QString sheet = QStringLiteral(R"(
#%1Panel { background-color: rgba(40,40,40,255); border: 1px solid rgba(28,28,28,255);
           border-radius: 4px; }
#%1Panel QLabel { color: rgba(200,200,200,255); font-size: 10px; background: transparent;
                  border: none; }
#%1Panel QLabel#%1TitleLabel { color: %2; font-size: 11px; font-weight: bold; }
#%1Panel QLabel#%1PreviewLabel { background-color: rgba(22,22,22,255);
                                 border: 1px solid rgba(75,75,75,255); }
#%1Panel QFrame[group="true"] { background-color: rgba(48,48,48,255);
                                border: 1px solid rgba(62,62,62,255); border-radius: 3px; }
#%1Panel QComboBox { background-color: rgba(52,52,52,255); color: rgba(225,225,225,255);
                     border: 1px solid rgba(85,85,85,255); border-radius: 2px;
                     padding: 1px 6px; font-size: 10px; min-height: 16px; }
#%1Panel QComboBox:hover { border-color: %2; }
#%1Panel QComboBox QAbstractItemView { background-color: rgba(45,45,45,255);
    color: rgba(225,225,225,255); selection-background-color: %3; border: 1px solid black; }
#%1Panel QSlider { min-height: 14px; }
#%1Panel QSlider::groove:horizontal { height: 4px; background: rgba(22,22,22,255);
                                      border-radius: 2px; }
#%1Panel QSlider::sub-page:horizontal { background: %2; border-radius: 2px; }
#%1Panel QSlider::handle:horizontal { background: rgba(210,210,210,255); width: 10px;
                                      margin: -4px 0; border-radius: 5px; }
#%1Panel QSlider::handle:horizontal:hover { background: %2; }
#%1Panel QSpinBox { font-size: 11px; }
#%1Panel QPushButton { background-color: rgba(55,55,55,255); color: rgba(225,225,225,255);
                       border: 1px solid rgba(90,90,90,255); border-radius: 2px;
                       font-size: 10px; padding: 2px 8px; min-height: 16px; }
#%1Panel QPushButton:hover { border-color: %2; }
#%1Panel QPushButton:pressed { background-color: %3; }
#%1Panel QPushButton[preset="true"] { padding: 0px; border-radius: 0px; min-height: 0px;
                                      background-color: rgba(30,30,30,255); }
#%1Panel QCheckBox { color: rgba(200,200,200,255); font-size: 10px; }
)");
    return sheet.arg(prefix, accent, blue);
}

void applyPalette(QWidget* panel) {
    // Spin boxes are left to the style (a styled frame loses the arrows of
    // its buttons); the palette gives them the dark look.
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Base, QColor(28, 28, 28));
    palette.setColor(QPalette::Text, QColor(225, 225, 225));
    palette.setColor(QPalette::Button, QColor(62, 62, 62));
    palette.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    palette.setColor(QPalette::WindowText, QColor(200, 200, 200));
    palette.setColor(QPalette::Window, QColor(40, 40, 40));
    palette.setColor(QPalette::Highlight, QColor(71, 120, 247));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    panel->setPalette(palette);
    // Spin boxes do not take the parent's palette on every platform theme.
    for (QAbstractSpinBox* box : panel->findChildren<QAbstractSpinBox*>()) {
        box->setPalette(palette);
        for (QWidget* inner : box->findChildren<QWidget*>())
            inner->setPalette(palette);
    }
}

void assemble(QWidget* panel, QLabel* title, QWidget* type, QWidget* button, QLabel* preview,
              QLayout* rows) {
    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    header->addWidget(title);
    header->addStretch(1);
    header->addWidget(type);
    header->addWidget(button);

    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(preview);
    previewColumn->addStretch(1);

    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    body->addLayout(previewColumn);
    body->addLayout(rows, 1);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(6);
    layout->addLayout(header);
    layout->addLayout(body);
    layout->addStretch(1);
}

QLabel* makeTitle(const QString& prefix, const QString& text, QWidget* parent) {
    auto* title = new QLabel(text, parent);
    title->setObjectName(prefix + QStringLiteral("TitleLabel"));
    return title;
}

QLabel* makePreview(const QString& prefix, QWidget* parent) {
    auto* preview = new QLabel(parent);
    preview->setObjectName(prefix + QStringLiteral("PreviewLabel"));
    preview->setFixedSize(kPreviewSide, kPreviewSide);
    preview->setAlignment(Qt::AlignCenter);
    return preview;
}


QLabel* makeFormLabel(const QString& objectName, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

QWidget* makeRow(const QString& objectName, QLabel* label, QWidget* field, QWidget* parent,
                 Qt::Orientation orientation) {
    auto* row = new QWidget(parent);
    row->setObjectName(objectName);
    QBoxLayout* layout = nullptr;
    if (orientation == Qt::Horizontal) {
        layout = new QHBoxLayout(row);
        layout->setSpacing(8);
        label->setFixedWidth(kLabelWidth);
    } else {
        layout = new QVBoxLayout(row);
        layout->setSpacing(3);
    }
    layout->setContentsMargins(0, 0, 0, 0);
    label->setParent(row);
    field->setParent(row);
    layout->addWidget(label);
    layout->addWidget(field, 1);
    return row;
}

void setRowShown(QWidget* row, QWidget* label, QWidget* control, bool shown) {
    for (QWidget* w : {row, label, control})
        if (w)
            w->setVisible(shown);
}

} // namespace morvane::card
