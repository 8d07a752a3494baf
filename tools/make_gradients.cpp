// Writes the terrain colour gradients shipped in resources/gradients.
//
// Each picture is 2048 x 16 pixels, 24-bit BMP; the renderer reads the top
// row from left (noise -1, deepest water / valley floor) to right (noise +1,
// highest peaks). Keeping the gradients as data here means they can be tuned
// and regenerated instead of being hand-edited bitmaps.
//
// Usage: make_gradients <output folder>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 2048;
constexpr int kHeight = 16;

struct Stop {
    double pos;          // 0 = left edge, 1 = right edge
    std::uint32_t rgb;   // 0xRRGGBB
};

enum class Blend {
    Oklab, // monotone cubic through the stops in Oklab: smooth, no overshoot
    Srgb,  // straight line on the byte values (used for the reference ramp)
};

struct Gradient {
    const char* name;
    Blend blend;
    double grain; // amplitude of the lightness variation in Oklab L units
    std::vector<Stop> stops;
};

// Natural stops are placed with typical noise ranges in mind: most fractal
// noise output lies well inside [-1, 1], so "sea level" sits a little below
// the middle and the snow line starts around 0.9 rather than at the edge.
const std::vector<Gradient>& gradients() {
    static const std::vector<Gradient> list = {
        {"black and white", Blend::Srgb, 0.0, {{0.0, 0x000000}, {1.0, 0xFFFFFF}}},
        {"australia 2", Blend::Oklab, 0.006,
         {{0.00, 0x0A2A55}, {0.30, 0x124D7E}, {0.43, 0x23899A}, {0.475, 0x5EC2BA},
          {0.495, 0xE4D3A4}, {0.53, 0xD8AE76}, {0.58, 0xB7582C}, {0.65, 0xA24A26},
          {0.71, 0x7C7844}, {0.76, 0x686639}, {0.83, 0x72301D}, {0.89, 0x5A2317},
          {0.95, 0xCDB9A0}, {1.00, 0xF0E8DA}}},
        {"desert", Blend::Oklab, 0.006,
         {{0.00, 0xE8E2D0}, {0.12, 0xD3C6A8}, {0.25, 0xC6AE86}, {0.40, 0xD9BD88},
          {0.55, 0xC9A676}, {0.68, 0xA58A6C}, {0.80, 0x85694F}, {0.90, 0x5F4B3C},
          {1.00, 0x8F8172}}},
        {"sahara", Blend::Oklab, 0.005,
         {{0.00, 0xC6A26C}, {0.25, 0xE1C189}, {0.42, 0xEFD29D}, {0.58, 0xEAB46C},
          {0.70, 0xD58F4C}, {0.80, 0xAA6838}, {0.88, 0x6A5244}, {0.95, 0x4A3E36},
          {1.00, 0x3C3330}}},
        {"alpine", Blend::Oklab, 0.006,
         {{0.00, 0x0E2746}, {0.36, 0x1C4C76}, {0.45, 0x3A7D95}, {0.485, 0x7F9466},
          {0.51, 0x5C8C38}, {0.59, 0x467A2C}, {0.66, 0x274E28}, {0.72, 0x345232},
          {0.76, 0x758A52}, {0.80, 0x8A857A}, {0.86, 0x6C6864}, {0.895, 0x7C7874},
          {0.92, 0xE2E9EE}, {1.00, 0xFFFFFF}}},
        {"tropical", Blend::Oklab, 0.006,
         {{0.00, 0x05275A}, {0.30, 0x0A4C8C}, {0.43, 0x149FB6}, {0.475, 0x5AD3CE},
          {0.495, 0xF1E6C2}, {0.515, 0xE2D6A4}, {0.545, 0x44A53B}, {0.65, 0x29892C},
          {0.76, 0x1C6A27}, {0.86, 0x3D6C2E}, {0.93, 0x6C6454}, {1.00, 0x8C8474}}},
        {"arctic", Blend::Oklab, 0.005,
         {{0.00, 0x0A1D32}, {0.34, 0x163856}, {0.44, 0x3C6B8B}, {0.47, 0xB9D2E0},
          {0.50, 0xE4EEF4}, {0.53, 0x86857A}, {0.57, 0x74776E}, {0.62, 0xB8C2C4},
          {0.70, 0xDCE5EC}, {0.86, 0xF2F6FA}, {1.00, 0xFFFFFF}}},
        {"volcanic", Blend::Oklab, 0.007,
         {{0.00, 0x0B1922}, {0.38, 0x1A2E39}, {0.46, 0x283A40}, {0.49, 0x2A2828},
          {0.60, 0x302C2B}, {0.70, 0x58483C}, {0.79, 0x7A3623}, {0.86, 0x5A2519},
          {0.92, 0x2A1B17}, {0.96, 0xB8391A}, {1.00, 0xFF8C2E}}},
        {"moss", Blend::Oklab, 0.007,
         {{0.00, 0x1C2820}, {0.28, 0x2D3E29}, {0.42, 0x4A4A2B}, {0.50, 0x4E792E},
          {0.62, 0x7BA13E}, {0.72, 0x9AB452}, {0.82, 0xB1B589}, {0.90, 0x888A80},
          {1.00, 0xA9ABA1}}},
        {"canyon", Blend::Oklab, 0.007,
         {{0.00, 0x2D5A57}, {0.16, 0x4C7760}, {0.26, 0xC49C6E}, {0.36, 0xB4552D},
          {0.45, 0xD8894D}, {0.53, 0xA3462A}, {0.60, 0xE2C79E}, {0.67, 0xC2663A},
          {0.76, 0x8E3E25}, {0.84, 0xC98E5E}, {0.91, 0xD6AA7C}, {1.00, 0xB79A74}}},
        {"savanna", Blend::Oklab, 0.006,
         {{0.00, 0x395858}, {0.14, 0x6A6445}, {0.27, 0x5A7A36}, {0.42, 0xC6A658},
          {0.58, 0xD8BB6D}, {0.70, 0xB7985A}, {0.77, 0x7C7844}, {0.84, 0xA5603A},
          {0.91, 0x8A7560}, {1.00, 0xA69686}}},
        {"tundra", Blend::Oklab, 0.006,
         {{0.00, 0x283845}, {0.24, 0x3C4C48}, {0.38, 0x6C7050}, {0.50, 0x886A46},
          {0.61, 0xA6A686}, {0.72, 0x7E8672}, {0.82, 0x6A6A66}, {0.91, 0xC6CCD1},
          {1.00, 0xEEF2F5}}},
        {"highlands", Blend::Oklab, 0.006,
         {{0.00, 0x19293A}, {0.37, 0x294052}, {0.46, 0x5A6840}, {0.52, 0x4E7939},
          {0.61, 0x8A6A3A}, {0.70, 0x6B4A5E}, {0.77, 0x7A5B6A}, {0.84, 0x5A4A3B},
          {0.92, 0x8A8A86}, {1.00, 0xB5B5B1}}},
        {"badlands", Blend::Oklab, 0.007,
         {{0.00, 0xC8B8A0}, {0.18, 0x9A9590}, {0.30, 0xD2B48C}, {0.40, 0xA9553A},
          {0.49, 0xC98A5E}, {0.57, 0x7E6A78}, {0.65, 0xE6D5B8}, {0.74, 0xC08A40},
          {0.84, 0x7A3A2E}, {0.92, 0x6A5A4A}, {1.00, 0x8A7A68}}},
        {"mediterranean", Blend::Oklab, 0.006,
         {{0.00, 0x0A386C}, {0.34, 0x155EA0}, {0.45, 0x3CA6C0}, {0.48, 0x8CD1CF},
          {0.50, 0xEDE4CC}, {0.55, 0x8A8E55}, {0.65, 0x596D39}, {0.74, 0xB49D61},
          {0.81, 0xA0583A}, {0.90, 0xC8C0AE}, {1.00, 0xE6E1D5}}},
        {"rainforest", Blend::Oklab, 0.007,
         {{0.00, 0x584830}, {0.25, 0x6D5A3A}, {0.38, 0x3D5A2A}, {0.48, 0x1D591D},
          {0.60, 0x16701E}, {0.71, 0x2D892A}, {0.82, 0x3D794A}, {0.92, 0x6D8D79},
          {1.00, 0x9AAE9E}}},
        {"glacier", Blend::Oklab, 0.005,
         {{0.00, 0x1C5878}, {0.30, 0x3C8C9F}, {0.40, 0x7DB4BD}, {0.47, 0x7A7672},
          {0.55, 0x5D5955}, {0.62, 0x98A4AC}, {0.72, 0xA6CBE0}, {0.80, 0xC6DFEE},
          {0.90, 0xE8F2F8}, {1.00, 0xFFFFFF}}},
        {"lunar", Blend::Oklab, 0.009,
         {{0.00, 0x29292B}, {0.25, 0x48484A}, {0.45, 0x5D5D5E}, {0.60, 0x797977},
          {0.75, 0x999793}, {0.88, 0xB7B5B1}, {1.00, 0xD8D6D2}}},
        {"autumn forest", Blend::Oklab, 0.007,
         {{0.00, 0x1D2F40}, {0.35, 0x2D4955}, {0.46, 0x79703F}, {0.50, 0x898A3A},
          {0.58, 0xC0702A}, {0.66, 0xA63A22}, {0.74, 0xD4A030}, {0.82, 0x7A5030},
          {0.90, 0x3A4A30}, {0.95, 0x9A9A96}, {1.00, 0xE8ECEF}}},
        {"coastal cliffs", Blend::Oklab, 0.006,
         {{0.00, 0x0E2D49}, {0.35, 0x1D4F6F}, {0.45, 0x5899AF}, {0.47, 0xD6E6EA},
          {0.49, 0x8A8478}, {0.55, 0xE4E0D4}, {0.62, 0xC6C2B2}, {0.68, 0x6A8A3A},
          {0.80, 0x5A7A32}, {0.90, 0x7A7A3A}, {1.00, 0x8A8A55}}},
        {"steppe", Blend::Oklab, 0.006,
         {{0.00, 0x3A5060}, {0.20, 0x55684E}, {0.35, 0x6E8450}, {0.50, 0x9AA07A},
          {0.62, 0xBDB68A}, {0.74, 0xA39C78}, {0.85, 0x7E705A}, {0.93, 0x6A5F50},
          {1.00, 0x9A9488}}},
        {"martian", Blend::Oklab, 0.007,
         {{0.00, 0x3A2418}, {0.25, 0x5A3020}, {0.45, 0x9A4A2A}, {0.60, 0xC47A4A},
          {0.70, 0xB86A3E}, {0.80, 0xD09A6A}, {0.90, 0x6A3A2A}, {1.00, 0xD8B090}}},
    };
    return list;
}

