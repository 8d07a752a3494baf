#include "noise/pitted.h"

#include <cmath>

namespace morvane::module {

namespace {

constexpr float kPi = 3.14159265f;

// Multiplicative congruential generator, the per-cell source of impulses.
class CellRandom {
public:
    explicit CellRandom(std::uint32_t seed) : m_state(seed) {}
    float next() {
        m_state *= 3039177861u;
        return float(m_state) * 2.3283064365386963e-10f; // 2^-32
    }

private:
    std::uint32_t m_state;
};

} // namespace

Pitted::Pitted() : noise::module::Module(0) { updateDerived(); }

void Pitted::SetBandwidth(float a) {
    m_a = (a > 0.0f) ? a : 1e-4f;
    updateDerived();
}

void Pitted::SetImpulsesPerKernel(float impulses) {
    m_impulsesPerKernel = impulses > 0.0f ? impulses : 0.0f;
    updateDerived();
}

void Pitted::updateDerived() {
    m_radius = std::sqrt(std::log(0.05f) / -kPi) / m_a;
    m_lambda = m_impulsesPerKernel / (kPi * m_radius * m_radius);
    m_emptyCellProbability = std::exp(-m_lambda * m_radius * m_radius);
    const float k2 = kMagnitude * kMagnitude;
    const float variance =
        m_lambda * (1.0f / 3.0f) * (k2 / (4.0f * m_a * m_a)) *
        (1.0f + std::exp(-2.0f * kPi * kPrincipalFreq * kPrincipalFreq / (m_a * m_a)));
    m_sigma = std::sqrt(variance);
}

std::uint32_t Pitted::Morton(int ci, int cj) {
    const auto x = std::uint32_t(ci);
    const auto y = std::uint32_t(cj);
    std::uint32_t code = 0;
    for (int bit = 0; bit < 16; ++bit) {
        code |= ((x >> bit) & 1u) << (2 * bit);
        code |= ((y >> bit) & 1u) << (2 * bit + 1);
    }
    return code;
}

float Pitted::gabor(float x, float y, float omega) const {
    const float envelope = kMagnitude * std::exp(-kPi * m_a * m_a * (x * x + y * y));
    const float wave =
        std::cos(2.0f * kPi * kPrincipalFreq * (x * std::cos(omega) + y * std::sin(omega)));
    return envelope * wave;
}

float Pitted::Cell(int ci, int cj, float px, float py) const {
    std::uint32_t seed = Morton(ci, cj) + m_randomOffset;
    if (seed == 0)
        seed = 1; // a zero state would stay zero and leave the cell empty
    CellRandom random(seed);

    // Poisson-distributed impulse count by multiplying uniform draws.
    const double threshold = m_emptyCellProbability;
    double t = random.next();
    unsigned count = 0;
    // The cap only guards against parameters that would never stop.
    while (t > threshold && count < 1u << 20) {
        ++count;
        t *= random.next();
    }

    float sum = 0.0f;
    for (unsigned i = 0; i < count; ++i) {
        const float xi = random.next();
        const float yi = random.next();
        const float wi = 2.0f * random.next() - 1.0f;
        const float omegaI = random.next() * 6.2831855f;
        const float dx = px - xi;
        const float dy = py - yi;
        if (dx * dx + dy * dy < 1.0f) {
            const float omega = m_anisotropic ? kOrientation : omegaI;
            sum += wi * gabor(m_radius * dx, m_radius * dy, omega);
        }
    }
    return sum;
}

float Pitted::Convolution(float u, float v) const {
    u /= m_radius;
    v /= m_radius;
    const float fi = std::floor(u);
    const float fj = std::floor(v);
    // Far beyond any sampled window; also keeps NaN out of the int casts.
    if (!(std::fabs(fi) < 1e9f) || !(std::fabs(fj) < 1e9f))
        return 0.0f;
    const float fu = u - fi;
    const float fv = v - fj;
    const int i = int(fi);
    const int j = int(fj);
    float sum = 0.0f;
    for (int di = -1; di <= 1; ++di)
        for (int dj = -1; dj <= 1; ++dj)
            sum += Cell(i + di, j + dj, fu - float(di), fv - float(dj));
    return sum;
}

double Pitted::GetValue(double x, double /*y*/, double z) const {
    if (!(m_sigma > 0.0))
        return 0.0; // no impulses at all: flat
    const double s = m_frequency * 64.0;
    const float n = Convolution(float(s * x), float(s * z));
    return double(n) / (4.0 * m_sigma);
}

} // namespace morvane::module
