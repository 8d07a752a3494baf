#include "common/progress_sink.h"
#include "noise/noise_map_builder.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>
#include <libnoise/module/modulebase.h>

#include <QString>
#include <QStringList>

#include <cmath>
#include <mutex>
#include <set>
#include <vector>

using noise::utils::NoiseMap;
using noise::utils::NoiseMapBuilderPlane;

namespace {

struct Sample {
    double x, y, z;
};

// Remembers every exact argument it is asked for and, when given an event
// log, notes its first call there. Locked, as a builder may sample from
// several threads.
class RecordingModule : public noise::module::Module {
public:
    enum class Output { X, Z, Y, MagnifiedX };
    explicit RecordingModule(Output output = Output::X, double origin = 0.0)
        : Module(0), m_output(output), m_origin(origin) {}
    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (m_events && m_samples.empty())
                m_events->append(QStringLiteral("sample"));
            m_samples.push_back({x, y, z});
        }
        switch (m_output) {
        case Output::X: return x;
        case Output::Z: return z;
        case Output::Y: return y;
        // Blows a last-bit difference of x up so that it survives the float map.
        case Output::MagnifiedX: return (x - m_origin) * 1e12;
        }
        return 0.0;
    }
    void logTo(QStringList* events) { m_events = events; }
    const std::vector<Sample>& samples() const { return m_samples; }

private:
    Output m_output;
    double m_origin;
    QStringList* m_events = nullptr;
    mutable std::mutex m_mutex;
    mutable std::vector<Sample> m_samples;
};

class RecordingSink : public morvane::ProgressSink {
public:
    explicit RecordingSink(QStringList& events) : m_events(events) {}
    void setBusyText(const QString& text) override { m_events.append("busy:" + text); }
    void setStatusText(const QString& text) override { m_events.append("status:" + text); }
    void processEvents() override { m_events.append(QStringLiteral("processEvents")); }

private:
    QStringList& m_events;
};

// A smooth, non-trivial module so that maps built two ways can be compared.
class WavyModule : public noise::module::Module {
public:
    WavyModule() : Module(0) {}
    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override {
        return std::sin(3.0 * x) * std::cos(2.0 * z) + y;
    }
};

} // namespace

TEST(NoiseMapBuilderPlane, BoundsMustBeIncreasing) {
    NoiseMapBuilderPlane builder;
    EXPECT_THROW(builder.SetBounds(1.0, 1.0, 0.0, 1.0), noise::ExceptionInvalidParam);
    EXPECT_THROW(builder.SetBounds(2.0, 1.0, 0.0, 1.0), noise::ExceptionInvalidParam);
    EXPECT_THROW(builder.SetBounds(0.0, 1.0, 3.0, 3.0), noise::ExceptionInvalidParam);
    EXPECT_THROW(builder.SetBounds(0.0, 1.0, 3.0, -3.0), noise::ExceptionInvalidParam);
    EXPECT_THROW(builder.SetBounds(0.0, NAN, 0.0, 1.0), noise::ExceptionInvalidParam);
    ASSERT_NO_THROW(builder.SetBounds(-1.0, 1.0, 2.0, 3.0));
    EXPECT_EQ(builder.GetLowerXBound(), -1.0);
    EXPECT_EQ(builder.GetUpperXBound(), 1.0);
    EXPECT_EQ(builder.GetLowerZBound(), 2.0);
    EXPECT_EQ(builder.GetUpperZBound(), 3.0);
}

