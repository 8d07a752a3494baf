#pragma once

#include <QString>

namespace morvane {

// Modal messages to the user. The window shows QMessageBox boxes (title
// "Error" or "Warning", single button "&OK"); the command-line tool prints
// them; tests record them.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void warn(const QString& title, const QString& text) = 0;
};

class NullNotifier : public Notifier {
public:
    void warn(const QString&, const QString&) override {}
};

} // namespace morvane
