#include "noise/pitted.h"

#include <cmath>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// A cell's impulses as Cell() draws them, the orientation's cosine and sine
// already taken; positions padded to whole lanes with points out of reach.
struct CellImpulses {
    static constexpr std::size_t kLanes = 4;
    static constexpr float kOutOfReach = 1e9f;

    bool valid = false;
    std::uint32_t seed = 0;
    double threshold = 0.0;
    bool anisotropic = false;
    std::size_t count = 0;
    std::vector<float> x, y, weight, cosOmega, sinOmega;

    bool holds(std::uint32_t s, double t, bool a) const {
        return valid && seed == s && threshold == t && anisotropic == a;
    }

    // The draws of Cell(), in its order.
    void fill(std::uint32_t s, double t, bool a) {
        valid = false; // until complete: the vectors may fail to grow
        seed = s;
        threshold = t;
        anisotropic = a;
        CellRandom random(s);
        double product = random.next();
        unsigned drawn = 0;
        while (product > t && drawn < 1u << 20) {
            ++drawn;
            product *= random.next();
        }
        count = drawn;
        const std::size_t padded = (count + kLanes - 1) / kLanes * kLanes;
        x.assign(padded, kOutOfReach);
        y.assign(padded, kOutOfReach);
        weight.resize(count);
        cosOmega.resize(count);
        sinOmega.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            x[i] = random.next();
            y[i] = random.next();
            weight[i] = 2.0f * random.next() - 1.0f;
            const float omegaI = random.next() * 6.2831855f;
            const float omega = a ? Pitted::kOrientation : omegaI;
            cosOmega[i] = std::cos(omega);
            sinOmega[i] = std::sin(omega);
        }
        valid = true;
    }
};

// A direct-mapped memory of cells per thread. A cell's impulses depend only
// on its seed, the empty-cell probability and the orientation rule, so all
// modules on the thread can share it.
class ImpulseCache {
public:
    const CellImpulses& get(std::uint32_t seed, double threshold, bool anisotropic) {
        CellImpulses& cell = m_cells[(seed * 2654435761u) >> (32 - kBits)];
        if (!cell.holds(seed, threshold, anisotropic))
            cell.fill(seed, threshold, anisotropic);
        return cell;
    }

private:
    static constexpr int kBits = 8;
    CellImpulses m_cells[1 << kBits];
};

ImpulseCache& threadImpulses() {
    thread_local std::unique_ptr<ImpulseCache> cache = std::make_unique<ImpulseCache>();
    return *cache;
}

// Least |d| for d = p - q over q in [0, 1], rounded as p - q would be.
float gapToUnit(float p) { return p > 1.0f ? p - 1.0f : (p < 0.0f ? -p : 0.0f); }

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
    m_envelopeRate = -kPi * m_a * m_a;
}

std::uint32_t Pitted::Morton(int ci, int cj) {
    // The low 16 bits of each coordinate, x bits to the even positions.
    auto spread = [](std::uint32_t v) {
        v &= 0xFFFFu;
        v = (v | (v << 8)) & 0x00FF00FFu;
        v = (v | (v << 4)) & 0x0F0F0F0Fu;
        v = (v | (v << 2)) & 0x33333333u;
        v = (v | (v << 1)) & 0x55555555u;
        return v;
    };
    return spread(std::uint32_t(ci)) | (spread(std::uint32_t(cj)) << 1);
}

float Pitted::gabor(float x, float y, float omega) const {
    const float envelope = kMagnitude * std::exp(-kPi * m_a * m_a * (x * x + y * y));
    const float wave =
        std::cos(2.0f * kPi * kPrincipalFreq * (x * std::cos(omega) + y * std::sin(omega)));
    return envelope * wave;
}

