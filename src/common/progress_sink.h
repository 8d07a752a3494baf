#pragma once

#include <QString>

namespace morvane {

// Where long operations report what they are doing. The main window shows
// the texts in its busy overlay and status line; the command-line tool
// prints them; tests record them.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setBusyText(const QString& text) = 0;
    // Shows or hides the busy overlay that carries the busy text.
    virtual void setBusyVisible(bool /*visible*/) {}
    virtual void setStatusText(const QString& text) = 0;
    // Lets the user interface repaint once; long operations call it only at
    // the few points where a refresh is wanted.
    virtual void processEvents() = 0;
};

// Shows the busy overlay for the life of the scope and clears and hides it
// however the scope ends.
class BusyScope {
public:
    explicit BusyScope(ProgressSink& sink) : m_sink(sink) { m_sink.setBusyVisible(true); }
    ~BusyScope() {
        m_sink.setBusyText(QString());
        m_sink.setBusyVisible(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    ProgressSink& m_sink;
};

// Drops everything: for callers that want no progress reports.
class NullProgressSink : public ProgressSink {
public:
    void setBusyText(const QString&) override {}
    void setStatusText(const QString&) override {}
    void processEvents() override {}
};

} // namespace morvane
