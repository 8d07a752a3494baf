#include "dzmainwindow.h"

#include "dzviewportmgr.h"

DzMainWindow::DzMainWindow(QWidget* parent)
    : QMainWindow(parent), m_viewportMgr(new DzViewportMgr(this)) {}
