#include "plugin/ui/viewport_dock.h"

#include <QEvent>

namespace morvane {

ViewportDock::ViewportDock(QWidget* area, QObject* parent) : QObject(parent), m_area(area) {}

void ViewportDock::addSlot(QWidget* slot) {
    // The slot's place in the window changes when any of its ancestors
    // moves or is laid out, not only when the slot itself moves.
    QWidget* host = m_area ? m_area->parentWidget() : nullptr;
    for (QWidget* widget = slot; widget && widget != host; widget = widget->parentWidget())
        widget->installEventFilter(this);
}

void ViewportDock::follow(QWidget* slot) {
    m_slot = slot;
    place();
}

bool ViewportDock::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (m_slot && widget && (widget == m_slot || widget->isAncestorOf(m_slot))) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
            place();
            break;
        default:
            break;
        }
    }
    return false;
}

void ViewportDock::place() {
    if (!m_area)
        return;
    QWidget* host = m_area->parentWidget();
    if (!m_slot || !host || !host->isAncestorOf(m_slot)) {
        m_area->hide();
        return;
    }
    m_area->move(m_slot->mapTo(host, QPoint(0, 0)));
    m_area->show();
}

} // namespace morvane
