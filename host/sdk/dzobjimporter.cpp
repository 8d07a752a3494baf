#include "dzobjimporter.h"

#include "dzconsole.h"
#include "dzdefaultmaterial.h"
#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzfileiosettings.h"
#include "dzimagemgr.h"
#include "dzapp.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <QDir>
#include <QFileInfo>

#include <cstring>
#include <map>
#include <tuple>

namespace {

const char* const kDefaultPreset = "DAZ Studio (1 unit = 1cm)";

// Assimp's OBJ reader hands out one vertex per face corner; the facet mesh
// shares them again, by exact value, in the order the faces use them.
template <class Key> struct Welder {
    std::map<Key, int> index;
    template <class Add> int get(const Key& key, Add add) {
        auto it = index.find(key);
        if (it != index.end())
            return it->second;
        const int made = add();
        index.emplace(key, made);
        return made;
    }
};

using PositionKey = std::tuple<quint32, quint32, quint32>;
using UvKey = std::pair<quint32, quint32>;

quint32 bits(float f) {
    if (f == 0.0f)
        f = 0.0f; // -0 and +0 are one position
    quint32 b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

struct ReadOptions {
    double unit = 1.0;
    bool swapYZ = false;
    bool includeG = true;
    bool includeVT = true;
    bool includeUsemtl = true;
    bool includeMtllib = true;
    int groupIndex = -1;
};

class MeshBuilder {
public:
    MeshBuilder(const aiScene& scene, const ReadOptions& options, DzFacetMesh& mesh)
        : m_scene(scene), m_options(options), m_mesh(mesh) {}

    void addNode(const aiNode& node, const QString& group) {
        for (unsigned m = 0; m < node.mNumMeshes; ++m)
            if (node.mMeshes[m] < m_scene.mNumMeshes)
                addMesh(*m_scene.mMeshes[node.mMeshes[m]], group);
    }

private:
    void addMesh(const aiMesh& source, const QString& group) {
        const int faceGroup = m_mesh.addFaceGroup(m_options.includeG ? group : QStringLiteral("default"));
        const int material = m_mesh.addMaterialGroup(materialName(source.mMaterialIndex));
        const bool uvs = m_options.includeVT && source.HasTextureCoords(0);
        for (unsigned f = 0; f < source.mNumFaces; ++f) {
            const aiFace& face = source.mFaces[f];
            if (face.mNumIndices < 3)
                continue; // points and lines have no surface
            QVector<int> vertices, uvIndices;
            for (unsigned c = 0; c < face.mNumIndices; ++c) {
                const unsigned k = face.mIndices[c];
                if (k >= source.mNumVertices)
                    return;
                vertices << vertex(source.mVertices[k]);
                uvIndices << (uvs ? uv(source.mTextureCoords[0][k]) : -1);
            }
            if (m_options.swapYZ) {
                // Swapping two axes mirrors the mesh; reversed corners keep
                // each face facing out.
                std::reverse(vertices.begin(), vertices.end());
                std::reverse(uvIndices.begin(), uvIndices.end());
            }
            // Quads stay quads; larger polygons become fans of triangles.
            const int n = int(vertices.size());
            const int step = n == 4 ? 3 : 1;
            for (int start = 1; start + 1 < n; start += step) {
                DzFacet facet;
                facet.materialIndex = material;
                facet.faceGroupIndex = faceGroup;
                const int corners = n == 4 ? 4 : 3;
                for (int c = 0; c < corners; ++c) {
                    const int at = c == 0 ? 0 : start + c - 1;
                    facet.vertex[c] = vertices[at];
                    facet.uv[c] = uvIndices[at];
                }
                m_mesh.addFacet(facet);
            }
        }
    }

    int vertex(const aiVector3D& p) {
        float x = p.x, y = p.y, z = p.z;
        if (m_options.swapYZ)
            std::swap(y, z);
        const float u = float(m_options.unit);
        return m_positions.get({bits(x), bits(y), bits(z)},
                               [&] { return m_mesh.addVertex(DzVec3(x * u, y * u, z * u)); });
    }

    int uv(const aiVector3D& t) {
        return m_uvs.get({bits(t.x), bits(t.y)},
                         [&] { return m_mesh.addUV(QVector2D(t.x, t.y)); });
    }

    QString materialName(unsigned index) const {
        if (!m_options.includeUsemtl || index >= m_scene.mNumMaterials)
            return QStringLiteral("default");
        aiString name;
        if (m_scene.mMaterials[index]->Get(AI_MATKEY_NAME, name) != AI_SUCCESS || !name.length)
            return QStringLiteral("default");
        return QString::fromUtf8(name.C_Str());
    }

    const aiScene& m_scene;
    const ReadOptions& m_options;
    DzFacetMesh& m_mesh;
    Welder<PositionKey> m_positions;
    Welder<UvKey> m_uvs;
};

void collectGroups(const aiNode& node, QList<const aiNode*>& out) {
    if (node.mNumMeshes > 0)
        out << &node;
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        collectGroups(*node.mChildren[c], out);
}

// Colour and colour map of the material library's entry for `group`.
void applyLibraryMaterial(const aiScene& scene, const QString& group, const QString& folder,
                          DzDefaultMaterial& material) {
    for (unsigned m = 0; m < scene.mNumMaterials; ++m) {
        const aiMaterial& source = *scene.mMaterials[m];
        aiString name;
        if (source.Get(AI_MATKEY_NAME, name) != AI_SUCCESS || QString::fromUtf8(name.C_Str()) != group)
            continue;
        aiColor3D diffuse;
        if (source.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) == AI_SUCCESS)
            material.setDiffuseColor(QColor::fromRgbF(std::clamp(double(diffuse.r), 0.0, 1.0),
                                                      std::clamp(double(diffuse.g), 0.0, 1.0),
                                                      std::clamp(double(diffuse.b), 0.0, 1.0)));
        aiString map;
        if (source.GetTexture(aiTextureType_DIFFUSE, 0, &map) == AI_SUCCESS && dzApp) {
            QString file = QString::fromUtf8(map.C_Str());
            file.replace(QLatin1Char('\\'), QLatin1Char('/'));
            if (QFileInfo(file).isRelative())
                file = QDir(folder).filePath(file);
            material.setColorMap(dzApp->getImageMgr()->getImage(file));
        }
        return;
    }
}

} // namespace

