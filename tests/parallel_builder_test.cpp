#include "noise/noise_image.h"
#include "noise/noise_map_builder.h"
#include "noise/worker_cache.h"

#include <libnoise/module/modulebase.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <atomic>
#include <cmath>
#include <cstring>

namespace {

using morvane::module::Cache;
using morvane::module::NoiseImage;
using morvane::module::WorkerIndex;

class CountingModule : public noise::module::Module {
public:
    CountingModule() : Module(0) {}
    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override {
        ++calls;
        return x * 3.0 + y * 5.0 + z * 7.0;
    }
    mutable std::atomic<int> calls{0};
};

double sampleAs(int worker, const Cache& cache, double x, double z) {
    const WorkerIndex::Scope scope(worker);
    return cache.GetValue(x, 0.0, z);
}

// Interleaved workers each keep their own last point: a shared memory (as in
// libnoise's Cache) would be overwritten by the other worker and recompute,
// or, under real concurrency, hand one worker the other's value.
TEST(WorkerCacheTest, EachWorkerRemembersItsOwnLastPoint) {
    CountingModule source;
    Cache cache;
    cache.SetSourceModule(0, source);
    EXPECT_EQ(sampleAs(1, cache, 1, 2), 17.0);
    EXPECT_EQ(sampleAs(2, cache, 4, 1), 19.0);
    EXPECT_EQ(sampleAs(1, cache, 1, 2), 17.0);
    EXPECT_EQ(WorkerIndex::current(), 0); // the scope restores the index
    EXPECT_EQ(source.calls, 2);
}

TEST(ParallelBuilderTest, SameMapOnAnyThreadCount) {
    CountingModule source;
    Cache cache;
    cache.SetSourceModule(0, source);
    noise::utils::NoiseMap serial, parallel;
    noise::utils::NoiseMapBuilderPlane builder;
    builder.SetSourceModule(cache);
    builder.SetDestSize(333, 77);
    builder.SetBounds(-2.7, 5.1, 0.3, 1.9);
    builder.SetThreadCount(1);
    builder.SetDestNoiseMap(serial);
    builder.Build();
    builder.SetDestNoiseMap(parallel);
    builder.SetThreadCount(3);
    builder.Build();
    for (int y = 0; y < 77; ++y)
        ASSERT_EQ(std::memcmp(serial.GetRowPtr(y), parallel.GetRowPtr(y), 333 * sizeof(float)), 0)
            << "row " << y;
}

// Costs a few microseconds a sample, so that workers really overlap.
class SlowModule : public noise::module::Module {
public:
    SlowModule() : Module(1) {}
    int GetSourceModuleCount() const override { return 1; }
    double GetValue(double x, double y, double z) const override {
        volatile double sink = 0.0;
        for (int i = 0; i < 300; ++i)
            sink = sink + std::sin(x + i);
        return GetSourceModule(0).GetValue(x, y, z);
    }
};

// A picture module loads its file on the sample at exactly (0, 0, 0). When
// the window holds the origin inside the map, every sample before it must
// still read the old picture and every one after it the new one.
TEST(ParallelBuilderTest, PictureLoadAtTheOriginKeepsTheSerialOrder) {
    QTemporaryDir dir;
    QImage flat(64, 64, QImage::Format_RGB32);
    const QString before = dir.filePath("before.png"), after = dir.filePath("after.png");
    flat.fill(qRgb(200, 0, 0));
    ASSERT_TRUE(flat.save(before));
    flat.fill(qRgb(50, 0, 0));
    ASSERT_TRUE(flat.save(after));
    const float beforeValue = (200 / 255.0f - 0.5f) * 2.0f;
    const float afterValue = (50 / 255.0f - 0.5f) * 2.0f;

    NoiseImage picture;
    SlowModule module;
    module.SetSourceModule(0, picture);
    for (int threads : {1, 4}) {
        picture.SetFileName(before);
        picture.LoadSlot();
        picture.SetFileName(after);
        noise::utils::NoiseMap map;
        noise::utils::NoiseMapBuilderPlane builder;
        builder.SetSourceModule(module);
        builder.SetDestNoiseMap(map);
        builder.SetDestSize(128, 128);
        builder.SetBounds(-1.0, 3.0, -1.0, 3.0); // x and z reach 0 at column and row 32
        builder.SetThreadCount(threads);
        builder.Build();
        int wrong = 0;
        // Steps of 1/32 are exact. Pixel indices truncate towards zero, so the
        // picture covers columns and rows from 31 (just below 0) on.
        for (int row = 0; row < 128; ++row)
            for (int column = 0; column < 128; ++column) {
                const float expected = row < 31 || column < 31 ? -1.0f
                                       : row * 128 + column < 32 * 128 + 32 ? beforeValue
                                                                            : afterValue;
                wrong += map.GetValue(column, row) != expected;
            }
        EXPECT_EQ(wrong, 0) << threads << " threads";
    }
    NoiseImage::ClearSlots();
}

} // namespace
