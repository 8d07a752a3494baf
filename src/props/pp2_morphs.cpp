#include "props/pp2_morphs.h"

#include "common/bounded_line.h"

#include <QFile>

#include <cmath>

namespace morvane {

namespace {

// Lines are read in bounded pieces, as the geometry reader does.
constexpr qint64 kLineLimit = 1024 * 1024;

QList<QByteArray> tokens(const QByteArray& line) {
    return line.simplified().split(' ');
}

} // namespace

std::vector<Pp2Morph> readPp2Morphs(const QString& pp2File, int deltaLimit) {
    std::vector<Pp2Morph> morphs;
    QFile file(pp2File);
    if (!file.open(QIODevice::ReadOnly))
        return morphs;

    // Depth of braces inside the current targetGeom; -1 outside one.
    int depth = -1;
    bool inDeltas = false;
    int deltaDepth = 0;
    int total = 0;
    Pp2Morph current;
    auto finish = [&] {
        if (!current.indices.isEmpty())
            morphs.push_back(std::move(current));
        current = Pp2Morph();
        depth = -1;
        inDeltas = false;
    };

    QByteArray line;
    bool cut = false;
    while (total < deltaLimit && readBoundedLine(file, line, kLineLimit, cut)) {
        const QList<QByteArray> t = tokens(line);
        if (t.isEmpty() || t.first().isEmpty())
            continue;
        const QByteArray& key = t.first();
        if (key == "targetGeom") {
            if (depth >= 0)
                finish();
            current.name = t.size() > 1 ? QString::fromUtf8(t.at(1)) : QStringLiteral("morph");
            depth = 0;
            continue;
        }
        if (depth < 0)
            continue;
        if (key == "{") {
            ++depth;
        } else if (key == "}") {
            if (inDeltas && depth == deltaDepth)
                inDeltas = false;
            if (--depth <= 0)
                finish();
        } else if (key == "deltas") {
            inDeltas = true;
            deltaDepth = depth + 1;
        } else if (inDeltas && key == "d" && t.size() == 5) {
            bool ok[4];
            const int index = t.at(1).toInt(&ok[0]);
            const float x = t.at(2).toFloat(&ok[1]);
            const float y = t.at(3).toFloat(&ok[2]);
            const float z = t.at(4).toFloat(&ok[3]);
            if (ok[0] && ok[1] && ok[2] && ok[3] && index >= 0 && std::isfinite(x) &&
                std::isfinite(y) && std::isfinite(z)) {
                current.indices.append(index);
                current.offsets.append(QVector3D(x, y, z));
                ++total;
            }
        }
    }
    if (depth >= 0)
        finish();
    return morphs;
}

} // namespace morvane
