#include "recipe/preset_file.h"

#include "common/notifier.h"
#include "recipe/recipe_keys.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <climits>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace morvane;

namespace {

const QString kGradientTitle = QStringLiteral("Error");
const QString kGradientText = QStringLiteral("Gradient file not found, defaulting to first one");

class RecordingNotifier : public Notifier {
public:
    void warn(const QString& title, const QString& text) override {
        messages.emplace_back(title, text);
    }
    std::vector<std::pair<QString, QString>> messages;
};

// Every field away from its default and inside its control's range. The
// input types are ones that leave the window free, so reading the preset
// back does not pin startX/startY.
TerrainRecipe fullRecipe() {
    TerrainRecipe r;
    r.noiseSize = 37;
    r.startX = -5;
    r.startY = 7;
    r.gradient1 = "desert.bmp";
    r.gradient2 = "black and white.bmp";

    InputNode& a = r.inputs[0];
    a.type = 5;
    a.seedNumber = INT_MIN;
    a.frequency = 37;
    a.lacunarity = 22;
    a.quality = 3;
    a.octaves = 12;
    a.persistence = 8;
    a.displacement = 45;
    a.noiseImageFile = QString::fromUtf8("/tmp/Gelände/höhe.png");
    a.multiFractalOffset = -40;
    a.multiFractalGain = -150;
    a.multiFractalWeight = 60;
    a.gaborAnisotropic = 2;

    InputNode& b = r.inputs[1];
    b.type = 7;
    b.seedNumber = INT_MAX;
    b.frequency = 64;
    b.lacunarity = 50;
    b.quality = 1;
    b.octaves = 30;
    b.persistence = 3;
    b.displacement = 100;
    b.noiseImageFile.clear();
    b.multiFractalOffset = 25;
    b.multiFractalGain = -1;
    b.multiFractalWeight = 0;
    b.gaborAnisotropic = 2;

    DeformerNode& d = r.deformers[0];
    d.type = 2;
    d.clampLow = -60;
    d.clampHigh = 75;
    d.curve = 16;
    d.exponent = 3;
    d.scaleBiasLow = -25;
    d.scaleBiasHigh = 480;
    d.terrace = 15;

    DeformerNode& e = r.deformers[1];
    e.type = 7;
    e.clampLow = -20;
    e.clampHigh = 90;
    e.curve = 3;
    e.exponent = 100;
    e.scaleBiasLow = 100;
    e.scaleBiasHigh = -500;
    e.terrace = 9;

    CombinerNode& c = r.combiner;
    c.terrainType = 6;
    c.noiseType = 4;
    c.seedNumber = 16;
    c.frequency = 160;
    c.lacunarity = 1;
    c.quality = 1;
    c.octaves = 2;
    c.persistence = 10;
    c.displacement = 7;
    c.falloff = -100;
    c.noiseImageFile = QString::fromUtf8("Bilder/Ölfeld.png");

    r.turbulence.frequency = -33;
    r.turbulence.power = 250;
    r.turbulence.roughness = 29;
    r.turbulence.seed = -77;

    r.erosion.type = 3;
    r.erosion.iterations = 1000;
    r.erosion.rain = 55;
    r.erosion.solubility = 2;
    r.erosion.evaporation = 150;
    r.erosion.capacity = 99;
    return r;
}

// fullRecipe() as the preset file must hold it, written out by hand.
const char* const kFullRecipeText = "noiseSize=37\n"
                                    "startX=-5\n"
                                    "startY=7\n"
                                    "gradient1=desert.bmp\n"
                                    "gradient2=black and white.bmp\n"
                                    "I1Type=5\n"
                                    "I1seedNumber=-2147483648\n"
                                    "I1frequency=37\n"
                                    "I1lacunarity=22\n"
                                    "I1quality=3\n"
                                    "I1octaves=12\n"
                                    "I1persistence=8\n"
                                    "I1displacement=45\n"
                                    "I1NoiseImageFile=/tmp/Gelände/höhe.png\n"
                                    "I1MultiFractalOffset=-40\n"
                                    "I1MultiFractalGain=-150\n"
                                    "I1MultiFractalWeight=60\n"
                                    "I1GaborAnisotropic=2\n"
                                    "I2Type=7\n"
                                    "I2seedNumber=2147483647\n"
                                    "I2frequency=64\n"
                                    "I2lacunarity=50\n"
                                    "I2quality=1\n"
                                    "I2octaves=30\n"
                                    "I2persistence=3\n"
                                    "I2displacement=100\n"
                                    "I2NoiseImageFile=none\n"
                                    "I2MultiFractalOffset=25\n"
                                    "I2MultiFractalGain=-1\n"
                                    "I2MultiFractalWeight=0\n"
                                    "I2GaborAnisotropic=2\n"
                                    "D1Type=2\n"
                                    "D1ClampLow=-60\n"
                                    "D1ClampHigh=75\n"
                                    "D1Curve=16\n"
                                    "D1Exponent=3\n"
                                    "D1RoundEdge=37\n"
                                    "D1ScaleBiasLow=-25\n"
                                    "D1ScaleBiasHigh=480\n"
                                    "D1Terrace=15\n"
                                    "D2Type=7\n"
                                    "D2ClampLow=-20\n"
                                    "D2ClampHigh=90\n"
                                    "D2Curve=3\n"
                                    "D2Exponent=100\n"
                                    "D2RoundEdge=37\n"
                                    "D2ScaleBiasLow=100\n"
                                    "D2ScaleBiasHigh=-500\n"
                                    "D2Terrace=9\n"
                                    "C1TerrainType=6\n"
                                    "C1NoiseType=4\n"
                                    "C1seedNumber=16\n"
                                    "C1frequency=160\n"
                                    "C1lacunarity=1\n"
                                    "C1quality=1\n"
                                    "C1octaves=2\n"
                                    "C1persistence=10\n"
                                    "C1displacement=7\n"
                                    "C1falloff=-100\n"
                                    "C1NoiseImageFile=Bilder/Ölfeld.png\n"
                                    "T1frequency=-33\n"
                                    "T1power=250\n"
                                    "T1roughness=29\n"
                                    "T1seed=-77\n"
                                    "erosionType=3\n"
                                    "erosionIterations=1000\n"
                                    "erosionRain=55\n"
                                    "erosionSolubility=2\n"
                                    "erosionEvaporation=150\n"
                                    "erosionCapacity=99\n";

PresetReadOptions userOptions(QStringList gradients = {}) {
    PresetReadOptions options;
    options.type = PresetType::User;
    options.gradientNames = std::move(gradients);
    return options;
}

PresetReadResult read(const QByteArray& text, TerrainRecipe& recipe,
                      const PresetReadOptions& options = userOptions()) {
    NullNotifier quiet;
    return readPresetText(text, recipe, options, quiet);
}

std::string show(const QByteArray& bytes) { return bytes.toStdString(); }

// A literal with its NUL bytes kept.
template <size_t N> QByteArray bytes(const char (&literal)[N]) {
    return QByteArray(literal, int(N - 1));
}

} // namespace