DzObjImporter::DzObjImporter(QObject* parent) : DzImporter(parent) {}

QString DzObjImporter::getDescription() const {
    return QStringLiteral("Wavefront Object");
}

QStringList DzObjImporter::getExtensions() const {
    return {QStringLiteral("obj")};
}

void DzObjImporter::getDefaultOptions(DzFileIOSettings* settings) const {
    if (!settings)
        return;
    settings->setStringValue(QStringLiteral("Preset"), QLatin1String(kDefaultPreset));
    settings->setFloatValue(QStringLiteral("Scale"), 100.0);
    settings->setBoolValue(QStringLiteral("SwapYZ"), false);
    settings->setBoolValue(QStringLiteral("IncludeG"), true);
    settings->setBoolValue(QStringLiteral("IncludeVT"), true);
    settings->setBoolValue(QStringLiteral("IncludeUsemtl"), true);
    settings->setBoolValue(QStringLiteral("IncludeMtllib"), true);
    settings->setIntValue(QStringLiteral("RunSilent"), 0);
}

double DzObjImporter::unitOfPreset(const QString& preset) {
    if (preset == QLatin1String(kDefaultPreset))
        return 1.0;
    if (preset == QLatin1String("Lightwave (1 unit = 1m)"))
        return 100.0;
    if (preset == QLatin1String("Poser (1 unit = 8ft)"))
        return 243.84;
    return 0.0;
}

DzShape* DzObjImporter::readGeometry(const QString& path, int groupIndex,
                                     const DzFileIOSettings* settings) const {
    auto fail = [&](const QString& why) -> DzShape* {
        dzConsoleMessage(QStringLiteral("cannot import %1: %2").arg(path, why));
        return nullptr;
    };
    DzFileIOSettings options;
    getDefaultOptions(&options);
    ReadOptions read;
    const DzSettings& given = settings ? *settings : options;
    const QString preset = given.getStringValue(QStringLiteral("Preset"), QLatin1String(kDefaultPreset));
    const double unit = unitOfPreset(preset);
    if (unit <= 0.0)
        return fail(QStringLiteral("unknown preset \"%1\"").arg(preset));
    const double scale = given.getFloatValue(QStringLiteral("Scale"), 100.0);
    if (!(scale > 0.0) || !std::isfinite(scale))
        return fail(QStringLiteral("scale must be above 0 percent"));
    read.unit = unit * scale / 100.0;
    read.swapYZ = given.getBoolValue(QStringLiteral("SwapYZ"), false);
    read.includeG = given.getBoolValue(QStringLiteral("IncludeG"), true);
    read.includeVT = given.getBoolValue(QStringLiteral("IncludeVT"), true);
    read.includeUsemtl = given.getBoolValue(QStringLiteral("IncludeUsemtl"), true);
    read.includeMtllib = given.getBoolValue(QStringLiteral("IncludeMtllib"), true);
    read.groupIndex = groupIndex;

    const QFileInfo info(path);
    if (!info.isFile())
        return fail(QStringLiteral("no such file"));
    if (info.suffix().compare(QLatin1String("obj"), Qt::CaseInsensitive) != 0)
        return fail(QStringLiteral("not an .obj file"));

    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(QFile::encodeName(info.absoluteFilePath()).constData(),
                                             aiProcess_ValidateDataStructure);
    if (!scene || !scene->mRootNode)
        return fail(QString::fromUtf8(importer.GetErrorString()));

    QList<const aiNode*> groups;
    collectGroups(*scene->mRootNode, groups);
    if (groupIndex >= groups.size())
        return fail(QStringLiteral("no group %1").arg(groupIndex));

    auto* mesh = new DzFacetMesh;
    mesh->setName(info.completeBaseName());
    MeshBuilder builder(*scene, read, *mesh);
    for (int g = 0; g < groups.size(); ++g)
        if (groupIndex < 0 || g == groupIndex)
            builder.addNode(*groups[g], QString::fromUtf8(groups[g]->mName.C_Str()));
    if (mesh->getNumFacets() == 0) {
        delete mesh;
        return fail(QStringLiteral("no faces"));
    }

    auto* shape = new DzFacetShape;
    shape->setName(info.completeBaseName());
    shape->setFacetMesh(mesh);
    for (int m = 0; m < mesh->getNumMaterialGroups(); ++m) {
        auto* material = new DzDefaultMaterial;
        material->setName(mesh->getMaterialGroup(m));
        material->setLabel(mesh->getMaterialGroup(m));
        if (read.includeMtllib)
            applyLibraryMaterial(*scene, mesh->getMaterialGroup(m), info.absolutePath(), *material);
        shape->addMaterial(material);
    }
    return shape;
}
