#include "pipeline/erosion_methods.h"

#include "recipe/terrain_recipe.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace morvane {

HydraulicConstants HydraulicConstants::from(const ErosionSettings& settings) {
    HydraulicConstants constants;
    constants.rain = float(settings.rain) * 0.01f;
    constants.solubility = float(settings.solubility) * 0.01f;
    constants.evaporation = float(settings.evaporation) * 0.01f;
    constants.capacity = float(settings.capacity) * 0.01f;
    return constants;
}

// The erosion loops are sequential on purpose: every cell sees the updates
// of the cells visited before it, so the visiting order is part of the
// result and no loop may be reordered or reassociated.

namespace detail {

void thermalErosionPlain(ErosionGrid& grid, int iterations) {
    const int n = grid.side();
    if (iterations < 1 || n < 3)
        return;
    const float talus = 4.0f / float(n);
    const int di[4] = {-1, -1, 1, 1};
    const int dj[4] = {-1, 1, -1, 1};
    for (int it = 0; it < iterations; ++it)
        for (int i = 1; i < n - 1; ++i)
            for (int j = 1; j < n - 1; ++j) {
                float h = grid.at(i, j);
                int best = 0;
                float drop = h - grid.at(i + di[0], j + dj[0]);
                for (int k = 1; k < 4; ++k) {
                    const float d = h - grid.at(i + di[k], j + dj[k]);
                    if (d > drop) { // strict: the first of equal drops wins
                        drop = d;
                        best = k;
                    }
                }
                if (drop > talus) {
                    h = h - drop / 2.0f;
                    grid.at(i, j) = h;
                    grid.at(i + di[best], j + dj[best]) = h;
                }
            }
}

void improvedErosionPlain(ErosionGrid& grid, int iterations) {
    const int n = grid.side();
    if (iterations < 1 || n < 3)
        return;
    const float threshold = 12.0f / float(n);
    for (int it = 0; it < iterations; ++it)
        for (int i = 1; i < n - 1; ++i)
            for (int j = 1; j < n - 1; ++j) {
                float h = grid.at(i, j);
                int bestI = i - 1, bestJ = j - 1;
                float drop = h - grid.at(bestI, bestJ);
                for (int a = -1; a <= 1; ++a)
                    for (int b = -1; b <= 1; ++b) {
                        const float d = h - grid.at(i + a, j + b);
                        if (d > drop) {
                            drop = d;
                            bestI = i + a;
                            bestJ = j + b;
                        }
                    }
                // Steeper drops are cliffs and stay; only gentle slopes settle.
                if (drop > 0.0f && drop <= threshold) {
                    h = h - drop / 2.0f;
                    grid.at(i, j) = h;
                    grid.at(bestI, bestJ) = h;
                }
            }
}

void hydraulicErosionPlain(ErosionGrid& grid, int iterations, const HydraulicConstants& constants) {
    const int n = grid.side();
    if (iterations < 1 || n < 1)
        return;
    const float kr = constants.rain;
    const float ks = constants.solubility;
    const float ke = constants.evaporation;
    const float kc = constants.capacity;
    ErosionGrid water(n); // released when the run ends
    for (int it = 0; it < iterations; ++it) {
        // Rain, then the water dissolves the ground it stands on.
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                water.at(i, j) = water.at(i, j) + kr;
                grid.at(i, j) = grid.at(i, j) - ks * water.at(i, j);
                if (grid.at(i, j) < 0.0f)
                    grid.at(i, j) = 0.0f;
            }
        // Water runs to the lowest water surface of the block: half the
        // difference when the cell holds enough, else all it holds.
        for (int i = 1; i < n - 1; ++i)
            for (int j = 1; j < n - 1; ++j) {
                const float surface = grid.at(i, j) + water.at(i, j);
                int bestI = i - 1, bestJ = j - 1;
                float drop = surface - grid.at(bestI, bestJ) - water.at(bestI, bestJ);
                for (int a = -1; a <= 1; ++a)
                    for (int b = -1; b <= 1; ++b) {
                        const float d = surface - grid.at(i + a, j + b) - water.at(i + a, j + b);
                        if (d > drop) {
                            drop = d;
                            bestI = i + a;
                            bestJ = j + b;
                        }
                    }
                if (drop > 0.0f) {
                    if (drop <= water.at(i, j)) {
                        water.at(bestI, bestJ) += drop / 2.0f;
                        water.at(i, j) -= drop / 2.0f;
                    } else {
                        water.at(bestI, bestJ) += water.at(i, j);
                        water.at(i, j) = 0.0f;
                    }
                }
            }
        // Evaporation leaves part of the dissolved ground behind.
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const float e = water.at(i, j) * ke;
                water.at(i, j) = water.at(i, j) - e;
                grid.at(i, j) = grid.at(i, j) + e * kc;
                if (grid.at(i, j) < 0.0f)
                    grid.at(i, j) = 0.0f;
            }
    }
}

} // namespace detail

