#include "gltf_reader.h"

#include <tiny_gltf.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMatrix3x3>
#include <QMatrix4x4>

#include <cstring>

namespace morvane::gltf {

namespace {

// Keeps the picture's bytes undecoded: the host decodes what it shows.
bool keepBytes(tinygltf::Image* image, const int, std::string*, std::string*, int, int,
               const unsigned char* bytes, int size, void*) {
    image->image.assign(bytes, bytes + size);
    image->width = image->height = -1;
    return true;
}

// The values of an accessor as floats (or indices), bounds checked; empty
// when the accessor does not fit its buffer.
template <class T>
std::vector<T> readAccessor(const tinygltf::Model& model, int index, int components) {
    std::vector<T> out;
    if (index < 0 || index >= int(model.accessors.size()))
        return out;
    const tinygltf::Accessor& a = model.accessors[size_t(index)];
    if (a.bufferView < 0 || a.bufferView >= int(model.bufferViews.size()))
        return out;
    const tinygltf::BufferView& view = model.bufferViews[size_t(a.bufferView)];
    if (view.buffer < 0 || view.buffer >= int(model.buffers.size()))
        return out;
    const std::vector<unsigned char>& data = model.buffers[size_t(view.buffer)].data;
    const size_t componentSize = size_t(tinygltf::GetComponentSizeInBytes(uint32_t(a.componentType)));
    const size_t elementSize = componentSize * size_t(components);
    const size_t stride = view.byteStride ? view.byteStride : elementSize;
    const size_t start = view.byteOffset + a.byteOffset;
    // A count past the buffer's size would overflow the bound below.
    if (a.count == 0 || a.count > data.size() || stride > data.size() || start > data.size() || start + stride * (a.count - 1) + elementSize > data.size() ||
        start + stride * (a.count - 1) + elementSize > view.byteOffset + view.byteLength)
        return out;
    out.reserve(a.count * size_t(components));
    for (size_t i = 0; i < a.count; ++i)
        for (int c = 0; c < components; ++c) {
            const unsigned char* p = data.data() + start + i * stride + size_t(c) * componentSize;
            switch (a.componentType) {
            case TINYGLTF_COMPONENT_TYPE_FLOAT: {
                float f;
                std::memcpy(&f, p, 4);
                out.push_back(T(f));
                break;
            }
            case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: {
                quint32 u;
                std::memcpy(&u, p, 4);
                out.push_back(T(u));
                break;
            }
            case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
                quint16 u;
                std::memcpy(&u, p, 2);
                out.push_back(T(u));
                break;
            }
            case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
                out.push_back(T(*p));
                break;
            default:
                return {};
            }
        }
    return out;
}

Texture readTexture(const tinygltf::Model& model, int index, const QString& folder) {
    Texture t;
    if (index < 0 || index >= int(model.textures.size()))
        return t;
    const int source = model.textures[size_t(index)].source;
    if (source < 0 || source >= int(model.images.size()))
        return t;
    const tinygltf::Image& image = model.images[size_t(source)];
    t.mimeType = QString::fromStdString(image.mimeType);
    if (!image.uri.empty() && image.uri.rfind("data:", 0) != 0)
        t.path = QDir(folder).filePath(QString::fromStdString(image.uri));
    else
        t.data = QByteArray(reinterpret_cast<const char*>(image.image.data()), int(image.image.size()));
    return t;
}

QColor colorOf(const std::vector<double>& factor) {
    if (factor.size() < 4)
        return QColor(255, 255, 255);
    auto unit = [](double v) { return std::clamp(v, 0.0, 1.0); };
    return QColor::fromRgbF(unit(factor[0]), unit(factor[1]), unit(factor[2]), unit(factor[3]));
}

} // namespace

