#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace morvane {

struct ItemDeleteButtons {
    QPushButton* current = nullptr; // `glEditDeleteCurrentButton`
    QPushButton* all = nullptr;     // `glEditDeleteAllButton`
    QPushButton* last = nullptr;    // `glDeleteLastPaint`
};

// The three deletion buttons, appended to the tool column `frame` (a
// vertical box layout ending in a stretch) above its stretch, with their
// icons from `resourcesDir`.
ItemDeleteButtons addItemDeleteButtons(QWidget* frame, const QString& resourcesDir);

} // namespace morvane
