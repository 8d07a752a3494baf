#include "recipe/node_types.h"

namespace morvane {

const QStringList& inputTypeNames() {
    static const QStringList names = {"Flat",    "Billow",  "CheckerBoard", "Cylinders",
                                      "MultiFractal", "Perlin", "Spheres", "Voronoi",
                                      "Gabor Convolution", "Image"};
    return names;
}

const QStringList& deformerTypeNames() {
    static const QStringList names = {"Abs",        "Clamp",     "Curve",    "Exponent",
                                      "Invert",     "Round Edge", "ScaleBias", "Terrace"};
    return names;
}

const QStringList& combinerTypeNames() {
    static const QStringList names = {"Add", "Max", "Min", "Multiply", "Pow", "Blend", "Select"};
    return names;
}

const QStringList& erosionTypeNames() {
    static const QStringList names = {"no erosion", "thermal", "improved thermal", "hydraulics",
                                      "smooth terrain"};
    return names;
}

namespace {
template <typename E> E typeAt(int index, const QStringList& names) {
    return (index >= 0 && index < names.size()) ? E(index) : E(0);
}
} // namespace

InputType inputTypeAt(int index) { return typeAt<InputType>(index, inputTypeNames()); }
DeformerType deformerTypeAt(int index) { return typeAt<DeformerType>(index, deformerTypeNames()); }
CombinerType combinerTypeAt(int index) { return typeAt<CombinerType>(index, combinerTypeNames()); }
ErosionType erosionTypeAt(int index) { return typeAt<ErosionType>(index, erosionTypeNames()); }

} // namespace morvane
