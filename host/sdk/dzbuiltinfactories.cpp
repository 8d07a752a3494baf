#include "dzbuiltinfactories.h"

#include "dzapp.h"
#include "dzdefaultmaterialbrick.h"
#include "dzdisplacebrick.h"
#include "dzimagebrick.h"
#include "dznormalmapbrick.h"
#include "dzsimplesurfacebrick.h"
#include "dztclassfactory.h"

namespace {

DzGuid guid(const char* text) {
    return DzGuid::fromString(QString::fromLatin1(text));
}

} // namespace

void dzRegisterBuiltinFactories(DzApp& app) {
    // One set for the process: the factories outlive any application object.
    static DzTClassFactory<DzSimpleSurfaceBrick> surface(guid("6B1C2D3E-0001-4A00-8000-00000000B001"));
    static DzTClassFactory<DzDefaultMaterialBrick> defaultMaterial(
        guid("6B1C2D3E-0002-4A00-8000-00000000B002"));
    static DzTClassFactory<DzImageBrick> image(guid("6B1C2D3E-0003-4A00-8000-00000000B003"));
    static DzTClassFactory<DzNormalMapBrick> normalMap(guid("6B1C2D3E-0004-4A00-8000-00000000B004"));
    static DzTClassFactory<DzDisplaceBrick> displace(guid("6B1C2D3E-0005-4A00-8000-00000000B005"));
    for (DzClassFactory* factory : std::initializer_list<DzClassFactory*>{
             &surface, &defaultMaterial, &image, &normalMap, &displace})
        app.registerClassFactory(factory);
}
