#include "hostexport/terrain_obj_writer.h"

#include "hostexport/g_format.h"


#include <charconv>
#include <cstring>

namespace morvane {

namespace {

// Appends to a buffer sized up front; the OBJ of a 512 grid is ~25 MB and
// is built in one pass.
class LineBuffer {
public:
    explicit LineBuffer(std::size_t capacity) { m_text.resize(int(capacity)); }
    void text(const char* literal, std::size_t length) {
        reserve(length);
        std::memcpy(m_text.data() + m_size, literal, length);
        m_size += length;
    }
    void number(double value) {
        reserve(32);
        m_size += formatG(value, m_text.data() + m_size);
    }
    void integer(long long value) {
        reserve(24);
        char* begin = m_text.data() + m_size;
        m_size += std::size_t(std::to_chars(begin, begin + 24, value).ptr - begin);
    }
    void character(char c) {
        reserve(1);
        m_text.data()[m_size++] = c;
    }
    QByteArray take() {
        m_text.resize(int(m_size));
        return std::move(m_text);
    }

private:
    void reserve(std::size_t more) {
        if (m_size + more > std::size_t(m_text.size()))
            m_text.resize(int((m_size + more) * 2));
    }
    QByteArray m_text;
    std::size_t m_size = 0;
};

} // namespace

QByteArray terrainObjText(const TerrainArrays& arrays) {
    const int side = arrays.gridSide;
    const int cells = side - 1;
    if (side < 2 || arrays.vertices.size() < std::size_t(side) * side * 3)
        return QByteArray();
    LineBuffer out(std::size_t(side) * side * 70);

    const float* vertex = arrays.vertices.data();
    for (int k = 0; k < side * side; ++k, vertex += 3) {
        out.text("v ", 2);
        out.number(vertex[0]);
        out.character(' ');
        out.number(vertex[1]);
        out.character(' ');
        out.number(vertex[2]);
        out.character('\n');
    }
    const float last = float(side - 1);
    for (int row = 0; row < side; ++row) {
        const double v = 1.0 - double(float(row) / last);
        for (int column = 0; column < side; ++column) {
            out.text("vt ", 3);
            out.number(double(float(column) / last));
            out.character(' ');
            out.number(v);
            out.character('\n');
        }
    }
    for (int row = 0; row < cells; ++row)
        for (int column = 0; column < cells; ++column) {
            const long long a = (long long)row * side + column + 1;
            const long long b = (long long)(row + 1) * side + column + 1;
            const long long corners[4] = {a, b, b + 1, a + 1};
            out.character('f');
            for (long long corner : corners) {
                out.character(' ');
                out.integer(corner);
                out.character('/');
                out.integer(corner);
            }
            out.character('\n');
        }
    return out.take();
}

} // namespace morvane
