#pragma once

#include "common/user_prompts.h"

#include <QPointer>
#include <QWidget>

namespace morvane {

// The plug-in's dialogs as Qt shows them: message boxes with a single "&OK"
// button, Yes/Cancel questions with no default button (Enter answers
// nothing by accident), the open-file and the text input dialogs.
class QtUserPrompts : public UserPrompts {
  public:
    // The dialogs' parent; none until the window exists.
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void warn(const QString& title, const QString& text) override;
    bool askYesCancel(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    QString chooseOpenFile(const QString& title, const QString& folder,
                           const QString& filter) override;
    QString askText(const QString& title, const QString& label, bool* accepted) override;
    double askNumber(const QString& title, const QString& label, double value, double minimum,
                     double maximum, int decimals, bool* accepted) override;

  private:
    QPointer<QWidget> m_parent;
};

} // namespace morvane
