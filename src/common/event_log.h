#pragma once

#include <QFile>
#include <QString>

#include <functional>

namespace morvane {

// The event log: one line per event, written and flushed at once so the
// file tells what happened even after a crash.
class EventLog {
public:
    virtual ~EventLog() = default;
    // `line` carries its own "\n", as the events are defined with it.
    virtual void write(const QString& line) = 0;
};

class NullEventLog : public EventLog {
public:
    void write(const QString&) override {}
};

// "logFile.txt" in the data folder, truncated when opened.
class FileEventLog : public EventLog {
public:
    // Returns false when the file cannot be opened; writes then go nowhere.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    void write(const QString& line) override;
    // A write that failed (a full disk, a vanished folder) closes the log
    // at the last whole line; later lines are dropped rather than written
    // behind a gap. Empty while every line was written.
    QString writeError() const { return m_writeError; }
    // Told once when the log cannot be opened or stops at a failed write,
    // with why in words, so the user learns that the log is incomplete.
    void setFailureHandler(std::function<void(const QString& reason)> handler) {
        m_onFailure = std::move(handler);
    }

private:
    void failed(const QString& reason);

    std::function<void(const QString&)> m_onFailure;
    QFile m_file;
    qint64 m_written = 0;
    QString m_writeError;
};

} // namespace morvane
