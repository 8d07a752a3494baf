#include "gltf_writer.h"

#include <tiny_gltf.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <sstream>

namespace morvane::gltf {

namespace {

constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;

// Keeps each picture's uri as given: the writer copies the files itself.
bool keepUri(const std::string*, const std::string*, const tinygltf::Image*, bool, std::string*,
             void*) {
    return false;
}

class ModelBuilder {
public:
    ModelBuilder(const QString& path, bool binary) : m_path(path), m_binary(binary) {
        m_model.asset.version = "2.0";
        m_model.asset.generator = "MORVANE studio";
        m_model.buffers.emplace_back();
    }

    bool build(const Scene& scene, QString* error) {
        for (const Camera& c : scene.cameras) {
            tinygltf::Camera camera;
            camera.name = c.name.toStdString();
            camera.type = "perspective";
            camera.perspective.yfov = c.yfov;
            camera.perspective.aspectRatio = c.aspectRatio;
            camera.perspective.znear = c.znear;
            camera.perspective.zfar = c.zfar;
            m_model.cameras.push_back(camera);
        }
        for (const Material& m : scene.materials)
            if (!addMaterial(m, error))
                return false;
        for (const Mesh& m : scene.meshes)
            addMesh(m);
        for (const Node& n : scene.nodes) {
            tinygltf::Node node;
            node.name = n.name.toStdString();
            node.translation = {n.translation.x(), n.translation.y(), n.translation.z()};
            const QQuaternion q = n.rotation.normalized();
            node.rotation = {q.x(), q.y(), q.z(), q.scalar()};
            node.scale = {n.scale.x(), n.scale.y(), n.scale.z()};
            node.mesh = n.mesh;
            node.camera = n.camera;
            node.children.assign(n.children.begin(), n.children.end());
            m_model.nodes.push_back(node);
        }
        tinygltf::Scene root;
        root.name = "Scene";
        root.nodes.assign(scene.roots.begin(), scene.roots.end());
        m_model.scenes.push_back(root);
        m_model.defaultScene = 0;
        if (!m_binary)
            m_model.buffers[0].uri = QFileInfo(m_path).completeBaseName().toStdString() + ".bin";
        if (m_model.buffers[0].data.empty())
            m_model.buffers.clear();
        return true;
    }

    tinygltf::Model& model() { return m_model; }

private:
    // Appends bytes to the one buffer on a 4-byte boundary; the view's index.
    int addView(const void* data, size_t size, int target) {
        std::vector<unsigned char>& bytes = m_model.buffers[0].data;
        while (bytes.size() % 4)
            bytes.push_back(0);
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = bytes.size();
        view.byteLength = size;
        view.target = target;
        const auto* p = static_cast<const unsigned char*>(data);
        bytes.insert(bytes.end(), p, p + size);
        m_model.bufferViews.push_back(view);
        return int(m_model.bufferViews.size()) - 1;
    }

    int addFloats(const std::vector<float>& values, int components, bool withBounds) {
        tinygltf::Accessor accessor;
        accessor.bufferView = addView(values.data(), values.size() * sizeof(float), kArrayBuffer);
        accessor.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
        accessor.count = values.size() / size_t(components);
        accessor.type = components == 3 ? TINYGLTF_TYPE_VEC3 : TINYGLTF_TYPE_VEC2;
        if (withBounds) {
            accessor.minValues.assign(size_t(components), std::numeric_limits<double>::max());
            accessor.maxValues.assign(size_t(components), -std::numeric_limits<double>::max());
            for (size_t i = 0; i < values.size(); ++i) {
                double& lo = accessor.minValues[i % size_t(components)];
                double& hi = accessor.maxValues[i % size_t(components)];
                lo = std::min(lo, double(values[i]));
                hi = std::max(hi, double(values[i]));
            }
        }
        m_model.accessors.push_back(accessor);
        return int(m_model.accessors.size()) - 1;
    }

