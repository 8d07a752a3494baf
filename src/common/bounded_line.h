#pragma once

#include <QByteArray>
#include <QIODevice>

namespace morvane {

// Reads the next line of `device` into `line`, without its line break ("\n"
// or "\r\n"). A line longer than `limit` keeps its first `limit` bytes, the
// rest is skipped and `cut` is set, so a file without line breaks cannot fill
// the memory. The line is gathered through a small stack buffer: asking Qt
// for a line of at most `limit` bytes would allocate `limit` bytes per line.
// False at the end of the device.
bool readBoundedLine(QIODevice& device, QByteArray& line, qint64 limit, bool& cut);

} // namespace morvane
