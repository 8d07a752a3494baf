#include "recipe/panels/commit_spin_box.h"

#include <QMouseEvent>

namespace morvane {

CommitSpinBox::CommitSpinBox(QWidget* parent) : QSpinBox(parent) {
    connect(this, QOverload<int>::of(&QSpinBox::valueChanged), this, [this] { m_pending = true; });
    connect(this, &QSpinBox::editingFinished, this, &CommitSpinBox::commit);
}

void CommitSpinBox::mouseReleaseEvent(QMouseEvent* event) {
    // The base class stops the arrow's auto-repeat first: a listener that
    // evaluates (and lets events run) must not see the value still moving.
    QSpinBox::mouseReleaseEvent(event);
    commit();
}

void CommitSpinBox::commit() {
    if (!m_pending)
        return;
    m_pending = false;
    emit committed();
}

} // namespace morvane