    void addMesh(const Mesh& m) {
        tinygltf::Mesh mesh;
        mesh.name = m.name.toStdString();
        for (const Primitive& p : m.primitives) {
            if (p.indices.empty() || p.positions.empty())
                continue;
            tinygltf::Primitive primitive;
            primitive.mode = TINYGLTF_MODE_TRIANGLES;
            primitive.material = p.material;
            primitive.attributes["POSITION"] = addFloats(p.positions, 3, true);
            if (p.normals.size() == p.positions.size())
                primitive.attributes["NORMAL"] = addFloats(p.normals, 3, false);
            if (!p.uvs.empty() && p.uvs.size() / 2 == p.positions.size() / 3)
                primitive.attributes["TEXCOORD_0"] = addFloats(p.uvs, 2, false);
            tinygltf::Accessor indices;
            indices.bufferView = addView(p.indices.data(), p.indices.size() * sizeof(quint32),
                                         kElementArrayBuffer);
            indices.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
            indices.count = p.indices.size();
            indices.type = TINYGLTF_TYPE_SCALAR;
            m_model.accessors.push_back(indices);
            primitive.indices = int(m_model.accessors.size()) - 1;
            mesh.primitives.push_back(primitive);
        }
        m_model.meshes.push_back(mesh);
    }

    // The texture index of a picture, each file stored once; -1 on failure.
    int addTexture(const Texture& t, QString* error) {
        const QString key = t.path.isEmpty() ? QString::number(qHash(t.data)) : t.path;
        for (int i = 0; i < m_textureKeys.size(); ++i)
            if (m_textureKeys[i] == key)
                return i;
        QByteArray bytes = t.data;
        QString mime = t.mimeType;
        if (!t.path.isEmpty()) {
            QFile file(t.path);
            if (!file.open(QIODevice::ReadOnly)) {
                if (error)
                    *error = QStringLiteral("cannot read the picture %1").arg(t.path);
                return -1;
            }
            bytes = file.readAll();
            const QString suffix = QFileInfo(t.path).suffix().toLower();
            mime = suffix == QLatin1String("png") ? QStringLiteral("image/png")
                   : (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
                       ? QStringLiteral("image/jpeg")
                       : QString();
        }
        if (mime.isEmpty()) {
            // glTF holds PNG and JPEG only: anything else becomes PNG.
            QImage image = QImage::fromData(bytes);
            if (image.isNull()) {
                if (error)
                    *error = QStringLiteral("not a picture: %1").arg(t.path);
                return -1;
            }
            bytes.clear();
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            mime = QStringLiteral("image/png");
        }
        tinygltf::Image image;
        const QString base = t.path.isEmpty() ? QStringLiteral("texture%1").arg(m_textureKeys.size())
                                              : QFileInfo(t.path).completeBaseName();
        image.name = base.toStdString();
        image.mimeType = mime.toStdString();
        if (m_binary) {
            image.bufferView = addView(bytes.constData(), size_t(bytes.size()), 0);
            m_model.bufferViews.back().target = 0;
        } else {
            // Beside the scene, prefixed so two scenes in one folder keep theirs.
            const QString name = QFileInfo(m_path).completeBaseName() + QLatin1Char('_') + base +
                                 (mime == QLatin1String("image/png") ? ".png" : ".jpg");
            QFile out(QFileInfo(m_path).dir().filePath(name));
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
                if (error)
                    *error = QStringLiteral("cannot write %1").arg(out.fileName());
                return -1;
            }
            image.uri = name.toStdString();
        }
        m_model.images.push_back(image);
        tinygltf::Texture texture;
        texture.source = int(m_model.images.size()) - 1;
        m_model.textures.push_back(texture);
        m_textureKeys << key;
        return int(m_model.textures.size()) - 1;
    }

