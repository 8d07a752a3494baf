#pragma once

#include <QString>
#include <Qt>

class QLabel;
class QLayout;
class QWidget;

namespace morvane::card {

// The node cards of the TERRAFORM tab (inputs and deformers): about 400
// pixels wide, a 128 x 128 preview at the left, small lower-case labels.
constexpr int kWidth = 400;
constexpr int kPreviewSide = 128;
constexpr int kLabelWidth = 72;

// The dark card look for a panel named `<prefix>Panel` whose widgets carry
// `prefix`. Preset buttons are marked with the dynamic property "preset".
QString styleSheet(const QString& prefix);

// Lays the card out: a header with the title at the left and the type
// combo and the button at the right, under it the preview and the rows.
void assemble(QWidget* panel, QLabel* title, QWidget* type, QWidget* button, QLabel* preview,
              QLayout* rows);

// The dark colours for what the style sheet leaves to the style; called
// once the panel's widgets exist.
void applyPalette(QWidget* panel);

QLabel* makeTitle(const QString& prefix, const QString& text, QWidget* parent);
QLabel* makePreview(const QString& prefix, QWidget* parent);

QLabel* makeFormLabel(const QString& objectName, const QString& text, QWidget* parent);

// A form row of the card: the small label at the left of the field
// (Horizontal) or above it (Vertical). Rows are laid out in a box layout,
// which closes the gap of a hidden row.
QWidget* makeRow(const QString& objectName, QLabel* label, QWidget* field, QWidget* parent,
                 Qt::Orientation orientation = Qt::Horizontal);

// Shows or hides a row with its label and control, so isHidden() of the
// control and its visibility to the panel agree.
void setRowShown(QWidget* row, QWidget* label, QWidget* control, bool shown);

} // namespace morvane::card