TEST(NoiseMapBuilderPlane, BuildRejectsIncompleteSetup) {
    RecordingModule module;
    NoiseMap map;
    {
        NoiseMapBuilderPlane builder;
        builder.SetBounds(0.0, 1.0, 0.0, 1.0);
        builder.SetDestSize(4, 4);
        builder.SetDestNoiseMap(map);
        EXPECT_THROW(builder.Build(), noise::ExceptionInvalidParam);
        EXPECT_THROW(builder.Build(1), noise::ExceptionInvalidParam);
    }
    {
        NoiseMapBuilderPlane builder;
        builder.SetBounds(0.0, 1.0, 0.0, 1.0);
        builder.SetDestSize(4, 4);
        builder.SetSourceModule(module);
        EXPECT_THROW(builder.Build(), noise::ExceptionInvalidParam);
        EXPECT_THROW(builder.Build(1), noise::ExceptionInvalidParam);
    }
    const int badSizes[][2] = {{0, 4}, {4, 0}, {-1, 4}, {4, -5}};
    for (const auto& size : badSizes) {
        NoiseMapBuilderPlane builder;
        builder.SetBounds(0.0, 1.0, 0.0, 1.0);
        builder.SetSourceModule(module);
        builder.SetDestNoiseMap(map);
        builder.SetDestSize(size[0], size[1]);
        EXPECT_THROW(builder.Build(), noise::ExceptionInvalidParam) << size[0] << "x" << size[1];
        EXPECT_THROW(builder.Build(2), noise::ExceptionInvalidParam) << size[0] << "x" << size[1];
    }
    EXPECT_TRUE(module.samples().empty());
}

TEST(NoiseMapBuilderPlane, SamplesTheXzPlaneByRepeatedAddition) {
    const double lowerX = 0.1, upperX = 7.3;
    const double lowerZ = -2.7, upperZ = 0.9;
    const int width = 1000, height = 37;

    RecordingModule module;
    NoiseMap map;
    NoiseMapBuilderPlane builder;
    builder.SetBounds(lowerX, upperX, lowerZ, upperZ);
    builder.SetDestSize(width, height);
    builder.SetSourceModule(module);
    builder.SetDestNoiseMap(map);
    builder.Build();

    ASSERT_EQ(map.GetWidth(), width);
    ASSERT_EQ(map.GetHeight(), height);
    ASSERT_EQ(module.samples().size(), std::size_t(width) * height);

    // Expected coordinates, advanced one step at a time as the builder must.
    const double xDelta = (upperX - lowerX) / width;
    const double zDelta = (upperZ - lowerZ) / height;
    std::vector<double> xs;
    for (double x = lowerX; int(xs.size()) < width; x += xDelta)
        xs.push_back(x);
    std::vector<double> zs;
    for (double z = lowerZ; int(zs.size()) < height; z += zDelta)
        zs.push_back(z);

    // These bounds were chosen so that the summed and multiplied positions
    // really part ways; otherwise the comparison below would prove nothing.
    int xDiffering = 0;
    for (int i = 0; i < width; ++i)
        xDiffering += xs[std::size_t(i)] != lowerX + i * xDelta;
    ASSERT_GT(xDiffering, 0);
    ASSERT_NE(xs.back(), lowerX + (width - 1) * xDelta);
    int zDiffering = 0;
    for (int i = 0; i < height; ++i)
        zDiffering += zs[std::size_t(i)] != lowerZ + i * zDelta;
    ASSERT_GT(zDiffering, 0);

    std::set<std::pair<double, double>> expected, seen;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            expected.insert({xs[std::size_t(column)], zs[std::size_t(row)]});
    for (const Sample& s : module.samples()) {
        ASSERT_EQ(s.y, 0.0);
        seen.insert({s.x, s.z});
    }
    EXPECT_EQ(seen, expected);

    // Where each sample went: the module returns x.
    for (int row = 0; row < height; row += 6)
        for (int column = 0; column < width; column += 111)
            ASSERT_EQ(map.GetValue(column, row), float(xs[std::size_t(column)]))
                << column << "," << row;
    EXPECT_EQ(map.GetValue(width - 1, height - 1), float(xs.back()));
    EXPECT_EQ(map.GetValue(0, 0), float(lowerX));

    // Measured from the multiplied position of the last column, the summed
    // one must show its rounding drift, not zero.
    const double multipliedLast = lowerX + (width - 1) * xDelta;
    RecordingModule magnified(RecordingModule::Output::MagnifiedX, multipliedLast);
    builder.SetSourceModule(magnified);
    builder.Build();
    const float drift = float((xs.back() - multipliedLast) * 1e12);
    ASSERT_NE(drift, 0.0f);
    EXPECT_EQ(map.GetValue(width - 1, 0), drift);
    EXPECT_EQ(map.GetValue(width - 1, height - 1), drift);

    RecordingModule zModule(RecordingModule::Output::Z);
    builder.SetSourceModule(zModule);
    builder.Build();
    for (int row = 0; row < height; ++row) {
        ASSERT_EQ(map.GetValue(0, row), float(zs[std::size_t(row)])) << row;
        ASSERT_EQ(map.GetValue(width - 1, row), float(zs[std::size_t(row)])) << row;
    }

    RecordingModule yModule(RecordingModule::Output::Y);
    map.Clear(5.0f);
    builder.SetSourceModule(yModule);
    builder.Build();
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            ASSERT_EQ(map.GetValue(column, row), 0.0f);
}

