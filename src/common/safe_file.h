#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QImage;
class QIODevice;

namespace morvane {

// Writes one file so that a failure never leaves a half-written file under
// its name. A regular file (or a new one) is written to a temporary file
// beside it and renamed over it at commit(), so the old file stays as it was
// until then. A device, pipe or terminal cannot be replaced that way (the
// rename would put a plain file where the device node was), so it is written
// in place and its errors reported. A folder is refused.
class SafeFileWriter {
public:
    explicit SafeFileWriter(QString path);
    ~SafeFileWriter(); // a writer never committed is cancelled

    bool open();
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // The device to hand to a writer of its own (QImage::save): its bytes
    // go through write(). Null before open() and after a failure.
    QIODevice* device();
    bool commit();
    void cancel();
    // Why the last step failed, in words for a message.
    QString errorString() const { return m_error; }

private:
    static constexpr int kBufferSize = 1 << 20;

    bool fail(const QString& reason);
    bool flushBuffer();
    bool writeAll(const char* data, qint64 size);

    QString m_path;
    QString m_error;
    std::unique_ptr<QSaveFile> m_saveFile;
    std::unique_ptr<QIODevice> m_direct;
    std::unique_ptr<QIODevice> m_forward;
    QByteArray m_buffer; // bytes for the save file not yet handed to it
    bool m_failed = false;
};

// Both go through SafeFileWriter and return whether the file was written;
// `reason` (when given) receives why not.
bool writeFileSafely(const QString& path, const QByteArray& bytes, QString* reason = nullptr);
// `quality` as QImage::save takes it (-1: the format's default).
bool savePictureSafely(const QImage& picture, const QString& path, const char* format,
                       int quality = -1, QString* reason = nullptr);

// Files that only make sense together (a mesh, its texture and normal map):
// each is written under a staging folder beside the targets, and commit()
// puts all of them in place or none. An old set stays exactly as it was
// until commit(), and also when commit() fails half-way (the files already
// moved are moved back). Staged files not committed are removed with the
// set, also when an exception unwinds past it.
class FileSet {
public:
    // `folder` holds the targets; the staging folder is made inside it so
    // that the final renames never cross a file system.
    explicit FileSet(QString folder);
    ~FileSet();
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;

    // False (see errorString()) when the staging folder cannot be made.
    bool isValid() const { return !m_stagingDir.isEmpty(); }
    QString stagingDir() const { return m_stagingDir; }
    // The staged name for a file of `folder` called `fileName`; the caller
    // writes it there.
    QString stage(const QString& fileName);
    // Moves every staged file that exists over its target.
    bool commit();
    QString errorString() const { return m_error; }

private:
    void removeStaging();

    QString m_folder;
    QString m_stagingDir;
    QStringList m_names;
    QString m_error;
};

// Test seam: a hook asked before each step of the file layer, which fails
// the step with the errno it returns (0 lets it go on). It lets tests make
// the layer meet a full disk, a read-only folder or a folder that vanishes,
// which a test running as root cannot otherwise provoke reliably.
enum class FileStep { Open, Write, Commit };
using FileFaultHook = std::function<int(const QString& path, FileStep step)>;
void setFileFaultHook(FileFaultHook hook);

} // namespace morvane
