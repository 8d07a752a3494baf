#pragma once

#include "dzaction.h"

// An action that adds something to the scene; the host lists every one in
// its Create menu.
class DZCORE_EXPORT DzCreateItemAction : public DzAction {
    Q_OBJECT
public:
    DzCreateItemAction(const QString& text, const QString& description);

public slots:
    QString getActionGroup() const override;
    QString getDefaultMenuPath() const override;
};
