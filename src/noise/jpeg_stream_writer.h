#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QIODevice;

namespace noise::utils {

struct Color;

// Encodes a baseline JPEG row by row, top row first, with the settings the
// toolkit's JPEG writer uses for a 32-bit RGB picture at a given quality
// (same bytes), so a picture of any size is written without holding it.
class JpegStreamWriter {
public:
    JpegStreamWriter(QIODevice& device, int width, int height, int quality = 100);
    ~JpegStreamWriter();
    JpegStreamWriter(const JpegStreamWriter&) = delete;
    JpegStreamWriter& operator=(const JpegStreamWriter&) = delete;

    // The next row, top to bottom: `width` colours, alpha ignored.
    bool writeRow(const Color* row);
    // Ends the picture after the last row. False when any step failed.
    bool finish();
    bool failed() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Writes a width x height JPEG at quality 100 through a temporary file:
// fillRow(pictureRow, colours) gives each row from the top; the file is
// replaced only when every row was written. Returns whether it was;
// `reason` (when given) then receives why not.
bool WriteJpegRows(const QString& fileName, int width, int height,
                   const std::function<void(int, Color*)>& fillRow, QString* reason = nullptr);

// The same file, the rows filled on `threads` threads in bands a little
// ahead of the encoder, which writes them in order on the calling thread.
// fillRow must be safe to call from several threads at once; an exception
// it throws stops the picture and is rethrown here (the file is left as
// it was).
bool WriteJpegRows(const QString& fileName, int width, int height, int threads,
                   const std::function<void(int, Color*)>& fillRow, QString* reason = nullptr);

} // namespace noise::utils
