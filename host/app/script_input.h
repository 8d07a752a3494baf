#pragma once

#include "script_function.h"

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;
class QWindow;

namespace morvane::host {

// Mouse and keyboard input for scripts, delivered the way the window system
// delivers real input (through QtGui's entry points that QTest uses too):
// Qt routes it to the widget under the pointer or with the keyboard focus,
// applies the implicit mouse grab, shortcuts and double clicks, and keeps
// QApplication::keyboardModifiers() and mouseButtons() up to date.
//
// Like a person, the script holds modifier keys down while it presses and
// drags: the key presses reach the focus widget before the mouse event, and
// the keys are let go when the last button is released, after a click and
// after a key click.
class ScriptInput {
public:
    enum class MouseAction { Press, Move, Release, Click };

    // `at` in the widget's pixels. For Move, `buttons` are the buttons held
    // during the move (none for a hover); for the others, the one button
    // pressed or released. Returns a problem in words, or an empty string.
    QString mouse(MouseAction action, QWidget* widget, QPoint at, Qt::MouseButtons buttons,
                  Qt::KeyboardModifiers modifiers);
    // Focuses `widget` when it takes the focus (otherwise the key goes to
    // its window's focus widget) and presses and releases `key`.
    QString keyClick(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers);

    Qt::MouseButtons buttonsHeld() const { return m_buttons; }

    // mouseClick, mousePress, mouseMove, mouseRelease, keyClick.
    ScriptFunctions functions();

private:
    static QScriptValue mouseFunction(QScriptContext* context, MouseAction action, void* self);
    static QScriptValue mouseClick(QScriptContext* context, QScriptEngine*, void* self);
    static QScriptValue mousePress(QScriptContext* context, QScriptEngine*, void* self);
    static QScriptValue mouseMove(QScriptContext* context, QScriptEngine*, void* self);
    static QScriptValue mouseRelease(QScriptContext* context, QScriptEngine*, void* self);
    static QScriptValue keyClickFunction(QScriptContext* context, QScriptEngine*, void* self);

    // Presses the modifier keys in `wanted` not yet held and lets go of
    // those held but not wanted.
    void holdModifiers(QWindow* window, Qt::KeyboardModifiers wanted);
    void sendMouse(QWindow* window, QPoint local, QPoint global, Qt::MouseButton button,
                   int type, Qt::KeyboardModifiers modifiers);
    void sendKey(QWindow* window, int type, Qt::Key key, Qt::KeyboardModifiers modifiers,
                 const QString& text);
    // Event times of the whole process: Qt compares a press with the last
    // one for double clicks, whichever ScriptInput sent it.
    static int nextTimestamp();
    static void skipDoubleClickInterval();

    Qt::MouseButtons m_buttons = Qt::NoButton;
    Qt::KeyboardModifiers m_modifiers = Qt::NoModifier;
};

} // namespace morvane::host
