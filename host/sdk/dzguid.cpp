#include "dzguid.h"

DzGuid DzGuid::fromString(const QString& text) {
    const QString trimmed = text.trimmed();
    // QUuid also accepts the braced form; anything else yields a null uuid.
    return DzGuid(QUuid::fromString(trimmed));
}

QString DzGuid::toString() const {
    return m_uuid.toString(QUuid::WithoutBraces).toUpper();
}
