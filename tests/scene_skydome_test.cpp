#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The shipped sky dome read with a reader of its own: every face must look
// towards the centre (the dome is seen from inside), and every corner's
// texture coordinate must point into the sky map where its direction lies.
TEST(SkyDomeMeshTest, FacesLookInwardAndTextureCoordinatesFollowTheSkyMap) {
    QFile file(QStringLiteral(MORVANE_SOURCE_DIR "/resources/skydome.obj"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<std::array<double, 3>> v;
    std::vector<std::array<double, 2>> vt;
    std::vector<std::vector<std::array<int, 2>>> faces;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QStringList parts = QString(raw).simplified().split(' ');
        if (parts[0] == "v")
            v.push_back({parts[1].toDouble(), parts[2].toDouble(), parts[3].toDouble()});
        else if (parts[0] == "vt")
            vt.push_back({parts[1].toDouble(), parts[2].toDouble()});
        else if (parts[0] == "f") {
            std::vector<std::array<int, 2>> face;
            for (int i = 1; i < parts.size(); ++i) {
                const QStringList index = parts[i].split('/');
                face.push_back({index[0].toInt() - 1, index[1].toInt() - 1});
            }
            faces.push_back(face);
        }
    }
    ASSERT_GT(faces.size(), 500u);
    double radius = 0.0;
    for (const auto& p : v)
        radius = std::max(radius, std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]));
    for (const auto& face : faces) {
        ASSERT_GE(face.size(), 3u);
        for (const auto& corner : face)
            ASSERT_TRUE(corner[0] >= 0 && corner[0] < int(v.size()) && corner[1] >= 0 &&
                        corner[1] < int(vt.size()));
        const auto &a = v[face[0][0]], &b = v[face[1][0]], &c = v[face[2][0]];
        const std::array<double, 3> e1{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const std::array<double, 3> e2{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const std::array<double, 3> n{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                      e1[0] * e2[1] - e1[1] * e2[0]};
        EXPECT_LT(n[0] * a[0] + n[1] * a[1] + n[2] * a[2], 0.0) << "a face looks outward";

        double uMin = 1.0, uMax = 0.0;
        for (const auto& corner : face) {
            const auto& p = v[corner[0]];
            const auto& t = vt[corner[1]];
            // Row 0 of the map is the zenith (v = 1), the last row the nadir.
            const double elevation = std::asin(std::clamp(p[1] / radius, -1.0, 1.0));
            EXPECT_NEAR(t[1], 0.5 + elevation / kPi, 1e-3);
            uMin = std::min(uMin, t[0]);
            uMax = std::max(uMax, t[0]);
            if (std::abs(p[1]) < radius * 0.999) {
                // Azimuth as the sky model has it: x = sin, z = cos.
                double azimuth = std::atan2(p[0], p[2]) / (2 * kPi);
                if (azimuth < 0)
                    azimuth += 1.0;
                if (std::abs(t[0] - 1.0) < 1e-6 && azimuth < 1e-6)
                    azimuth = 1.0; // the seam's second copy
                EXPECT_NEAR(t[0], azimuth, 1e-4);
            }
        }
        EXPECT_LT(uMax - uMin, 0.1) << "a face spans the seam";
    }
}

} // namespace
