#include "pipeline/picture_jobs.h"

#include "common/parallel_for.h"
#include "common/run_beside.h"
#include "common/safe_file.h"
#include "noise/jpeg_stream_writer.h"
#include "noise/noise_map_builder.h"
#include "noise/row_colourer.h"

#include <libnoise/exception.h>

#include <future>
#include <memory>

namespace morvane {

namespace {

using noise::utils::Color;
using noise::utils::NoiseMap;

// Rows sampled per band of a banded picture: 16384-wide maps take 4 MB a
// band, and the pass per band is long enough for the hand-out to vanish.
constexpr int kBandRows = 64;

void checkRenderer(const noise::utils::RendererImage& renderer) {
    if (renderer.GetGradient().GetGradientPointCount() < 2)
        throw noise::ExceptionInvalidParam();
}

// One banded picture: its colourer, its encoder and the last two rows of
// the band before, which the lit colour of a band's first row needs.
class BandedPicture {
public:
    BandedPicture(const PictureJob& job, int width, int height)
        : m_colourer(job.renderer), m_name(job.file), m_file(job.file), m_width(width),
          m_height(height),
          m_colours(std::size_t(width)) {
        m_kept[0].resize(std::size_t(width));
        m_kept[1].resize(std::size_t(width));
        if (m_file.open())
            m_writer = std::make_unique<noise::utils::JpegStreamWriter>(*m_file.device(), width,
                                                                        height);
    }

    // Colours and encodes what band [first, first + rows) completes: the
    // band's rows but its last (which waits for the next band's first row
    // as its lower neighbour), and the previous band's last row.
    void encodeBand(const NoiseMap& band, int first, int rows) {
        const int end = first + rows;
        auto row = [&](int p) -> const float* {
            return p >= first ? band.GetRowPtr(p - first) : m_kept[std::size_t(p - first + 2)].data();
        };
        const int from = first == 0 ? 0 : first - 1;
        const int to = end == m_height ? end : end - 1;
        for (int p = from; p < to && writing(); ++p) {
            // The picture's row p is the map's row height - 1 - p: the map
            // row below is the next picture row, the one above the previous.
            const float* above = p > 0 ? row(p - 1) : row(p);
            const float* below = p + 1 < m_height ? row(p + 1) : row(p);
            m_colourer.colourRow(below, row(p), above, m_width, m_colours.data());
            m_writer->writeRow(m_colours.data());
        }
        if (end < m_height) {
            const float* last = row(end - 1);
            const float* beforeLast = row(end - 2);
            std::copy(beforeLast, beforeLast + m_width, m_kept[0].begin());
            std::copy(last, last + m_width, m_kept[1].begin());
        }
    }

    // Empty when the file was written, else why not.
    QString finish() {
        if (writing() && m_writer->finish() && m_file.commit())
            return QString();
        const QString why = m_file.errorString();
        m_file.cancel();
        return why.isEmpty() ? QStringLiteral("the picture could not be encoded") : why;
    }
    QString file() const { return m_name; }

private:
    bool writing() const { return m_writer && !m_writer->failed(); }

    noise::utils::RowColourer m_colourer;
    QString m_name;
    SafeFileWriter m_file; // cancelled unless committed
    std::unique_ptr<noise::utils::JpegStreamWriter> m_writer;
    int m_width, m_height;
    std::vector<float> m_kept[2];
    std::vector<Color> m_colours;
};

} // namespace

bool writePicture(PictureJob& job, int rowThreads, QString* reason) {
    using namespace noise::utils;
    if (!job.map || job.map->IsEmpty())
        throw noise::ExceptionInvalidParam();
    checkRenderer(job.renderer);
    const RowColourer colourer(job.renderer);
    const NoiseMap& map = *job.map;
    const int height = map.GetHeight();
    // Rows go to the encoder as they are coloured, top of the picture
    // (the map's last row) first: no full-size picture is ever held.
    return WriteJpegRows(job.file, map.GetWidth(), height, rowThreads,
                         [&](int row, Color* colors) {
                             colourer.colourRow(map, height - 1 - row, colors);
                         },
                         reason);
}

QStringList writePictures(std::vector<PictureJob>& jobs, int threads) {
    if (threads <= 0)
        threads = noise::utils::NoiseMapBuilderPlane::DefaultThreadCount();
    // Many pictures keep every core busy one picture per thread; a few big
    // ones (an export) also split their rows, so the larger one does not
    // finish alone on one core.
    const int rowThreads = jobs.size() >= std::size_t(2 * threads) ? 1 : threads;
    std::vector<QString> reasons(jobs.size());
    std::vector<char> written(jobs.size(), 0);
    parallelFor(jobs.size(), threads, [&](std::size_t i, int) {
        written[i] = writePicture(jobs[i], rowThreads, &reasons[i]);
    });
    QStringList problems;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        if (!written[i])
            problems << jobs[i].file + QStringLiteral(": ") + reasons[i];
    return problems;
}

QStringList writeBandedPictures(std::vector<PictureJob>& jobs, int width, int height,
                                const BandSampler& sample) {
    if (width < 1 || height < 1)
        throw noise::ExceptionInvalidParam();
    std::vector<std::unique_ptr<BandedPicture>> pictures;
    for (const PictureJob& job : jobs) {
        checkRenderer(job.renderer);
        pictures.push_back(std::make_unique<BandedPicture>(job, width, height));
    }
    // Two sets of bands: one is sampled while the other is encoded.
    std::vector<NoiseMap> bands[2] = {std::vector<NoiseMap>(jobs.size()),
                                      std::vector<NoiseMap>(jobs.size())};
    std::vector<NoiseMap*> bandPointers[2];
    for (int set = 0; set < 2; ++set)
        for (NoiseMap& band : bands[set])
            bandPointers[set].push_back(&band);
    std::future<void> encoding;
    for (int first = 0, set = 0; first < height; first += kBandRows, set ^= 1) {
        const int rows = std::min(kBandRows, height - first);
        sample(first, rows, bandPointers[set].data());
        if (encoding.valid())
            encoding.get();
        encoding = runBeside([&pictures, &bands, set, first, rows] {
            for (std::size_t j = 0; j < pictures.size(); ++j)
                pictures[j]->encodeBand(bands[set][j], first, rows);
        });
    }
    if (encoding.valid())
        encoding.get();
    QStringList problems;
    for (auto& picture : pictures) {
        const QString why = picture->finish();
        if (!why.isEmpty())
            problems << picture->file() + QStringLiteral(": ") + why;
    }
    return problems;
}

} // namespace morvane
