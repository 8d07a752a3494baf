#include "common/event_log.h"

namespace morvane {

bool FileEventLog::open(const QString& path) {
    close();
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void FileEventLog::close() {
    if (m_file.isOpen())
        m_file.close();
}

void FileEventLog::write(const QString& line) {
    if (!m_file.isOpen())
        return;
    m_file.write(line.toUtf8());
    m_file.flush();
}

} // namespace morvane
