#include "pipeline/terrain_arrays.h"

#include "common/event_log.h"

#include <QFile>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace morvane {

namespace {

// Where a grid reads the final map and the texture picture. Vertex (r, c)
// takes the height at map column step * c, row firstMapRow - step * r, and
// the colour at pixel (step * c, step * r): the picture writer stores map row
// y as picture row 511 - y, so in the full grid both name the same sample.
struct GridLayout {
    int side;        // D
    int step;        // map samples between neighbouring vertices
    int firstMapRow; // map row of grid row 0
};

constexpr GridLayout kFullGrid{512, 1, 511};
// 508 - 4r rather than 511 - 4r: the decimated grid ends on map row 0, not
// on the row the full grid starts from.
constexpr GridLayout kDecimatedGrid{128, 4, 508};

// Copies the grid's D^2 height samples out of the map, row by row, and finds
// their range. Maps of an unexpected size are read through GetValue, whose
// border value answers for samples outside.
std::vector<float> sampleHeights(const noise::utils::NoiseMap& map, const GridLayout& grid,
                                 float& minimum, float& maximum) {
    const int side = grid.side;
    std::vector<float> heights(std::size_t(side) * std::size_t(side));
    const int lastColumn = grid.step * (side - 1);
    const bool columnsInside = lastColumn < map.GetWidth();
    float lo = std::numeric_limits<float>::max();
    float hi = std::numeric_limits<float>::lowest();
    float* out = heights.data();
    for (int r = 0; r < side; ++r, out += side) {
        const int mapRow = grid.firstMapRow - grid.step * r;
        const float* row = columnsInside ? map.GetRowPtr(mapRow) : nullptr;
        if (row) {
            for (int c = 0; c < side; ++c)
                out[c] = row[grid.step * c];
        } else {
            for (int c = 0; c < side; ++c)
                out[c] = map.GetValue(grid.step * c, mapRow);
        }
        for (int c = 0; c < side; ++c) {
            lo = std::min(lo, out[c]);
            hi = std::max(hi, out[c]);
        }
    }
    minimum = lo;
    maximum = hi;
    return heights;
}

// The texture picture as RGB32, or a null image when the file is missing or
// cannot be decoded; a damaged file is as useless to the terrain as a missing
// one, so both fall back to white.
QImage loadPicture(const QString& path) {
    if (path.isEmpty() || !QFile::exists(path))
        return QImage();
    QImage picture(path);
    if (picture.isNull())
        return QImage();
    return picture.convertToFormat(QImage::Format_RGB32);
}

TerrainArrays buildArrays(const noise::utils::NoiseMap& map, const TerrainBuildParams& params,
                          EventLog& log, const GridLayout& grid, const QString& startLine) {
    log.write(startLine);

    const int side = grid.side;
    const int cells = side - 1;
    const std::size_t vertexCount = std::size_t(side) * std::size_t(side);

    TerrainArrays out;
    out.gridSide = side;
    out.rowLength = cells;
    const double spacing = double(params.terrainSize) / double(cells);
    out.spacing = float(spacing);

    float minimum = 0.0f;
    float maximum = 0.0f;
    const std::vector<float> heights = sampleHeights(map, grid, minimum, maximum);
    // Scaled in double so the extreme samples land exactly on Low and Up once
    // rounded to float.
    const double heightScale = maximum == minimum
                                   ? 0.0
                                   : (double(params.heightUp) - double(params.heightLow)) /
                                         (double(maximum) - double(minimum));
    out.heightMinimum = minimum;
    out.heightScale = float(heightScale);
    const double low = double(params.heightLow);

    const QImage picture = loadPicture(params.texturePicture);
    if (picture.isNull())
        log.write(QStringLiteral("TFFnoisePreview.jpg file not found!\n"));
    // Columns of the grid whose colour sample lies inside the picture; the
    // rest, and rows below the picture, stay white.
    const int pictureColumns =
        picture.isNull() ? 0 : std::min(side, (picture.width() - 1) / grid.step + 1);

    out.vertices.resize(3 * vertexCount);
    out.normals.resize(3 * vertexCount);
    out.texCoords.resize(2 * vertexCount);
    out.terrainColors.assign(3 * vertexCount, 1.0f);
    out.textureColors.assign(3 * vertexCount, 1.0f);
    out.indices.resize(6 * std::size_t(cells) * std::size_t(cells));

    // x and u depend on the column only.
    const double centre = double(cells) * 0.5;
    std::vector<float> xs(side);
    std::vector<float> us(side);
    for (int c = 0; c < side; ++c) {
        xs[c] = float((double(c) - centre) * spacing);
        us[c] = float(double(c) / double(cells));
    }

    float* vertex = out.vertices.data();
    float* uv = out.texCoords.data();
    float* colour = out.terrainColors.data();
    std::uint32_t* index = out.indices.data();
    const float* height = heights.data();
    for (int r = 0; r < side; ++r) {
        const float z = float((double(r) - centre) * spacing);
        const float v = float(1.0 - double(r) / double(cells));
        for (int c = 0; c < side; ++c) {
            vertex[3 * c] = xs[c];
            vertex[3 * c + 1] = float((double(height[c]) - double(minimum)) * heightScale + low);
            vertex[3 * c + 2] = z;
            uv[2 * c] = us[c];
            uv[2 * c + 1] = v;
        }
        const int pictureRow = grid.step * r;
        if (pictureColumns > 0 && pictureRow < picture.height()) {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(pictureRow));
            for (int c = 0; c < pictureColumns; ++c) {
                const QRgb pixel = line[grid.step * c];
                colour[3 * c] = float(qRed(pixel)) / 255.0f;
                colour[3 * c + 1] = float(qGreen(pixel)) / 255.0f;
                colour[3 * c + 2] = float(qBlue(pixel)) / 255.0f;
            }
        }
        if (r < cells) {
            const std::uint32_t rowStart = std::uint32_t(side) * std::uint32_t(r);
            for (int c = 0; c < cells; ++c) {
                const std::uint32_t k = rowStart + std::uint32_t(c);
                index[0] = k;
                index[1] = k + 1;
                index[2] = k + std::uint32_t(side);
                index[3] = k + 1;
                index[4] = k + std::uint32_t(side) + 1;
                index[5] = k + std::uint32_t(side);
                index += 6;
            }
        }
        vertex += 3 * side;
        uv += 2 * side;
        colour += 3 * side;
        height += side;
    }

