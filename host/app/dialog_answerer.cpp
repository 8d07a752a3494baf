#include "dialog_answerer.h"

#include "script_arguments.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScriptContext>
#include <QScriptValue>

#include <algorithm>
#include <cmath>

namespace morvane::host {

namespace {

// Often enough that a script hardly waits, rarely enough to cost nothing.
constexpr int kLookIntervalMs = 50;

// "&Yes" and "Yes" are the same button to a reader; "&&" is a real "&".
QString withoutMnemonics(const QString& text) {
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain += text.at(i);
    }
    return plain;
}

QAbstractButton* buttonWithText(QDialog* dialog, const QString& text) {
    const QString wanted = withoutMnemonics(text);
    if (wanted.isEmpty())
        return nullptr;
    const auto buttons = dialog->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons)
        if (button->isVisibleTo(dialog) &&
            withoutMnemonics(button->text()).compare(wanted, Qt::CaseInsensitive) == 0)
            return button;
    return nullptr;
}

QString quotedList(const QStringList& texts) {
    QStringList quoted;
    for (const QString& text : texts)
        quoted << '"' + text + '"';
    return quoted.join(QStringLiteral(", "));
}

} // namespace

QString dialogLabel(const QDialog* dialog) {
    QString label = QStringLiteral("the dialog \"%1\"").arg(dialog->windowTitle());
    if (auto* box = qobject_cast<const QMessageBox*>(dialog))
        label += QStringLiteral(" (\"%1\")").arg(box->text());
    return label;
}

DialogAnswerer::DialogAnswerer(Report report, QObject* parent)
    : QObject(parent), m_report(std::move(report)) {
    m_timer.setInterval(kLookIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &DialogAnswerer::look);
}

void DialogAnswerer::setAnswers(const QStringList& answers) {
    m_answers = answers;
    // Native file dialogs are no widgets of this process: only Qt's own can
    // be answered.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
}

void DialogAnswerer::startWatching() {
    m_timer.start();
}

void DialogAnswerer::stopWatching() {
    m_timer.stop();
    if (!m_answers.isEmpty())
        m_report(QStringLiteral("answerDialogs: %1 answer(s) not used: %2")
                     .arg(m_answers.size())
                     .arg(quotedList(m_answers)));
    m_answers.clear();
    m_answered = nullptr;
    m_reported = nullptr;
}

void DialogAnswerer::look() {
    if (m_answered && !m_answered->isVisible())
        m_answered = nullptr;
    if (m_reported && !m_reported->isVisible())
        m_reported = nullptr;
    // The plug-in's own window is window-modal too; only dialogs are answered.
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible())
        return;
    if (dialog == m_answered) {
        refuse(dialog, QStringLiteral("is still open after its answer"));
        return;
    }
    if (m_answers.isEmpty()) {
        if (dialog != m_reported) {
            m_reported = dialog;
            m_report(QStringLiteral("answerDialogs: no answer left for %1; it waits for the user")
                         .arg(dialogLabel(dialog)));
        }
        return;
    }
    m_answered = dialog;
    answer(dialog, m_answers.takeFirst());
}

bool DialogAnswerer::answer(QDialog* dialog, const QString& answer) {
    // Buttons first, so that "Cancel" closes any dialog.
    if (QAbstractButton* button = buttonWithText(dialog, answer)) {
        if (!button->isEnabled()) {
            refuse(dialog, QStringLiteral("has its button \"%1\" disabled").arg(answer));
            return false;
        }
        button->click();
        return true;
    }
    if (auto* files = qobject_cast<QFileDialog*>(dialog))
        return answerFileDialog(files, answer);
    if (auto* input = qobject_cast<QInputDialog*>(dialog))
        return answerInputDialog(input, answer);
    refuse(dialog, QStringLiteral("has no button \"%1\"").arg(answer));
    return false;
}

