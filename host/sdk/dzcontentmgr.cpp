#include "dzcontentmgr.h"

#include "dzapp.h"
#include "dzconsole.h"
#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzfileiosettings.h"
#include "dzimportmgr.h"
#include "dzmaterial.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobjimporter.h"
#include "dzscene.h"

#include "props/pp2_morphs.h"
#include "props/pp2_reader.h"

#include <QFileInfo>

#include <memory>

namespace {

// Prop geometry is in Poser units, as the sample library writes it.
const char* const kPropPreset = "Poser (1 unit = 8ft)";

// Appends `part` to `whole`: materials by group name, the rest shifted by
// the counts already there.
void appendMesh(DzFacetMesh& whole, const DzFacetMesh& part) {
    const int vertexBase = whole.getNumVertices();
    const int uvBase = whole.getNumUVs();
    for (const DzVec3& v : part.getVertices())
        whole.addVertex(v);
    for (int i = 0; i < part.getNumUVs(); ++i)
        whole.addUV(part.getUV(i));
    for (DzFacet facet : part.getFacets()) {
        facet.materialIndex = whole.addMaterialGroup(part.getMaterialGroup(facet.materialIndex));
        facet.faceGroupIndex = whole.addFaceGroup(part.getFaceGroup(facet.faceGroupIndex));
        for (int c = 0; c < facet.cornerCount(); ++c) {
            facet.vertex[c] += vertexBase;
            if (facet.uv[c] >= 0)
                facet.uv[c] += uvBase;
        }
        whole.addFacet(facet);
    }
}

} // namespace

DzContentMgr::DzContentMgr(QObject* parent) : QObject(parent) {}

QString DzContentMgr::getPoserDirectory(int index) const {
    return index >= 0 && index < m_poserDirectories.size() ? m_poserDirectories.at(index)
                                                           : QString();
}

void DzContentMgr::setPoserDirectories(const QStringList& directories) {
    m_poserDirectories = directories;
}

bool DzContentMgr::openFile(const QString& path, bool merge) {
    auto fail = [&](const QString& why) {
        dzConsoleMessage(QStringLiteral("cannot open %1: %2").arg(path, why));
        return false;
    };
    if (!dzApp || !dzApp->getScene())
        return fail(QStringLiteral("no scene"));
    if (QFileInfo(path).suffix().compare(QLatin1String("pp2"), Qt::CaseInsensitive) != 0)
        return fail(QStringLiteral("not a prop file (.pp2)"));
    if (!m_inlineGeometry.isValid())
        return fail(QStringLiteral("no temporary folder for inline geometry"));

    const morvane::Pp2Read read = morvane::readPp2(path, m_inlineGeometry.path());
    if (read.result != morvane::kPp2Loaded)
        return fail(morvane::pp2ProblemText(read.result) +
                    (read.problem.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(read.problem)));

    auto* importer = qobject_cast<DzObjImporter*>(
        dzApp->getImportMgr()->findImporterByClassName(QStringLiteral("DzObjImporter")));
    if (!importer)
        return fail(QStringLiteral("no OBJ importer"));
    DzFileIOSettings settings;
    importer->getDefaultOptions(&settings);
    settings.setStringValue(QStringLiteral("Preset"), QLatin1String(kPropPreset));

    std::unique_ptr<DzFacetShape> shape;
    for (const QString& obj : read.objFiles) {
        std::unique_ptr<DzShape> part(importer->readGeometry(obj, -1, &settings));
        auto* facetPart = qobject_cast<DzFacetShape*>(part.get());
        if (!facetPart)
            return fail(QStringLiteral("its geometry %1 cannot be read").arg(obj));
        if (!shape) {
            shape.reset(facetPart);
            part.release();
            continue;
        }
        appendMesh(*shape->getFacetMesh(), *facetPart->getFacetMesh());
        for (int m = 0; m < facetPart->getNumMaterials(); ++m) {
            DzMaterial* material = facetPart->getMaterial(m);
            bool known = false;
            for (int k = 0; k < shape->getNumMaterials(); ++k)
                known = known || shape->getMaterial(k)->getName() == material->getName();
            if (!known)
                shape->addMaterial(material);
        }
    }

    const QString name = QFileInfo(path).completeBaseName();
    auto* object = new DzObject;
    object->setName(name);
    shape->setName(name);
    object->addShape(shape.release());
    const double unit = DzObjImporter::unitOfPreset(QLatin1String(kPropPreset));
    for (const morvane::Pp2Morph& source : morvane::readPp2Morphs(path)) {
        auto* morph = new DzMorph;
        morph->setName(source.name);
        morph->setLabel(source.name);
        for (int i = 0; i < source.indices.size(); ++i)
            morph->getDeltas()->addDelta(source.indices[i],
                                         DzVec3(source.offsets[i] * float(unit)));
        object->addModifier(morph);
    }

    if (!merge)
        dzApp->getScene()->clear();
    auto* node = new DzNode;
    node->setName(name);
    node->setLabel(name);
    node->setObject(object);
    return dzApp->getScene()->addNode(node);
}
