#pragma once

#include <QString>
#include <Qt>

#include <optional>

class QScriptContext;
class QScriptValue;
class QWidget;

namespace morvane::host {

// The widget a script names by its object name: top-level windows first,
// then their children, so a window's own name wins over a child of another
// window with the same name. Null when there is none.
QWidget* widgetNamed(const QString& name);
// How messages name a widget: its object name in quotes, or its class.
QString widgetLabel(const QWidget* widget);

// Reads the arguments of one script API call. Every reader gives nothing
// on a wrong argument and keeps the first problem, in words that name the
// function; `raise()` then turns it into the script's exception.
class ScriptArguments {
public:
    // `usage` is the call as documented, e.g. "mouseClick(widget, x, y, [button], [modifiers])".
    ScriptArguments(QScriptContext* context, QString usage);

    // Checks the number of arguments given.
    bool expect(int minimum, int maximum);

    // An object name or a widget found with findWidget().
    QWidget* widget(int index);
    // A whole number of pixels.
    std::optional<int> pixel(int index, const char* what);
    std::optional<double> number(int index, const char* what);
    // The argument when it is a string; `fallback` when it is missing.
    std::optional<QString> text(int index, const char* what, const QString& fallback = QString());
    bool given(int index) const;

    std::optional<Qt::MouseButton> button(int index, bool allowNone = false);
    std::optional<Qt::KeyboardModifiers> modifiers(int index);

    bool failed() const { return !m_error.isEmpty(); }
    // Records a problem found by the caller; the first one is kept.
    void fail(const QString& problem);
    // Throws the recorded problem into the script; returns the value the
    // native function must return.
    QScriptValue raise();

    QScriptContext* context() const { return m_context; }
    // The function's name, for messages.
    QString function() const;

private:
    QScriptContext* m_context;
    QString m_usage;
    QString m_error;
    bool m_typeError = false;
};

} // namespace morvane::host
