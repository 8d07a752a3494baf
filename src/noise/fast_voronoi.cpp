#include "noise/fast_voronoi.h"

#include <libnoise/mathconsts.h>
#include <libnoise/noisegen.h>

#include <cmath>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace morvane::module {

namespace {

// Beyond this the cell coordinates around the point could overflow an int;
// such points take libnoise's own scan, overflow and all.
constexpr double kCellLimit = 1073741824.0;

constexpr int kSpan = 5; // cells per axis around the point
constexpr int kCells = kSpan * kSpan * kSpan;
// Padded to whole pairs with a point too far to be nearest.
constexpr int kPadded = kCells + 1;
constexpr double kFarAway = 1e10;

// libnoise's cell of a coordinate: truncation, one lower at and below zero.
int cellOf(double c) {
    return c > 0.0 ? int(c) : int(c) - 1;
}

// The seed points of the cells around one base cell, in libnoise's scan
// order (z outermost, x innermost).
struct Block {
    bool valid = false;
    int seed = 0;
    int bx = 0, by = 0, bz = 0;
    double x[kPadded] = {}, y[kPadded] = {}, z[kPadded] = {};

    Block() { x[kCells] = y[kCells] = z[kCells] = kFarAway; }

    void fill(int s, int baseX, int baseY, int baseZ) {
        seed = s;
        bx = baseX;
        by = baseY;
        bz = baseZ;
        for (int oz = 0; oz < kSpan; ++oz)
            for (int oy = 0; oy < kSpan; ++oy)
                for (int ox = 0; ox < kSpan; ++ox)
                    fillCell(ox, oy, oz);
        valid = true;
    }
    // The block one cell along x from `left` (which may be this block):
    // four of every five cells are already known there.
    void fillShifted(const Block& left) {
        const int s = left.seed;
        const int baseX = left.bx + 1, baseY = left.by, baseZ = left.bz;
        seed = s;
        bx = baseX;
        by = baseY;
        bz = baseZ;
        for (int row = 0; row < kCells; row += kSpan) {
            for (int ox = 0; ox + 1 < kSpan; ++ox) {
                x[row + ox] = left.x[row + ox + 1];
                y[row + ox] = left.y[row + ox + 1];
                z[row + ox] = left.z[row + ox + 1];
            }
            fillCell(kSpan - 1, (row / kSpan) % kSpan, row / (kSpan * kSpan));
        }
        valid = true;
    }
    void fillCell(int ox, int oy, int oz) {
        const int xCur = bx + ox - 2;
        const int yCur = by + oy - 2;
        const int zCur = bz + oz - 2;
        const int i = (oz * kSpan + oy) * kSpan + ox;
        // Seeds + 1 and + 2 wrap as the library's int sums do.
        x[i] = xCur + noise::ValueNoise3D(xCur, yCur, zCur, seed);
        y[i] = yCur + noise::ValueNoise3D(xCur, yCur, zCur, int(unsigned(seed) + 1u));
        z[i] = zCur + noise::ValueNoise3D(xCur, yCur, zCur, int(unsigned(seed) + 2u));
    }
    bool holds(int s, int baseX, int baseY, int baseZ) const {
        return valid && seed == s && bx == baseX && by == baseY && bz == baseZ;
    }
};

// A few blocks per thread, picked by a hash of the key: turbulence moves
// points back and forth across cell borders (y across 0 in particular), and
// a graph may hold more than one Voronoi.
constexpr unsigned kBlocks = 8;
class BlockCache {
public:
    const Block& get(int seed, int bx, int by, int bz) {
        Block& block = slot(seed, bx, by, bz);
        if (block.holds(seed, bx, by, bz))
            return block;
        // Rows are sampled along x: the block to the left is usually here.
        const Block& left = slot(seed, bx - 1, by, bz);
        if (left.holds(seed, bx - 1, by, bz)) {
            block.fillShifted(left);
            return block;
        }
        block.fill(seed, bx, by, bz);
        return block;
    }

private:
    Block& slot(int seed, int bx, int by, int bz) {
        const unsigned hash = unsigned(bx) * 73856093u ^ unsigned(by) * 19349663u ^
                              unsigned(bz) * 83492791u ^ unsigned(seed) * 2654435761u;
        return m_blocks[(hash ^ (hash >> 16)) % kBlocks];
    }

