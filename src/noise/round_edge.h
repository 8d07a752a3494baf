#pragma once

#include <libnoise/module/modulebase.h>

namespace morvane::module {

// Shapes its source into a tile over [0, edge] x [0, edge] that falls to 0 at
// the borders; the result is never negative.
class RoundEdge : public noise::module::Module {
public:
    RoundEdge();

    int GetSourceModuleCount() const override { return 1; }
    double GetValue(double x, double y, double z) const override;

    void SetEdgeLength(double edgeLength) { m_edgeLength = edgeLength; }
    double GetEdgeLength() const { return m_edgeLength; }

private:
    double m_edgeLength = 4.0;
};

} // namespace morvane::module