    bool addMaterial(const Material& m, QString* error) {
        tinygltf::Material material;
        material.name = m.name.toStdString();
        material.pbrMetallicRoughness.baseColorFactor = {m.baseColor.redF(), m.baseColor.greenF(),
                                                         m.baseColor.blueF(), m.baseColor.alphaF()};
        material.pbrMetallicRoughness.metallicFactor = m.metallic;
        material.pbrMetallicRoughness.roughnessFactor = m.roughness;
        if (!m.baseColorTexture.isEmpty()) {
            const int index = addTexture(m.baseColorTexture, error);
            if (index < 0)
                return false;
            material.pbrMetallicRoughness.baseColorTexture.index = index;
        }
        if (!m.normalTexture.isEmpty()) {
            const int index = addTexture(m.normalTexture, error);
            if (index < 0)
                return false;
            material.normalTexture.index = index;
        }
        if (m.unlit) {
            material.extensions["KHR_materials_unlit"] = tinygltf::Value(tinygltf::Value::Object());
            if (std::find(m_model.extensionsUsed.begin(), m_model.extensionsUsed.end(),
                          "KHR_materials_unlit") == m_model.extensionsUsed.end())
                m_model.extensionsUsed.push_back("KHR_materials_unlit");
        }
        m_model.materials.push_back(material);
        return true;
    }

    QString m_path;
    bool m_binary;
    tinygltf::Model m_model;
    QStringList m_textureKeys;
};

} // namespace

namespace {

// A .gltf scene is several files (the JSON, its .bin, the pictures), and
// tinygltf writes them in place one after the other. They are written into
// a folder beside the target first and moved over the old ones only when
// all are complete, so a failed save leaves the previous scene whole.
bool writeGltfFiles(const Scene& scene, const QString& path, QString* error) {
    const QFileInfo target(path);
    QTemporaryDir staging(target.absolutePath() + QStringLiteral("/.gltf-staging-XXXXXX"));
    if (!staging.isValid()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, staging.errorString());
        return false;
    }
    const QString staged = staging.filePath(target.fileName());
    ModelBuilder builder(staged, false);
    if (!builder.build(scene, error))
        return false;
    tinygltf::TinyGLTF writer;
    writer.SetImageWriter(keepUri, nullptr);
    // The JSON file's failure is not reported: its size tells.
    if (!writer.WriteGltfSceneToFile(&builder.model(), QFile::encodeName(staged).toStdString(),
                                     false, false, true, false) ||
        QFileInfo(staged).size() == 0) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    const QStringList files = QDir(staging.path()).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : files) {
        const QFileInfo existing(target.dir().filePath(name));
        if (existing.exists() && !existing.isFile()) {
            if (error)
                *error = QStringLiteral("cannot replace %1: it is not a plain file")
                             .arg(existing.filePath());
            return false;
        }
    }
    // The JSON last: until it is in place the old scene still reads.
    QStringList order = files;
    order.removeAll(target.fileName());
    order << target.fileName();
    for (const QString& name : order) {
        const QString to = target.dir().filePath(name);
        if (std::rename(QFile::encodeName(staging.filePath(name)).constData(),
                        QFile::encodeName(to).constData()) != 0) {
            if (error)
                *error = QStringLiteral("cannot write %1: %2")
                             .arg(to, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
    return true;
}

} // namespace

bool writeGltf(const Scene& scene, const QString& path, QString* error) {
    const bool binary = QFileInfo(path).suffix().compare(QLatin1String("glb"), Qt::CaseInsensitive) == 0;
    if (!binary)
        return writeGltfFiles(scene, path, error);
    ModelBuilder builder(path, true);
    if (!builder.build(scene, error))
        return false;
    tinygltf::TinyGLTF writer;
    writer.SetImageWriter(keepUri, nullptr);
    // tinygltf does not report a failed binary write: the bytes go through
    // a stream and a save file that does.
    std::ostringstream stream;
    QSaveFile file(path);
    if (!writer.WriteGltfSceneToStream(&builder.model(), stream, false, true) ||
        !file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    const std::string bytes = stream.str();
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace morvane::gltf