float Pitted::Cell(int ci, int cj, float px, float py) const {
    CellRandom random(cellSeed(ci, cj));

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

std::uint32_t Pitted::cellSeed(int ci, int cj) const {
    const std::uint32_t seed = Morton(ci, cj) + m_randomOffset;
    return seed == 0 ? 1 : seed; // a zero state would stay zero and leave the cell empty
}

bool Pitted::locate(float u, float v, CellPoint& at) const {
    u /= m_radius;
    v /= m_radius;
    const float fi = std::floor(u);
    const float fj = std::floor(v);
    // Far beyond any sampled window; also keeps NaN out of the int casts.
    if (!(std::fabs(fi) < 1e9f) || !(std::fabs(fj) < 1e9f))
        return false;
    at = {int(fi), int(fj), u - fi, v - fj};
    return true;
}

float Pitted::Convolution(float u, float v) const {
    CellPoint at;
    if (!locate(u, v, at))
        return 0.0f;
    const int i = at.ci, j = at.cj;
    const float fu = at.fu, fv = at.fv;
    float sum = 0.0f;
    for (int di = -1; di <= 1; ++di)
        for (int dj = -1; dj <= 1; ++dj)
            sum += Cell(i + di, j + dj, fu - float(di), fv - float(dj));
    return sum;
}

float Pitted::FastConvolution(float u, float v) const {
    CellPoint at;
    if (!locate(u, v, at))
        return 0.0f;
    const int i = at.ci, j = at.cj;
    const float fu = at.fu, fv = at.fv;
    constexpr float kWaveRate = 2.0f * kPi * kPrincipalFreq;
    ImpulseCache& cache = threadImpulses();
    float sum = 0.0f;
    for (int di = -1; di <= 1; ++di)
        for (int dj = -1; dj <= 1; ++dj) {
            const float px = fu - float(di);
            const float py = fv - float(dj);
            // No impulse (all lie in [0, 1]^2) within reach: Cell() would add
            // +0, and the sum is never -0, so leaving it out changes nothing.
            const float gx = gapToUnit(px);
            const float gy = gapToUnit(py);
            if (gx * gx + gy * gy >= 1.0f)
                continue;
            const CellImpulses& cell =
                cache.get(cellSeed(i + di, j + dj), m_emptyCellProbability, m_anisotropic);
            float cellSum = 0.0f;
            auto add = [&](std::size_t k) {
                const float dx = px - cell.x[k];
                const float dy = py - cell.y[k];
                // gabor(), its constant factors grouped as it groups them.
                const float x = m_radius * dx;
                const float y = m_radius * dy;
                const float envelope = kMagnitude * std::exp(m_envelopeRate * (x * x + y * y));
                const float wave =
                    std::cos(kWaveRate * (x * cell.cosOmega[k] + y * cell.sinOmega[k]));
                cellSum += cell.weight[k] * (envelope * wave);
            };
#if defined(__SSE2__)
            // The reach test four impulses at a time (the same single-precision
            // operations), then those in reach in order: no branch on what is
            // close to a coin toss.
            const __m128 lanePx = _mm_set1_ps(px);
            const __m128 lanePy = _mm_set1_ps(py);
            const __m128 one = _mm_set1_ps(1.0f);
            for (std::size_t k = 0; k < cell.x.size(); k += CellImpulses::kLanes) {
                const __m128 dx = _mm_sub_ps(lanePx, _mm_loadu_ps(cell.x.data() + k));
                const __m128 dy = _mm_sub_ps(lanePy, _mm_loadu_ps(cell.y.data() + k));
                const __m128 d2 = _mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy));
                for (unsigned mask = unsigned(_mm_movemask_ps(_mm_cmplt_ps(d2, one))); mask;
                     mask &= mask - 1)
                    add(k + std::size_t(__builtin_ctz(mask)));
            }
#else
            for (std::size_t k = 0; k < cell.count; ++k) {
                const float dx = px - cell.x[k];
                const float dy = py - cell.y[k];
                if (dx * dx + dy * dy < 1.0f)
                    add(k);
            }
#endif
            sum += cellSum;
        }
    return sum;
}

double Pitted::scaled(float convolution) const { return double(convolution) / (4.0 * m_sigma); }

double Pitted::GetValue(double x, double /*y*/, double z) const {
    if (!(m_sigma > 0.0))
        return 0.0; // no impulses at all: flat
    if (m_plain)
        return PlainValue(x, 0.0, z);
    const double s = m_frequency * 64.0;
    return scaled(FastConvolution(float(s * x), float(s * z)));
}

double Pitted::PlainValue(double x, double /*y*/, double z) const {
    if (!(m_sigma > 0.0))
        return 0.0;
    const double s = m_frequency * 64.0;
    return scaled(Convolution(float(s * x), float(s * z)));
}

} // namespace morvane::module
