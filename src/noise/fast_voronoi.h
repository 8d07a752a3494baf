#pragma once

#include <libnoise/module/voronoi.h>

namespace morvane::module {

// libnoise's Voronoi with the same result bits and less work. A sample needs
// the seed points of the 5 x 5 x 5 cells around it, three value-noise calls
// each; neighbouring samples mostly need the same block, so each thread
// keeps the last few blocks it filled (a pure function of seed and cell, so
// any module may share them). The nearest point is then found by the same
// scan, with the same distance expression and the same first-minimum rule.
// (Nothing is assumed about where in its cell a seed point lies: Debian's
// value noise reaches (-1, 3], not the documented [-1, 1].)
class FastVoronoi : public noise::module::Voronoi {
public:
    double GetValue(double x, double y, double z) const override;
    // The definition: libnoise's own scan.
    double PlainValue(double x, double y, double z) const {
        return noise::module::Voronoi::GetValue(x, y, z);
    }
};

} // namespace morvane::module
