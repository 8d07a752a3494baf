#include "pipeline/streamed_mix.h"

#include <libnoise/exception.h>

#include <algorithm>

namespace morvane {

QStringList sampleFusedWithStreamedMix(const FusedGraph& graph, const std::vector<double>& xs,
                                       const std::vector<double>& zs,
                                       noise::utils::NoiseMap& finalMap,
                                       std::vector<PictureJob>& mixPictures, int threads) {
    if (mixPictures.size() != 3)
        throw noise::ExceptionInvalidParam();
    const int width = int(xs.size());
    const int height = int(zs.size());
    finalMap.SetSize(width, height);
    if (width == 0 || height == 0)
        return QStringList();
    noise::utils::NoiseMap finalBand;
    std::vector<double> bandZs;
    return writeBandedPictures(
        mixPictures, width, height,
        [&](int firstRow, int rows, noise::utils::NoiseMap* const* bands) {
            // Picture order runs down the map: band row i is map row
            // height - 1 - firstRow - i. Each point is sampled on its own,
            // so the order of the rows leaves every value as it is.
            bandZs.resize(std::size_t(rows));
            for (int i = 0; i < rows; ++i)
                bandZs[std::size_t(i)] = zs[std::size_t(height - 1 - firstRow - i)];
            FusedMaps maps;
            maps.stage[6] = &finalBand;
            for (int i = 0; i < 3; ++i)
                maps.stage[7 + i] = bands[i];
            sampleFused(graph, xs, bandZs, maps, threads);
            for (int i = 0; i < rows; ++i) {
                const float* from = finalBand.GetRowPtr(i);
                std::copy(from, from + width, finalMap.GetRowPtr(height - 1 - firstRow - i));
            }
        });
}

} // namespace morvane
