// The sky map: the serial definition and the parallel path that must give
// the same picture bit for bit.

#include "sky/sky_map.h"

#include "common/random_source.h"
#include "sky/sky_model.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>

namespace morvane {

namespace {

constexpr double kPi = 3.14159265358979323846;

double rowElevation(int row, int side) {
    return 90.0 - row * 180.0 / side;
}

double columnAzimuth(int column, int side) {
    const double azimuth = column * 360.0 / side;
    return azimuth == 360.0 ? 0.0 : azimuth;
}

QRgb skyPixel(const SkyRgb& c) {
    return qRgb(int(255.0 * c.red), int(255.0 * c.green), int(255.0 * c.blue));
}

// Star pixels take three random numbers each: a brightness b of 230..255,
// a tint t of 0..30 and an alpha factor of 200..255.
struct StarDraw {
    int b;
    int t;
    int alphaFactor;
};

QRgb starColour(const StarDraw& d) {
    if (d.t < 10)
        return qRgb(d.b, 200, 200);
    if (d.t < 20)
        return qRgb(200, 200, d.b);
    return qRgb(d.b, d.b, 200);
}

// A star's footprint: rows centre - s .. centre + s, and per row the
// columns from trunc(q - s) to s - q, narrower toward the poles where the
// equirectangular picture stretches.
struct StarStamp {
    int column = 0;
    int row = 0;
    int s = 0;
    double q = 0.0;
    std::size_t firstDraw = 0; // into the packed draws, in footprint order

    int firstDx() const { return int(q - s); }
    int lastDx() const { return int(std::floor(s - q)); }
};

int alphaOf(const StarStamp& star, int dx, int dy, int intensity, int factor) {
    // A star under one pixel (maps below 1024) has s = 0: its only pixel
    // is its centre, at full weight, instead of 0/0.
    const double u = star.s == 0 ? 0.0 : double(std::abs(dy)) / star.s;
    const double v = star.s == 0 ? 0.0 : double(std::abs(dx)) / star.s;
    const double alpha = std::cos(u * kPi / 2.0) * std::cos(v * kPi / 2.0) * intensity * 0.01 *
                         (200 + factor);
    return std::clamp(int(alpha), 0, 255);
}

// The random draws of the star layer, in the definition's order: per star
// its centre column and row; for a star not skipped, per footprint pixel
// (inside the picture or not) b, t and the alpha factor. `paint` gets every
// pixel inside the picture.
template <typename Paint>
void walkStars(const SkyMapInput& input, RandomSource& random, Paint&& paint,
               std::vector<StarStamp>* stamps) {
    const int n = input.side;
    const int margin = n / 16;
    for (const StarPoint& point : input.stars) {
        StarStamp star;
        star.s = int(std::int64_t(n) * point.sizeClass / 4096);
        star.column = random.between(0, n);
        star.row = random.between(0, n);
        if (star.row < margin || n - star.row < margin)
            continue;
        star.q = std::cos(double(std::abs(star.row - n / 2)) / n * kPi) * star.s * 0.5;
        for (int dy = -star.s; dy <= star.s; ++dy)
            for (int dx = star.firstDx(); dx <= star.lastDx(); ++dx) {
                StarDraw d;
                d.b = 230 + random.between(0, 25);
                d.t = random.between(0, 30);
                d.alphaFactor = random.between(0, 55);
                paint(star, dx, dy, d);
            }
        if (stamps)
            stamps->push_back(star);
    }
}

bool inside(int x, int y, int width, int height) {
    return x >= 0 && x < width && y >= 0 && y < height;
}

// Packs a star pixel's three draws into 16 bits: b - 230 (5 bits), t (5)
// and the alpha factor (6).
std::uint16_t pack(const StarDraw& d) {
    return std::uint16_t((d.b - 230) | (d.t << 5) | (d.alphaFactor << 10));
}

StarDraw unpack(std::uint16_t v) {
    return {230 + (v & 31), (v >> 5) & 31, v >> 10};
}

QString outOfMemory(int side) {
    return QStringLiteral("Not enough memory for a %1 x %1 sky dome map; the previous map is "
                          "kept.")
        .arg(side);
}

// The picture, plus per worker a band of star, alpha and result rows.
std::uint64_t bytesNeeded(int side, int workers, int bandRows) {
    const std::uint64_t n = std::uint64_t(side);
    return n * n * 4u + std::uint64_t(workers) * n * std::uint64_t(bandRows) * 9u;
}

int threadCount(int asked) {
    if (asked > 0)
        return asked;
    return std::max(1, int(std::thread::hardware_concurrency()));
}

} // namespace

std::uint64_t availableMemory() {
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = meminfo.readLine(); !line.isEmpty(); line = meminfo.readLine()) {
        if (!line.startsWith("MemAvailable:"))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        bool ok = false;
        const std::uint64_t kib = fields.size() >= 2 ? fields[1].toULongLong(&ok) : 0;
        return ok ? kib * 1024u : 0;
    }
    return 0;
}

