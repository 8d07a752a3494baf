#include "recipe/preset_file.h"

#include "pipeline_fixture.h"
#include "recipe/recipe_keys.h"

#include <QImageReader>
#include <QPainter>

#include <climits>
#include <random>
#include <string>
#include <tuple>

using namespace morvane;

namespace {

using morvane::testing::readFile;
using morvane::testing::RecordingNotifier;

// Every field away from its default and inside its range; the input types
// leave the window free, so reading back does not pin startX/startY.
TerrainRecipe fullRecipe() {
    TerrainRecipe r;
    r.noiseSize = 37; r.startX = -5; r.startY = 7;
    r.gradient1 = "desert.bmp"; r.gradient2 = "black and white.bmp";
    InputNode& a = r.inputs[0];
    a.type = 5; a.seedNumber = INT_MIN; a.frequency = 37; a.lacunarity = 22; a.quality = 3;
    a.octaves = 12; a.persistence = 8; a.displacement = 45; a.gaborAnisotropic = 2;
    a.noiseImageFile = QString::fromUtf8("/tmp/Gelände/höhe.png");
    a.multiFractalOffset = -40; a.multiFractalGain = -150; a.multiFractalWeight = 60;
    InputNode& b = r.inputs[1];
    b.type = 7; b.seedNumber = INT_MAX; b.frequency = 64; b.lacunarity = 50; b.quality = 1;
    b.octaves = 30; b.persistence = 3; b.displacement = 100; b.noiseImageFile.clear();
    b.multiFractalOffset = 25; b.multiFractalGain = -1; b.multiFractalWeight = 0;
    b.gaborAnisotropic = 2;
    r.deformers[0] = {2, -60, 75, 16, 3, -25, 480, 15};
    r.deformers[1] = {7, -20, 90, 3, 100, 100, -500, 9};
    CombinerNode& c = r.combiner;
    c.terrainType = 6; c.noiseType = 4; c.seedNumber = 16; c.frequency = 160; c.lacunarity = 1;
    c.quality = 1; c.octaves = 2; c.persistence = 10; c.displacement = 7; c.falloff = -100;
    c.noiseImageFile = QString::fromUtf8("Bilder/Ölfeld.png");
    r.turbulence = {-33, 250, 29, -77};
    r.erosion = {3, 1000, 55, 2, 150, 99};
    return r;
}

// fullRecipe() as the preset file must hold it, written out by hand.
const char* const kFullRecipeText =
    "noiseSize=37\nstartX=-5\nstartY=7\ngradient1=desert.bmp\ngradient2=black and white.bmp\n"
    "I1Type=5\nI1seedNumber=-2147483648\nI1frequency=37\nI1lacunarity=22\nI1quality=3\n"
    "I1octaves=12\nI1persistence=8\nI1displacement=45\nI1NoiseImageFile=/tmp/Gelände/höhe.png\n"
    "I1MultiFractalOffset=-40\nI1MultiFractalGain=-150\nI1MultiFractalWeight=60\n"
    "I1GaborAnisotropic=2\n"
    "I2Type=7\nI2seedNumber=2147483647\nI2frequency=64\nI2lacunarity=50\nI2quality=1\n"
    "I2octaves=30\nI2persistence=3\nI2displacement=100\nI2NoiseImageFile=none\n"
    "I2MultiFractalOffset=25\nI2MultiFractalGain=-1\nI2MultiFractalWeight=0\n"
    "I2GaborAnisotropic=2\n"
    "D1Type=2\nD1ClampLow=-60\nD1ClampHigh=75\nD1Curve=16\nD1Exponent=3\nD1RoundEdge=37\n"
    "D1ScaleBiasLow=-25\nD1ScaleBiasHigh=480\nD1Terrace=15\n"
    "D2Type=7\nD2ClampLow=-20\nD2ClampHigh=90\nD2Curve=3\nD2Exponent=100\nD2RoundEdge=37\n"
    "D2ScaleBiasLow=100\nD2ScaleBiasHigh=-500\nD2Terrace=9\n"
    "C1TerrainType=6\nC1NoiseType=4\nC1seedNumber=16\nC1frequency=160\nC1lacunarity=1\n"
    "C1quality=1\nC1octaves=2\nC1persistence=10\nC1displacement=7\nC1falloff=-100\n"
    "C1NoiseImageFile=Bilder/Ölfeld.png\n"
    "T1frequency=-33\nT1power=250\nT1roughness=29\nT1seed=-77\n"
    "erosionType=3\nerosionIterations=1000\nerosionRain=55\nerosionSolubility=2\n"
    "erosionEvaporation=150\nerosionCapacity=99\n";

const QStringList kFullGradients = {"australia 2.bmp", "black and white.bmp", "desert.bmp"};

PresetReadOptions userOptions(QStringList gradients = {}) {
    PresetReadOptions options;
    options.type = PresetType::User;
    options.gradientNames = std::move(gradients);
    return options;
}

PresetReadResult read(const QByteArray& text, TerrainRecipe& recipe,
                      const PresetReadOptions& options = userOptions(),
                      Notifier&& notifier = NullNotifier()) {
    return readPresetText(text, recipe, options, notifier);
}

std::string show(const QByteArray& bytes) { return bytes.toStdString(); }

// A literal with its NUL bytes kept.
template <size_t N> QByteArray bytes(const char (&literal)[N]) {
    return QByteArray(literal, int(N - 1));
}

} // namespace

