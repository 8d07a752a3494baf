#include "noise/jpeg_stream_writer.h"

#include "common/safe_file.h"
#include "noise/image.h"

#include <QImage>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace noise::utils {

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;
// Rows coloured per hand-out: enough to make the locking negligible, few
// enough that a 256-row picture still splits over the threads.
constexpr int kBandRows = 16;

struct Density {
    UINT8 unit; // 1: dots per inch, 2: dots per cm
    UINT16 x, y;
};

// The JFIF density the toolkit writes for a new picture: its default
// resolution (which follows the screen, so it differs between a GUI and a
// headless run) in whole dots per inch or per cm, whichever is nearer.
Density toolkitDensity() {
    const QImage probe(1, 1, QImage::Format_RGB32);
    const double x = probe.dotsPerMeterX();
    const double y = probe.dotsPerMeterY();
    const double diffInch = std::fabs(x * 2.54 / 100.0 - std::round(x * 2.54 / 100.0)) +
                            std::fabs(y * 2.54 / 100.0 - std::round(y * 2.54 / 100.0));
    const double diffCm = (std::fabs(x / 100.0 - std::round(x / 100.0)) +
                           std::fabs(y / 100.0 - std::round(y / 100.0))) *
                          2.54;
    if (diffInch < diffCm)
        return {1, UINT16(std::lround(x * 2.54 / 100.0)), UINT16(std::lround(y * 2.54 / 100.0))};
    return {2, UINT16((probe.dotsPerMeterX() + 50) / 100), UINT16((probe.dotsPerMeterY() + 50) / 100)};
}

} // namespace

// libjpeg reports errors by calling error_exit, which must not return: it
// jumps back to the call that failed.
struct JpegStreamWriter::State {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::jmp_buf jump{};
    QIODevice* device = nullptr;
    std::vector<JOCTET> buffer = std::vector<JOCTET>(kBufferBytes);
    std::vector<JSAMPLE> row;
    int width = 0;
    int height = 0;
    bool failed = false;
    bool started = false;

    static State& of(j_compress_ptr cinfo) { return *static_cast<State*>(cinfo->client_data); }
    static void errorExit(j_common_ptr cinfo) {
        std::longjmp(of(reinterpret_cast<j_compress_ptr>(cinfo)).jump, 1);
    }
    static void outputMessage(j_common_ptr) {}
    static void initDestination(j_compress_ptr cinfo) {
        State& s = of(cinfo);
        s.destination.next_output_byte = s.buffer.data();
        s.destination.free_in_buffer = s.buffer.size();
    }
    static boolean emptyBuffer(j_compress_ptr cinfo) {
        State& s = of(cinfo);
        if (s.device->write(reinterpret_cast<const char*>(s.buffer.data()),
                            qint64(s.buffer.size())) != qint64(s.buffer.size()))
            errorExit(reinterpret_cast<j_common_ptr>(cinfo));
        initDestination(cinfo);
        return TRUE;
    }
    static void termDestination(j_compress_ptr cinfo) {
        State& s = of(cinfo);
        const qint64 used = qint64(s.buffer.size() - s.destination.free_in_buffer);
        if (used > 0 &&
            s.device->write(reinterpret_cast<const char*>(s.buffer.data()), used) != used)
            errorExit(reinterpret_cast<j_common_ptr>(cinfo));
    }
};

JpegStreamWriter::JpegStreamWriter(QIODevice& device, int width, int height, int quality)
    : m_state(std::make_unique<State>()) {
    State& s = *m_state;
    s.device = &device;
    s.width = width;
    s.height = height;
    s.row.resize(std::size_t(std::max(width, 0)) * 3);
    s.cinfo.err = jpeg_std_error(&s.errors);
    s.errors.error_exit = &State::errorExit;
    s.errors.output_message = &State::outputMessage;
    if (width < 1 || height < 1) {
        s.failed = true;
        return;
    }
    if (setjmp(s.jump)) {
        s.failed = true;
        return;
    }
    jpeg_create_compress(&s.cinfo);
    s.started = true;
    s.cinfo.client_data = &s;
    s.destination.init_destination = &State::initDestination;
    s.destination.empty_output_buffer = &State::emptyBuffer;
    s.destination.term_destination = &State::termDestination;
    s.cinfo.dest = &s.destination;
    s.cinfo.image_width = JDIMENSION(width);
    s.cinfo.image_height = JDIMENSION(height);
    s.cinfo.input_components = 3;
    s.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&s.cinfo);
    const Density density = toolkitDensity();
    s.cinfo.density_unit = density.unit;
    s.cinfo.X_density = density.x;
    s.cinfo.Y_density = density.y;
    jpeg_set_quality(&s.cinfo, quality, TRUE);
    s.cinfo.optimize_coding = FALSE;
    jpeg_start_compress(&s.cinfo, TRUE);
}

JpegStreamWriter::~JpegStreamWriter() {
    if (m_state->started)
        jpeg_destroy_compress(&m_state->cinfo);
}

bool JpegStreamWriter::failed() const { return m_state->failed; }