    // One normal per cell from its corner k and the neighbours along +x and
    // +z: (P0 - P1) x (P2 - P1) points up on flat ground. The last column and
    // the last row have no cell of their own, so they repeat the normal of the
    // cell beside them (column D-2 of the same row, then the whole row D-2,
    // corner included) rather than a made-up value: the edge keeps the slope
    // it actually has.
    const float* p = out.vertices.data();
    float* n = out.normals.data();
    const std::size_t rowFloats = 3 * std::size_t(side);
    for (int r = 0; r < cells; ++r) {
        const float* p0 = p + rowFloats * std::size_t(r);
        float* nr = n + rowFloats * std::size_t(r);
        for (int c = 0; c < cells; ++c, p0 += 3, nr += 3) {
            const float* p1 = p0 + 3;
            const float* p2 = p0 + rowFloats;
            const float ax = p0[0] - p1[0], ay = p0[1] - p1[1], az = p0[2] - p1[2];
            const float bx = p2[0] - p1[0], by = p2[1] - p1[1], bz = p2[2] - p1[2];
            float nx = ay * bz - az * by;
            float ny = az * bx - ax * bz;
            float nz = ax * by - ay * bx;
            float length = std::sqrt(nx * nx + ny * ny + nz * nz);
            if (length == 0.0f)
                length = 1.0f;
            nr[0] = nx / length;
            nr[1] = ny / length;
            nr[2] = nz / length;
        }
        nr[0] = nr[-3];
        nr[1] = nr[-2];
        nr[2] = nr[-1];
    }
    std::memcpy(n + rowFloats * std::size_t(cells), n + rowFloats * std::size_t(cells - 1),
                rowFloats * sizeof(float));

    return out;
}

} // namespace

TerrainArrays buildTerrainArrays(const noise::utils::NoiseMap& map,
                                 const TerrainBuildParams& params, EventLog& log) {
    return buildArrays(map, params, log, kFullGrid, QStringLiteral("building terrain arrays\n"));
}

TerrainArrays buildDecimatedTerrainArrays(const noise::utils::NoiseMap& map,
                                          const TerrainBuildParams& params, EventLog& log) {
    return buildArrays(map, params, log, kDecimatedGrid,
                       QStringLiteral("build decimated terrain arrays\n"));
}

} // namespace morvane
