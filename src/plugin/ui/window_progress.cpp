#include "plugin/ui/window_progress.h"

#include <QCoreApplication>

namespace morvane {

void WindowProgress::setLabels(QLabel* busyOverlay, QLabel* statusLine) {
    m_busy = busyOverlay;
    m_status = statusLine;
}

void WindowProgress::setBusyText(const QString& text) {
    if (m_busy)
        m_busy->setText(text);
}

void WindowProgress::setBusyVisible(bool visible) {
    if (visible) {
        ++m_depth;
        if (m_busy) {
            m_busy->raise();
            m_busy->show();
        }
        return;
    }
    if (m_depth == 0)
        return;
    if (--m_depth > 0)
        return;
    if (m_busy)
        m_busy->hide();
    if (m_onIdle)
        m_onIdle();
}

void WindowProgress::setStatusText(const QString& text) {
    if (m_status)
        m_status->setText(text);
}

void WindowProgress::processEvents() {
    QCoreApplication::processEvents();
}

} // namespace morvane