TEST(PresetFile, WritesEveryKeyInOrderAndReadsBackTheSameRecipe) {
    TerrainRecipe full = fullRecipe(), defaults;
    // Guards the round trip against fields the fixture forgot.
    for (const RecipeKey& key : recipeKeys())
        if (!key.isText()) {
            EXPECT_NE(*key.number(full), *key.number(defaults)) << key.name.toStdString();
        }

    EXPECT_EQ(show(presetText(full)), std::string(kFullRecipeText));
    TerrainRecipe back;
    RecordingNotifier notifier;
    const PresetReadResult result =
        readPresetText(kFullRecipeText, back, userOptions(kFullGradients), notifier);
    EXPECT_EQ(std::make_tuple(result.opened, result.linesApplied, result.gradient1Missing,
                              result.gradient2Missing, notifier.messages.size()),
              std::make_tuple(true, 70, false, false, size_t(0)));
    EXPECT_TRUE(back == full);

    QTemporaryDir dir;
    const QString path = dir.filePath("full.txt");
    ASSERT_TRUE(writePresetFile(full, path));
    EXPECT_EQ(show(readFile(path)), std::string(kFullRecipeText));
}

TEST(PresetFile, ParsesLinesAndValuesTheAtoiWay) {
    const struct {
        const char* line;
        const char* key;
        int before, expected;
    } cases[] = {
        // The round-edge keys set the noise size too; the last line wins.
        {"noiseSize=100\nD1RoundEdge=200\n", "noiseSize", 5, 200},
        {"D1RoundEdge=600\n", "noiseSize", 5, 512},
        {"startX=-99999999999999\n", "startX", 3, -32},
        {"==I1octaves==7\n", "I1octaves", 4, 7},
        {"I1octaves=5=9\n", "I1octaves", 4, 5},
        {"=I1octaves\n", "I1octaves", 4, 1}, // the value is missing: 0, clamped
        {"I1GaborAnisotropic=1\n", "I1GaborAnisotropic", 0, 2},
        {"I1GaborAnisotropic=abc\n", "I1GaborAnisotropic", 2, 0},
    };
    for (const auto& c : cases) {
        TerrainRecipe recipe;
        int& field = *findRecipeKey(c.key)->number(recipe);
        field = c.before;
        read(c.line, recipe);
        EXPECT_EQ(field, c.expected) << "line: " << c.line;
    }

    // Keys the file does not name keep their values.
    TerrainRecipe recipe = fullRecipe(), expected = fullRecipe();
    expected.inputs[0].octaves = 9;
    expected.inputs[0].persistence = 2;
    expected.gradient1 = "b.bmp"; // the CR is not part of the name
    expected.erosion.rain = 1;
    const PresetReadResult result =
        read("I1octaves=3\r\nunknownKey=5\r\nI1lacunarity 40\r\ni1octaves=7\r\n\r\n==\r\n"
             "gradient1=b.bmp\r\nI1octaves=9\r\nerosionRain=-4\r\nI1persistence=2",
             recipe, userOptions({"a.bmp", "b.bmp"}));
    EXPECT_TRUE(recipe == expected);
    EXPECT_EQ(std::make_pair(result.gradient1Missing, result.linesApplied), std::make_pair(false, 5));
}

TEST(PresetFile, AtoiSaturatesAndStopsAtTheFirstNonDigit) {
    for (auto [text, value] :
         {std::pair{QByteArray("2147483648"), INT_MAX}, {"-2147483649", INT_MIN},
          {QByteArray(5000, '9'), INT_MAX}, {" \t\v\f\r-0012x", -12}, {"+12", 12},
          {"+-5", 0}, {"x5", 0}, {bytes("7\0" "8"), 7}})
        EXPECT_EQ(presetAtoi(text), value) << show(text);
}

