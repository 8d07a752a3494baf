#pragma once

#include <libnoise/module/modulebase.h>

namespace morvane::module {

// (a + 1)(b + 1) - 1: multiplies the sources as if they were 0..2 heights.
class Multiply : public noise::module::Module {
public:
    Multiply();
    int GetSourceModuleCount() const override { return 2; }
    double GetValue(double x, double y, double z) const override;
};

// Mean of the cubes of the two sources ("Pow").
class Power : public noise::module::Module {
public:
    Power();
    int GetSourceModuleCount() const override { return 2; }
    double GetValue(double x, double y, double z) const override;
};

} // namespace morvane::module
