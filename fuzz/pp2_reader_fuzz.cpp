// The prop-file reader on any bytes, in a library laid out on disk: it
// answers with one of its result codes, a loaded prop names only files that
// exist inside its library or the maps folder, it writes nothing but its
// temporary OBJ files there, and the OBJ reader keeps its indices inside
// those files' arrays.

#include "fuzz_support.h"

#include "props/obj_model.h"
#include "props/pp2_reader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

using namespace morvane;

// Small, so a run spends its time in the parser, not in writing megabytes.
constexpr qint64 kInlineLimit = 64 * 1024;

struct Library {
    // In memory where the system has a tmpfs, as the reader writes files.
    QTemporaryDir root{QFileInfo("/dev/shm").isDir() ? "/dev/shm/morvane-pp2-XXXXXX"
                                                     : QDir::tempPath() + "/morvane-pp2-XXXXXX"};
    QString library, props, maps, prop;
    QStringList layout; // the files that are there before a read
    Library() {
        library = root.filePath("lib");
        props = library + "/Runtime/Libraries/Props/MORVANE";
        maps = root.filePath("maps");
        prop = props + "/fuzz.pp2";
        const QString geometries = library + "/Runtime/Geometries/MORVANE";
        for (const QString& folder : {props, geometries, maps})
            QDir().mkpath(folder);
        for (const char* name : {"Bush.obj", "Rock.obj"}) {
            QFile obj(geometries + '/' + name);
            obj.open(QIODevice::WriteOnly);
            obj.write("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
        }
        QFile outside(root.filePath("secret.obj"));
        outside.open(QIODevice::WriteOnly);
        layout = files();
    }
    QStringList files() const {
        QStringList found;
        QDirIterator it(root.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        found.sort();
        return found;
    }
};

bool inside(const QString& file, const QString& folder) {
    const QString canonical = QFileInfo(file).canonicalFilePath();
    return !canonical.isEmpty() && canonical.startsWith(QDir(folder).canonicalPath() + '/');
}

} // namespace

int morvane::fuzz::pp2ReaderOneInput(const std::uint8_t* data, std::size_t size) {
    static Library lib;
    {
        QFile file(lib.prop);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const Pp2Read read = readPp2(lib.prop, lib.maps, kInlineLimit);
    FUZZ_CHECK(read.result >= kPp2Loaded && read.result <= kPp2InlineNotWritten);
    if (read.result == kPp2Loaded) {
        FUZZ_CHECK(!read.objFiles.isEmpty());
        for (const QString& obj : read.objFiles) {
            FUZZ_CHECK(QFileInfo(obj).isFile());
            FUZZ_CHECK(inside(obj, lib.library) || inside(obj, lib.maps));
        }
    } else {
        FUZZ_CHECK(!pp2ProblemText(read.result).isEmpty());
    }

    // Only temporary OBJ files appear, only in the maps folder, within the
    // limit, and each reads as a model whose faces stay inside it.
    qint64 inlineBytes = 0;
    for (const QString& file : lib.files()) {
        if (lib.layout.contains(file) || file == lib.prop)
            continue;
        FUZZ_CHECK(inside(file, lib.maps));
        FUZZ_CHECK(QFileInfo(file).fileName().startsWith("tmpObj"));
        QFile obj(file);
        FUZZ_CHECK(obj.open(QIODevice::ReadOnly));
        const QByteArray bytes = obj.readAll();
        inlineBytes += bytes.size();
        ObjFacts facts;
        QStringList console;
        if (const auto model = readObjModelText(bytes, file, facts, console))
            for (const ObjTriangle& triangle : model->triangles)
                for (std::uint32_t vertex : triangle.vertices)
                    FUZZ_CHECK(vertex >= 1 && vertex <= model->vertexCount());
        obj.close();
        QFile::remove(file);
    }
    // The limit counts the copied geometry; the "o"/"g" header lines of each
    // file come on top.
    FUZZ_CHECK(inlineBytes <= kInlineLimit + 64 * qint64(read.objFiles.size() + 1));
    return 0;
}

MORVANE_FUZZ_TARGET(pp2ReaderOneInput)
