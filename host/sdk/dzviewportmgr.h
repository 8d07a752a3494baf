#pragma once

#include "dzcore_export.h"

#include <QObject>

class DzViewport;

// The host's view panes; this host has one, always active.
class DZCORE_EXPORT DzViewportMgr : public QObject {
    Q_OBJECT
public:
    explicit DzViewportMgr(QObject* parent = nullptr);
    DzViewport* getActiveViewport() const { return m_active; }

private:
    DzViewport* m_active;
};
