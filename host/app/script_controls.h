#pragma once

#include "script_function.h"

#include <QString>

class QScriptValue;
class QWidget;

namespace morvane::host {

// Changes of value the way a user makes them, with the signals a user's
// change emits, for the controls scripts set most: sliders, spin boxes,
// check boxes, combo boxes and list widgets.
namespace script_controls {

// A slider (QAbstractSlider: sliders, dials, scroll bars) is pressed, moved
// to `value` and released: sliderPressed, sliderMoved, valueChanged,
// sliderReleased. A spin box takes the value and finishes its editing. A
// check box (any checkable button) is clicked when its state differs.
// Returns a problem in words, or an empty string.
QString setValue(QWidget* widget, const QScriptValue& value);

// A combo box item becomes current and is activated; a list widget item is
// clicked (current item, then itemClicked). The first item whose text is
// `text` is chosen.
QString chooseItem(QWidget* widget, const QString& text);

// setValue and chooseItem.
ScriptFunctions functions();

} // namespace script_controls

} // namespace morvane::host
