// Renders a few noise modules through the builder and renderers into
// pictures, so a fresh checkout shows what the noise layer makes before
// the host and its window exist.

#include "noise/combiners.h"
#include "noise/generator_variants.h"
#include "noise/jpeg_writer.h"
#include "noise/noise_map_builder.h"
#include "noise/pitted.h"
#include "noise/renderer_image.h"
#include "noise/renderer_normal_map.h"
#include "noise/round_edge.h"

#include <libnoise/exception.h>
#include <libnoise/module/billow.h>
#include <libnoise/module/voronoi.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

using namespace noise::utils;

struct Demo {
    QString name;
    const noise::module::Module* module;
    QString gradient;
};

bool renderDemo(const Demo& demo, const QDir& out, const QDir& gradients, QTextStream& log) {
    NoiseMap map;
    NoiseMapBuilderPlane builder;
    builder.SetSourceModule(*demo.module);
    builder.SetDestNoiseMap(map);
    builder.SetDestSize(512, 512);
    builder.SetBounds(0.0, 4.0, 0.0, 4.0);
    builder.Build();

    Image image;
    RendererImage renderer;
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.Render();
    JpegWriter writer;
    writer.SetSourceImage(image);
    writer.SetDestFilename(out.filePath("H" + demo.name + ".jpg"));
    bool ok = writer.WriteDestFile();

    const QString gradientFile = gradients.filePath(demo.gradient);
    if (!QFileInfo::exists(gradientFile))
        log << "gradient missing, keeping greyscale: " << gradientFile << "\n";
    else
        renderer.LoadGradientFromImage(gradientFile);
    renderer.EnableLight(true);
    renderer.SetLightContrast(2.0);
    renderer.Render();
    writer.SetDestFilename(out.filePath("T" + demo.name + ".jpg"));
    ok = writer.WriteDestFile() && ok;

    Image normals;
    normals.SetSize(map.GetWidth(), map.GetHeight());
    RendererNormalMap normalRenderer;
    normalRenderer.SetSourceNoiseMap(map);
    normalRenderer.SetDestImage(normals);
    normalRenderer.SetBumpHeight(8.0);
    normalRenderer.Render();
    writer.SetSourceImage(normals);
    writer.SetDestFilename(out.filePath("N" + demo.name + ".jpg"));
    ok = writer.WriteDestFile() && ok;

    log << (ok ? "wrote " : "FAILED ") << demo.name << "\n";
    log.flush();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream log(stdout);
    const QStringList args = app.arguments();
    const QString outDir = args.size() > 1 ? args[1] : QDir::temp().filePath("morvane-demo");
    const QString pxDir = args.size() > 2 ? args[2] : QStringLiteral(MORVANE_DEFAULT_PX_DIR);
    if (!QDir().mkpath(outDir)) {
        log << "cannot create the output folder " << outDir << "\n";
        return 1;
    }
    const QDir out(outDir);
    const QDir gradients(QDir(pxDir).filePath("resources/gradients"));

    morvane::module::Perlin perlin;
    perlin.SetOctaveCount(8);
    noise::module::Billow billow;
    billow.SetSeed(3);
    morvane::module::RidgedMulti ridged;
    ridged.SetOffset(1.0);
    ridged.SetGain(2.0);
    morvane::module::Pitted pitted;
    pitted.SetFrequency(0.5);
    pitted.SetBandwidth(0.05f);
    pitted.SetImpulsesPerKernel(16.0f);
    noise::module::Voronoi voronoi;
    voronoi.EnableDistance(true);
    morvane::module::RoundEdge tile;
    tile.SetSourceModule(0, ridged);
    tile.SetEdgeLength(4.0);
    morvane::module::Multiply mix;
    mix.SetSourceModule(0, perlin);
    mix.SetSourceModule(1, billow);

    const Demo demos[] = {
        {"perlin", &perlin, "alpine.bmp"},
        {"billow", &billow, "moss.bmp"},
        {"ridged", &ridged, "australia 2.bmp"},
        {"pitted", &pitted, "volcanic.bmp"},
        {"voronoi", &voronoi, "canyon.bmp"},
        {"roundedge", &tile, "arctic.bmp"},
        {"multiply", &mix, "tropical.bmp"},
    };
    bool ok = true;
    try {
        for (const Demo& demo : demos)
            ok = renderDemo(demo, out, gradients, log) && ok;
    } catch (const noise::ExceptionOutOfMemory&) {
        log << "FAILED: out of memory\n";
        return 1;
    } catch (const noise::Exception&) {
        log << "FAILED: the noise layer refused a setting\n";
        return 1;
    }
    log << "pictures in " << QDir(outDir).absolutePath() << "\n";
    return ok ? 0 : 1;
}