TEST(PresetFile, WritesEveryKeyInOrderAndReadsBackTheSameRecipe) {
    const TerrainRecipe full = fullRecipe();
    const TerrainRecipe defaults;
    // Guards the round trip against fields the fixture forgot: every number
    // key must differ from a default recipe.
    for (const RecipeKey& key : recipeKeys()) {
        if (key.isText())
            continue;
        EXPECT_NE(*key.number(const_cast<TerrainRecipe&>(full)),
                  *key.number(const_cast<TerrainRecipe&>(defaults)))
            << key.name.toStdString();
    }

    const QByteArray text = presetText(full);
    EXPECT_EQ(show(text), std::string(kFullRecipeText));

    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 71); // 70 lines, each ended by "\n"
    EXPECT_TRUE(lines.last().isEmpty());
    ASSERT_EQ(recipeKeys().size(), 70u);
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(show(lines[i].left(lines[i].indexOf('='))), recipeKeys()[i].name.toStdString())
            << "line " << i;

    TerrainRecipe back;
    RecordingNotifier notifier;
    const PresetReadResult result = readPresetText(
        text, back, userOptions({"australia 2.bmp", "black and white.bmp", "desert.bmp"}),
        notifier);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.linesApplied, 70);
    EXPECT_FALSE(result.gradient1Missing);
    EXPECT_FALSE(result.gradient2Missing);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_TRUE(back == full);
    EXPECT_EQ(back.inputs[0].noiseImageFile, QString::fromUtf8("/tmp/Gelände/höhe.png"));
    EXPECT_TRUE(back.inputs[1].noiseImageFile.isEmpty());

    // The same through a file on disk.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("full.txt");
    ASSERT_TRUE(writePresetFile(full, path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(show(file.readAll()), std::string(kFullRecipeText));
    file.close();
    TerrainRecipe fromFile;
    const PresetReadResult fileResult = readPresetFile(
        path, fromFile, userOptions({"australia 2.bmp", "black and white.bmp", "desert.bmp"}),
        notifier);
    EXPECT_TRUE(fileResult.opened);
    EXPECT_TRUE(fromFile == full);
}

TEST(PresetFile, NoiseSizeAndRoundEdgeLinesAllSetTheNoiseSize) {
    TerrainRecipe recipe;
    read("noiseSize=100\nD1RoundEdge=200\n", recipe);
    EXPECT_EQ(recipe.noiseSize, 200);
    read("D2RoundEdge=9\nnoiseSize=12\n", recipe);
    EXPECT_EQ(recipe.noiseSize, 12);
    read("D1RoundEdge=600\n", recipe);
    EXPECT_EQ(recipe.noiseSize, 512);
    read("D2RoundEdge=-3\n", recipe);
    EXPECT_EQ(recipe.noiseSize, 1);
    read("noiseSize=0\n", recipe);
    EXPECT_EQ(recipe.noiseSize, 1);

    TerrainRecipe r;
    r.noiseSize = 256;
    const QByteArray text = presetText(r);
    EXPECT_TRUE(text.contains("\nnoiseSize=256\n") || text.startsWith("noiseSize=256\n"));
    EXPECT_TRUE(text.contains("\nD1RoundEdge=256\n"));
    EXPECT_TRUE(text.contains("\nD2RoundEdge=256\n"));
}

TEST(PresetFile, ParsesLinesAndValuesTheAtoiWay) {
    struct Case {
        const char* line;
        std::function<int&(TerrainRecipe&)> field;
        int before;
        int expected;
    };
    auto i1octaves = [](TerrainRecipe& r) -> int& { return r.inputs[0].octaves; };
    auto i1frequency = [](TerrainRecipe& r) -> int& { return r.inputs[0].frequency; };
    auto i1seed = [](TerrainRecipe& r) -> int& { return r.inputs[0].seedNumber; };
    auto d1curve = [](TerrainRecipe& r) -> int& { return r.deformers[0].curve; };
    auto aniso = [](TerrainRecipe& r) -> int& { return r.inputs[0].gaborAnisotropic; };
    auto startX = [](TerrainRecipe& r) -> int& { return r.startX; };
    auto t1seed = [](TerrainRecipe& r) -> int& { return r.turbulence.seed; };
    auto d2terrace = [](TerrainRecipe& r) -> int& { return r.deformers[1].terrace; };
    const std::vector<Case> cases = {
        {"I1frequency=\n", i1frequency, 50, 1},
        {"I1frequency=  -7abc\n", i1frequency, 50, 1},
        {"I1frequency=\t42 \n", i1frequency, 50, 42},
        {"I1octaves=99\n", i1octaves, 4, 30},
        {"I1octaves=0\n", i1octaves, 4, 1},
        {"I1seedNumber=123456\n", i1seed, 5, 123456},
        {"I1seedNumber=+12\n", i1seed, 5, 12},
        {"I1seedNumber=1 2\n", i1seed, 5, 1},
        {"I1seedNumber=-\n", i1seed, 5, 0},
        {"I1seedNumber=\n", i1seed, 5, 0},
        {"I1seedNumber=--5\n", i1seed, 5, 0},
        {"D1Curve=x5\n", d1curve, 9, 0},
        {"D1Curve=40\n", d1curve, 9, 40},
        {"D2Terrace=-3\n", d2terrace, 9, -3},
        {"startX=99999999999999\n", startX, 3, 32},
        {"startX=-99999999999999\n", startX, 3, -32},
        {"startX=-32\n", startX, 3, -32},
        {"T1seed=-2147483649\n", t1seed, 3, INT_MIN},
        {"T1seed=99999999999999999999999\n", t1seed, 3, INT_MAX},
        {"T1seed=0000000000000000000000000017\n", t1seed, 3, 17},
        {"==I1octaves==7\n", i1octaves, 4, 7},
        {"I1octaves=5=9\n", i1octaves, 4, 5},
        {"I1octaves==6\n", i1octaves, 4, 6},
        {"=I1octaves\n", i1octaves, 4, 1}, // the value is missing: 0, clamped
        {"I1octaves=7\r\n", i1octaves, 4, 7},
        {"I1octaves=8", i1octaves, 4, 8}, // no line end on the last line
        {"I1octaves=8\r", i1octaves, 4, 8},
        {"i1octaves=7\n", i1octaves, 4, 4},
        {"I1Octaves=7\n", i1octaves, 4, 4},
        {" I1octaves=7\n", i1octaves, 4, 4},
        {"I1octaves =7\n", i1octaves, 4, 4},
        {"I1octaves 7\n", i1octaves, 4, 4},
        {"I1GaborAnisotropic=7\n", aniso, 0, 2},
        {"I1GaborAnisotropic=-1\n", aniso, 0, 2},
        {"I1GaborAnisotropic=1\n", aniso, 0, 2},
        {"I1GaborAnisotropic=0\n", aniso, 2, 0},
        {"I1GaborAnisotropic=abc\n", aniso, 2, 0},
    };
    for (const Case& c : cases) {
        TerrainRecipe recipe;
        c.field(recipe) = c.before;
        read(c.line, recipe);
        EXPECT_EQ(c.field(recipe), c.expected) << "line: " << c.line;
    }

    TerrainRecipe recipe;
    const QByteArray text = "I1octaves=3\r\n"
                            "unknownKey=5\r\n"
                            "I1lacunarity 40\r\n"
                            "i1octaves=7\r\n"
                            "\r\n"
                            "==\r\n"
                            "gradient1=b.bmp\r\n"
                            "I1octaves=9\r\n"
                            "I1persistence=2";
    const PresetReadResult result = read(text, recipe, userOptions({"a.bmp", "b.bmp"}));
    EXPECT_EQ(recipe.inputs[0].octaves, 9);
    EXPECT_EQ(recipe.inputs[0].lacunarity, 15);
    EXPECT_EQ(recipe.inputs[0].persistence, 2);
    EXPECT_EQ(recipe.gradient1, "b.bmp"); // the CR is not part of the name
    EXPECT_FALSE(result.gradient1Missing);
    EXPECT_EQ(result.linesApplied, 4);
}

TEST(PresetFile, AtoiSaturatesAndStopsAtTheFirstNonDigit) {
    EXPECT_EQ(presetAtoi("2147483647"), INT_MAX);
    EXPECT_EQ(presetAtoi("2147483648"), INT_MAX);
    EXPECT_EQ(presetAtoi("-2147483648"), INT_MIN);
    EXPECT_EQ(presetAtoi("-2147483649"), INT_MIN);
    EXPECT_EQ(presetAtoi("-99999999999999999999999999999999"), INT_MIN);
    EXPECT_EQ(presetAtoi(QByteArray(5000, '9')), INT_MAX);
    EXPECT_EQ(presetAtoi(""), 0);
    EXPECT_EQ(presetAtoi(" \t\v\f\r-0012x"), -12);
    EXPECT_EQ(presetAtoi("+-5"), 0);
    EXPECT_EQ(presetAtoi("x12"), 0);
    EXPECT_EQ(presetAtoi("12.9"), 12);
    EXPECT_EQ(presetAtoi(bytes("7\0" "8")), 7);
}

TEST(PresetFile, UnknownGradientFallsBackToTheFirstWithOneWarningPerLine) {
    const PresetReadOptions options = userOptions({"a.bmp", "black and white.bmp", "b.bmp"});
    {
        TerrainRecipe recipe;
        RecordingNotifier notifier;
        const PresetReadResult result =
            readPresetText("gradient1=b.bmp\ngradient2=zzz.bmp\n", recipe, options, notifier);
        EXPECT_EQ(recipe.gradient1, "b.bmp");
        EXPECT_EQ(recipe.gradient2, "a.bmp");
        EXPECT_FALSE(result.gradient1Missing);
        EXPECT_TRUE(result.gradient2Missing);
        ASSERT_EQ(notifier.messages.size(), 1u);
        EXPECT_EQ(notifier.messages[0].first, kGradientTitle);
        EXPECT_EQ(notifier.messages[0].second, kGradientText);
    }
    {
        TerrainRecipe recipe;
        RecordingNotifier notifier;
        const PresetReadResult result = readPresetText(
            "gradient1=B.bmp\ngradient2=black and white\n", recipe, options, notifier);
        EXPECT_EQ(recipe.gradient1, "a.bmp");
        EXPECT_EQ(recipe.gradient2, "a.bmp");
        EXPECT_TRUE(result.gradient1Missing);
        EXPECT_TRUE(result.gradient2Missing);
        ASSERT_EQ(notifier.messages.size(), 2u);
        for (const auto& message : notifier.messages) {
            EXPECT_EQ(message.first, kGradientTitle);
            EXPECT_EQ(message.second, kGradientText);
        }
    }
    {
        // No gradient files at all: the names stay, the warning still comes.
        TerrainRecipe recipe;
        RecordingNotifier notifier;
        const PresetReadResult result =
            readPresetText("gradient1=b.bmp\n", recipe, userOptions(), notifier);
        EXPECT_EQ(recipe.gradient1, TerrainRecipe::kDefaultGradient);
        EXPECT_TRUE(result.gradient1Missing);
        EXPECT_FALSE(result.gradient2Missing);
        EXPECT_EQ(notifier.messages.size(), 1u);
    }
}

TEST(PresetFile, ImageNamesKeepResolveOrReplace) {
    TerrainRecipe recipe;
    recipe.inputs[0].noiseImageFile = "old1.png";
    recipe.inputs[1].noiseImageFile = "old2.png";
    recipe.combiner.noiseImageFile = "old3.png";
    read("I1NoiseImageFile=none\n"
         "I2NoiseImageFile=/x/Gel\xc3\xa4nde.png\n"
         "C1NoiseImageFile=None\n",
         recipe);
    EXPECT_EQ(recipe.inputs[0].noiseImageFile, "old1.png");
    EXPECT_EQ(recipe.inputs[1].noiseImageFile, QString::fromUtf8("/x/Gelände.png"));
    EXPECT_EQ(recipe.combiner.noiseImageFile, "None");
    read("C1NoiseImageFile=x.png==y.png\n", recipe); // the value ends at the next "="
    EXPECT_EQ(recipe.combiner.noiseImageFile, "x.png");

    PresetReadOptions native;
    native.type = PresetType::Native;
    native.nativePresetsDir = "/opt/plugins/morvanePX/presets";
    TerrainRecipe nativeRecipe;
    nativeRecipe.inputs[0].noiseImageFile = "keep.png";
    nativeRecipe.inputs[1].noiseImageFile = "old.png";
    read("I1NoiseImageFile=none\n"
         "I2NoiseImageFile=rocks/cliff.png\n"
         "C1NoiseImageFile=dunes.png\n"
         "I2NoiseImageFile=\n",
         nativeRecipe, native);
    EXPECT_EQ(nativeRecipe.inputs[0].noiseImageFile, "keep.png");
    // An empty value clears the name instead of naming the folder.
    EXPECT_EQ(nativeRecipe.inputs[1].noiseImageFile, "");
    EXPECT_EQ(nativeRecipe.combiner.noiseImageFile, "/opt/plugins/morvanePX/presets/dunes.png");

    read("I2NoiseImageFile=rocks/cliff.png\n", nativeRecipe, native);
    EXPECT_EQ(nativeRecipe.inputs[1].noiseImageFile,
              "/opt/plugins/morvanePX/presets/rocks/cliff.png");
}

TEST(PresetFile, InputTypeChangePinsTheWindow) {
    {
        TerrainRecipe recipe; // INPUT 1 starts as Flat
        read("startX=5\nstartY=-3\nnoiseSize=100\nI1Type=9\n", recipe);
        EXPECT_EQ(recipe.inputs[0].type, 9);
        EXPECT_EQ(recipe.noiseSize, 4);
        EXPECT_EQ(recipe.startX, 0);
        EXPECT_EQ(recipe.startY, 0);
    }
    {
        TerrainRecipe recipe;
        recipe.inputs[1].type = 5;
        recipe.startX = 5;
        recipe.noiseSize = 64;
        read("I2Type=5\n", recipe);
        EXPECT_EQ(recipe.startX, 5);
        EXPECT_EQ(recipe.noiseSize, 64);
    }
    {
        // Clamped to Image, which it already is: no change, no pin.
        TerrainRecipe recipe;
        recipe.inputs[0].type = 9;
        recipe.startX = 6;
        recipe.noiseSize = 64;
        read("I1Type=99\n", recipe);
        EXPECT_EQ(recipe.inputs[0].type, 9);
        EXPECT_EQ(recipe.startX, 6);
        EXPECT_EQ(recipe.noiseSize, 64);
    }
    {
        // Clamped to Image from another type: pinned.
        TerrainRecipe recipe;
        recipe.inputs[1].type = 3;
        recipe.startY = 6;
        recipe.noiseSize = 64;
        read("I2Type=99\n", recipe);
        EXPECT_EQ(recipe.inputs[1].type, 9);
        EXPECT_EQ(recipe.startY, 0);
        EXPECT_EQ(recipe.noiseSize, 4);
    }
    {
        TerrainRecipe recipe;
        recipe.inputs[0].type = 5;
        recipe.startX = 6;
        recipe.startY = -2;
        recipe.noiseSize = 64;
        read("I1Type=0\n", recipe); // Flat zeroes the start only
        EXPECT_EQ(recipe.startX, 0);
        EXPECT_EQ(recipe.startY, 0);
        EXPECT_EQ(recipe.noiseSize, 64);
        recipe.startX = 7;
        read("I1Type=3\n", recipe); // a free type keeps the window
        EXPECT_EQ(recipe.inputs[0].type, 3);
        EXPECT_EQ(recipe.startX, 7);
        EXPECT_EQ(recipe.noiseSize, 64);
    }
    {
        // The control noise's type is not an input type.
        TerrainRecipe recipe;
        recipe.startX = 8;
        read("C1NoiseType=9\n", recipe);
        EXPECT_EQ(recipe.combiner.noiseType, 9);
        EXPECT_EQ(recipe.startX, 8);
    }
}

TEST(PresetFile, KeysTheFileDoesNotNameKeepTheirValues) {
    TerrainRecipe recipe = fullRecipe();
    TerrainRecipe expected = fullRecipe();
    expected.inputs[0].octaves = 20;
    expected.erosion.rain = 1;
    const PresetReadResult result = read("I1octaves=20\nerosionRain=-4\n", recipe);
    EXPECT_TRUE(recipe == expected);
    EXPECT_EQ(result.linesApplied, 2);

    recipe = fullRecipe();
    read("", recipe);
    EXPECT_TRUE(recipe == fullRecipe());
}

TEST(PresetFile, HostileTextNeverLeavesARange) {
    std::mt19937 random(20240611u);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const std::vector<RecipeKey>& keys = recipeKeys();
    const QStringList gradients = {"a.bmp", "b.bmp"};

    auto checkRanges = [&](TerrainRecipe& recipe, int round) {
        for (const RecipeKey& key : keys) {
            if (key.kind == KeyKind::Number || key.kind == KeyKind::NoiseSize) {
                const int value = *key.number(recipe);
                EXPECT_GE(value, key.minimum) << key.name.toStdString() << " round " << round;
                EXPECT_LE(value, key.maximum) << key.name.toStdString() << " round " << round;
            } else if (key.kind == KeyKind::CheckState) {
                const int value = *key.number(recipe);
                EXPECT_TRUE(value == 0 || value == 2) << key.name.toStdString();
            }
        }
        EXPECT_TRUE(gradients.contains(recipe.gradient1) ||
                    recipe.gradient1 == TerrainRecipe::kDefaultGradient);
    };

    for (int round = 0; round < 300; ++round) {
        QByteArray text;
        const int pieces = 1 + pick(40);
        for (int i = 0; i < pieces; ++i) {
            switch (pick(6)) {
            case 0:
                text += '=';
                break;
            case 1:
                text += pick(2) ? "\n" : "\r\n";
                break;
            case 2:
                for (int n = pick(12); n > 0; --n)
                    text += char(pick(256));
                break;
            default: {
                text += keys[size_t(pick(int(keys.size())))].name.toUtf8();
                text += QByteArray(pick(3), '=');
                if (pick(2))
                    text += '-';
                for (int n = pick(25); n > 0; --n)
                    text += char('0' + pick(10));
                if (pick(4) == 0)
                    text += char(pick(256));
                text += '\n';
                break;
            }
            }
        }
        TerrainRecipe recipe;
        RecordingNotifier notifier;
        const PresetReadResult result =
            readPresetText(text, recipe, userOptions(gradients), notifier);
        EXPECT_TRUE(result.opened);
        checkRanges(recipe, round);
    }

    // Single huge pieces: a 10 MB line, a 10 MB key, NUL bytes, invalid
    // UTF-8 and a key repeated thousands of times.
    TerrainRecipe recipe;
    RecordingNotifier notifier;
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
    readPresetText("gradient1=\xff\xfe\xc3(.bmp\nI1NoiseImageFile=\xc0\xaf\xed\xa0\x80\n", recipe,
                   userOptions(gradients), notifier);
    EXPECT_EQ(recipe.gradient1, "a.bmp");
    EXPECT_FALSE(recipe.inputs[0].noiseImageFile.isEmpty());
    QByteArray repeated;
    for (int i = 0; i < 5000; ++i)
        repeated += "I2octaves=" + QByteArray::number(i % 29 + 1) + "\n";
    repeated += "I2octaves=13\n";
    const PresetReadResult many = read(repeated, recipe);
    EXPECT_EQ(recipe.inputs[1].octaves, 13);
    EXPECT_EQ(many.linesApplied, 5001);
    checkRanges(recipe, -1);
}

TEST(PresetFile, UnreadableFileChangesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TerrainRecipe before = fullRecipe();
    for (const QString& path : {dir.filePath("missing.txt"), dir.path()}) {
        TerrainRecipe recipe = before;
        RecordingNotifier notifier;
        const PresetReadResult result =
            readPresetFile(path, recipe, userOptions({"x.bmp"}), notifier);
        EXPECT_FALSE(result.opened) << path.toStdString();
        EXPECT_EQ(result.linesApplied, 0);
        EXPECT_TRUE(recipe == before);
        EXPECT_TRUE(notifier.messages.empty());
    }
}

TEST(PresetFile, WriteFailuresKeepTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(writePresetFile(fullRecipe(), dir.filePath("no/such/folder/p.txt")));
    EXPECT_FALSE(QFile::exists(dir.filePath("no/such/folder/p.txt")));

    const QString path = dir.filePath("p.txt");
    TerrainRecipe first;
    first.inputs[0].octaves = 11;
    ASSERT_TRUE(writePresetFile(first, path));
    TerrainRecipe second = first;
    second.inputs[0].octaves = 12;
    ASSERT_TRUE(writePresetFile(second, path)); // replaces
    {
        TerrainRecipe back;
        NullNotifier quiet;
        readPresetFile(path, back, userOptions({TerrainRecipe::kDefaultGradient}), quiet);
        EXPECT_TRUE(back == second);
    }

    // A name the line format cannot carry would read back different: the
    // save is refused and the old file stays.
    for (const QString& name : {QString("/data/a=b.png"), QString("x.png\nI1octaves=30"),
                                QString("x.png\r")}) {
        TerrainRecipe bad = second;
        bad.combiner.noiseImageFile = name;
        EXPECT_FALSE(presetCanStore(bad));
        EXPECT_FALSE(writePresetFile(bad, path));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), presetText(second));
    }
    TerrainRecipe badGradient = second;
    badGradient.gradient2 = "x=y.bmp";
    EXPECT_FALSE(presetCanStore(badGradient));
    EXPECT_TRUE(presetCanStore(second));

    // Even the bare text never lets a name add lines.
    TerrainRecipe injected;
    injected.inputs[0].noiseImageFile = "x.png\nI1octaves=30\r\nstartX=9";
    const QByteArray text = presetText(injected);
    EXPECT_EQ(text.count('\n'), 70);
    TerrainRecipe back;
    read(text, back);
    EXPECT_EQ(back.inputs[0].octaves, 4);
    EXPECT_EQ(back.startX, 0);
}