bool skyMapHasStars(const SkyMapInput& input) {
    const SkyParameters& p = input.parameters;
    return p.sunPitch <= SkyParameters::kStarsMaxSunPitch && p.starIntensity >= 1 &&
           p.starPopulation >= 1 && !input.stars.empty();
}

QImage renderSkyMapPlain(const SkyMapInput& input, RandomSource& random) {
    const int n = input.side;
    const SkyModel model(input.parameters, input.sun);
    QImage sky(n, n, QImage::Format_RGB32);
    if (sky.isNull())
        return sky;
    for (int row = 0; row < n; ++row)
        for (int column = 0; column < n; ++column)
            sky.setPixel(column, row,
                         skyPixel(model.colour(rowElevation(row, n), columnAzimuth(column, n))));

    QImage stars(n, n, QImage::Format_ARGB32);
    QImage alpha(n, n, QImage::Format_Grayscale8);
    if (stars.isNull() || alpha.isNull())
        return QImage();
    stars.fill(0);
    alpha.fill(0);
    if (skyMapHasStars(input)) {
        const int intensity = input.parameters.starIntensity;
        walkStars(
            input, random,
            [&](const StarStamp& star, int dx, int dy, const StarDraw& d) {
                const int x = star.column + dx;
                const int y = star.row + dy;
                if (!inside(x, y, n, n))
                    return;
                stars.setPixel(x, y, starColour(d));
                alpha.scanLine(y)[x] = uchar(alphaOf(star, dx, dy, intensity, d.alphaFactor));
            },
            nullptr);
    }
    stars.setAlphaChannel(alpha);
    if (input.parameters.starIntensity <= 0)
        return sky;

    QImage result(n, n, QImage::Format_ARGB32);
    if (result.isNull())
        return result;
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawImage(0, 0, sky);
    painter.drawImage(0, 0, stars);
    painter.end();
    return result;
}

namespace {

// One worker's share: the sky rows of a band, then the stars over them.
class BandPainter {
public:
    BandPainter(const SkyMapInput& input, const std::vector<StarStamp>& stamps,
                const std::vector<std::uint16_t>& draws, uchar* bits, qsizetype bytesPerLine)
        : m_input(input), m_model(input.parameters, input.sun), m_stamps(stamps),
          m_draws(draws), m_bits(bits), m_bytesPerLine(bytesPerLine) {
        const int n = input.side;
        m_azimuthTerms.resize(std::size_t(n));
        for (int column = 0; column < n; ++column)
            m_azimuthTerms[std::size_t(column)] = m_model.azimuthTerm(columnAzimuth(column, n));
    }

    // False when a band picture could not be had.
    bool paint(int firstRow, int rows) {
        const int n = m_input.side;
        for (int row = firstRow; row < firstRow + rows; ++row) {
            const SkyModel::ElevationTerms terms = m_model.elevationTerms(rowElevation(row, n));
            auto* line = reinterpret_cast<QRgb*>(scanLine(row));
            for (int column = 0; column < n; ++column)
                line[column] = skyPixel(m_model.colour(terms, m_azimuthTerms[std::size_t(column)]));
        }
        return paintStars(firstRow, rows);
    }

private:
    // Rows through the raw pointer: QImage::scanLine would detach, which
    // is not safe from several threads at once.
    uchar* scanLine(int row) const { return m_bits + qsizetype(row) * m_bytesPerLine; }

