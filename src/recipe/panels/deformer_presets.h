#pragma once

#include <QString>
#include <QVector>

class QObject;
class QPushButton;
class QWidget;

namespace morvane {

// The curve and terrace preset buttons of a deformer: 28 x 28 icon buttons
// named "curve_N" / "terrace_N" in a grid, exactly one of them marked.
enum class PresetKind { Curve, Terrace };

struct PresetRow {
    PresetKind kind = PresetKind::Curve;
    QWidget* grid = nullptr;
    QVector<QPushButton*> buttons; // index = profile number
};

// One button per profile with its icon from the resources folder: the
// curve plot "curve_N.jpg", for terraces the terrace plot "terrace_N.jpg"
// (a curve plot would misrepresent a terrace) or "curve_N.jpg" when there
// is none. Without any picture the button shows its number.
PresetRow makePresetRow(PresetKind kind, const QString& resourcesDir, const QString& gridName,
                        QWidget* parent);

// Gives `profile`'s button the marked style and every other one the plain
// style; a profile outside the row marks button 0 (no profile).
void markPreset(const PresetRow& row, int profile);

// The profile of the row's button that sent a click, parsed from its name
// after "_"; -1 when the sender is not one of the row's buttons.
int clickedPreset(const PresetRow& row, const QObject* sender);

} // namespace morvane
