#include "props/pp2_reader.h"

#include "common/bounded_line.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace morvane {

namespace {

// No sound .pp2 line comes near this; a longer one loses its tail.
constexpr qint64 kLineLimit = 1024 * 1024;

QString decoded(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

// The entry of `folder` named `name`, the exact spelling first, else one
// that differs only in case; empty when there is none.
QString entryIgnoringCase(const QString& folder, const QString& name) {
    if (QFileInfo::exists(folder + '/' + name))
        return name;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return QString();
}

} // namespace

QString findIgnoringCase(const QString& root, const QString& relative) {
    QString path = root;
    const QStringList parts = relative.split('/', Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        const QString entry =
            entryIgnoringCase(path.isEmpty() ? QStringLiteral("/") : path, parts.at(i));
        if (entry.isEmpty()) {
            for (int j = i; j < parts.size(); ++j)
                path += '/' + parts.at(j);
            return path;
        }
        path += '/' + entry;
    }
    return path;
}

namespace {

bool namesBlockCount(const QByteArray& line) {
    for (const char* key : {"numbVerts", "numbTVerts", "numbTSets", "numbElems", "numbSets"})
        if (line.contains(key))
            return true;
    return false;
}

class Pp2Reading {
  public:
    Pp2Reading(const QString& pp2File, const QString& mapsDir, qint64 inlineLimit)
        : m_root(pp2LibraryRoot(pp2File)), m_mapsDir(mapsDir), m_inlineLeft(inlineLimit),
          m_file(pp2File) {}

    Pp2Read run() {
        if (!m_file.open(QIODevice::ReadOnly)) {
            stop(kPp2Unreadable, m_file.fileName());
            return m_read;
        }
        QByteArray line;
        bool cut = false;
        while (readBoundedLine(m_file, line, kLineLimit, cut)) {
            if (line.contains("objFileGeom") || line.contains("figureResFile")) {
                if (!addReference(decoded(line)))
                    return m_read;
            } else if (line.contains("geomCustom")) {
                if (!addInlineBlock())
                    return m_read;
            }
        }
        m_read.result = m_read.objFiles.isEmpty() ? kPp2NoReference : kPp2Loaded;
        return m_read;
    }

  private:
    bool addReference(const QString& line) {
        // The reference runs from ":Runtime" on, in Poser's ':' spelling,
        // quotes and all.
        const int at = line.indexOf(QLatin1String(":runtime"), 0, Qt::CaseInsensitive);
        if (at < 0)
            return stop(kPp2ObjMissing, line.trimmed());
        QString relative = line.mid(at);
        relative.replace(':', '/');
        relative.remove('"');
        relative = relative.trimmed();

        const QString rootPrefix = m_root + '/';
        const QString lexical = QDir::cleanPath(rootPrefix + relative);
        if (!lexical.startsWith(rootPrefix))
            return stop(kPp2OutsideLibrary, relative);
        return append(findIgnoringCase(m_root, lexical.mid(rootPrefix.size())));
    }

    bool addInlineBlock() {
        const QString name = QStringLiteral("tmpObj") + QString::number(m_read.objFiles.size() + 1);
        const QString path = m_mapsDir + '/' + name + QStringLiteral(".obj");
        // Written aside and renamed at the end: a block refused halfway
        // leaves no half file behind, and an earlier one is kept whole.
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly))
            return stop(kPp2InlineNotWritten, path);
        out.write(QByteArray("o ") + name.toLatin1() + "\ng default\n");

        QByteArray line;
        bool cut = false;
        while (readBoundedLine(m_file, line, kLineLimit, cut)) {
            if (line.contains('}'))
                break;
            if (line.contains('{') || namesBlockCount(line))
                continue;
            // Tabs indent the block; one between two numbers separates
            // them, and dropping it would merge "1\t0" into "10".
            int indent = 0;
            while (indent < line.size() && line.at(indent) == '\t')
                ++indent;
            line.remove(0, indent);
            line.replace('\t', ' ');
            line.append('\n');
            m_inlineLeft -= line.size();
            if (cut || m_inlineLeft < 0) {
                out.cancelWriting();
                return stop(kPp2InlineTooLarge, path);
            }
            out.write(line);
        }
        if (!out.commit())
            return stop(kPp2InlineNotWritten, path);
        return append(path);
    }

    bool append(const QString& path) {
        m_read.objFiles << path;
        if (!QFileInfo(path).isFile())
            return stop(kPp2ObjMissing, path);
        return true;
    }

    bool stop(int result, const QString& problem) {
        m_read.result = result;
        m_read.problem = problem;
        return false;
    }

    QString m_root;
    QString m_mapsDir;
    qint64 m_inlineLeft;
    QFile m_file;
    Pp2Read m_read;
};

} // namespace

QString pp2LibraryRoot(const QString& pp2File) {
    const QString path = QDir::cleanPath(QFileInfo(pp2File).absoluteFilePath());
    // A whole component: "Runtime2" or "runtime_old" are not the library's.
    const QStringList parts = path.split('/');
    for (int i = 0; i + 1 < parts.size(); ++i)
        if (parts.at(i).compare(QLatin1String("runtime"), Qt::CaseInsensitive) == 0)
            return parts.mid(0, i).join('/');
    return QFileInfo(path).absolutePath();
}

Pp2Read readPp2(const QString& pp2File, const QString& mapsDir, qint64 inlineLimit) {
    return Pp2Reading(pp2File, mapsDir, inlineLimit).run();
}

QString pp2ProblemText(int result) {
    const QString lead = QStringLiteral("There was a problem loading this prop: ");
    switch (result) {
    case kPp2NoReference:
        return lead + QStringLiteral("no reference to external obj's found.");
    case kPp2ObjMissing:
        return lead + QStringLiteral("one or more obj files not found.");
    case kPp2OutsideLibrary:
        return lead + QStringLiteral("an obj reference leads outside its library.");
    case kPp2InlineTooLarge:
        return lead + QStringLiteral("its inline geometry is larger than %1 MB.")
                          .arg(kPp2InlineLimit / (1024 * 1024));
    case kPp2Unreadable:
        return lead + QStringLiteral("the .pp2 file cannot be read.");
    case kPp2InlineNotWritten:
        return lead + QStringLiteral("its inline geometry cannot be written to the maps folder.");
    default:
        return QString();
    }
}

} // namespace morvane