    bool paintStars(int firstRow, int rows) {
        const int n = m_input.side;
        const int lastRow = firstRow + rows - 1;
        bool any = false;
        for (const StarStamp& star : m_stamps)
            if (star.row + star.s >= firstRow && star.row - star.s <= lastRow) {
                any = true;
                break;
            }
        if (!any)
            return true;

        // The definition's layers cut down to the band: rows are composed
        // independently, so the band gets exactly the full layers' pixels.
        QImage stars(n, rows, QImage::Format_ARGB32);
        QImage alpha(n, rows, QImage::Format_Grayscale8);
        QImage result(n, rows, QImage::Format_ARGB32);
        if (stars.isNull() || alpha.isNull() || result.isNull())
            return false;
        stars.fill(0);
        alpha.fill(0);
        const int intensity = m_input.parameters.starIntensity;
        for (const StarStamp& star : m_stamps) {
            if (star.row + star.s < firstRow || star.row - star.s > lastRow)
                continue;
            const int first = star.firstDx();
            const int width = star.lastDx() - first + 1;
            for (int dy = -star.s; dy <= star.s; ++dy) {
                const int y = star.row + dy;
                if (y < firstRow || y > lastRow)
                    continue;
                const std::size_t rowDraws = star.firstDraw + std::size_t(dy + star.s) * width;
                for (int dx = first; dx < first + width; ++dx) {
                    const int x = star.column + dx;
                    if (x < 0 || x >= n)
                        continue;
                    const StarDraw d = unpack(m_draws[rowDraws + std::size_t(dx - first)]);
                    stars.setPixel(x, y - firstRow, starColour(d));
                    alpha.scanLine(y - firstRow)[x] =
                        uchar(alphaOf(star, dx, dy, intensity, d.alphaFactor));
                }
            }
        }
        stars.setAlphaChannel(alpha);

        const QImage sky(static_cast<const uchar*>(scanLine(firstRow)), n, rows,
                         int(m_bytesPerLine), QImage::Format_RGB32);
        result.fill(Qt::transparent);
        QPainter painter(&result);
        painter.drawImage(0, 0, sky);
        painter.drawImage(0, 0, stars);
        painter.end();
        for (int row = 0; row < rows; ++row)
            std::memcpy(scanLine(firstRow + row), result.constScanLine(row),
                        std::size_t(n) * sizeof(QRgb));
        return true;
    }

    const SkyMapInput& m_input;
    const SkyModel m_model;
    const std::vector<StarStamp>& m_stamps;
    const std::vector<std::uint16_t>& m_draws;
    uchar* const m_bits;
    const qsizetype m_bytesPerLine;
    std::vector<double> m_azimuthTerms;
};

} // namespace

SkyMapResult renderSkyMap(const SkyMapInput& input, RandomSource& random,
                          const SkyMapOptions& options) {
    SkyMapResult result;
    const int n = input.side;
    if (n < 1) {
        result.error = QStringLiteral("The sky dome map needs a size of at least 1.");
        return result;
    }
    const int bandRows = std::max(1, options.bandRows);
    const int bands = (n + bandRows - 1) / bandRows;
    const int workers = std::min(threadCount(options.threads), bands);
    const std::uint64_t limit = options.memoryLimit ? options.memoryLimit : availableMemory();
    if (limit != 0 && bytesNeeded(n, workers, bandRows) > limit) {
        result.error = outOfMemory(n);
        return result;
    }
    QImage picture(n, n, QImage::Format_RGB32);
    if (picture.isNull()) {
        result.error = outOfMemory(n);
        return result;
    }

    // The random numbers are drawn here, serially and in the definition's
    // order, so the workers can paint the stars in any order of bands.
    std::vector<StarStamp> stamps;
    std::vector<std::uint16_t> draws;
    try {
        if (skyMapHasStars(input))
            walkStars(
                input, random,
                [&](const StarStamp&, int, int, const StarDraw& d) { draws.push_back(pack(d)); },
                &stamps);
        // Footprint draws follow their star's stamp in the order walked.
        std::size_t next = 0;
        for (StarStamp& star : stamps) {
            star.firstDraw = next;
            next += std::size_t(2 * star.s + 1) * std::size_t(star.lastDx() - star.firstDx() + 1);
        }
    } catch (const std::bad_alloc&) {
        result.error = outOfMemory(n);
        return result;
    }

    std::atomic<int> nextBand{0};
    std::atomic<int> doneBands{0};
    std::atomic<bool> failed{false};
    std::mutex mutex;
    std::condition_variable finished;

    uchar* const bits = picture.bits();
    const qsizetype bytesPerLine = picture.bytesPerLine();
    auto work = [&] {
        try {
            BandPainter painter(input, stamps, draws, bits, bytesPerLine);
            for (int band = nextBand++; band < bands && !failed; band = nextBand++) {
                const int first = band * bandRows;
                if (!painter.paint(first, std::min(bandRows, n - first)))
                    failed = true;
                ++doneBands;
                finished.notify_all();
            }
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        std::lock_guard<std::mutex> lock(mutex);
        finished.notify_all();
    };

    std::vector<std::thread> threads;
    try {
        for (int i = 0; i < workers; ++i)
            threads.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than asked for still finish the map.
    }
    if (threads.empty())
        work();
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (doneBands < bands && !failed) {
            finished.wait_for(lock, std::chrono::milliseconds(100));
            if (options.onProgress) {
                lock.unlock();
                options.onProgress(doneBands, bands);
                lock.lock();
            }
        }
    }
    for (std::thread& thread : threads)
        thread.join();
    if (failed) {
        result.error = outOfMemory(n);
        return result;
    }
    if (options.onProgress)
        options.onProgress(bands, bands);
    result.image = std::move(picture);
    return result;
}

} // namespace morvane
