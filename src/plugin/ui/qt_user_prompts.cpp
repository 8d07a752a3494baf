#include "plugin/ui/qt_user_prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace morvane {

void QtUserPrompts::warn(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, m_parent);
    box.addButton(QStringLiteral("&OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool QtUserPrompts::askYesCancel(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, m_parent);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    // A push button in a dialog becomes the default when it gets the focus
    // unless told otherwise.
    yes->setAutoDefault(false);
    cancel->setAutoDefault(false);
    box.setDefaultButton(static_cast<QPushButton*>(nullptr));
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == yes;
}

bool QtUserPrompts::askYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, m_parent);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    QPushButton* no = box.addButton(QMessageBox::No);
    yes->setAutoDefault(false);
    no->setAutoDefault(false);
    box.setDefaultButton(static_cast<QPushButton*>(nullptr));
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QString QtUserPrompts::chooseOpenFile(const QString& title, const QString& folder,
                                      const QString& filter) {
    return QFileDialog::getOpenFileName(m_parent, title, folder, filter);
}

QString QtUserPrompts::askText(const QString& title, const QString& label, bool* accepted) {
    return QInputDialog::getText(m_parent, title, label, QLineEdit::Normal, QString(), accepted);
}

double QtUserPrompts::askNumber(const QString& title, const QString& label, double value,
                                double minimum, double maximum, int decimals, bool* accepted) {
    return QInputDialog::getDouble(m_parent, title, label, value, minimum, maximum, decimals,
                                   accepted);
}

} // namespace morvane
