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
        "                   with NAME.jpg and, with --normal-map, the normal map\n");
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
        } else if (arg.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("unknown option ") + arg);
        } else if (options.preset.isEmpty()) {
            options.preset = arg;
        } else {
            return fail(QStringLiteral("only one preset can be given"));
        }
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
