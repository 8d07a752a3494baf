#pragma once

#include "common/progress_sink.h"

#include <QLabel>
#include <QPointer>

#include <functional>

namespace morvane {

// Progress of long operations in the window: the busy overlay over the
// viewport and the status line. It also knows whether a long operation is
// running (the overlay is up), so the window never tears itself down under
// one: an operation that lets events through may deliver a QUIT click.
class WindowProgress : public ProgressSink {
  public:
    void setLabels(QLabel* busyOverlay, QLabel* statusLine);
    // Called once the last running operation has ended.
    void setIdleCallback(std::function<void()> callback) { m_onIdle = std::move(callback); }

    bool busy() const { return m_depth > 0; }

    void setBusyText(const QString& text) override;
    // Shows are counted: nested operations keep the overlay up until the
    // outermost one ends.
    void setBusyVisible(bool visible) override;
    void setStatusText(const QString& text) override;
    void processEvents() override;

  private:
    QPointer<QLabel> m_busy;
    QPointer<QLabel> m_status;
    int m_depth = 0;
    std::function<void()> m_onIdle;
};

} // namespace morvane