    Block m_blocks[kBlocks];
};

BlockCache& threadBlocks() {
    thread_local std::unique_ptr<BlockCache> cache = std::make_unique<BlockCache>();
    return *cache;
}

} // namespace

double FastVoronoi::GetValue(double x0, double y0, double z0) const {
    const double x = x0 * m_frequency;
    const double y = y0 * m_frequency;
    const double z = z0 * m_frequency;
    if (!(std::fabs(x) < kCellLimit && std::fabs(y) < kCellLimit && std::fabs(z) < kCellLimit))
        return PlainValue(x0, y0, z0);

    const Block& block = threadBlocks().get(m_seed, cellOf(x), cellOf(y), cellOf(z));
#if defined(__SSE2__)
    // Squared distances as libnoise sums them, two lanes at a time; each
    // lane keeps the first point in scan order strictly below its running
    // minimum (libnoise's rule, which starts at 2^31 - 1). The lanes hold
    // the even and the odd indices; the least distance of the two wins, and
    // of equal ones the lower index: libnoise's point.
    const __m128d px = _mm_set1_pd(x);
    const __m128d py = _mm_set1_pd(y);
    const __m128d pz = _mm_set1_pd(z);
    __m128d laneMin = _mm_set1_pd(2147483647.0);
    __m128d laneAt = _mm_set1_pd(-1.0);
    __m128d index = _mm_set_pd(1.0, 0.0);
    const __m128d step = _mm_set1_pd(2.0);
    for (int i = 0; i < kPadded; i += 2) {
        const __m128d dx = _mm_sub_pd(_mm_loadu_pd(block.x + i), px);
        const __m128d dy = _mm_sub_pd(_mm_loadu_pd(block.y + i), py);
        const __m128d dz = _mm_sub_pd(_mm_loadu_pd(block.z + i), pz);
        const __m128d dist =
            _mm_add_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy)), _mm_mul_pd(dz, dz));
        const __m128d nearer = _mm_cmplt_pd(dist, laneMin);
        laneMin = _mm_or_pd(_mm_and_pd(nearer, dist), _mm_andnot_pd(nearer, laneMin));
        laneAt = _mm_or_pd(_mm_and_pd(nearer, index), _mm_andnot_pd(nearer, laneAt));
        index = _mm_add_pd(index, step);
    }
    double mins[2], ats[2];
    _mm_storeu_pd(mins, laneMin);
    _mm_storeu_pd(ats, laneAt);
    int nearest = int(ats[0]);
    if (ats[1] >= 0.0 &&
        (nearest < 0 || mins[1] < mins[0] || (mins[1] == mins[0] && ats[1] < ats[0])))
        nearest = int(ats[1]);
#else
    // libnoise's scan: the first point strictly below the running minimum.
    double minDist = 2147483647.0;
    int nearest = -1;
    for (int i = 0; i < kCells; ++i) {
        const double xDist = block.x[i] - x;
        const double yDist = block.y[i] - y;
        const double zDist = block.z[i] - z;
        const double dist = xDist * xDist + yDist * yDist + zDist * zDist;
        if (dist < minDist) {
            minDist = dist;
            nearest = i;
        }
    }
#endif
    const double xCandidate = nearest < 0 ? 0.0 : block.x[nearest];
    const double yCandidate = nearest < 0 ? 0.0 : block.y[nearest];
    const double zCandidate = nearest < 0 ? 0.0 : block.z[nearest];

    double value = 0.0;
    if (m_enableDistance) {
        const double xDist = xCandidate - x;
        const double yDist = yCandidate - y;
        const double zDist = zCandidate - z;
        value = std::sqrt(xDist * xDist + yDist * yDist + zDist * zDist) * noise::SQRT_3 - 1.0;
    }
    return value + m_displacement * double(noise::ValueNoise3D(int(std::floor(xCandidate)),
                                                               int(std::floor(yCandidate)),
                                                               int(std::floor(zCandidate))));
}

} // namespace morvane::module
