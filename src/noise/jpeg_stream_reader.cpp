#include "noise/jpeg_stream_reader.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace noise::utils {

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

} // namespace

// libjpeg reports errors by calling error_exit, which must not return: it
// jumps back to the call that failed.
struct JpegStreamReader::State {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    jpeg_source_mgr source{};
    std::jmp_buf jump{};
    QFile file;
    std::vector<JOCTET> buffer = std::vector<JOCTET>(kBufferBytes);
    std::vector<JSAMPLE> row;
    bool created = false;
    bool valid = false;

    static State& of(j_decompress_ptr cinfo) { return *static_cast<State*>(cinfo->client_data); }
    static void errorExit(j_common_ptr cinfo) {
        std::longjmp(of(reinterpret_cast<j_decompress_ptr>(cinfo)).jump, 1);
    }
    static void outputMessage(j_common_ptr) {}
    static void initSource(j_decompress_ptr) {}
    // A cut file ends in a fake end-of-image marker, as libjpeg's own file
    // source and the toolkit's reader do: the missing rows decode grey.
    static boolean fillBuffer(j_decompress_ptr cinfo) {
        State& s = of(cinfo);
        const qint64 got =
            s.file.read(reinterpret_cast<char*>(s.buffer.data()), qint64(s.buffer.size()));
        if (got <= 0) {
            s.source.next_input_byte = kEndOfImage;
            s.source.bytes_in_buffer = sizeof kEndOfImage;
            return TRUE;
        }
        s.source.next_input_byte = s.buffer.data();
        s.source.bytes_in_buffer = std::size_t(got);
        return TRUE;
    }
    static void skipInput(j_decompress_ptr cinfo, long count) {
        State& s = of(cinfo);
        while (count > long(s.source.bytes_in_buffer)) {
            count -= long(s.source.bytes_in_buffer);
            fillBuffer(cinfo);
        }
        if (count > 0) {
            s.source.next_input_byte += count;
            s.source.bytes_in_buffer -= std::size_t(count);
        }
    }
    static void termSource(j_decompress_ptr) {}
};

JpegStreamReader::JpegStreamReader(const QString& fileName) : m_state(std::make_unique<State>()) {
    State& s = *m_state;
    s.cinfo.err = jpeg_std_error(&s.errors);
    s.errors.error_exit = &State::errorExit;
    s.errors.output_message = &State::outputMessage;
    s.file.setFileName(fileName);
    if (!s.file.open(QIODevice::ReadOnly))
        return;
    if (setjmp(s.jump))
        return;
    jpeg_create_decompress(&s.cinfo);
    s.created = true;
    s.cinfo.client_data = &s;
    s.source.init_source = &State::initSource;
    s.source.fill_input_buffer = &State::fillBuffer;
    s.source.skip_input_data = &State::skipInput;
    s.source.resync_to_restart = &jpeg_resync_to_restart;
    s.source.term_source = &State::termSource;
    s.cinfo.src = &s.source;
    jpeg_read_header(&s.cinfo, TRUE);
    if (s.cinfo.num_components != 1 && s.cinfo.num_components != 3)
        return;
    // The toolkit's settings for its default reading quality.
    s.cinfo.dct_method = JDCT_ISLOW;
    s.cinfo.do_fancy_upsampling = TRUE;
    s.cinfo.out_color_space = s.cinfo.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&s.cinfo);
    s.row.resize(std::size_t(s.cinfo.output_width) * std::size_t(s.cinfo.output_components));
    s.valid = s.cinfo.output_width > 0 && s.cinfo.output_height > 0;
}

JpegStreamReader::~JpegStreamReader() {
    if (m_state->created)
        jpeg_destroy_decompress(&m_state->cinfo);
}

bool JpegStreamReader::isValid() const { return m_state->valid; }
int JpegStreamReader::width() const { return m_state->valid ? int(m_state->cinfo.output_width) : 0; }
int JpegStreamReader::height() const {
    return m_state->valid ? int(m_state->cinfo.output_height) : 0;
}

bool JpegStreamReader::readRow(QRgb* out) {
    State& s = *m_state;
    if (!s.valid || s.cinfo.output_scanline >= s.cinfo.output_height)
        return false;
    if (setjmp(s.jump)) {
        s.valid = false;
        return false;
    }
    JSAMPROW rows[1] = {s.row.data()};
    if (jpeg_read_scanlines(&s.cinfo, rows, 1) != 1) {
        s.valid = false;
        return false;
    }
    const JSAMPLE* in = s.row.data();
    const int width = int(s.cinfo.output_width);
    if (s.cinfo.output_components == 1) {
        for (int x = 0; x < width; ++x)
            out[x] = qRgb(in[x], in[x], in[x]);
    } else {
        for (int x = 0; x < width; ++x)
            out[x] = qRgb(in[3 * x], in[3 * x + 1], in[3 * x + 2]);
    }
    return true;
}

} // namespace noise::utils