TEST(PresetFile, UnknownGradientFallsBackToTheFirstWithOneWarningPerLine) {
    const std::pair<QString, QString> warning = {
        "Error", "Gradient file not found, defaulting to first one"};
    TerrainRecipe recipe;
    RecordingNotifier notifier;
    // Names match exactly: case and extension count.
    PresetReadResult result = readPresetText("gradient1=b.bmp\ngradient2=B.bmp\n", recipe,
                                             userOptions({"a.bmp", "b.bmp"}), notifier);
    EXPECT_EQ(std::make_pair(recipe.gradient1, recipe.gradient2), std::make_pair(QString("b.bmp"),
                                                                                 QString("a.bmp")));
    EXPECT_EQ(std::make_pair(result.gradient1Missing, result.gradient2Missing),
              std::make_pair(false, true));
    EXPECT_EQ(notifier.messages, decltype(notifier.messages)(1, warning));
    // No gradient files at all: the name stays, the warning still comes.
    TerrainRecipe none;
    result = readPresetText("gradient1=b.bmp\n", none, userOptions(), notifier);
    EXPECT_EQ(std::make_tuple(none.gradient1, result.gradient1Missing, notifier.messages.size()),
              std::make_tuple(QString(TerrainRecipe::kDefaultGradient), true, size_t(2)));
}

TEST(PresetFile, ImageNamesKeepResolveOrReplace) {
    TerrainRecipe recipe;
    recipe.inputs[0].noiseImageFile = "old1.png";
    read("I1NoiseImageFile=none\nC1NoiseImageFile=None\n", recipe);
    EXPECT_EQ(recipe.inputs[0].noiseImageFile, "old1.png");
    EXPECT_EQ(recipe.combiner.noiseImageFile, "None");

    PresetReadOptions native;
    native.type = PresetType::Native;
    native.nativePresetsDir = "/opt/plugins/morvanePX/presets";
    TerrainRecipe nativeRecipe;
    read("I2NoiseImageFile=rocks/cliff.png\n", nativeRecipe, native);
    EXPECT_EQ(nativeRecipe.inputs[1].noiseImageFile,
              "/opt/plugins/morvanePX/presets/rocks/cliff.png");
    // An empty value clears the name instead of naming the folder.
    read("I2NoiseImageFile=\n", nativeRecipe, native);
    EXPECT_EQ(nativeRecipe.inputs[1].noiseImageFile, "");
}

TEST(PresetFile, InputTypeChangePinsTheWindow) {
    // Image pins the window to 0,0 at size 4; Flat zeroes the start only.
    struct Case {
        int input, typeBefore;
        const char* line;
        int typeAfter, startAfter, sizeAfter;
    };
    for (const Case& c : {Case{0, 9, "I1Type=99\n", 9, 5, 64}, // already Image: no pin
                          Case{1, 3, "I2Type=99\n", 9, 0, 4},  // clamped to Image: pinned
                          Case{0, 5, "I1Type=0\n", 0, 0, 64}}) {
        TerrainRecipe recipe;
        recipe.inputs[c.input].type = c.typeBefore;
        recipe.startX = recipe.startY = 5;
        recipe.noiseSize = 64;
        read(c.line, recipe);
        EXPECT_EQ(std::make_tuple(recipe.inputs[c.input].type, recipe.startX, recipe.startY,
                                  recipe.noiseSize),
                  std::make_tuple(c.typeAfter, c.startAfter, c.startAfter, c.sizeAfter))
            << c.line;
    }
}

