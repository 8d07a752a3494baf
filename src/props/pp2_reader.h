#pragma once

#include <QString>
#include <QStringList>

namespace morvane {

// Outcomes of reading a prop file. 0 to 2 are the codes the prop library
// has always answered with; the others refuse files that would make the
// reader look or write where it must not, or that cannot be read at all.
enum Pp2Result : int {
    kPp2Loaded = 0,
    kPp2NoReference = 1,      // neither an OBJ reference nor inline geometry
    kPp2ObjMissing = 2,       // a referenced OBJ file does not exist
    kPp2OutsideLibrary = 3,   // a reference leads out of the prop's library
    kPp2InlineTooLarge = 4,   // inline geometry beyond the limit
    kPp2Unreadable = 5,       // the .pp2 itself cannot be opened
    kPp2InlineNotWritten = 6, // the maps folder refused the temporary OBJ
};

// Inline geometry of one prop, all blocks together. Well above any prop a
// painter would scatter, and small enough that the OBJ reader's arrays for
// it stay a few hundred MB at worst.
constexpr qint64 kPp2InlineLimit = 64LL * 1024 * 1024;

struct Pp2Read {
    int result = kPp2NoReference;
    QStringList objFiles; // in file order: the order the prop is compiled in
    QString problem;      // the path or reference the reader stopped at
};

// Reads a Poser prop file. Each "objFileGeom" / "figureResFile" line names
// an OBJ by its ":Runtime:..." path, taken relative to the prop's library
// (the folder that holds its Runtime folder) and matched to the files on
// disk without regard to case, as the host's own file system would. Each
// inline "geomCustom" block becomes tmpObj<k>.obj in `mapsDir`, k being the
// list's count + 1. Reading stops at the first missing file.
Pp2Read readPp2(const QString& pp2File, const QString& mapsDir,
                qint64 inlineLimit = kPp2InlineLimit);

// The folder holding the first "Runtime" folder on the way to the file; a
// file outside any Runtime folder takes its own folder as its library.
QString pp2LibraryRoot(const QString& pp2File);

// `relative` under `root` with each component spelled as on disk, the
// exact spelling first, else one differing only in case (prop libraries
// come from a file system that ignores case). Missing components are kept
// as written. `relative` must hold no "..".
QString findIgnoringCase(const QString& root, const QString& relative);

// The text of the "Error" box for a result other than kPp2Loaded.
QString pp2ProblemText(int result);

} // namespace morvane