TEST(PresetFile, ThumbnailIsA128SquareJpeg) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(QColor(220, 30, 30));
    {
        QPainter painter(&picture);
        painter.fillRect(150, 0, 150, 200, QColor(30, 30, 220));
    }
    const QString source = dir.filePath("TFFnoisePreview.jpg");
    ASSERT_TRUE(picture.save(source, "JPG", 95));
    const QString thumbnail = dir.filePath("preset.jpg");
    ASSERT_TRUE(writePresetThumbnail(source, thumbnail));

    QImageReader reader(thumbnail);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.width(), 128);
    EXPECT_EQ(back.height(), 128);
    // Scaled, not cropped: both halves of the picture are still there.
    const QRgb left = back.pixel(30, 64);
    const QRgb right = back.pixel(98, 64);
    EXPECT_GT(qRed(left), 180);
    EXPECT_LT(qBlue(left), 80);
    EXPECT_GT(qBlue(right), 180);
    EXPECT_LT(qRed(right), 80);

    EXPECT_FALSE(writePresetThumbnail(dir.filePath("absent.jpg"), dir.filePath("t.jpg")));
    EXPECT_FALSE(QFile::exists(dir.filePath("t.jpg")));
    EXPECT_FALSE(writePresetThumbnail(source, dir.filePath("no/folder/t.jpg")));
}
