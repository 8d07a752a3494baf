#include "noise/noise_map_builder.h"
#include "pipeline_fixture.h"

#include <libnoise/exception.h>
#include <libnoise/module/modulebase.h>

#include <cmath>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

using noise::utils::NoiseMap;
using noise::utils::NoiseMapBuilderPlane;

namespace {

struct Sample {
    double x, y, z;
};

// Records every exact argument and, given an event log, notes its first
// call there. Locked: a builder may sample from several threads.
class RecordingModule : public noise::module::Module {
public:
    using Output = std::function<double(double x, double z)>;
    explicit RecordingModule(Output output = [](double x, double) { return x; })
        : Module(0), m_output(std::move(output)) {}
    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_events && m_samples.empty())
            m_events->append(QStringLiteral("sample"));
        m_samples.push_back({x, y, z});
        return m_output(x, z);
    }
    void logTo(QStringList* events) { m_events = events; }
    const std::vector<Sample>& samples() const { return m_samples; }

private:
    Output m_output;
    QStringList* m_events = nullptr;
    mutable std::mutex m_mutex;
    mutable std::vector<Sample> m_samples;
};

} // namespace

TEST(NoiseMapBuilderPlane, RejectsCrossedBoundsAndIncompleteSetup) {
    NoiseMapBuilderPlane bounds;
    EXPECT_THROW(bounds.SetBounds(1.0, 1.0, 0.0, 1.0), noise::ExceptionInvalidParam);
    EXPECT_THROW(bounds.SetBounds(0.0, 1.0, 3.0, -3.0), noise::ExceptionInvalidParam);
    EXPECT_THROW(bounds.SetBounds(0.0, NAN, 0.0, 1.0), noise::ExceptionInvalidParam);

    RecordingModule module;
    NoiseMap map;
    // Each row lacks exactly one thing.
    const struct {
        int width;
        bool source, bounds;
    } cases[] = {{4, false, true}, {4, true, false}, {0, true, true}, {-1, true, true}};
    for (const auto& c : cases) {
        NoiseMapBuilderPlane builder;
        builder.SetDestSize(c.width, 4);
        builder.SetDestNoiseMap(map);
        if (c.source)
            builder.SetSourceModule(module);
        if (c.bounds)
            builder.SetBounds(-1.0, 1.0, -1.0, 1.0);
        EXPECT_THROW(builder.Build(1), noise::ExceptionInvalidParam) << c.width << c.source;
    }
    EXPECT_TRUE(module.samples().empty());
}

// Positions advance by repeated addition, not multiplication; the bounds
// are chosen so that the two really part ways. Columns follow x, rows z.
TEST(NoiseMapBuilderPlane, SamplesTheXzPlaneByRepeatedAddition) {
    const double lowerX = 0.1, upperX = 7.3, lowerZ = -2.7, upperZ = 0.9;
    const int width = 1000, height = 37;
    RecordingModule module([](double x, double z) { return x + 100.0 * z; });
    NoiseMap map(300, 300);
    NoiseMapBuilderPlane builder;
    builder.SetBounds(lowerX, upperX, lowerZ, upperZ);
    builder.SetDestSize(width, height);
    builder.SetSourceModule(module);
    builder.SetDestNoiseMap(map);
    builder.Build();
    ASSERT_EQ(map.GetWidth(), width);

    const double xDelta = (upperX - lowerX) / width, zDelta = (upperZ - lowerZ) / height;
    double lastX = lowerX, z5 = lowerZ;
    for (int i = 1; i < width; ++i)
        lastX += xDelta;
    for (int i = 0; i < 5; ++i)
        z5 += zDelta;
    ASSERT_NE(lastX, lowerX + (width - 1) * xDelta);
    ASSERT_EQ(module.samples().size(), std::size_t(width) * height);
    int lastColumn = 0;
    for (const Sample& s : module.samples()) {
        ASSERT_EQ(s.y, 0.0);
        ASSERT_LE(s.x, lastX);
        lastColumn += s.x == lastX;
    }
    EXPECT_EQ(lastColumn, height);
    EXPECT_EQ(map.GetValue(width - 1, 5), float(lastX + 100.0 * z5));
}

// A node build reports its progress before the first sample, and a
// detached sink hears nothing more; the map equals the plain build's.
TEST(NoiseMapBuilderPlane, NodeBuildReportsProgressAndMatchesPlainBuild) {
    morvane::testing::RecordingProgress sink;
    QStringList& events = sink.events;
    RecordingModule module;
    NoiseMap plain, withNode;
    NoiseMapBuilderPlane builder;
    builder.SetBounds(-1.3, 2.9, 0.4, 3.3);
    builder.SetDestSize(33, 21);
    builder.SetSourceModule(module);
    module.logTo(&events);
    builder.SetProgressSink(&sink);
    builder.SetDestNoiseMap(withNode);
    builder.Build(3);
    builder.SetProgressSink(nullptr);
    builder.SetDestNoiseMap(plain);
    builder.Build();
    EXPECT_EQ(events, (QStringList{"busy:computing noise ... \n\nnode: 3/9",
                                   "status:computing noise ... node: 3/9", "events",
                                   "sample", "status:noise maps generated"}));
    EXPECT_EQ(module.samples().size(), 2u * 33 * 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 33; ++x)
            ASSERT_EQ(withNode.GetValue(x, y), plain.GetValue(x, y)) << x << "," << y;
    EXPECT_NE(plain.GetValue(0, 0), plain.GetValue(32, 20));
}
