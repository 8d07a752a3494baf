#pragma once

// Shared by the fault tests: a scoped fault hook for the safe-file layer,
// and real devices and pipes in a temporary folder (the tests run as root,
// where permissions stop nothing, so faults come from these instead).

#include "common/safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace morvane::testing {

// Installs a hook for the scope of a test and removes it again, also when
// an assertion leaves the test early.
class ScopedFileFault {
public:
    explicit ScopedFileFault(FileFaultHook hook) { setFileFaultHook(std::move(hook)); }
    ~ScopedFileFault() { setFileFaultHook({}); }
    ScopedFileFault(const ScopedFileFault&) = delete;
    ScopedFileFault& operator=(const ScopedFileFault&) = delete;
};

// A hook that fails one step on one path with `error`.
inline FileFaultHook failing(const QString& path, FileStep step, int error = ENOSPC) {
    return [=](const QString& p, FileStep s) { return p == path && s == step ? error : 0; };
}

// A character device that fails every write with ENOSPC, as /dev/full
// does: made beside the test's files so the real node is never at risk.
// False where the system forbids making device nodes.
inline bool makeFullDevice(const QString& path) {
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0;
}

inline bool isCharacterDevice(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISCHR(info.st_mode);
}

inline bool isFifo(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// A named pipe with its reading end open before anyone writes: a writer's
// open does not block, and what it wrote (up to the pipe's buffer) is read
// once it has finished. A writer that replaced the pipe instead leaves
// nothing to read, so a test fails rather than hangs.
class FifoReader {
public:
    explicit FifoReader(const QString& path) {
        const QByteArray name = QFile::encodeName(path);
        if (::mkfifo(name.constData(), 0600) == 0)
            m_fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
    }
    ~FifoReader() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }
    QByteArray readAll() {
        QByteArray bytes;
        char chunk[4096];
        for (ssize_t n; (n = ::read(m_fd, chunk, sizeof chunk)) > 0;)
            bytes.append(chunk, int(n));
        return bytes;
    }

private:
    int m_fd = -1;
};

// Every entry of a folder, hidden ones included (a staging folder or a
// temporary file left behind shows up here).
inline QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace morvane::testing
