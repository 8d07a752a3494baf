#include "script_input.h"

#include "input_names.h"
#include "script_arguments.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QScriptContext>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>
#include <QtTest/qtestkeyboard.h>
#include <QtTest/qtestmouse.h>

#include <algorithm>
#include <array>
#include <utility>

namespace morvane::host {

namespace {

// Modifier keys in the order a hand presses them; let go in reverse.
constexpr std::array<std::pair<Qt::KeyboardModifier, Qt::Key>, 4> kModifierKeys{{
    {Qt::ShiftModifier, Qt::Key_Shift},
    {Qt::ControlModifier, Qt::Key_Control},
    {Qt::AltModifier, Qt::Key_Alt},
    {Qt::MetaModifier, Qt::Key_Meta},
}};

QString buttonName(Qt::MouseButtons button) {
    if (button == Qt::LeftButton)
        return QStringLiteral("left");
    if (button == Qt::MiddleButton)
        return QStringLiteral("middle");
    return QStringLiteral("right");
}

// A window the user clicks into or types into becomes the active one, as a
// window manager would make it; shortcuts only work in the active window.
void activate(QWidget* window) {
    if (QApplication::activeWindow() == window)
        return;
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

// The window that takes the keys of a window that has gone.
QWindow* keyboardWindow(QWindow* preferred) {
    return preferred ? preferred : QGuiApplication::focusWindow();
}

} // namespace

namespace {

struct EventClock {
    EventClock() { clock.start(); }
    QElapsedTimer clock;
    int last = 0;
};

EventClock& eventClock() {
    static EventClock clock;
    return clock;
}

} // namespace

int ScriptInput::nextTimestamp() {
    EventClock& time = eventClock();
    time.last = std::max(time.last + 1, int(time.clock.elapsed()));
    return time.last;
}

void ScriptInput::skipDoubleClickInterval() {
    eventClock().last += QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

void ScriptInput::sendMouse(QWindow* window, QPoint local, QPoint global, Qt::MouseButton button,
                            int type, Qt::KeyboardModifiers modifiers) {
    qt_handleMouseEvent(window, QPointF(local), QPointF(global), m_buttons, button,
                        QEvent::Type(type), modifiers, nextTimestamp());
}

void ScriptInput::sendKey(QWindow* window, int type, Qt::Key key, Qt::KeyboardModifiers modifiers,
                          const QString& text) {
    qt_handleKeyEvent(window, QEvent::Type(type), key, modifiers, text);
}

void ScriptInput::holdModifiers(QWindow* window, Qt::KeyboardModifiers wanted) {
    QPointer<QWindow> target(window);
    // A key event carries the modifiers held after it, so that
    // keyboardModifiers() is right at every step.
    for (auto it = kModifierKeys.rbegin(); it != kModifierKeys.rend(); ++it) {
        if (!(m_modifiers & it->first) || (wanted & it->first))
            continue;
        m_modifiers &= ~Qt::KeyboardModifiers(it->first);
        if (QWindow* to = keyboardWindow(target))
            sendKey(to, QEvent::KeyRelease, it->second, m_modifiers, QString());
    }
    for (const auto& [modifier, key] : kModifierKeys) {
        if ((m_modifiers & modifier) || !(wanted & modifier))
            continue;
        m_modifiers |= modifier;
        if (QWindow* to = keyboardWindow(target))
            sendKey(to, QEvent::KeyPress, key, m_modifiers, QString());
    }
}

QString ScriptInput::mouse(MouseAction action, QWidget* widget, QPoint at,
                           Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    if (!widget->isVisible())
        return widgetLabel(widget) + QStringLiteral(" is not shown");
    QWidget* top = widget->window();
    QPointer<QWindow> window = top->windowHandle();
    if (!window)
        return widgetLabel(widget) + QStringLiteral(" has no window on the screen");
    const QPoint local = widget->mapTo(top, at);
    const QPoint global = widget->mapToGlobal(at);
    const auto button = Qt::MouseButton(int(buttons));

    switch (action) {
    case MouseAction::Press:
    case MouseAction::Click:
        if (m_buttons & button)
            return QStringLiteral("the %1 button is already down; release it first")
                .arg(buttonName(button));
        activate(top);
        holdModifiers(window, modifiers);
        if (!window)
            break;
        m_buttons |= button;
        sendMouse(window, local, global, button, QEvent::MouseButtonPress, modifiers);
        if (action == MouseAction::Press)
            return QString();
        // The press may have closed the window; the release then goes nowhere.
        m_buttons &= ~button;
        if (window)
            sendMouse(window, local, global, button, QEvent::MouseButtonRelease, modifiers);
        break;
    case MouseAction::Move:
        holdModifiers(window, modifiers);
        if (!window)
            break;
        m_buttons = buttons;
        sendMouse(window, local, global, Qt::NoButton, QEvent::MouseMove, modifiers);
        return QString();
    case MouseAction::Release:
        if (!(m_buttons & button))
            return QStringLiteral("the %1 button is not down").arg(buttonName(button));
        holdModifiers(window, modifiers);
        m_buttons &= ~button;
        if (window)
            sendMouse(window, local, global, button, QEvent::MouseButtonRelease, modifiers);
        if (m_buttons != Qt::NoButton)
            return QString();
        break;
    }
    // Scripted clicks follow each other faster than a hand: keep them from
    // making double clicks.
    skipDoubleClickInterval();
    holdModifiers(window, Qt::NoModifier);
    return QString();
}

QString ScriptInput::keyClick(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (!widget->isVisible())
        return widgetLabel(widget) + QStringLiteral(" is not shown");
    if (!widget->isEnabled())
        return widgetLabel(widget) + QStringLiteral(" is disabled");
    QWidget* top = widget->window();
    QPointer<QWindow> window = top->windowHandle();
    if (!window)
        return widgetLabel(widget) + QStringLiteral(" has no window on the screen");
    activate(top);
    if (widget != top && widget->focusPolicy() != Qt::NoFocus)
        widget->setFocus(Qt::OtherFocusReason);

    holdModifiers(window, modifiers);
    // A modifier key given as the key itself counts as held while it is down.
    Qt::KeyboardModifiers down = m_modifiers;
    for (const auto& [modifier, modifierKey] : kModifierKeys)
        if (modifierKey == key)
            down |= modifier;
    const QString text = keyText(key, m_modifiers);
    if (window)
        sendKey(window, QEvent::KeyPress, key, down, text);
    if (window)
        sendKey(window, QEvent::KeyRelease, key, m_modifiers, text);
    holdModifiers(window, Qt::NoModifier);
    return QString();
}

ScriptFunctions ScriptInput::functions() {
    return {
        {"mouseClick", mouseClick, this},   {"mousePress", mousePress, this},
        {"mouseMove", mouseMove, this},     {"mouseRelease", mouseRelease, this},
        {"keyClick", keyClickFunction, this},
    };
}

QScriptValue ScriptInput::mouseFunction(QScriptContext* context, MouseAction action, void* self) {
    auto& input = *static_cast<ScriptInput*>(self);
    static const char* const names[] = {"mousePress", "mouseMove", "mouseRelease", "mouseClick"};
    ScriptArguments args(context, QStringLiteral("%1(widget, x, y, [button], [modifiers])")
                                      .arg(QLatin1String(names[int(action)])));
    if (!args.expect(3, 5))
        return args.raise();
    QWidget* widget = args.widget(0);
    const std::optional<int> x = args.pixel(1, "x");
    const std::optional<int> y = args.pixel(2, "y");
    // A move without a button named keeps what the script holds down.
    Qt::MouseButtons buttons = input.m_buttons;
    if (action != MouseAction::Move || args.given(3))
        buttons = args.button(3, action == MouseAction::Move).value_or(Qt::NoButton);
    const std::optional<Qt::KeyboardModifiers> modifiers = args.modifiers(4);
    if (args.failed())
        return args.raise();
    const QString problem = input.mouse(action, widget, QPoint(*x, *y), buttons, *modifiers);
    if (!problem.isEmpty()) {
        args.fail(problem);
        return args.raise();
    }
    return QScriptValue();
}

QScriptValue ScriptInput::mouseClick(QScriptContext* context, QScriptEngine*, void* self) {
    return mouseFunction(context, MouseAction::Click, self);
}

QScriptValue ScriptInput::mousePress(QScriptContext* context, QScriptEngine*, void* self) {
    return mouseFunction(context, MouseAction::Press, self);
}

QScriptValue ScriptInput::mouseMove(QScriptContext* context, QScriptEngine*, void* self) {
    return mouseFunction(context, MouseAction::Move, self);
}

QScriptValue ScriptInput::mouseRelease(QScriptContext* context, QScriptEngine*, void* self) {
    return mouseFunction(context, MouseAction::Release, self);
}

QScriptValue ScriptInput::keyClickFunction(QScriptContext* context, QScriptEngine*, void* self) {
    auto& input = *static_cast<ScriptInput*>(self);
    ScriptArguments args(context, QStringLiteral("keyClick(widget, key, [modifiers])"));
    if (!args.expect(2, 3))
        return args.raise();
    QWidget* widget = args.widget(0);
    const std::optional<QString> name = args.text(1, "the key");
    const std::optional<Qt::KeyboardModifiers> modifiers = args.modifiers(2);
    if (args.failed())
        return args.raise();
    const std::optional<Qt::Key> key = keyNamed(*name);
    if (!key) {
        args.fail(QStringLiteral("unknown key \"%1\" (use a Qt key name without \"Key_\", "
                                 "e.g. \"Z\", \"Delete\", \"PageUp\")")
                      .arg(*name));
        return args.raise();
    }
    const QString problem = input.keyClick(widget, *key, *modifiers);
    if (!problem.isEmpty()) {
        args.fail(problem);
        return args.raise();
    }
    return QScriptValue();
}

} // namespace morvane::host
