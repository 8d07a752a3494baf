#pragma once

#include <QString>
#include <Qt>

#include <optional>

namespace morvane::host {

// The names scripts use for mouse buttons, modifier keys and keys. Each
// parser gives nothing for a name it does not know, and the caller says why.

// "left", "middle" or "right"; with `allowNone`, also "none" (a move with no
// button held). Case does not matter.
std::optional<Qt::MouseButton> mouseButtonNamed(const QString& name, bool allowNone = false);

// "" or names joined by "+": "shift", "ctrl", "alt", "meta" (any case,
// spaces around the names ignored).
std::optional<Qt::KeyboardModifiers> modifiersNamed(const QString& names);

// A Qt key name without its "Key_" prefix: "Z", "Delete", "PageUp". An exact
// match wins; otherwise case is ignored, so "z" and "pageup" work too.
std::optional<Qt::Key> keyNamed(const QString& name);

// The text a key press carries, as a keyboard would give it: printable
// ASCII keys (letters lower case unless Shift is held), Return, Enter and
// Tab; nothing while Ctrl, Alt or Meta is held.
QString keyText(Qt::Key key, Qt::KeyboardModifiers modifiers);

} // namespace morvane::host
