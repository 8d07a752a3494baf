#include "common/bounded_line.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

using morvane::readBoundedLine;

struct Read {
    QByteArray line;
    bool cut;
};

std::vector<Read> readAll(QByteArray bytes, qint64 limit) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    std::vector<Read> lines;
    QByteArray line;
    bool cut = true;
    while (readBoundedLine(buffer, line, limit, cut))
        lines.push_back({line, cut});
    return lines;
}

TEST(BoundedLineTest, LinesLoseTheirBreaksAndOnlyTheTailBeyondTheLimit) {
    // Longer than the reader's stack buffer, so a line spans several pieces.
    const QByteArray longLine(20000, 'x');
    const QByteArray withNul("a\0b", 3);
    const auto lines = readAll("first\r\n" + longLine + "\n" + withNul + "\n\nlast", 12000);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].line, "first");
    EXPECT_FALSE(lines[0].cut);
    EXPECT_EQ(lines[1].line, longLine.left(12000));
    EXPECT_TRUE(lines[1].cut);
    EXPECT_EQ(lines[2].line, withNul);
    EXPECT_EQ(lines[3].line, "");
    EXPECT_EQ(lines[4].line, "last");
    EXPECT_FALSE(lines[4].cut);
}

TEST(BoundedLineTest, ALineOfExactlyTheLimitIsWhole) {
    const auto lines = readAll(QByteArray(9000, 'y') + "\r\nz", 9000);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(lines[0].cut);
    EXPECT_EQ(lines[0].line.size(), 9000);
    EXPECT_TRUE(readAll("", 10).empty());
}

} // namespace
