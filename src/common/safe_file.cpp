#include "common/safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <signal.h>
#include <unistd.h>

namespace morvane {

namespace {

FileFaultHook& faultHook() {
    static FileFaultHook hook;
    return hook;
}

// The errno the test hook sets for this step, or 0.
int injectedFault(const QString& path, FileStep step) {
    const FileFaultHook& hook = faultHook();
    return hook ? hook(path, step) : 0;
}

QString describeErrno(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool renamePath(const QString& from, const QString& to, QString& reason) {
    // ::rename replaces atomically and never falls back to a copy, which
    // QFile::rename would do across file systems.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) ==
        0)
        return true;
    reason = describeErrno(errno);
    return false;
}

// The C file calls end a name at a NUL character, so "a\0b.ipf" would
// write the file "a": another file than the one asked for.
bool holdsNul(const QString& path) { return path.contains(QChar(0)); }

const QString& nulReason() {
    static const QString reason = QStringLiteral("a file name cannot hold a NUL character");
    return reason;
}

const QString kStagingPrefix = QStringLiteral(".morvane-staging-");
const QString kOldFolder = QStringLiteral(".old");

// The process that made a staging folder, from its name
// (".morvane-staging-<pid>-XXXXXX"); 0 when the name carries none.
qint64 stagingOwner(const QString& name) {
    const QStringList parts = name.mid(kStagingPrefix.size()).split('-');
    bool ok = false;
    const qint64 pid = parts.size() == 2 ? parts.first().toLongLong(&ok) : 0;
    return ok && pid > 0 ? pid : 0;
}

bool processAlive(qint64 pid) {
    return pid == qint64(::getpid()) || ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// A staging folder whose process died (killed, crashed, machine off) before
// it was removed. If it died during a commit, the old files it had moved
// aside live only in its ".old" folder: while new files are still waiting
// beside them the set was not complete, so the old set goes back in place;
// otherwise every new file was placed and the old ones are obsolete.
void recoverStaleStaging(const QString& folder) {
    const QStringList stagings =
        QDir(folder).entryList({kStagingPrefix + '*'}, QDir::Dirs | QDir::Hidden);
    for (const QString& name : stagings) {
        const qint64 owner = stagingOwner(name);
        if (owner == 0 || processAlive(owner))
            continue;
        const QDir staging(folder + '/' + name);
        const QStringList waiting = staging.entryList(QDir::Files | QDir::Hidden);
        const QDir old(staging.filePath(kOldFolder));
        if (!waiting.isEmpty() && old.exists()) {
            QString ignored;
            for (const QString& file : old.entryList(QDir::Files | QDir::Hidden))
                renamePath(old.filePath(file), folder + '/' + file, ignored);
        }
        QDir(staging).removeRecursively();
    }
}

// What a writer of its own (QImage::save, the JPEG encoder) is handed: its
// bytes go through SafeFileWriter::write, so they are buffered once and a
// failure carries the system's reason (writing to the save file directly,
// a write cut short by a full disk reports no reason at all).
class ForwardingDevice : public QIODevice {
public:
    explicit ForwardingDevice(SafeFileWriter& writer) : m_writer(writer) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (m_writer.write(data, size))
            return size;
        setErrorString(m_writer.errorString());
        return -1;
    }

private:
    SafeFileWriter& m_writer;
};

} // namespace

void setFileFaultHook(FileFaultHook hook) { faultHook() = std::move(hook); }

// ---- SafeFileWriter ---------------------------------------------------------

SafeFileWriter::SafeFileWriter(QString path) : m_path(std::move(path)) {}

SafeFileWriter::~SafeFileWriter() { cancel(); }

bool SafeFileWriter::fail(const QString& reason) {
    m_error = reason;
    m_failed = true;
    cancel();
    return false;
}

bool SafeFileWriter::open() {
    if (holdsNul(m_path))
        return fail(nulReason());
    if (const int error = injectedFault(m_path, FileStep::Open))
        return fail(describeErrno(error));
    const QFileInfo info(m_path);
    if (info.isDir())
        return fail(QStringLiteral("a folder stands at that name"));
    if (info.exists() && !info.isFile()) {
        auto file = std::make_unique<QFile>(m_path);
        if (!file->open(QIODevice::WriteOnly))
            return fail(file->errorString());
        m_direct = std::move(file);
        return true;
    }
    m_saveFile = std::make_unique<QSaveFile>(m_path);
    // Unbuffered: Qt's own buffer would meet a full disk only at commit(),
    // where it has lost the system's reason; this writer buffers itself.
    if (!m_saveFile->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString reason = m_saveFile->errorString();
        m_saveFile.reset();
        return fail(reason);
    }
    return true;
}

QIODevice* SafeFileWriter::device() {
    if (!m_saveFile && !m_direct)
        return nullptr;
    if (!m_forward)
        m_forward = std::make_unique<ForwardingDevice>(*this);
    return m_forward.get();
}

bool SafeFileWriter::write(const char* data, qint64 size) {
    QIODevice* out = m_saveFile ? static_cast<QIODevice*>(m_saveFile.get()) : m_direct.get();
    if (!out || m_failed)
        return false;
    if (const int error = injectedFault(m_path, FileStep::Write))
        return fail(describeErrno(error));
    if (m_saveFile) {
        if (size < kBufferSize) {
            m_buffer.append(data, int(size));
            return m_buffer.size() < kBufferSize || flushBuffer();
        }
        // A big piece goes out as it is, not through a copy in the buffer.
        return flushBuffer() && writeAll(data, size);
    }
    if (out->write(data, size) != size)
        return fail(out->errorString());
    return true;
}

bool SafeFileWriter::flushBuffer() {
    if (m_buffer.isEmpty() || !m_saveFile || m_failed)
        return !m_failed;
    const bool written = writeAll(m_buffer.constData(), m_buffer.size());
    m_buffer.clear();
    return written;
}

bool SafeFileWriter::writeAll(const char* data, qint64 size) {
    // A write cut short (the disk filled up on the way) carries no error;
    // the write of the rest then fails with the system's reason.
    while (size > 0) {
        const qint64 written = m_saveFile->write(data, size);
        if (written <= 0)
            return fail(m_saveFile->errorString());
        data += written;
        size -= written;
    }
    return true;
}

bool SafeFileWriter::commit() {
    if (m_failed || (!m_saveFile && !m_direct))
        return false;
    if (const int error = injectedFault(m_path, FileStep::Commit))
        return fail(describeErrno(error));
    if (m_saveFile) {
        if (!flushBuffer())
            return false;
        const bool committed = m_saveFile->commit();
        const QString reason = m_saveFile->errorString();
        m_saveFile.reset();
        return committed ? true : fail(reason);
    }
    auto* file = static_cast<QFile*>(m_direct.get());
    // A device reports a full disk (ENOSPC on /dev/full) only when the
    // buffered bytes reach it.
    const bool flushed = file->flush() && file->error() == QFileDevice::NoError;
    const QString reason = file->errorString();
    file->close();
    m_direct.reset();
    return flushed ? true : fail(reason);
}

void SafeFileWriter::cancel() {
    m_buffer.clear();
    if (m_saveFile) {
        m_saveFile->cancelWriting();
        m_saveFile.reset(); // removes the temporary file
    }
    m_direct.reset();
}

bool writeFileSafely(const QString& path, const QByteArray& bytes, QString* reason) {
    SafeFileWriter writer(path);
    const bool written = writer.open() && writer.write(bytes) && writer.commit();
    if (!written && reason)
        *reason = writer.errorString();
    return written;
}

bool savePictureSafely(const QImage& picture, const QString& path, const char* format,
                       int quality, QString* reason) {
    if (picture.isNull()) {
        if (reason)
            *reason = QStringLiteral("there is no picture to write");
        return false;
    }
    SafeFileWriter writer(path);
    bool written = writer.open();
    // QImage writes to the device itself; the hook's write step is asked once.
    if (written) {
        if (const int error = injectedFault(path, FileStep::Write)) {
            writer.cancel();
            if (reason)
                *reason = describeErrno(error);
            return false;
        }
    }
    if (written && !picture.save(writer.device(), format, quality)) {
        const QString why = writer.errorString();
        writer.cancel();
        if (reason)
            *reason = why.isEmpty() ? QStringLiteral("the picture could not be encoded") : why;
        return false;
    }
    written = written && writer.commit();
    if (!written && reason)
        *reason = writer.errorString();
    return written;
}

// ---- FileSet ------------------------------------------------------------------

FileSet::FileSet(QString folder) : m_folder(std::move(folder)) {
    recoverStaleStaging(m_folder);
    // The owner's pid in the name tells a later set whether the folder is
    // still in use or left behind by a process that died.
    QTemporaryDir staging(m_folder + '/' + kStagingPrefix + QString::number(::getpid()) +
                          QStringLiteral("-XXXXXX"));
    if (!staging.isValid()) {
        m_error = QStringLiteral("cannot make a staging folder in ") + m_folder + ": " +
                  staging.errorString();
        return;
    }
    staging.setAutoRemove(false);
    m_stagingDir = staging.path();
}

FileSet::~FileSet() { removeStaging(); }

void FileSet::removeStaging() {
    if (!m_stagingDir.isEmpty())
        QDir(m_stagingDir).removeRecursively();
    m_stagingDir.clear();
}

QString FileSet::stage(const QString& fileName) {
    if (!m_names.contains(fileName))
        m_names << fileName;
    return m_stagingDir + '/' + fileName;
}

bool FileSet::commit() {
    if (!isValid())
        return false;
    QStringList staged;
    for (const QString& name : m_names) {
        if (holdsNul(name)) {
            m_error = nulReason();
            return false;
        }
        if (QFileInfo(m_stagingDir + '/' + name).isFile())
            staged << name;
    }

    // Refuse before touching anything: a folder or device at a target's
    // name would stop the set half-way.
    for (const QString& name : staged) {
        const QFileInfo target(m_folder + '/' + name);
        if (target.exists() && !target.isFile()) {
            m_error = QStringLiteral("cannot replace ") + target.filePath() +
                      QStringLiteral(": it is not a plain file");
            return false;
        }
    }

    // The old files step aside into the staging folder, so a failure
    // half-way can put them back.
    const QString oldDir = m_stagingDir + '/' + kOldFolder;
    if (!QDir().mkpath(oldDir)) {
        m_error = QStringLiteral("cannot make a staging folder in ") + m_stagingDir;
        return false;
    }
    QStringList movedAside, placed;
    auto rollBack = [&] {
        QString ignored;
        for (const QString& name : placed)
            QFile::remove(m_folder + '/' + name);
        for (const QString& name : movedAside)
            renamePath(oldDir + '/' + name, m_folder + '/' + name, ignored);
    };
    for (const QString& name : staged) {
        const QString target = m_folder + '/' + name;
        if (!QFileInfo::exists(target))
            continue;
        QString reason;
        if (!renamePath(target, oldDir + '/' + name, reason)) {
            m_error = QStringLiteral("cannot replace ") + target + ": " + reason;
            rollBack();
            return false;
        }
        movedAside << name;
    }
    for (const QString& name : staged) {
        const QString target = m_folder + '/' + name;
        QString reason;
        const int injected = injectedFault(target, FileStep::Commit);
        if (injected)
            reason = describeErrno(injected);
        if (injected || !renamePath(m_stagingDir + '/' + name, target, reason)) {
            m_error = QStringLiteral("cannot put ") + target + QStringLiteral(" in place: ") +
                      reason;
            rollBack();
            return false;
        }
        placed << name;
    }
    removeStaging();
    return true;
}

} // namespace morvane
