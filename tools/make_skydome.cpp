// Writes the sky dome mesh the scene builder imports: a UV sphere seen from
// inside, whose texture coordinates lay the equirectangular sky map over
// it (u = azimuth / 360, v = 1 at the zenith down to 0 at the nadir, so the
// picture's top row, the zenith, sits overhead).
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSegments = 64; // around the vertical axis
constexpr int kRings = 32;    // zenith to nadir
// Metres at import; the scene builder scales the node by terrain size / 10,
// which puts the dome at ten times the terrain's half width.
constexpr double kRadius = 50.0;
constexpr double kPi = 3.14159265358979323846;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_skydome OUTPUT.obj\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "# sky dome: %d segments x %d rings, radius %g, faces towards the centre\n",
                 kSegments, kRings, kRadius);
    // Positions: the two poles once, the rings in between once per segment
    // (the seam shares positions; only its texture coordinates differ).
    std::fprintf(out, "v 0 %g 0\n", kRadius);
    for (int ring = 1; ring < kRings; ++ring) {
        const double elevation = kPi / 2 - kPi * ring / kRings;
        for (int s = 0; s < kSegments; ++s) {
            // Same direction convention as the sky model: x = sin(azimuth),
            // z = cos(azimuth).
            const double azimuth = 2 * kPi * s / kSegments;
            std::fprintf(out, "v %.6f %.6f %.6f\n", kRadius * std::cos(elevation) * std::sin(azimuth),
                         kRadius * std::sin(elevation),
                         kRadius * std::cos(elevation) * std::cos(azimuth));
        }
    }
    std::fprintf(out, "v 0 %g 0\n", -kRadius);
    const int bottomPole = 2 + (kRings - 1) * kSegments;

    // Texture coordinates: a (segments + 1) x (rings + 1) grid; the poles
    // take the middle of each segment so the fans do not shear the map.
    for (int ring = 0; ring <= kRings; ++ring)
        for (int s = 0; s <= kSegments; ++s) {
            double u = double(s) / kSegments;
            if (ring == 0 || ring == kRings)
                u = (s + 0.5) / kSegments;
            std::fprintf(out, "vt %.6f %.6f\n", u, 1.0 - double(ring) / kRings);
        }
    std::fprintf(out, "g skyDome\nusemtl skyDome\n");

    auto position = [&](int ring, int s) {
        if (ring == 0)
            return 1;
        if (ring == kRings)
            return bottomPole;
        return 2 + (ring - 1) * kSegments + s % kSegments;
    };
    auto texture = [](int ring, int s) { return 1 + ring * (kSegments + 1) + s; };
    // Wound clockwise seen from outside, so the front faces look inward.
    for (int ring = 0; ring < kRings; ++ring)
        for (int s = 0; s < kSegments; ++s) {
            const int a = position(ring, s), b = position(ring, s + 1);
            const int c = position(ring + 1, s + 1), d = position(ring + 1, s);
            const int ta = texture(ring, s), tb = texture(ring, s + 1);
            const int tc = texture(ring + 1, s + 1), td = texture(ring + 1, s);
            if (ring == 0)
                std::fprintf(out, "f %d/%d %d/%d %d/%d\n", a, ta, c, tc, d, td);
            else if (ring == kRings - 1)
                std::fprintf(out, "f %d/%d %d/%d %d/%d\n", a, ta, b, tb, d, td);
            else
                std::fprintf(out, "f %d/%d %d/%d %d/%d %d/%d\n", a, ta, b, tb, c, tc, d, td);
        }
    if (std::fclose(out) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return EXIT_SUCCESS;
}
