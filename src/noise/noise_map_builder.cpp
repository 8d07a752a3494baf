#include "noise/noise_map_builder.h"

#include "common/progress_sink.h"

#include <libnoise/exception.h>
#include <libnoise/module/modulebase.h>

#include <vector>

namespace noise::utils {

void NoiseMapBuilderPlane::SetBounds(double lowerXBound, double upperXBound, double lowerZBound,
                                     double upperZBound) {
    if (!(lowerXBound < upperXBound) || !(lowerZBound < upperZBound))
        throw noise::ExceptionInvalidParam();
    m_lowerXBound = lowerXBound;
    m_upperXBound = upperXBound;
    m_lowerZBound = lowerZBound;
    m_upperZBound = upperZBound;
}

void NoiseMapBuilderPlane::checkAndSize() {
    if (!(m_lowerXBound < m_upperXBound) || !(m_lowerZBound < m_upperZBound) || m_destWidth < 1 ||
        m_destHeight < 1 || !m_sourceModule || !m_destNoiseMap)
        throw noise::ExceptionInvalidParam();
    m_destNoiseMap->SetSize(m_destWidth, m_destHeight);
}

void NoiseMapBuilderPlane::sample() {
    const double xDelta = (m_upperXBound - m_lowerXBound) / m_destWidth;
    const double zDelta = (m_upperZBound - m_lowerZBound) / m_destHeight;

    // Coordinates advance by repeated addition, as users' maps have always
    // been built; precomputing them keeps that rounding while leaving every
    // row independent of the others.
    std::vector<double> xs(static_cast<std::size_t>(m_destWidth));
    double x = m_lowerXBound;
    for (double& column : xs) {
        column = x;
        x += xDelta;
    }

    const noise::module::Module& module = *m_sourceModule;
    double z = m_lowerZBound;
    for (int row = 0; row < m_destHeight; ++row) {
        float* dest = m_destNoiseMap->GetRowPtr(row);
        for (int column = 0; column < m_destWidth; ++column)
            dest[column] = float(module.GetValue(xs[std::size_t(column)], 0.0, z));
        z += zDelta;
    }
}

void NoiseMapBuilderPlane::Build() {
    checkAndSize();
    sample();
}

void NoiseMapBuilderPlane::Build(int node) {
    checkAndSize();
    if (m_progress) {
        const QString number = QString::number(node);
        m_progress->setBusyText(QStringLiteral("computing noise ... \n\nnode: ") + number +
                                QStringLiteral("/9"));
        m_progress->setStatusText(QStringLiteral("computing noise ... node: ") + number +
                                  QStringLiteral("/9"));
        m_progress->processEvents();
    }
    sample();
    if (m_progress)
        m_progress->setStatusText(QStringLiteral("noise maps generated"));
}

} // namespace noise::utils
