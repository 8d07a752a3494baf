#include "common/bounded_line.h"

namespace morvane {

bool readBoundedLine(QIODevice& device, QByteArray& line, qint64 limit, bool& cut) {
    line.clear();
    cut = false;
    if (device.atEnd())
        return false;
    char buffer[8192];
    for (;;) {
        const qint64 got = device.readLine(buffer, qint64(sizeof buffer));
        if (got <= 0)
            break;
        // Room for the line break on top of the limit, which counts the
        // line's own bytes.
        const qint64 room = limit + 2 - qint64(line.size());
        if (got <= room) {
            line.append(buffer, int(got));
        } else {
            if (room > 0)
                line.append(buffer, int(room));
            cut = true;
        }
        if (buffer[got - 1] == '\n')
            break;
    }
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (line.size() > limit) {
        line.truncate(int(limit));
        cut = true;
    }
    return true;
}

} // namespace morvane
