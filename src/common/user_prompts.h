#pragma once

#include "common/notifier.h"

#include <QString>

namespace morvane {

// Everything the plug-in asks of the user in a modal dialog. The window
// implements it with QMessageBox, QFileDialog and QInputDialog; tests answer
// from a script of their own so no dialog ever blocks them.
class UserPrompts : public Notifier {
public:
    // A "Warning" box with the buttons Yes and Cancel and no default
    // button; true when the user answers Yes.
    virtual bool askYesCancel(const QString& title, const QString& text) = 0;
    // The same with the buttons Yes and No.
    virtual bool askYesNo(const QString& title, const QString& text) {
        return askYesCancel(title, text);
    }
    // An open-file dialog; an empty string when cancelled.
    virtual QString chooseOpenFile(const QString& title, const QString& folder,
                                   const QString& filter) = 0;
    // A text input dialog with an empty initial text; `accepted` is false
    // when cancelled.
    virtual QString askText(const QString& title, const QString& label, bool* accepted) = 0;
    // A number input dialog; `accepted` is false when cancelled.
    virtual double askNumber(const QString& title, const QString& label, double value,
                             double minimum, double maximum, int decimals, bool* accepted) = 0;
};

} // namespace morvane
