#pragma once

#include <QString>
#include <QVector3D>
#include <QVector>

#include <vector>

namespace morvane {

// One morph target of a prop: offsets of some vertices at value 1, in the
// prop geometry's own units, indexed like its vertex list.
struct Pp2Morph {
    QString name;
    QVector<int> indices;
    QVector<QVector3D> offsets;
};

// Beyond any hand-made prop; keeps a hostile file from filling the memory.
constexpr int kPp2DeltaLimit = 4 * 1024 * 1024;

// The "targetGeom" channels of a Poser prop file with their "deltas" blocks
// ("d index dx dy dz" lines). Lines that are not sound deltas (bad numbers,
// negative indices) are skipped; a morph without deltas is dropped; reading
// stops at `deltaLimit` deltas in all. An unreadable file gives none.
std::vector<Pp2Morph> readPp2Morphs(const QString& pp2File, int deltaLimit = kPp2DeltaLimit);

} // namespace morvane
