#pragma once

#include <QString>
#include <QStringList>

namespace morvane {

// Indices as stored in presets and shown in the panels' combo boxes.
enum class InputType {
    Flat = 0,
    Billow,
    CheckerBoard,
    Cylinders,
    MultiFractal,
    Perlin,
    Spheres,
    Voronoi,
    GaborConvolution,
    Image,
};

enum class DeformerType { Abs = 0, Clamp, Curve, Exponent, Invert, RoundEdge, ScaleBias, Terrace };

enum class CombinerType { Add = 0, Max, Min, Multiply, Pow, Blend, Select };

enum class ErosionType { None = 0, Thermal, ImprovedThermal, Hydraulics, Smooth };

// Display names in combo order ("Flat", "Billow", ...).
const QStringList& inputTypeNames();
const QStringList& deformerTypeNames();
const QStringList& combinerTypeNames();
const QStringList& erosionTypeNames();

// An index outside a list (only a damaged preset brings one) reads as the
// list's first entry.
InputType inputTypeAt(int index);
DeformerType deformerTypeAt(int index);
CombinerType combinerTypeAt(int index);
ErosionType erosionTypeAt(int index);

} // namespace morvane
