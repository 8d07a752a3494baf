#pragma once

#include <libnoise/module/modulebase.h>

#include <cstdint>

namespace morvane::module {

// Sparse Gabor convolution noise: randomly placed, randomly weighted Gabor
// kernels summed over a grid of cells, each cell seeded from its position.
class Pitted : public noise::module::Module {
public:
    static constexpr float kMagnitude = 0.4f;        // K
    static constexpr float kPrincipalFreq = 0.05f;   // F0
    static constexpr float kOrientation = 0.7853982f; // omega0

    Pitted();

    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override;

    void SetFrequency(double frequency) { m_frequency = frequency; }
    void SetRandomOffset(std::uint32_t offset) { m_randomOffset = offset; }
    // Bandwidth must be > 0; other values are raised to a small positive one.
    void SetBandwidth(float a);
    void SetImpulsesPerKernel(float impulses);
    void SetAnisotropic(bool anisotropic) { m_anisotropic = anisotropic; }

    double GetFrequency() const { return m_frequency; }
    std::uint32_t GetRandomOffset() const { return m_randomOffset; }
    float GetBandwidth() const { return m_a; }
    float GetImpulsesPerKernel() const { return m_impulsesPerKernel; }
    bool IsAnisotropic() const { return m_anisotropic; }

    // The unscaled convolution sum at a point of kernel space (u, v).
    float Convolution(float u, float v) const;
    // One cell's contribution at (px, py), the point relative to the cell in
    // cell units.
    float Cell(int ci, int cj, float px, float py) const;
    static std::uint32_t Morton(int ci, int cj);
    float KernelRadius() const { return m_radius; }

private:
    void updateDerived();
    float gabor(float x, float y, float omega) const;

    double m_frequency = 1.0;
    std::uint32_t m_randomOffset = 0;
    float m_a = 0.05f;
    float m_impulsesPerKernel = 64.0f;
    bool m_anisotropic = false;

    float m_radius = 0.0f;
    float m_lambda = 0.0f;
    double m_emptyCellProbability = 0.0; // exp(-lambda r^2)
    double m_sigma = 1.0;
};

} // namespace morvane::module
