#pragma once

#include <cstddef>
#include <vector>

namespace morvane {

struct ErosionSettings;

// The working grid of one erosion run: N x N floats, H[i][j] at row i,
// column j, row-major. Row 0 is the last row of the height map (the top line
// of its picture); values are normalised to 0..1.
class ErosionGrid {
public:
    ErosionGrid() = default;
    explicit ErosionGrid(int side) : m_side(side), m_cells(std::size_t(side) * side, 0.0f) {}

    int side() const { return m_side; }
    float& at(int i, int j) { return m_cells[std::size_t(i) * m_side + j]; }
    float at(int i, int j) const { return m_cells[std::size_t(i) * m_side + j]; }
    float* data() { return m_cells.data(); }
    const float* data() const { return m_cells.data(); }

private:
    int m_side = 0;
    std::vector<float> m_cells;
};

// Rain, solubility, evaporation and capacity: the spin-box integers x 0.01.
struct HydraulicConstants {
    float rain = 0.01f;
    float solubility = 0.01f;
    float evaporation = 0.9f;
    float capacity = 0.01f;

    static HydraulicConstants from(const ErosionSettings& settings);
};

// The four methods; each does nothing for iterations < 1. All updates are
// in place and single precision, in the documented visiting order.
void thermalErosion(ErosionGrid& grid, int iterations);
void improvedErosion(ErosionGrid& grid, int iterations);
void hydraulicErosion(ErosionGrid& grid, int iterations, const HydraulicConstants& constants);
void smoothImage(ErosionGrid& grid, int iterations);

// Reference loops, for tests and benchmarks: the visiting order written out
// plainly. The four methods above must match them bit for bit.
namespace detail {
void thermalErosionPlain(ErosionGrid& grid, int iterations);
void improvedErosionPlain(ErosionGrid& grid, int iterations);
void hydraulicErosionPlain(ErosionGrid& grid, int iterations, const HydraulicConstants& constants);
void smoothImagePlain(ErosionGrid& grid, int iterations);
} // namespace detail

} // namespace morvane
