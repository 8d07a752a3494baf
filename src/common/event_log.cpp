#include "common/event_log.h"

namespace morvane {

bool FileEventLog::open(const QString& path) {
    close();
    m_file.setFileName(path);
    m_written = 0;
    m_writeError.clear();
    // Unbuffered: each line reaches the file (or fails) at once.
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return true;
    failed(m_file.errorString());
    return false;
}

void FileEventLog::failed(const QString& reason) {
    m_writeError = reason;
    if (m_onFailure)
        m_onFailure(reason);
}

void FileEventLog::close() {
    if (m_file.isOpen())
        m_file.close();
}

void FileEventLog::write(const QString& line) {
    if (!m_file.isOpen())
        return;
    const QByteArray bytes = line.toUtf8();
    if (m_file.write(bytes) == bytes.size()) {
        m_written += bytes.size();
        return;
    }
    const QString reason = m_file.errorString();
    // A plain file loses the piece of the line that made it; a device or
    // pipe cannot be cut back.
    if (!m_file.isSequential())
        m_file.resize(m_written);
    m_file.close();
    failed(reason);
}

} // namespace morvane
