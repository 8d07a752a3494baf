#include "script_arguments.h"

#include "input_names.h"

#include <QApplication>
#include <QScriptContext>
#include <QScriptValue>
#include <QWidget>

#include <cmath>

namespace morvane::host {

namespace {

// Far beyond any screen, small enough that mapping never overflows.
constexpr double kPixelLimit = 1e6;

QString kindOf(const QScriptValue& value) {
    if (value.isUndefined())
        return QStringLiteral("undefined");
    if (value.isNull())
        return QStringLiteral("null");
    if (value.isBool())
        return QStringLiteral("a boolean");
    if (value.isNumber())
        return QStringLiteral("a number");
    if (value.isString())
        return QStringLiteral("a string");
    if (value.isArray())
        return QStringLiteral("an array");
    if (value.isQObject())
        return QStringLiteral("an object");
    if (value.isFunction())
        return QStringLiteral("a function");
    return QStringLiteral("an object");
}

} // namespace

QWidget* widgetNamed(const QString& name) {
    if (name.isEmpty())
        return nullptr;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        if (window->objectName() == name)
            return window;
    for (QWidget* window : windows)
        if (auto* child = window->findChild<QWidget*>(name))
            return child;
    return nullptr;
}

QString widgetLabel(const QWidget* widget) {
    if (!widget->objectName().isEmpty())
        return '"' + widget->objectName() + '"';
    return QStringLiteral("the unnamed %1").arg(QLatin1String(widget->metaObject()->className()));
}

ScriptArguments::ScriptArguments(QScriptContext* context, QString usage)
    : m_context(context), m_usage(std::move(usage)) {}

QString ScriptArguments::function() const {
    return m_usage.left(m_usage.indexOf(QLatin1Char('(')));
}

void ScriptArguments::fail(const QString& problem) {
    if (m_error.isEmpty())
        m_error = function() + QStringLiteral(": ") + problem;
}

bool ScriptArguments::given(int index) const {
    return index < m_context->argumentCount() && !m_context->argument(index).isUndefined();
}

bool ScriptArguments::expect(int minimum, int maximum) {
    const int count = m_context->argumentCount();
    if (count >= minimum && count <= maximum)
        return true;
    const QString range = minimum == maximum
                              ? QString::number(minimum)
                              : QStringLiteral("%1 to %2").arg(minimum).arg(maximum);
    m_error = QStringLiteral("%1 takes %2 arguments, %3 given").arg(m_usage, range).arg(count);
    m_typeError = true;
    return false;
}

QWidget* ScriptArguments::widget(int index) {
    if (failed())
        return nullptr;
    const QScriptValue value = m_context->argument(index);
    if (value.isString()) {
        QWidget* found = widgetNamed(value.toString());
        if (!found)
            fail(QStringLiteral("no widget named \"%1\"").arg(value.toString()));
        return found;
    }
    if (value.isQObject()) {
        QObject* object = value.toQObject();
        if (!object) {
            fail(QStringLiteral("the widget no longer exists"));
            return nullptr;
        }
        auto* found = qobject_cast<QWidget*>(object);
        if (!found)
            fail(QStringLiteral("%1 is a %2, not a widget")
                     .arg(object->objectName().isEmpty() ? QStringLiteral("the object")
                                                         : '"' + object->objectName() + '"',
                          QLatin1String(object->metaObject()->className())));
        return found;
    }
    fail(QStringLiteral("the widget must be an object name or a widget, not %1")
             .arg(kindOf(value)));
    m_typeError = true;
    return nullptr;
}

std::optional<double> ScriptArguments::number(int index, const char* what) {
    if (failed())
        return std::nullopt;
    const QScriptValue value = m_context->argument(index);
    if (!value.isNumber() || !std::isfinite(value.toNumber())) {
        fail(QStringLiteral("%1 must be a number, not %2")
                 .arg(QLatin1String(what),
                      value.isNumber() ? value.toString() : kindOf(value)));
        m_typeError = true;
        return std::nullopt;
    }
    return value.toNumber();
}

std::optional<int> ScriptArguments::pixel(int index, const char* what) {
    const std::optional<double> value = number(index, what);
    if (!value)
        return std::nullopt;
    if (std::abs(*value) > kPixelLimit) {
        fail(QStringLiteral("%1 = %2 is far outside any widget").arg(QLatin1String(what)).arg(*value));
        return std::nullopt;
    }
    return int(std::lround(*value));
}

std::optional<QString> ScriptArguments::text(int index, const char* what,
                                             const QString& fallback) {
    if (failed())
        return std::nullopt;
    if (!given(index))
        return fallback;
    const QScriptValue value = m_context->argument(index);
    if (!value.isString()) {
        fail(QStringLiteral("%1 must be a string, not %2").arg(QLatin1String(what), kindOf(value)));
        m_typeError = true;
        return std::nullopt;
    }
    return value.toString();
}

std::optional<Qt::MouseButton> ScriptArguments::button(int index, bool allowNone) {
    const std::optional<QString> name = text(index, "the button", QStringLiteral("left"));
    if (!name)
        return std::nullopt;
    const std::optional<Qt::MouseButton> button = mouseButtonNamed(*name, allowNone);
    if (!button)
        fail(QStringLiteral("unknown button \"%1\" (use \"left\", \"middle\" or \"right\"%2)")
                 .arg(*name, allowNone ? QStringLiteral(", or \"none\" for no button")
                                       : QString()));
    return button;
}

std::optional<Qt::KeyboardModifiers> ScriptArguments::modifiers(int index) {
    const std::optional<QString> names = text(index, "the modifiers");
    if (!names)
        return std::nullopt;
    const std::optional<Qt::KeyboardModifiers> modifiers = modifiersNamed(*names);
    if (!modifiers)
        fail(QStringLiteral("unknown modifiers \"%1\" (use \"shift\", \"ctrl\", \"alt\" and "
                            "\"meta\", joined by \"+\")")
                 .arg(*names));
    return modifiers;
}

QScriptValue ScriptArguments::raise() {
    return m_context->throwError(m_typeError ? QScriptContext::TypeError
                                             : QScriptContext::UnknownError,
                                 m_error);
}

} // namespace morvane::host
