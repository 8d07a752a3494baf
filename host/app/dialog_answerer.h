#pragma once

#include "script_function.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QDialog;
class QFileDialog;
class QInputDialog;

namespace morvane::host {

// Answers the modal dialogs a script runs into, so that no script blocks on
// one: while it watches, a short timer looks at the active modal widget and
// gives each new dialog the next answer. An answer is a button text ("Yes",
// "&OK", "Cancel"; the "&" may be left out, case does not matter), a file
// path for a file dialog or a value (a number or a text) for an input
// dialog. An answer that does not fit the dialog is reported and the dialog
// rejected. A dialog that comes when no answer is left is reported once and
// left open, as a user would see it.
class DialogAnswerer : public QObject {
    Q_OBJECT
public:
    using Report = std::function<void(const QString&)>;
    explicit DialogAnswerer(Report report, QObject* parent = nullptr);

    // Replaces the answers not yet given.
    void setAnswers(const QStringList& answers);
    QStringList answersLeft() const { return m_answers; }

    // While a script runs: starts looking for dialogs; `stopWatching`
    // reports and drops the answers left over.
    void startWatching();
    void stopWatching();

    // Answers `dialog` now; false (after reporting why and rejecting it)
    // when the answer does not fit.
    bool answer(QDialog* dialog, const QString& answer);

    // answerDialogs.
    ScriptFunctions functions();

private:
    void look();
    bool answerFileDialog(QFileDialog* dialog, const QString& answer);
    bool answerInputDialog(QInputDialog* dialog, const QString& answer);
    void refuse(QDialog* dialog, const QString& why);
    static QScriptValue answerDialogs(QScriptContext* context, QScriptEngine* engine, void* self);

    Report m_report;
    QStringList m_answers;
    QTimer m_timer;
    QPointer<QDialog> m_answered;  // the last dialog given an answer
    QPointer<QDialog> m_reported;  // the last one met with no answer left
};

// How reports name a dialog: its title and, for a message box, its text.
QString dialogLabel(const QDialog* dialog);

} // namespace morvane::host
