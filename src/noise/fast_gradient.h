#pragma once

#include <libnoise/interp.h>
#include <libnoise/noisegen.h>

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// libnoise's gradient coherent noise, the same bits, inlined where it is
// used: the fractal modules sample it up to 30 times per point, and the
// library's version is three calls deep per corner. Every double operation
// is libnoise's, in its order; a test holds it to the library bit for bit.

namespace noise {
// libnoise's table of 256 unit gradients (x, y, z, 0), exported by the
// library: the very numbers its gradient noise uses.
extern double g_randomVectors[256 * 4];
} // namespace noise

namespace morvane::module {

namespace detail {

// The lattice hash of libnoise's gradient noise, in unsigned arithmetic
// (the library's int products wrap the same way).
constexpr std::uint32_t kXNoise = 1619;
constexpr std::uint32_t kYNoise = 31337;
constexpr std::uint32_t kZNoise = 6971;
constexpr std::uint32_t kSeedNoise = 1013;
constexpr int kShift = 8;

// The gradient of a lattice point from its hash sum.
inline const double* vectorAt(std::uint32_t index) {
    index ^= index >> kShift;
    return noise::g_randomVectors + ((index & 0xFFu) << 2);
}

inline double gradient(double fx, double fy, double fz, int ix, int iy, int iz,
                       std::uint32_t seedTerm) {
    const double* g = vectorAt(kXNoise * std::uint32_t(ix) + kYNoise * std::uint32_t(iy) +
                               kZNoise * std::uint32_t(iz) + seedTerm);
    const double xPoint = fx - double(ix);
    const double yPoint = fy - double(iy);
    const double zPoint = fz - double(iz);
    return ((g[0] * xPoint) + (g[1] * yPoint) + (g[2] * zPoint)) * 2.12;
}

inline int lattice(double c) {
    return c > 0.0 ? int(c) : int(c) - 1;
}

inline double curve(double a, noise::NoiseQuality quality) {
    switch (quality) {
    case noise::QUALITY_FAST:
        return a;
    case noise::QUALITY_STD:
        return noise::SCurve3(a);
    case noise::QUALITY_BEST:
        break;
    }
    return noise::SCurve5(a);
}

} // namespace detail

#if defined(__GNUC__)
// Called once per octave in tight loops; a call would spill the loop's state.
__attribute__((always_inline))
#endif
inline double
gradientCoherentNoise3D(double x, double y, double z, int seed, noise::NoiseQuality quality) {
    using namespace detail;
    const int x0 = lattice(x);
    const int y0 = lattice(y);
    const int z0 = lattice(z);
    const int x1 = x0 + 1;
    const int y1 = y0 + 1;
    const int z1 = z0 + 1;
    const double xs = curve(x - double(x0), quality);
    const double ys = curve(y - double(y0), quality);
    const double zs = curve(z - double(z0), quality);
    const std::uint32_t s = kSeedNoise * std::uint32_t(seed);
#if defined(__SSE2__)
    // The corners in pairs along y, each lane the library's operations on
    // one corner: the offsets from the corners, the hash (wrapping sums in
    // any order), the dot product, the three interpolations.
    // Hash sums of the four (y, z) corners, lanes (y0 z0, y1 z0, y0 z1, y1 z1),
    // completed for x0 and x1 and reduced to table rows four at a time.
    const std::uint32_t hz0 = kZNoise * std::uint32_t(z0) + s;
    const std::uint32_t hz1 = kZNoise * std::uint32_t(z1) + s;
    const std::uint32_t hy0 = kYNoise * std::uint32_t(y0);
    const std::uint32_t hy1 = kYNoise * std::uint32_t(y1);
    const __m128i yz =
        _mm_set_epi32(int(hy1 + hz1), int(hy0 + hz1), int(hy1 + hz0), int(hy0 + hz0));
    alignas(16) std::uint32_t rows[2][4];
    for (int cx = 0; cx < 2; ++cx) {
        __m128i index = _mm_add_epi32(yz, _mm_set1_epi32(int(kXNoise * std::uint32_t(x0 + cx))));
        index = _mm_xor_si128(index, _mm_srli_epi32(index, kShift));
        index = _mm_slli_epi32(_mm_and_si128(index, _mm_set1_epi32(0xFF)), 2);
        _mm_store_si128(reinterpret_cast<__m128i*>(rows[cx]), index);
    }
    const double px[2] = {x - double(x0), x - double(x1)};
    const __m128d py = _mm_set_pd(y - double(y1), y - double(y0));
    const double pz[2] = {z - double(z0), z - double(z1)};
    auto row = [&](int cx, int cz) {
        const double* g0 = noise::g_randomVectors + rows[cx][2 * cz];
        const double* g1 = noise::g_randomVectors + rows[cx][2 * cz + 1];
        const __m128d gx = _mm_set_pd(g1[0], g0[0]);
        const __m128d gy = _mm_set_pd(g1[1], g0[1]);
        const __m128d gz = _mm_set_pd(g1[2], g0[2]);
        const __m128d dot =
            _mm_add_pd(_mm_add_pd(_mm_mul_pd(gx, _mm_set1_pd(px[cx])), _mm_mul_pd(gy, py)),
                       _mm_mul_pd(gz, _mm_set1_pd(pz[cz])));
        return _mm_mul_pd(dot, _mm_set1_pd(2.12));
    };
    auto lerp = [](__m128d n0, __m128d n1, double a) {
        return _mm_add_pd(_mm_mul_pd(_mm_set1_pd(1.0 - a), n0), _mm_mul_pd(_mm_set1_pd(a), n1));
    };
    const __m128d alongX0 = lerp(row(0, 0), row(1, 0), xs); // (ix0, ix1) at z0
    const __m128d alongX1 = lerp(row(0, 1), row(1, 1), xs); // and at z1
    const __m128d alongY =
        lerp(_mm_unpacklo_pd(alongX0, alongX1), _mm_unpackhi_pd(alongX0, alongX1), ys);
    double iy[2];
    _mm_storeu_pd(iy, alongY);
    return noise::LinearInterp(iy[0], iy[1], zs);
#else
    using noise::LinearInterp;
    double ix0 =
        LinearInterp(gradient(x, y, z, x0, y0, z0, s), gradient(x, y, z, x1, y0, z0, s), xs);
    double ix1 =
        LinearInterp(gradient(x, y, z, x0, y1, z0, s), gradient(x, y, z, x1, y1, z0, s), xs);
    const double iy0 = LinearInterp(ix0, ix1, ys);
    ix0 = LinearInterp(gradient(x, y, z, x0, y0, z1, s), gradient(x, y, z, x1, y0, z1, s), xs);
    ix1 = LinearInterp(gradient(x, y, z, x0, y1, z1, s), gradient(x, y, z, x1, y1, z1, s), xs);
    const double iy1 = LinearInterp(ix0, ix1, ys);
    return LinearInterp(iy0, iy1, zs);
#endif
}

} // namespace morvane::module
