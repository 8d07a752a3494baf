#pragma once

#include <QFile>
#include <QString>

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

private:
    QFile m_file;
    qint64 m_written = 0;
    QString m_writeError;
};

} // namespace morvane