TEST(PresetFile, HostileTextNeverLeavesARange) {
    std::mt19937 random(20240611u);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const std::vector<RecipeKey>& keys = recipeKeys();
    const QStringList gradients = {"a.bmp", "b.bmp"};

    auto checkRanges = [&](TerrainRecipe& recipe, int round) {
        SCOPED_TRACE(round);
        for (const RecipeKey& key : keys) {
            const int value = key.isText() ? 0 : *key.number(recipe);
            const bool ranged = key.kind == KeyKind::Number || key.kind == KeyKind::NoiseSize;
            EXPECT_TRUE(ranged ? value >= key.minimum && value <= key.maximum
                               : key.kind != KeyKind::CheckState || value == 0 || value == 2)
                << key.name.toStdString() << " = " << value;
        }
        EXPECT_TRUE(gradients.contains(recipe.gradient1) ||
                    recipe.gradient1 == TerrainRecipe::kDefaultGradient);
    };

    for (int round = 0; round < 150; ++round) {
        QByteArray text;
        for (int i = 1 + pick(40); i > 0; --i) {
            switch (pick(6)) {
            case 0: text += '='; break;
            case 1: text += pick(2) ? "\n" : "\r\n"; break;
            case 2:
                for (int n = pick(12); n > 0; --n)
                    text += char(pick(256));
                break;
            default:
                text += keys[size_t(pick(int(keys.size())))].name.toUtf8();
                text += QByteArray(pick(3), '=');
                if (pick(2))
                    text += '-';
                for (int n = pick(25); n > 0; --n)
                    text += char('0' + pick(10));
                if (pick(4) == 0)
                    text += char(pick(256));
                text += '\n';
            }
        }
        TerrainRecipe recipe;
        EXPECT_TRUE(read(text, recipe, userOptions(gradients), RecordingNotifier()).opened);
        checkRanges(recipe, round);
    }

    // Huge lines and keys, NUL bytes, invalid UTF-8.
    TerrainRecipe recipe;
    read("I1octaves=" + QByteArray(10 * 1024 * 1024, '7') + "\n", recipe);
    EXPECT_EQ(recipe.inputs[0].octaves, 30);
    read(QByteArray(10 * 1024 * 1024, 'k') + "=5\nI1quality=1\n", recipe);
    EXPECT_EQ(recipe.inputs[0].quality, 1);
    recipe.inputs[0].quality = 3;
    read(bytes("I1quality=\0" "3\n"), recipe); // NUL ends the number: 0, clamped
    EXPECT_EQ(recipe.inputs[0].quality, 1);
    recipe.inputs[0].quality = 2;
    read(bytes("I1quality\0=3\n\0\0=\0\n"), recipe); // the key holds a NUL: unknown
    EXPECT_EQ(recipe.inputs[0].quality, 2);
    read("gradient1=\xff\xfe\xc3(.bmp\nI1NoiseImageFile=\xc0\xaf\xed\xa0\x80\n", recipe,
         userOptions(gradients), RecordingNotifier());
    EXPECT_EQ(recipe.gradient1, "a.bmp");
    EXPECT_FALSE(recipe.inputs[0].noiseImageFile.isEmpty());
    checkRanges(recipe, -1);
}

TEST(PresetFile, UnreadableFilesChangeNothingAndFailedWritesKeepTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString& path : {dir.filePath("missing.txt"), dir.path()}) {
        TerrainRecipe recipe = fullRecipe();
        RecordingNotifier notifier;
        EXPECT_FALSE(readPresetFile(path, recipe, userOptions(), notifier).opened);
        EXPECT_TRUE(recipe == fullRecipe() && notifier.messages.empty()) << path.toStdString();
    }
    EXPECT_FALSE(writePresetFile(fullRecipe(), dir.filePath("no/such/folder/p.txt")));

    const QString path = dir.filePath("p.txt");
    TerrainRecipe second;
    second.inputs[0].octaves = 12;
    ASSERT_TRUE(writePresetFile(fullRecipe(), path));
    ASSERT_TRUE(writePresetFile(second, path)); // replaces

    // A name the line format cannot carry would read back different: the
    // save is refused and the old file stays.
    for (const QString& name : {QString("/data/a=b.png"), QString("x.png\r")}) {
        TerrainRecipe bad = second;
        bad.combiner.noiseImageFile = name;
        EXPECT_FALSE(presetCanStore(bad));
        EXPECT_FALSE(writePresetFile(bad, path));
        EXPECT_EQ(readFile(path), presetText(second));
    }
    EXPECT_TRUE(presetCanStore(second));

    // Even the bare text never lets a name add lines.
    TerrainRecipe injected;
    injected.inputs[0].noiseImageFile = "x.png\nI1octaves=30\r\nstartX=9";
    const QByteArray text = presetText(injected);
    EXPECT_EQ(text.count('\n'), 70);
    TerrainRecipe back;
    read(text, back);
    EXPECT_EQ(std::make_pair(back.inputs[0].octaves, back.startX), std::make_pair(4, 0));
}

// Scaled, not cropped: both halves of the picture are still there.
TEST(PresetFile, ThumbnailIsA128SquareJpeg) {
    QTemporaryDir dir;
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(QColor(220, 30, 30));
    QPainter(&picture).fillRect(150, 0, 150, 200, QColor(30, 30, 220));
    const QString source = dir.filePath("TFFnoisePreview.jpg"), thumbnail = dir.filePath("p.jpg");
    ASSERT_TRUE(picture.save(source, "JPG", 95));
    ASSERT_TRUE(writePresetThumbnail(source, thumbnail));
    QImageReader reader(thumbnail);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage back = reader.read();
    ASSERT_EQ(back.size(), QSize(128, 128));
    EXPECT_GT(qRed(back.pixel(30, 64)), 180);
    EXPECT_GT(qBlue(back.pixel(98, 64)), 180);
    EXPECT_FALSE(writePresetThumbnail(dir.filePath("absent.jpg"), dir.filePath("t.jpg")));
    EXPECT_FALSE(QFile::exists(dir.filePath("t.jpg")));
    EXPECT_FALSE(writePresetThumbnail(source, dir.filePath("no/folder/t.jpg")));
}