bool JpegStreamWriter::writeRow(const Color* colors) {
    State& s = *m_state;
    if (s.failed)
        return false;
    JSAMPLE* out = s.row.data();
    for (int x = 0; x < s.width; ++x) {
        out[3 * x] = colors[x].red;
        out[3 * x + 1] = colors[x].green;
        out[3 * x + 2] = colors[x].blue;
    }
    if (setjmp(s.jump)) {
        s.failed = true;
        return false;
    }
    JSAMPROW rows[1] = {out};
    jpeg_write_scanlines(&s.cinfo, rows, 1);
    return true;
}

bool JpegStreamWriter::finish() {
    State& s = *m_state;
    if (s.failed)
        return false;
    if (setjmp(s.jump)) {
        s.failed = true;
        return false;
    }
    jpeg_finish_compress(&s.cinfo);
    return true;
}

namespace {

// Why `file` was not written, for a caller that asked.
bool notWritten(morvane::SafeFileWriter& file, QString* reason) {
    QString why = file.errorString();
    file.cancel();
    if (reason)
        *reason = why.isEmpty() ? QStringLiteral("the picture could not be encoded") : why;
    return false;
}

bool committed(morvane::SafeFileWriter& file, QString* reason) {
    return file.commit() || notWritten(file, reason);
}

} // namespace

bool WriteJpegRows(const QString& fileName, int width, int height,
                   const std::function<void(int, Color*)>& fillRow, QString* reason) {
    // Through the safe-file layer like every other picture: replaced only
    // when complete, a device or pipe written in place.
    morvane::SafeFileWriter file(fileName);
    if (!file.open())
        return notWritten(file, reason);
    JpegStreamWriter writer(*file.device(), width, height);
    std::vector<Color> row(std::size_t(std::max(width, 0)));
    for (int y = 0; y < height && !writer.failed(); ++y) {
        fillRow(y, row.data());
        writer.writeRow(row.data());
    }
    if (!writer.finish())
        return notWritten(file, reason);
    return committed(file, reason);
}

bool WriteJpegRows(const QString& fileName, int width, int height, int threads,
                   const std::function<void(int, Color*)>& fillRow, QString* reason) {
    const int bands = (std::max(height, 0) + kBandRows - 1) / kBandRows;
    if (threads <= 1 || bands < 2 || width < 1)
        return WriteJpegRows(fileName, width, height, fillRow, reason);
    morvane::SafeFileWriter file(fileName);
    if (!file.open())
        return notWritten(file, reason);
    JpegStreamWriter writer(*file.device(), width, height);

    // A ring of band buffers: the colouring threads fill band b in slot
    // b % ringSize once the encoder has taken band b - ringSize out of it.
    const int ringSize = 2 * threads + 2;
    const std::size_t bandColors = std::size_t(kBandRows) * std::size_t(width);
    std::vector<Color> buffer(bandColors * std::size_t(ringSize));
    std::vector<int> readyBand(std::size_t(ringSize), -1);
    std::mutex mutex;
    std::condition_variable changed;
    int encoded = 0; // bands the encoder is done with
    bool stop = false;
    std::exception_ptr failure;
    std::atomic<int> nextBand{0};

    auto colour = [&] {
        for (int band = nextBand++; band < bands; band = nextBand++) {
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [&] { return stop || band < encoded + ringSize; });
                if (stop)
                    return;
            }
            Color* slot = buffer.data() + bandColors * std::size_t(band % ringSize);
            const int first = band * kBandRows;
            const int last = std::min(first + kBandRows, height);
            try {
                for (int y = first; y < last; ++y)
                    fillRow(y, slot + std::size_t(y - first) * std::size_t(width));
            } catch (...) {
                const std::lock_guard<std::mutex> lock(mutex);
                if (!failure)
                    failure = std::current_exception();
                stop = true;
                changed.notify_all();
                return;
            }
            const std::lock_guard<std::mutex> lock(mutex);
            readyBand[std::size_t(band % ringSize)] = band;
            changed.notify_all();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(std::size_t(threads));
    for (int i = 0; i < threads; ++i) {
        try {
            pool.emplace_back(colour);
        } catch (const std::system_error&) {
            break; // no room for another thread: the ones started colour every band
        }
    }
    if (pool.empty())
        return WriteJpegRows(fileName, width, height, fillRow, reason);

    for (int band = 0; band < bands; ++band) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock,
                         [&] { return stop || readyBand[std::size_t(band % ringSize)] == band; });
            if (stop)
                break;
        }
        const Color* slot = buffer.data() + bandColors * std::size_t(band % ringSize);
        const int rows = std::min(kBandRows, height - band * kBandRows);
        for (int r = 0; r < rows && !writer.failed(); ++r)
            writer.writeRow(slot + std::size_t(r) * std::size_t(width));
        const std::lock_guard<std::mutex> lock(mutex);
        encoded = band + 1;
        stop = stop || writer.failed();
        changed.notify_all();
    }
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stop = true; // releases colouring threads when the encoder gave up
        changed.notify_all();
    }
    for (std::thread& thread : pool)
        thread.join();
    if (failure) {
        file.cancel();
        std::rethrow_exception(failure);
    }
    if (!writer.finish() || encoded != bands)
        return notWritten(file, reason);
    return committed(file, reason);
}

} // namespace noise::utils
