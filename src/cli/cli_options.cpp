#include "cli/cli_options.h"

#include "noise/noise_map.h"

namespace morvane::cli {

QString cliUsage() {
    return QStringLiteral(
        "usage: morvane-cli PRESET.ipf [--size N] [--final] [--full-detail] [--maps DIR]\n"
        "                   [--raw FILE] [--plugin-dir DIR] [--log FILE] [--seed N]\n"
        "                   [--thumbnail FILE] [--threads N]\n"
        "                   [--export NAME --out DIR [--terrain-size S] [--height-low L]\n"
        "                    [--height-up U] [--texture-size T] [--normal-map SIZE] [--bump B]\n"
        "                    [--gltf FILE.glb]]\n"
        "                   [--heightmap16 FILE.png]\n"
        "       morvane-cli [--sky-map FILE.jpg|.png] [--sky-dome FILE] [--sky-size N]\n"
        "                   [--sky-radius R] [--sun-pitch P] [--sun-azimuth A] [--turbidity T]\n"
        "                   [--horizon-luminance V] [--horizon-darkness V]\n"
        "                   [--solar-intensity V] [--solar-width V] [--backscatter V]\n"
        "                   [--gains R,G,B] [--star-intensity I] [--star-population N]\n"
        "                   [--seed S] [--threads N]\n"
        "\n"
        "Evaluates a terrain preset headless and writes its pictures.\n"
        "  --size N         map side in samples (1..32767, default 256)\n"
        "  --final          final build: only the final height and texture pictures\n"
        "  --full-detail    every noise at 30 octaves\n"
        "  --maps DIR       folder for the pictures (default ./maps)\n"
        "  --raw FILE       final height map as little-endian float32, N x N, row 0 first\n"
        "  --plugin-dir DIR the plug-in data folder holding resources/gradients\n"
        "  --log FILE       event log\n"
        "  --seed N         seed for the initial panel seeds (default: the clock)\n"
        "  --thumbnail FILE the preset thumbnail (128 x 128) of the texture\n"
        "  --threads N      sampling threads (default: every core)\n"
        "  --export NAME    build the terrain at 512 and export NAME.obj, NAME.jpg and\n"
        "                   NormalMap_NAME.jpg into the folder given by --out\n"
        "  --terrain-size S side of the terrain in scene units (default 100)\n"
        "  --height-low L   height of the lowest point, -10000..0 (default 0)\n"
        "  --height-up U    height of the highest point, 0..9000 (default 10)\n"
        "  --texture-size T side of the exported texture (default 512)\n"
        "  --normal-map N   side of the normal map (default: none)\n"
        "  --bump B         normal-map bump, 10..5000 (default 1000)\n"
        "  --heightmap16 F  the final height map as a 16-bit greyscale PNG (with --export:\n"
        "                   the map at the texture size)\n"
        "  --gltf FILE      with --export: the terrain also as glTF (.glb or .gltf), textured\n"
        "                   with NAME.jpg and, with --normal-map, the normal map\n"
        "\n"
        "Sky (no preset): the sky map and the viewport's dome for the sky parameters.\n"
        "  --sky-map FILE   square sky map, JPEG of quality 100 (.jpg) or lossless (.png)\n"
        "  --sky-dome FILE  the 128 x 128 dome vertices, lines \"ring segment x y z r g b\"\n"
        "  --sky-size N     side of the map, 1..16384 (default 4096)\n"
        "  --sky-radius R   dome radius (default 50)\n"
        "  --sun-pitch P    degrees above the horizon, 0..90 (default 60)\n"
        "  --sun-azimuth A  degrees, 0..360 (default 0)\n"
        "  --turbidity T    0..10 (default 2)\n"
        "  --horizon-luminance V  -1..1 (default 0)    --horizon-darkness V  0..25 (default 0)\n"
        "  --solar-intensity V    0..10 (default 1.5)  --solar-width V       0..10 (default 0)\n"
        "  --backscatter V        -10..10 (default 0)\n"
        "  --gains R,G,B    colour gains, each 0..3 (default 1.3,1.3,1.2)\n"
        "  --star-intensity I     percent, 0..100 (default 100)\n"
        "  --star-population N    0..30000 (default 3000)\n"
        "  --seed S         seed of the star places (default: random)\n");
}

ParseResult parseCliOptions(const QStringList& arguments) {
    ParseResult result;
    CliOptions options;
    auto fail = [&](const QString& message) {
        result.error = message;
        return result;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        auto value = [&](QString& out) {
            if (i + 1 >= arguments.size())
                return false;
            out = arguments[++i];
            return true;
        };
        auto number = [&](long long lo, long long hi, long long& out) {
            QString text;
            if (!value(text))
                return false;
            bool ok = false;
            out = text.toLongLong(&ok);
            return ok && out >= lo && out <= hi;
        };
        auto real = [&](double lo, double hi, double& out) {
            QString text;
            if (!value(text))
                return false;
            bool ok = false;
            const double v = text.toDouble(&ok);
            if (!ok || !(v >= lo && v <= hi))
                return false;
            out = v;
            return true;
        };
        struct RealOption {
            const char* name;
            double lo, hi;
            double* field;
        };
        const RealOption reals[] = {
            {"--sky-radius", 0.0, 1.0e7, &options.skyRadius},
            {"--sun-pitch", 0.0, 90.0, &options.sky.sunPitch},
            {"--sun-azimuth", 0.0, 360.0, &options.sky.sunAzimuth},
            {"--turbidity", 0.0, 10.0, &options.sky.turbidity},
            {"--horizon-luminance", -1.0, 1.0, &options.sky.horizonLuminance},
            {"--horizon-darkness", 0.0, 25.0, &options.sky.horizonDarkness},
            {"--solar-intensity", 0.0, 10.0, &options.sky.solarRegionIntensity},
            {"--solar-width", 0.0, 10.0, &options.sky.solarRegionWidth},
            {"--backscatter", -10.0, 10.0, &options.sky.backscatterLight},
        };
        const RealOption* realOption = nullptr;
        for (const RealOption& r : reals)
            if (arg == QLatin1String(r.name))
                realOption = &r;
        if (realOption) {
            if (!real(realOption->lo, realOption->hi, *realOption->field))
                return fail(QStringLiteral("%1 needs a number from %2 to %3")
                                .arg(arg)
                                .arg(realOption->lo)
                                .arg(realOption->hi));
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            result.help = true;
            return result;
        } else if (arg == QLatin1String("--final")) {
            options.finalFlag = true;
        } else if (arg == QLatin1String("--full-detail")) {
            options.fullDetail = true;
        } else if (arg == QLatin1String("--size")) {
            long long n = 0;
            if (!number(1, noise::utils::NoiseMap::kMaxSide, n))
                return fail(QStringLiteral("--size needs a number from 1 to 32767"));
            options.size = int(n);
        } else if (arg == QLatin1String("--seed")) {
            long long n = 0;
            if (!number(0, 4294967295LL, n))
                return fail(QStringLiteral("--seed needs a number from 0 to 4294967295"));
            options.seed = unsigned(n);
        } else if (arg == QLatin1String("--threads")) {
            long long n = 0;
            if (!number(0, 64, n))
                return fail(QStringLiteral("--threads needs a number from 0 to 64"));
            options.threads = int(n);
        } else if (arg == QLatin1String("--maps")) {
            if (!value(options.mapsDir))
                return fail(QStringLiteral("--maps needs a folder"));
        } else if (arg == QLatin1String("--raw")) {
            if (!value(options.rawFile))
                return fail(QStringLiteral("--raw needs a file name"));
        } else if (arg == QLatin1String("--plugin-dir")) {
            if (!value(options.pluginDir))
                return fail(QStringLiteral("--plugin-dir needs a folder"));
        } else if (arg == QLatin1String("--log")) {
            if (!value(options.logFile))
                return fail(QStringLiteral("--log needs a file name"));
        } else if (arg == QLatin1String("--thumbnail")) {
            if (!value(options.thumbnailFile))
                return fail(QStringLiteral("--thumbnail needs a file name"));
        } else if (arg == QLatin1String("--export")) {
            if (!value(options.exportName))
                return fail(QStringLiteral("--export needs a terrain name"));
        } else if (arg == QLatin1String("--out")) {
            if (!value(options.outDir))
                return fail(QStringLiteral("--out needs a folder"));
        } else if (arg == QLatin1String("--gltf")) {
            if (!value(options.gltfFile))
                return fail(QStringLiteral("--gltf needs a file name"));
        } else if (arg == QLatin1String("--heightmap16")) {
            if (!value(options.heightmap16File))
                return fail(QStringLiteral("--heightmap16 needs a file name"));
        } else if (arg == QLatin1String("--terrain-size")) {
            long long n = 0;
            if (!number(1, 100000000, n))
                return fail(QStringLiteral("--terrain-size needs a number from 1 to 100000000"));
            options.terrainSize = int(n);
        } else if (arg == QLatin1String("--height-low")) {
            long long n = 0;
            if (!number(-10000, 0, n))
                return fail(QStringLiteral("--height-low needs a number from -10000 to 0"));
            options.heightLow = int(n);
        } else if (arg == QLatin1String("--height-up")) {
            long long n = 0;
            if (!number(0, 9000, n))
                return fail(QStringLiteral("--height-up needs a number from 0 to 9000"));
            options.heightUp = int(n);
        } else if (arg == QLatin1String("--texture-size")) {
            long long n = 0;
            if (!number(16, 16384, n))
                return fail(QStringLiteral("--texture-size needs a number from 16 to 16384"));
            options.textureSize = int(n);
        } else if (arg == QLatin1String("--normal-map")) {
            long long n = 0;
            if (!number(16, 16384, n))
                return fail(QStringLiteral("--normal-map needs a number from 16 to 16384"));
            options.normalMapSize = int(n);
        } else if (arg == QLatin1String("--bump")) {
            long long n = 0;
            if (!number(10, 5000, n))
                return fail(QStringLiteral("--bump needs a number from 10 to 5000"));
            options.bump = int(n);
        } else if (arg == QLatin1String("--sky-map")) {
            if (!value(options.skyMapFile))
                return fail(QStringLiteral("--sky-map needs a file name"));
            const QString lower = options.skyMapFile.toLower();
            if (!lower.endsWith(QLatin1String(".jpg")) && !lower.endsWith(QLatin1String(".png")))
                return fail(QStringLiteral("--sky-map needs a .jpg or .png file"));
        } else if (arg == QLatin1String("--sky-dome")) {
            if (!value(options.skyDomeFile))
                return fail(QStringLiteral("--sky-dome needs a file name"));
        } else if (arg == QLatin1String("--sky-size")) {
            long long n = 0;
            if (!number(1, 16384, n))
                return fail(QStringLiteral("--sky-size needs a number from 1 to 16384"));
            options.skySize = int(n);
        } else if (arg == QLatin1String("--star-intensity")) {
            long long n = 0;
            if (!number(0, 100, n))
                return fail(QStringLiteral("--star-intensity needs a number from 0 to 100"));
            options.sky.starIntensity = int(n);
        } else if (arg == QLatin1String("--star-population")) {
            long long n = 0;
            if (!number(0, 30000, n))
                return fail(QStringLiteral("--star-population needs a number from 0 to 30000"));
            options.sky.starPopulation = int(n);
        } else if (arg == QLatin1String("--gains")) {
            QString text;
            const QStringList parts = value(text) ? text.split(QLatin1Char(',')) : QStringList();
            double gains[3] = {};
            bool ok = parts.size() == 3;
            for (int k = 0; ok && k < 3; ++k) {
                gains[k] = parts[k].trimmed().toDouble(&ok);
                ok = ok && gains[k] >= 0.0 && gains[k] <= 3.0;
            }
            if (!ok)
                return fail(QStringLiteral("--gains needs three numbers from 0 to 3, as R,G,B"));
            options.sky.redGain = gains[0];
            options.sky.greenGain = gains[1];
            options.sky.blueGain = gains[2];
        } else if (arg.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("unknown option ") + arg);
        } else if (options.preset.isEmpty()) {
            options.preset = arg;
        } else {
            return fail(QStringLiteral("only one preset can be given"));
        }
    }
    if (options.skyOnly()) {
        if (!options.preset.isEmpty())
            return fail(QStringLiteral("--sky-map and --sky-dome take no preset"));
        result.options = options;
        return result;
    }
    if (options.preset.isEmpty())
        return fail(QStringLiteral("no preset given"));
    if (!options.exportName.isEmpty() && options.outDir.isEmpty())
        return fail(QStringLiteral("--export needs --out DIR"));
    if (options.exportName.isEmpty() && !options.gltfFile.isEmpty())
        return fail(QStringLiteral("--gltf is only used with --export"));
    if (options.exportName.isEmpty() && !options.outDir.isEmpty())
        return fail(QStringLiteral("--out is only used with --export"));
    result.options = options;
    return result;
}

} // namespace morvane::cli