bool DialogAnswerer::answerFileDialog(QFileDialog* dialog, const QString& answer) {
    if (answer.trimmed().isEmpty()) {
        refuse(dialog, QStringLiteral("needs a file, not an empty answer"));
        return false;
    }
    // A relative name is taken in the dialog's folder, as if typed there.
    const QString path =
        QDir::cleanPath(QDir(dialog->directory().absolutePath()).absoluteFilePath(answer));
    const QFileInfo info(path);
    // Checked here: the dialog itself would answer a missing file with a
    // message box of its own, or step into a folder and stay open.
    switch (dialog->fileMode()) {
    case QFileDialog::ExistingFile:
    case QFileDialog::ExistingFiles:
        if (!info.isFile()) {
            refuse(dialog, QStringLiteral("finds no file %1").arg(path));
            return false;
        }
        break;
    case QFileDialog::AnyFile:
        if (info.isDir()) {
            refuse(dialog, QStringLiteral("needs a file, and %1 is a folder").arg(path));
            return false;
        }
        break;
    default: // the folder modes
        if (!info.isDir()) {
            refuse(dialog, QStringLiteral("finds no folder %1").arg(path));
            return false;
        }
        break;
    }
    dialog->selectFile(path);
    // selectFile leaves the name field alone while it has the focus.
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(path);
    // What the Open or Save button does; QFileDialog keeps accept() protected.
    static_cast<QDialog*>(dialog)->accept();
    if (dialog->isVisible()) {
        refuse(dialog, QStringLiteral("did not take %1").arg(path));
        return false;
    }
    return true;
}

bool DialogAnswerer::answerInputDialog(QInputDialog* dialog, const QString& answer) {
    bool number = false;
    const double value = answer.trimmed().toDouble(&number);
    switch (dialog->inputMode()) {
    case QInputDialog::IntInput:
        if (!number || value != std::round(value)) {
            refuse(dialog, QStringLiteral("takes a whole number, not \"%1\"").arg(answer));
            return false;
        }
        dialog->setIntValue(int(std::clamp(value, double(dialog->intMinimum()),
                                           double(dialog->intMaximum()))));
        break;
    case QInputDialog::DoubleInput:
        if (!number) {
            refuse(dialog, QStringLiteral("takes a number, not \"%1\"").arg(answer));
            return false;
        }
        dialog->setDoubleValue(value);
        break;
    case QInputDialog::TextInput:
        if (!dialog->comboBoxItems().isEmpty() && !dialog->isComboBoxEditable() &&
            !dialog->comboBoxItems().contains(answer)) {
            refuse(dialog, QStringLiteral("has no item \"%1\"").arg(answer));
            return false;
        }
        dialog->setTextValue(answer);
        break;
    }
    dialog->accept();
    return true;
}

void DialogAnswerer::refuse(QDialog* dialog, const QString& why) {
    m_report(QStringLiteral("answerDialogs: %1 %2; rejected").arg(dialogLabel(dialog), why));
    dialog->reject();
}

ScriptFunctions DialogAnswerer::functions() {
    return {{"answerDialogs", answerDialogs, this}};
}

QScriptValue DialogAnswerer::answerDialogs(QScriptContext* context, QScriptEngine*, void* self) {
    ScriptArguments args(context, QStringLiteral("answerDialogs(answers)"));
    if (!args.expect(1, 1))
        return args.raise();
    const QScriptValue list = context->argument(0);
    if (!list.isArray()) {
        args.fail(QStringLiteral("the answers must be an array, e.g. [\"Yes\", \"/tmp/x.ipf\"]"));
        return args.raise();
    }
    QStringList answers;
    const quint32 count = list.property(QStringLiteral("length")).toUInt32();
    for (quint32 i = 0; i < count; ++i) {
        const QScriptValue item = list.property(i);
        if (!item.isString() && !(item.isNumber() && std::isfinite(item.toNumber()))) {
            args.fail(QStringLiteral("answer %1 must be a text or a number, not \"%2\"")
                          .arg(i + 1)
                          .arg(item.toString()));
            return args.raise();
        }
        answers << item.toString();
    }
    static_cast<DialogAnswerer*>(self)->setAnswers(answers);
    return QScriptValue();
}

} // namespace morvane::host
