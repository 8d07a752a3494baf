#include "dzcreateitemaction.h"

DzCreateItemAction::DzCreateItemAction(const QString& text, const QString& description)
    : DzAction(text, description) {}

QString DzCreateItemAction::getActionGroup() const {
    return QStringLiteral("Create");
}

QString DzCreateItemAction::getDefaultMenuPath() const {
    return QStringLiteral("&Create");
}
