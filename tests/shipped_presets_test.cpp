#include "pipeline_fixture.h"

#include "recipe/preset_file.h"
#include "recipe/recipe_keys.h"

namespace morvane {
namespace {

class ShippedPresetsTest : public testing::PipelineFixture {};

// Every preset that ships must have its thumbnail, name gradients that ship,
// hold every key, and evaluate to a finite, non-flat terrain.
TEST_F(ShippedPresetsTest, EveryShippedPresetEvaluatesCleanly) {
    paths.pluginDir = QStringLiteral(MORVANE_PX_DIR);
    context.paths = paths;
    const QString dir = paths.nativePresetsDir();
    const QStringList presets = QDir(dir).entryList({"*.ipf"}, QDir::Files, QDir::Name);
    ASSERT_GE(presets.size(), 20);
    PresetReadOptions options;
    options.type = PresetType::Native;
    options.nativePresetsDir = dir;
    options.gradientNames = paths.gradientNames();
    for (const QString& name : presets) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(QFile::exists(dir + '/' + name.chopped(4) + ".jpg"));
        state.recipe = TerrainRecipe();
        notifier.messages.clear();
        EXPECT_EQ(readPresetFile(dir + '/' + name, state.recipe, options, notifier).linesApplied,
                  int(recipeKeys().size()));
        driver().evaluate();
        EXPECT_TRUE(notifier.messages.empty());
        const auto [low, high] = testing::heightRange(state.finalHeightMap);
        EXPECT_TRUE(std::isfinite(low) && std::isfinite(high)) << low << " " << high;
        EXPECT_GT(high - low, 0.05f);
    }
}

} // namespace
} // namespace morvane