// The fast paths below do the same arithmetic per cell as the plain loops,
// with two changes that cannot alter a bit of the result:
//
// - Several rows run at once, row i + 1 three cells behind row i. A cell
//   reads and writes only its 3x3 block, so a cell of a later row that runs
//   "early" never touches a cell the row-major order would change before
//   it. Each cell waits on the stores of the cell before it; the rows'
//   chains of waits now overlap in the processor.
// - A cell writes both of its cells every time, the unchanged values when
//   nothing moves, and picks values with masks, not branches: whether
//   material moves follows the terrain's noise, which no branch predictor
//   learns.

namespace {

// `a` when `pick`, else `b`, without a branch.
inline float choose(bool pick, float a, float b) {
    std::uint32_t bitsA, bitsB;
    std::memcpy(&bitsA, &a, sizeof bitsA);
    std::memcpy(&bitsB, &b, sizeof bitsB);
    const std::uint32_t mask = 0u - std::uint32_t(pick);
    const std::uint32_t bits = (bitsA & mask) | (bitsB & ~mask);
    float result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

// Calls cell(c), c = i * n + j, for the interior cells i, j in 1..n-2 in
// bands of kBand rows, row q of a band kSkew cells behind row q - 1.
template <typename Cell> void wavefront(int n, const Cell& cell) {
    constexpr int kBand = 8;
    // Two would keep the result; three also keeps the blocks of one step
    // apart, so its cells never wait on each other.
    constexpr int kSkew = 3;
    const int width = n - 2;
    for (int first = 1; first < n - 1; first += kBand) {
        const int rows = std::min(kBand, n - 1 - first);
        const int steps = width + kSkew * (rows - 1);
        const std::ptrdiff_t origin = std::ptrdiff_t(first) * n + 1;
        // Row q of the band is at column step - kSkew * q, inside 0..width-1.
        auto someRows = [&](int step) {
            const int qLow = step >= width ? (step - width) / kSkew + 1 : 0;
            const int qHigh = std::min(rows - 1, step / kSkew);
            for (int q = qLow; q <= qHigh; ++q)
                cell(origin + std::ptrdiff_t(q) * n + step - kSkew * q);
        };
        int step = 0;
        if (rows == kBand) {
            for (; step < std::min(kSkew * (kBand - 1), steps); ++step)
                someRows(step);
            for (; step < width; ++step) { // every row of the band inside
                const std::ptrdiff_t c = origin + step;
#pragma GCC unroll 8
                for (int q = 0; q < kBand; ++q)
                    cell(c + std::ptrdiff_t(q) * (n - kSkew));
            }
        }
        for (; step < steps; ++step)
            someRows(step);
    }
}

struct ThermalCell {
    float* h;
    std::ptrdiff_t n;
    float talus;

    void operator()(std::ptrdiff_t c) const {
        float* cell = h + c;
        const float here = *cell;
        const std::ptrdiff_t diagonals[4] = {-n - 1, -n + 1, n - 1, n + 1};
        std::ptrdiff_t best = diagonals[0];
        float drop = here - cell[best];
#pragma GCC unroll 4
        for (int k = 1; k < 4; ++k) {
            const float d = here - cell[diagonals[k]];
            const bool steeper = d > drop; // strict: the first of equal drops wins
            best = steeper ? diagonals[k] : best;
            drop = steeper ? d : drop;
        }
        const bool move = drop > talus;
        const float level = here - drop / 2.0f;
        const float target = cell[best]; // never the cell itself
        *cell = choose(move, level, here);
        cell[best] = choose(move, level, target);
    }
};

// The 3x3 block, row offset first, centre included.
inline void blockOffsets(std::ptrdiff_t n, std::ptrdiff_t (&offsets)[9]) {
    const std::ptrdiff_t table[9] = {-n - 1, -n, -n + 1, -1, 0, 1, n - 1, n, n + 1};
    std::copy(table, table + 9, offsets);
}

struct ImprovedCell {
    float* h;
    std::ptrdiff_t n;
    float threshold;

    void operator()(std::ptrdiff_t c) const {
        float* cell = h + c;
        const float here = *cell;
        std::ptrdiff_t block[9];
        blockOffsets(n, block);
        std::ptrdiff_t best = block[0];
        float drop = here - cell[best];
#pragma GCC unroll 9
        for (int k = 1; k < 9; ++k) {
            const float d = here - cell[block[k]];
            const bool steeper = d > drop;
            best = steeper ? block[k] : best;
            drop = steeper ? d : drop;
        }
        // The centre wins only with a drop of 0 (or NaN), and then nothing
        // moves, so reading the target before the first store is safe.
        const bool settle = (drop > 0.0f) & (drop <= threshold);
        const float level = here - drop / 2.0f;
        const float target = cell[best];
        *cell = choose(settle, level, here);
        cell[best] = choose(settle, level, target);
    }
};

struct FlowCell {
    const float* h;
    float* w;
    std::ptrdiff_t n;

    void operator()(std::ptrdiff_t c) const {
        const float surface = h[c] + w[c];
        std::ptrdiff_t block[9];
        blockOffsets(n, block);
        std::ptrdiff_t best = c + block[0];
        float drop = surface - h[best] - w[best];
#pragma GCC unroll 9
        for (int k = 1; k < 9; ++k) {
            const std::ptrdiff_t nb = c + block[k];
            const float d = surface - h[nb] - w[nb];
            const bool steeper = d > drop;
            best = steeper ? nb : best;
            drop = steeper ? d : drop;
        }
        // In the order of the plain loops: the target first, then the cell,
        // which may be the target itself.
        const bool flows = drop > 0.0f;
        const float held = w[c];
        const bool enough = drop <= held;
        const float half = drop / 2.0f;
        const float target = w[best];
        w[best] = choose(flows, choose(enough, target + half, target + held), target);
        const float now = w[c];
        w[c] = choose(flows, choose(enough, now - half, 0.0f), now);
    }
};

} // namespace

void thermalErosion(ErosionGrid& grid, int iterations) {
    const int n = grid.side();
    if (iterations < 1 || n < 3)
        return;
    const ThermalCell cell{grid.data(), n, 4.0f / float(n)};
    for (int it = 0; it < iterations; ++it)
        wavefront(n, cell);
}

void improvedErosion(ErosionGrid& grid, int iterations) {
    const int n = grid.side();
    if (iterations < 1 || n < 3)
        return;
    const ImprovedCell cell{grid.data(), n, 12.0f / float(n)};
    for (int it = 0; it < iterations; ++it)
        wavefront(n, cell);
}

void hydraulicErosion(ErosionGrid& grid, int iterations, const HydraulicConstants& constants) {
    const int n = grid.side();
    if (iterations < 1 || n < 1)
        return;
    const float kr = constants.rain;
    const float ks = constants.solubility;
    const float ke = constants.evaporation;
    const float kc = constants.capacity;
    const std::size_t cells = std::size_t(n) * std::size_t(n);
    float* h = grid.data();
    std::vector<float> water(cells, 0.0f); // released when the run ends
    float* w = water.data();
    const FlowCell flow{h, w, n};
    for (int it = 0; it < iterations; ++it) {
        for (std::size_t c = 0; c < cells; ++c) {
            w[c] = w[c] + kr;
            const float ground = h[c] - ks * w[c];
            h[c] = ground < 0.0f ? 0.0f : ground;
        }
        wavefront(n, flow);
        for (std::size_t c = 0; c < cells; ++c) {
            const float e = w[c] * ke;
            w[c] = w[c] - e;
            const float ground = h[c] + e * kc;
            h[c] = ground < 0.0f ? 0.0f : ground;
        }
    }
}

namespace {

// One block mean, the nine cells in visiting order (row offset first)
// summed left to right. Both smoothing paths go through it so their
// results agree bit for bit; cells outside the grid come in as +0.0f.
inline float blockMean(float a, float b, float c, float d, float e, float f, float g, float h,
                       float k) {
    return (a + b + c + d + e + f + g + h + k) / 9.0f;
}

// Rows of the transposed grid smoothed together in a skewed wavefront.
constexpr int kWavefront = 8;

} // namespace

namespace detail {

void smoothImagePlain(ErosionGrid& grid, int iterations) {
    const int n = grid.side();
    auto cell = [&](int i, int j) {
        return (i < 0 || j < 0 || i >= n || j >= n) ? 0.0f : grid.at(i, j);
    };
    for (int it = 0; it < iterations; ++it)
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                grid.at(i, j) = blockMean(cell(i - 1, j - 1), cell(i - 1, j), cell(i - 1, j + 1),
                                          cell(i, j - 1), cell(i, j), cell(i, j + 1),
                                          cell(i + 1, j - 1), cell(i + 1, j), cell(i + 1, j + 1));
}

} // namespace detail

// The pass visits columns outer, rows inner. It runs on a transposed copy
// with a zero border, so a grid column is a contiguous row and no cell
// needs a bounds test. Each mean waits on the one just before it, so a
// single row is bound by the latency of the nine-term sum; several rows go
// at once in a wavefront, row r two cells behind row r - 1: by then
// everything row r reads from row r - 1 is updated and nothing it reads
// from row r + 1 is, exactly as in the plain order.
void smoothImage(ErosionGrid& grid, int iterations) {
    const int n = grid.side();
    if (iterations < 1 || n < 1)
        return;
    const std::ptrdiff_t p = std::ptrdiff_t(n) + 2;
    std::vector<float> padded(std::size_t(p) * std::size_t(p), 0.0f);
    float* t = padded.data();
    // t[(j + 1) * p + (i + 1)] holds H[i][j].
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            t[(j + 1) * p + (i + 1)] = grid.at(i, j);

    auto update = [t, p](std::ptrdiff_t r, std::ptrdiff_t c) {
        const float* before = t + (r - 1) * p + c; // column j - 1 of the grid
        float* here = t + r * p + c;               // column j
        const float* after = t + (r + 1) * p + c;  // column j + 1
        *here = blockMean(before[-1], here[-1], after[-1], before[0], here[0], after[0], before[1],
                          here[1], after[1]);
    };

    for (int it = 0; it < iterations; ++it) {
        for (int first = 0; first < n; first += kWavefront) {
            const int rows = std::min(kWavefront, n - first);
            const int steps = n + 2 * (rows - 1);
            for (int step = 0; step < steps; ++step) {
                // Row q of the band is at cell step - 2q; only cells 0..n-1 exist.
                const int qLow = step >= n ? (step - n + 2) / 2 : 0;
                const int qHigh = std::min(rows - 1, step / 2);
                for (int q = qLow; q <= qHigh; ++q)
                    update(std::ptrdiff_t(first) + q + 1, std::ptrdiff_t(step) - 2 * q + 1);
            }
        }
    }

    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            grid.at(i, j) = t[(j + 1) * p + (i + 1)];
}

} // namespace morvane
