#pragma once

#include <QSpinBox>

class QMouseEvent;

namespace morvane {

// A spin box that tells when the user has finished a change: on releasing
// the mouse (the arrow buttons, after the box has stopped its auto-repeat)
// and when editing finishes (Enter, focus out). Only changes made since the
// last report count, so leaving the box untouched or setting the value with
// signals blocked reports nothing.
class CommitSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit CommitSpinBox(QWidget* parent = nullptr);

signals:
    void committed();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void commit();

    bool m_pending = false;
};

} // namespace morvane
