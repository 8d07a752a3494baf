#pragma once

#include "dzcore_export.h"

#include <QMainWindow>

class DzViewportMgr;

// The host's main window as plug-ins see it.
class DZCORE_EXPORT DzMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DzMainWindow(QWidget* parent = nullptr);
    DzViewportMgr* getViewportMgr() const { return m_viewportMgr; }

private:
    DzViewportMgr* m_viewportMgr;
};
