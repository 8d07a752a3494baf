#pragma once

#include <libnoise/module/modulebase.h>

#include <cstdint>

namespace morvane::module {

// Sparse Gabor convolution noise: randomly placed, randomly weighted Gabor
// kernels summed over a grid of cells, each cell seeded from its position.
// GetValue keeps each cell's impulses (with the cosine and sine of their
// orientation) in a per-thread memory, since neighbouring samples share most
// of their 3 x 3 cells, and skips cells no impulse of which can reach the
// point; every float operation that makes the result is the one PlainValue
// does, in the same order, so the bits are the same.
class Pitted : public noise::module::Module {
public:
    static constexpr float kMagnitude = 0.4f;        // K
    static constexpr float kPrincipalFreq = 0.05f;   // F0
    static constexpr float kOrientation = 0.7853982f; // omega0

    Pitted();

    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override;
    // The definition GetValue is held to: every impulse drawn afresh.
    double PlainValue(double x, double y, double z) const;

    void SetFrequency(double frequency) { m_frequency = frequency; }
    void SetRandomOffset(std::uint32_t offset) { m_randomOffset = offset; }
    // Bandwidth must be > 0; other values are raised to a small positive one.
    void SetBandwidth(float a);
    void SetImpulsesPerKernel(float impulses);
    void SetAnisotropic(bool anisotropic) { m_anisotropic = anisotropic; }
    // GetValue by the definition (the benchmarks' baseline).
    void SetPlain(bool plain) { m_plain = plain; }

    double GetFrequency() const { return m_frequency; }
    std::uint32_t GetRandomOffset() const { return m_randomOffset; }
    float GetBandwidth() const { return m_a; }
    float GetImpulsesPerKernel() const { return m_impulsesPerKernel; }
    bool IsAnisotropic() const { return m_anisotropic; }

    // The unscaled convolution sum at a point of kernel space (u, v).
    float Convolution(float u, float v) const;
    // The same sum from the memorised impulses.
    float FastConvolution(float u, float v) const;
    // One cell's contribution at (px, py), the point relative to the cell in
    // cell units.
    float Cell(int ci, int cj, float px, float py) const;
    static std::uint32_t Morton(int ci, int cj);
    float KernelRadius() const { return m_radius; }

private:
    // The cell of a point of kernel space and the point within it, in cell
    // units; false far beyond any sampled window.
    struct CellPoint {
        int ci, cj;
        float fu, fv;
    };
    bool locate(float u, float v, CellPoint& at) const;
    std::uint32_t cellSeed(int ci, int cj) const;
    void updateDerived();
    float gabor(float x, float y, float omega) const;
    double scaled(float convolution) const;

    double m_frequency = 1.0;
    std::uint32_t m_randomOffset = 0;
    float m_a = 0.05f;
    float m_impulsesPerKernel = 64.0f;
    bool m_anisotropic = false;
    bool m_plain = false;

    float m_radius = 0.0f;
    float m_lambda = 0.0f;
    double m_emptyCellProbability = 0.0; // exp(-lambda r^2)
    double m_sigma = 1.0;
    float m_envelopeRate = 0.0f; // -pi a^2, as gabor() groups it
};

} // namespace morvane::module
