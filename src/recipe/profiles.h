#pragma once

#include <utility>
#include <vector>

namespace morvane {

constexpr int kCurveProfileCount = 17;   // buttons curve_0 .. curve_16
constexpr int kTerraceProfileCount = 16; // buttons terrace_0 .. terrace_15

using CurvePoint = std::pair<double, double>; // (input, output)

// Control points of a curve profile in the order they are added; empty for
// profile 0 (none) and for numbers outside the table.
const std::vector<CurvePoint>& curveProfile(int profile);
// Terrace points of a terrace profile; empty for 0 and outside the table.
const std::vector<double>& terraceProfile(int profile);

} // namespace morvane