// --- colour space -----------------------------------------------------------
// Oklab keeps blends between very different hues (blue water to sand) from
// passing through muddy greys the way a blend of the byte values does.

using Vec3 = std::array<double, 3>;

double srgbToLinear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double linearToSrgb(double c) {
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
}

Vec3 rgbToOklab(std::uint32_t rgb) {
    const double r = srgbToLinear(((rgb >> 16) & 0xFF) / 255.0);
    const double g = srgbToLinear(((rgb >> 8) & 0xFF) / 255.0);
    const double b = srgbToLinear((rgb & 0xFF) / 255.0);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

QRgb oklabToRgb(const Vec3& lab) {
    const double l = lab[0] + 0.3963377774 * lab[1] + 0.2158037573 * lab[2];
    const double m = lab[0] - 0.1055613458 * lab[1] - 0.0638541728 * lab[2];
    const double s = lab[0] - 0.0894841775 * lab[1] - 1.2914855480 * lab[2];
    const double l3 = l * l * l, m3 = m * m * m, s3 = s * s * s;
    const double r = 4.0767416621 * l3 - 3.3077115913 * m3 + 0.2309699292 * s3;
    const double g = -1.2684380046 * l3 + 2.6097574011 * m3 - 0.3413193965 * s3;
    const double b = -0.0041960863 * l3 - 0.7034186147 * m3 + 1.7076147010 * s3;
    auto toByte = [](double c) { return int(std::lround(linearToSrgb(c) * 255.0)); };
    return qRgb(toByte(r), toByte(g), toByte(b));
}

// --- interpolation ----------------------------------------------------------

// Fritsch-Carlson monotone cubic: smooth at the stops (no visible kinks that
// would show up as contour lines in rendered terrain) yet never overshoots,
// so a channel cannot swing past the colours it is blending between.
class MonotoneCubic {
public:
    MonotoneCubic(std::vector<double> xs, std::vector<double> ys)
        : m_x(std::move(xs)), m_y(std::move(ys)), m_t(m_x.size(), 0.0) {
        const std::size_t n = m_x.size();
        if (n < 2)
            return;
        std::vector<double> d(n - 1);
        for (std::size_t k = 0; k + 1 < n; ++k)
            d[k] = (m_y[k + 1] - m_y[k]) / (m_x[k + 1] - m_x[k]);
        m_t[0] = d[0];
        m_t[n - 1] = d[n - 2];
        for (std::size_t k = 1; k + 1 < n; ++k)
            m_t[k] = d[k - 1] * d[k] <= 0.0 ? 0.0 : (d[k - 1] + d[k]) / 2.0;
        for (std::size_t k = 0; k + 1 < n; ++k) {
            if (d[k] == 0.0) {
                m_t[k] = m_t[k + 1] = 0.0;
                continue;
            }
            const double a = m_t[k] / d[k];
            const double b = m_t[k + 1] / d[k];
            const double h = a * a + b * b;
            if (h > 9.0) {
                const double tau = 3.0 / std::sqrt(h);
                m_t[k] = tau * a * d[k];
                m_t[k + 1] = tau * b * d[k];
            }
        }
    }

    double operator()(double x) const {
        if (x <= m_x.front())
            return m_y.front();
        if (x >= m_x.back())
            return m_y.back();
        const std::size_t k =
            std::size_t(std::upper_bound(m_x.begin(), m_x.end(), x) - m_x.begin()) - 1;
        const double h = m_x[k + 1] - m_x[k];
        const double t = (x - m_x[k]) / h;
        const double t2 = t * t, t3 = t2 * t;
        return (2 * t3 - 3 * t2 + 1) * m_y[k] + (t3 - 2 * t2 + t) * h * m_t[k] +
               (-2 * t3 + 3 * t2) * m_y[k + 1] + (t3 - t2) * h * m_t[k + 1];
    }

private:
    std::vector<double> m_x, m_y, m_t;
};

// --- grain ------------------------------------------------------------------
// A faint lightness wobble makes flat colour bands read as ground cover in
// rendered terrain. It is hash based with a seed derived from the name, so
// every run writes identical bytes on any platform.

std::uint64_t splitmix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::uint64_t nameSeed(const char* name) {
    std::uint64_t h = 0xCBF29CE484222325ull; // FNV-1a
    for (const char* p = name; *p; ++p)
        h = (h ^ std::uint8_t(*p)) * 0x100000001B3ull;
    return h;
}

// Uniform value in [-1, 1] for lattice point i.
double lattice(std::uint64_t seed, std::int64_t i) {
    return double(splitmix(seed ^ std::uint64_t(i)) >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

double valueNoise(std::uint64_t seed, double x) {
    const double fl = std::floor(x);
    const auto i = std::int64_t(fl);
    double t = x - fl;
    t = t * t * (3.0 - 2.0 * t);
    return lattice(seed, i) + (lattice(seed, i + 1) - lattice(seed, i)) * t;
}

double grain(std::uint64_t seed, int column) {
    // Broad undulation, a finer one, and a touch of per-pixel noise.
    const double x = column;
    return 0.55 * valueNoise(seed, x / 37.0) + 0.30 * valueNoise(seed + 1, x / 9.0) +
           0.15 * lattice(seed + 2, column);
}

// --- output -----------------------------------------------------------------

QImage render(const Gradient& gradient) {
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    std::vector<QRgb> row(kWidth);
    if (gradient.blend == Blend::Srgb) {
        const QColor lo(gradient.stops.front().rgb), hi(gradient.stops.back().rgb);
        for (int x = 0; x < kWidth; ++x) {
            auto mix = [x](int a, int b) {
                return int(std::lround(a + double(b - a) * x / (kWidth - 1)));
            };
            row[x] = qRgb(mix(lo.red(), hi.red()), mix(lo.green(), hi.green()),
                          mix(lo.blue(), hi.blue()));
        }
    } else {
        std::vector<double> xs;
        std::array<std::vector<double>, 3> channels;
        for (const Stop& stop : gradient.stops) {
            xs.push_back(stop.pos);
            const Vec3 lab = rgbToOklab(stop.rgb);
            for (int c = 0; c < 3; ++c)
                channels[c].push_back(lab[c]);
        }
        const MonotoneCubic curveL(xs, channels[0]), curveA(xs, channels[1]),
            curveB(xs, channels[2]);
        const std::uint64_t seed = nameSeed(gradient.name);
        for (int x = 0; x < kWidth; ++x) {
            const double pos = double(x) / (kWidth - 1);
            Vec3 lab{curveL(pos), curveA(pos), curveB(pos)};
            lab[0] += gradient.grain * grain(seed, x);
            row[x] = oklabToRgb(lab);
        }
    }
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.setPixel(x, y, row[x]);
    return image;
}

bool validate(const Gradient& gradient, QTextStream& err) {
    const auto& stops = gradient.stops;
    bool ok = stops.size() >= 2 && stops.front().pos == 0.0 && stops.back().pos == 1.0;
    for (std::size_t k = 1; ok && k < stops.size(); ++k)
        ok = stops[k].pos > stops[k - 1].pos;
    if (!ok)
        err << "gradient \"" << gradient.name
            << "\": stops must start at 0, end at 1 and strictly increase\n";
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        err << "usage: make_gradients <output folder>\n";
        return 2;
    }
    const QDir dir(args.at(1));
    if (!dir.mkpath(QStringLiteral("."))) {
        err << "cannot create folder " << dir.path() << "\n";
        return 1;
    }
    int failures = 0;
    for (const Gradient& gradient : gradients()) {
        if (!validate(gradient, err)) {
            ++failures;
            continue;
        }
        const QString path = dir.filePath(QString::fromUtf8(gradient.name) + ".bmp");
        // Qt writes 24 bits per pixel for an RGB888 picture saved as BMP.
        if (render(gradient).save(path, "BMP")) {
            out << path << "\n";
        } else {
            err << "cannot write " << path << "\n";
            ++failures;
        }
    }
    out.flush();
    return failures == 0 ? 0 : 1;
}
