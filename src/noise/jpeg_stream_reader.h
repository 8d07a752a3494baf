#pragma once

#include <QRgb>
#include <QString>

#include <memory>

namespace noise::utils {

// Decodes a baseline or progressive JPEG row by row, top row first, into
// the pixels the toolkit's reader gives for the same file (the same
// library with the same settings: accurate integer IDCT, smooth chroma
// upsampling), so a picture of any size is read without holding it.
// Greyscale pictures come out as grey RGB, as the toolkit's RGB32
// conversion makes them; CMYK pictures are refused.
class JpegStreamReader {
public:
    explicit JpegStreamReader(const QString& fileName);
    ~JpegStreamReader();
    JpegStreamReader(const JpegStreamReader&) = delete;
    JpegStreamReader& operator=(const JpegStreamReader&) = delete;

    // False when the file could not be opened or its header read.
    bool isValid() const;
    int width() const;
    int height() const;
    // The next row, `width()` pixels as opaque RGB32. False once a row
    // could not be decoded (a cut or corrupt file) or all were read.
    bool readRow(QRgb* row);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace noise::utils
