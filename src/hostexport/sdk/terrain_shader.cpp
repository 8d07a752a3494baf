#include "hostexport/sdk/terrain_shader.h"

#include "common/event_log.h"
#include "hostexport/host_scene.h"

#include "dzapp.h"
#include "dzbrickmaterial.h"
#include "dzbrickparam.h"
#include "dzclassfactory.h"
#include "dzcolorproperty.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzimagemgr.h"
#include "dzimageproperty.h"
#include "dzshaderbrick.h"

#include <QColor>
#include <QDir>

#include <array>
#include <memory>

namespace morvane {

namespace {

int fail(EventLog& log, const char* message) {
    log.write(QLatin1String(message));
    return -1;
}

// A brick made by the host's factory of that class; null when the host
// has no such factory or it makes something else.
std::unique_ptr<DzShaderBrick> makeBrick(const char* className) {
    const DzClassFactory* factory =
        dzApp ? dzApp->findClassFactory(QLatin1String(className)) : nullptr;
    std::unique_ptr<QObject> made(factory ? factory->createInstance() : nullptr);
    if (auto* brick = qobject_cast<DzShaderBrick*>(made.get())) {
        made.release();
        return std::unique_ptr<DzShaderBrick>(brick);
    }
    return nullptr;
}

DzTexture* texture(const QString& path) {
    return dzApp && dzApp->getImageMgr()
               ? dzApp->getImageMgr()->getImage(QDir::toNativeSeparators(path))
               : nullptr;
}

template <typename P> P* propertyOf(const DzBrickParam* param) {
    return param ? qobject_cast<P*>(param->getProperty()) : nullptr;
}

void connect(DzBrickParam* input, DzBrickParam* output) {
    if (input->accepts(output))
        input->addConnection(output);
}

} // namespace

int buildTerrainShader(DzBrickMaterial* material, const TerrainShaderRequest& request,
                       EventLog& log) {
    log.write(QStringLiteral("creating terrain procedural shader\n"));
    std::array<std::unique_ptr<DzShaderBrick>, 5> bricks;
    const char* classes[5] = {"DzSimpleSurfaceBrick", "DzDefaultMaterialBrick", "DzImageBrick",
                              "DzDisplaceBrick", "DzNormalMapBrick"};
    for (int i = 0; i < 5; ++i)
        bricks[std::size_t(i)] = makeBrick(classes[i]);
    for (const auto& brick : bricks)
        if (!brick || !material)
            return fail(log, "error creating a shader brick\n");
    DzShaderBrick* root = bricks[0].get();
    DzShaderBrick* defaultMaterial = bricks[1].get();
    DzShaderBrick* image = bricks[2].get();
    DzShaderBrick* displace = bricks[3].get();
    DzShaderBrick* normalMap = bricks[4].get();

    DzBrickParam* colorIn = root->findParameterByArg(QStringLiteral("c_in"));
    DzBrickParam* opacityIn = root->findParameterByArg(QStringLiteral("o_in"));
    if (!colorIn || !opacityIn)
        return fail(log, "error finding root parameters\n");

    DzBrickParam* colorOut = defaultMaterial->findParameterByArg(QStringLiteral("ColorOut"));
    DzBrickParam* opacityOut = defaultMaterial->findParameterByArg(QStringLiteral("OpacityOut"));
    DzBrickParam* diffuse = defaultMaterial->findParameterByArg(QStringLiteral("DiffuseColor"));
    DzBrickParam* glossiness = defaultMaterial->findParameterByArg(QStringLiteral("Glossiness"));
    DzBrickParam* specular =
        defaultMaterial->findParameterByArg(QStringLiteral("SpecularStrength"));
    auto* lighting = qobject_cast<DzEnumProperty*>(
        defaultMaterial->findProperty(QStringLiteral("Lighting Model")));
    if (!lighting)
        return fail(log, "error finding lighting model property\n");
    lighting->setValue(4);
    if (!colorOut || !opacityOut || !diffuse || !glossiness || !specular)
        return fail(log, "error finding defaultMat parameters\n");

    auto* glossinessValue = propertyOf<DzFloatProperty>(glossiness);
    if (!glossinessValue)
        return fail(log, "error finding glossiness parameter\n");
    auto* specularValue = propertyOf<DzFloatProperty>(specular);
    if (!specularValue)
        return fail(log, "error finding specular strength parameter\n");
    glossinessValue->setValue(0.95f);
    specularValue->setValue(0.25f);

    DzBrickParam* displaceIn = displace->findParameterByArg(QStringLiteral("n"));
    if (!displaceIn)
        return fail(log, "error finding displace IN parameter\n");
    DzBrickParam* normalOut = normalMap->findParameterByArg(QStringLiteral("nout"));
    if (!normalOut)
        return fail(log, "error finding normal map OUT parameter\n");
    DzBrickParam* normalMapIn = normalMap->findParameterByArg(QStringLiteral("normalmap"));
    if (!normalMapIn)
        return fail(log, "error finding normalmap parameter\n");
    auto* normalImage = propertyOf<DzImageProperty>(normalMapIn);
    if (!normalImage)
        return fail(log, "error finding normal map image parameter\n");
    // Only a chosen size wrote the picture; asking for a missing one would
    // only add a complaint to the host's console.
    if (request.useNormalMap)
        normalImage->setValue(texture(request.normalMapPath));

    auto* type = qobject_cast<DzEnumProperty*>(image->findProperty(QStringLiteral("type")));
    if (!type)
        return fail(log, "error finding type parameter\n");
    type->setValue(QStringLiteral("color"));
    DzBrickParam* outColor = image->findParameterByArg(QStringLiteral("outColor"));
    auto* color = propertyOf<DzColorProperty>(image->findParameterByArg(QStringLiteral("color")));
    if (!outColor || !color)
        return fail(log, "error finding image brick parameter\n");
    color->setMap(texture(request.texturePath));
    color->setColorValue(QColor(255, 255, 255, 255));

    material->beginEdit();
    for (auto* brick : {defaultMaterial, image, normalMap, displace, root})
        material->addBrick(brick);
    for (auto& brick : bricks)
        brick.release(); // the material owns them now
    root->getSettings()->setBoolValue(QStringLiteral("AutoArrange"), true);
    connect(colorIn, colorOut);
    connect(opacityIn, opacityOut);
    connect(diffuse, outColor);
    connect(displaceIn, normalOut);
    material->finishEdit();
    return 0;
}

} // namespace morvane
