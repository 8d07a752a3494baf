#include "noise/jpeg_stream_writer.h"

#include "common/safe_file.h"
#include "noise/image.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace noise::utils {

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

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

bool WriteJpegRows(const QString& fileName, int width, int height,
                   const std::function<void(int, Color*)>& fillRow) {
    // Through the safe-file layer like every other picture: replaced only
    // when complete, a device or pipe written in place.
    morvane::SafeFileWriter file(fileName);
    if (!file.open())
        return false;
    JpegStreamWriter writer(*file.device(), width, height);
    std::vector<Color> row(std::size_t(std::max(width, 0)));
    for (int y = 0; y < height && !writer.failed(); ++y) {
        fillRow(y, row.data());
        writer.writeRow(row.data());
    }
    if (!writer.finish()) {
        file.cancel();
        return false;
    }
    return file.commit();
}

} // namespace noise::utils
