#include "pipeline_fixture.h"

#include "recipe/preset_file.h"
#include "recipe/recipe_keys.h"

#include <cmath>

namespace morvane {
namespace {

using testing::PipelineFixture;

// Every preset that ships must name gradients that ship, hold every key,
// and evaluate to a finite, non-flat terrain.
class ShippedPresetsTest : public PipelineFixture {};

TEST_F(ShippedPresetsTest, EveryShippedPresetEvaluatesCleanly) {
    paths.pluginDir = QStringLiteral(MORVANE_PX_DIR);
    context.paths = paths;
    const QStringList presets =
        QDir(paths.nativePresetsDir()).entryList({"*.ipf"}, QDir::Files, QDir::Name);
    ASSERT_GE(presets.size(), 20);
    PresetReadOptions options;
    options.type = PresetType::Native;
    options.nativePresetsDir = paths.nativePresetsDir();
    options.gradientNames = paths.gradientNames();
    for (const QString& name : presets) {
        SCOPED_TRACE(name.toStdString());
        const QString file = paths.nativePresetsDir() + '/' + name;
        EXPECT_TRUE(QFile::exists(file.left(file.size() - 4) + ".jpg"));
        state.recipe = TerrainRecipe();
        const PresetReadResult read = readPresetFile(file, state.recipe, options, notifier);
        EXPECT_EQ(read.linesApplied, int(recipeKeys().size()));
        driver().evaluate();
        EXPECT_TRUE(notifier.messages.empty());
        float low = INFINITY, high = -INFINITY;
        for (int y = 0; y < kPreviewSize; ++y)
            for (int x = 0; x < kPreviewSize; ++x) {
                const float v = state.finalHeightMap.GetValue(x, y);
                ASSERT_TRUE(std::isfinite(v));
                low = std::min(low, v);
                high = std::max(high, v);
            }
        EXPECT_GT(high - low, 0.05f);
        notifier.messages.clear();
    }
}

} // namespace
} // namespace morvane
