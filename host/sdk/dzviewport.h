#pragma once

#include "dzcore_export.h"

#include <QObject>

class Dz3DViewport;

// One pane of the host's view area.
class DZCORE_EXPORT DzViewport : public QObject {
    Q_OBJECT
public:
    explicit DzViewport(QObject* parent = nullptr);
    Dz3DViewport* get3DViewport() const { return m_view; }

private:
    Dz3DViewport* m_view;
};
