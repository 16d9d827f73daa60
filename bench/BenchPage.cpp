#include "BenchPage.h"

#include "LineArt.h"

namespace oxbench {

PageSize BenchPageSize(bool quick) {
    return quick ? PageSize{2400, 1700} : PageSize{8192, 6400};
}

oxhost::Document LineArtPage(int width, int height, double thinnest, double thickest,
                             bool flatColors) {
    oxlineart::LineArtOptions options;
    options.width = width;
    options.height = height;
    options.lineWidthMin = thinnest;
    options.lineWidthMax = thickest;
    options.flatColors = flatColors;
    options.seed = 2026;
    return oxlineart::DrawLineArtPage(options);
}

}  // namespace oxbench