std::optional<Scene> readGltf(const QString& path, QString* error) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(keepBytes, nullptr);
    tinygltf::Model model;
    std::string err, warn;
    const std::string file = QFile::encodeName(path).toStdString();
    const bool binary = QFileInfo(path).suffix().compare(QLatin1String("glb"), Qt::CaseInsensitive) == 0;
    const bool ok = binary ? loader.LoadBinaryFromFile(&model, &err, &warn, file)
                           : loader.LoadASCIIFromFile(&model, &err, &warn, file);
    if (!ok) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, QString::fromStdString(err));
        return std::nullopt;
    }
    const QString folder = QFileInfo(path).absolutePath();
    Scene scene;
    for (const tinygltf::Camera& c : model.cameras) {
        Camera camera;
        camera.name = QString::fromStdString(c.name);
        if (c.type == "perspective") {
            camera.yfov = float(c.perspective.yfov);
            camera.aspectRatio = c.perspective.aspectRatio > 0 ? float(c.perspective.aspectRatio) : 1.5f;
            camera.znear = float(c.perspective.znear);
            camera.zfar = c.perspective.zfar > 0 ? float(c.perspective.zfar) : 100000.0f;
        }
        scene.cameras.push_back(camera);
    }
    for (const tinygltf::Material& m : model.materials) {
        Material material;
        material.name = QString::fromStdString(m.name);
        material.baseColor = colorOf(m.pbrMetallicRoughness.baseColorFactor);
        material.metallic = float(m.pbrMetallicRoughness.metallicFactor);
        material.roughness = float(m.pbrMetallicRoughness.roughnessFactor);
        material.baseColorTexture = readTexture(model, m.pbrMetallicRoughness.baseColorTexture.index, folder);
        material.normalTexture = readTexture(model, m.normalTexture.index, folder);
        material.unlit = m.extensions.count("KHR_materials_unlit") > 0;
        scene.materials.push_back(material);
    }
    for (const tinygltf::Mesh& m : model.meshes) {
        Mesh mesh;
        mesh.name = QString::fromStdString(m.name);
        for (const tinygltf::Primitive& p : m.primitives) {
            if (p.mode != TINYGLTF_MODE_TRIANGLES)
                continue;
            auto attribute = [&](const char* name) {
                const auto it = p.attributes.find(name);
                return it == p.attributes.end() ? -1 : it->second;
            };
            Primitive primitive;
            primitive.positions = readAccessor<float>(model, attribute("POSITION"), 3);
            primitive.normals = readAccessor<float>(model, attribute("NORMAL"), 3);
            primitive.uvs = readAccessor<float>(model, attribute("TEXCOORD_0"), 2);
            const size_t count = primitive.positions.size() / 3;
            if (p.indices >= 0) {
                primitive.indices = readAccessor<quint32>(model, p.indices, 1);
            } else {
                for (size_t i = 0; i < count; ++i)
                    primitive.indices.push_back(quint32(i));
            }
            // Indices past the vertices would make readers of the result
            // read out of bounds: such a primitive is left out.
            bool sound = primitive.indices.size() % 3 == 0;
            for (quint32 i : primitive.indices)
                sound = sound && i < count;
            if (!sound || count == 0)
                continue;
            if (primitive.normals.size() != primitive.positions.size())
                primitive.normals.clear();
            if (primitive.uvs.size() / 2 != count)
                primitive.uvs.clear();
            primitive.material = p.material < int(scene.materials.size()) ? p.material : -1;
            mesh.primitives.push_back(std::move(primitive));
        }
        scene.meshes.push_back(std::move(mesh));
    }
    for (const tinygltf::Node& n : model.nodes) {
        Node node;
        node.name = QString::fromStdString(n.name);
        if (n.matrix.size() == 16) {
            QMatrix4x4 m;
            for (int i = 0; i < 16; ++i)
                m.data()[i] = float(n.matrix[size_t(i)]);
            node.translation = m.column(3).toVector3D();
            QVector3D scale;
            QMatrix3x3 r;
            for (int c = 0; c < 3; ++c) {
                scale[c] = m.column(c).toVector3D().length();
                for (int row = 0; row < 3; ++row)
                    r(row, c) = scale[c] > 0 ? m(row, c) / scale[c] : float(row == c);
            }
            node.scale = scale;
            node.rotation = QQuaternion::fromRotationMatrix(r);
        } else {
            if (n.translation.size() == 3)
                node.translation = QVector3D(float(n.translation[0]), float(n.translation[1]),
                                             float(n.translation[2]));
            if (n.rotation.size() == 4)
                node.rotation = QQuaternion(float(n.rotation[3]), float(n.rotation[0]),
                                            float(n.rotation[1]), float(n.rotation[2]));
            if (n.scale.size() == 3)
                node.scale = QVector3D(float(n.scale[0]), float(n.scale[1]), float(n.scale[2]));
        }
        node.mesh = n.mesh < int(scene.meshes.size()) ? n.mesh : -1;
        node.camera = n.camera < int(scene.cameras.size()) ? n.camera : -1;
        for (int child : n.children)
            if (child >= 0 && child < int(model.nodes.size()))
                node.children.push_back(child);
        scene.nodes.push_back(node);
    }
    const int sceneIndex = model.defaultScene >= 0 ? model.defaultScene : 0;
    if (sceneIndex < int(model.scenes.size()))
        for (int root : model.scenes[size_t(sceneIndex)].nodes)
            if (root >= 0 && root < int(scene.nodes.size()))
                scene.roots.push_back(root);
    return scene;
}

} // namespace morvane::gltf