TEST(NoiseMapBuilderPlane, ResizesTheDestination) {
    WavyModule module;
    NoiseMap map(300, 300);
    NoiseMapBuilderPlane builder;
    builder.SetBounds(0.0, 1.0, 0.0, 1.0);
    builder.SetDestSize(5, 3);
    builder.SetSourceModule(module);
    builder.SetDestNoiseMap(map);
    builder.Build();
    EXPECT_EQ(map.GetWidth(), 5);
    EXPECT_EQ(map.GetHeight(), 3);
    // Column 2 of 5 over [0, 1) lies at x = 0.4 (give or take the summing).
    EXPECT_NEAR(map.GetValue(2, 1), std::sin(1.2) * std::cos(2.0 / 3.0), 1e-6);
}

TEST(NoiseMapBuilderPlane, NodeBuildReportsProgressBeforeSampling) {
    QStringList events;
    RecordingSink sink(events);
    RecordingModule module;
    module.logTo(&events);
    NoiseMap map;
    NoiseMapBuilderPlane builder;
    builder.SetBounds(-1.0, 1.0, -1.0, 1.0);
    builder.SetDestSize(8, 6);
    builder.SetSourceModule(module);
    builder.SetDestNoiseMap(map);
    builder.SetProgressSink(&sink);

    builder.Build(3);

    const QStringList expected = {
        QStringLiteral("busy:computing noise ... \n\nnode: 3/9"),
        QStringLiteral("status:computing noise ... node: 3/9"),
        QStringLiteral("processEvents"),
        QStringLiteral("sample"),
        QStringLiteral("status:noise maps generated"),
    };
    EXPECT_EQ(events, expected);
    EXPECT_EQ(module.samples().size(), 48u);
}

TEST(NoiseMapBuilderPlane, NodeBuildMatchesPlainBuild) {
    WavyModule module;
    NoiseMap plain, withNode, silent;
    NoiseMapBuilderPlane builder;
    builder.SetBounds(-1.3, 2.9, 0.4, 3.3);
    builder.SetDestSize(33, 21);
    builder.SetSourceModule(module);

    builder.SetDestNoiseMap(plain);
    builder.Build();

    QStringList events;
    RecordingSink sink(events);
    builder.SetProgressSink(&sink);
    builder.SetDestNoiseMap(withNode);
    builder.Build(7);
    EXPECT_EQ(events.size(), 4);

    builder.SetProgressSink(nullptr);
    builder.SetDestNoiseMap(silent);
    ASSERT_NO_THROW(builder.Build(7));

    ASSERT_EQ(withNode.GetWidth(), 33);
    ASSERT_EQ(silent.GetHeight(), 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 33; ++x) {
            ASSERT_EQ(withNode.GetValue(x, y), plain.GetValue(x, y)) << x << "," << y;
            ASSERT_EQ(silent.GetValue(x, y), plain.GetValue(x, y)) << x << "," << y;
        }
    EXPECT_NE(plain.GetValue(0, 0), plain.GetValue(32, 20));
    EXPECT_EQ(events.size(), 4); // the sink was detached
}
