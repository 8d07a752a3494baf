#include "input_names.h"

#include <QMetaEnum>
#include <QStringList>

namespace morvane::host {

std::optional<Qt::MouseButton> mouseButtonNamed(const QString& name, bool allowNone) {
    const QString lower = name.trimmed().toLower();
    if (lower == QLatin1String("left"))
        return Qt::LeftButton;
    if (lower == QLatin1String("middle"))
        return Qt::MiddleButton;
    if (lower == QLatin1String("right"))
        return Qt::RightButton;
    if (allowNone && lower == QLatin1String("none"))
        return Qt::NoButton;
    return std::nullopt;
}

std::optional<Qt::KeyboardModifiers> modifiersNamed(const QString& names) {
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (names.trimmed().isEmpty())
        return modifiers;
    const QStringList parts = names.split(QLatin1Char('+'));
    for (const QString& part : parts) {
        const QString lower = part.trimmed().toLower();
        if (lower == QLatin1String("shift"))
            modifiers |= Qt::ShiftModifier;
        else if (lower == QLatin1String("ctrl"))
            modifiers |= Qt::ControlModifier;
        else if (lower == QLatin1String("alt"))
            modifiers |= Qt::AltModifier;
        else if (lower == QLatin1String("meta"))
            modifiers |= Qt::MetaModifier;
        else
            return std::nullopt; // also catches "ctrl++shift" and a trailing "+"
    }
    return modifiers;
}

std::optional<Qt::Key> keyNamed(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
    bool found = false;
    const int exact = keys.keyToValue(("Key_" + trimmed).toLatin1().constData(), &found);
    if (found)
        return Qt::Key(exact);
    const QString wanted = QStringLiteral("Key_") + trimmed;
    for (int i = 0; i < keys.keyCount(); ++i)
        if (wanted.compare(QLatin1String(keys.key(i)), Qt::CaseInsensitive) == 0)
            return Qt::Key(keys.value(i));
    return std::nullopt;
}

QString keyText(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return QString();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    default:
        break;
    }
    // Qt's codes for printable ASCII keys are the characters themselves,
    // letters in upper case.
    if (key < Qt::Key_Space || key > Qt::Key_AsciiTilde)
        return QString();
    const QChar character(static_cast<ushort>(key));
    if (character.isLetter() && !(modifiers & Qt::ShiftModifier))
        return character.toLower();
    return character;
}

} // namespace morvane::host
